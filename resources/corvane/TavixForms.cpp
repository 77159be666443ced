#include "resources/corvane/TavixForms.h"

#include <string>
#include <vector>

#include "resources/corvane/ModuleForms.h"

namespace corvane {

using platform::ControlKind;
using platform::IDC_STATIC;

namespace {

constexpr unsigned kTab = platform::WS_TABSTOP;
constexpr unsigned kList = platform::WS_TABSTOP | platform::WS_VSCROLL;
constexpr unsigned kLinkBox = platform::BS_AUTOCHECKBOX | platform::WS_TABSTOP;
constexpr unsigned kSpin = platform::UDS_SETBUDDYINT | platform::UDS_AUTOBUDDY |
                           platform::UDS_ALIGNRIGHT | platform::UDS_ARROWKEYS |
                           platform::UDS_NOTHOUSANDS;

// Page geometry: one row per channel.
constexpr int kPageCx = 262;
constexpr int kPageCy = 150;
constexpr int kRowTop = 9;
constexpr int kRowStep = 17;

int RowY(int channel) {
    return kRowTop + kRowStep * channel;
}

std::string ChannelLabel(int channel) {
    return "Ch " + std::to_string(channel + 1);
}

const std::vector<std::string>& FrequencyItems() {
    static const std::vector<std::string> items{
        "Inactive", "Silence",  "50 Hz",    "100 Hz",  "150 Hz",  "200 Hz",  "250 Hz",
        "300 Hz",   "400 Hz",   "500 Hz",   "600 Hz",  "750 Hz",  "800 Hz",  "1.0 kHz",
        "1.2 kHz",  "1.5 kHz",  "1.6 kHz",  "2.0 kHz", "2.4 kHz", "3.0 kHz", "3.2 kHz",
        "4.0 kHz",  "4.8 kHz",  "5.0 kHz",  "6.0 kHz", "8.0 kHz", "9.6 kHz", "10.0 kHz",
        "12.0 kHz", "15.0 kHz", "16.0 kHz", "20.0 kHz"};
    return items;
}

platform::DialogTemplate ComboPage(int id, int firstCombo, int secondCombo,
                                   const std::vector<std::string>& items, int listHeight) {
    platform::DialogTemplate page{
        id, "", kPageCx, kPageCy, {}, platform::WS_CHILD, kModulePageX, kModulePageY};
    for (int ch = 0; ch < 8; ++ch) {
        const int y = RowY(ch);
        page.controls.push_back(
            {ControlKind::Static, IDC_STATIC, ChannelLabel(ch), 12, y + 2, 24, 8});
        const int combo = ch == 0 ? firstCombo : secondCombo + ch - 1;
        page.controls.push_back(
            {ControlKind::ComboDropDownList, combo, "", 40, y, 70, listHeight, kList, items});
        if (ch > 0)
            page.controls.push_back({ControlKind::CheckBox, IDC_LINK_CH2 + ch - 1, "Link to Ch1",
                                     124, y + 1, 60, 10, kLinkBox});
    }
    return page;
}

}  // namespace

const platform::DialogTemplate& TavixFormTemplate() {
    static const platform::DialogTemplate form =
        ModuleForm(IDD_TAVIX_FORM, kPageCx, kPageCy,
                   {
                       {ControlKind::GroupBox, IDC_STATIC, "Resolution", 284, 7, 93, 42},
                       {ControlKind::RadioButton, IDC_TAVIX_BITS20, "20 bits", 292, 19, 60, 10,
                        platform::BS_AUTORADIOBUTTON | platform::WS_GROUP | kTab},
                       {ControlKind::RadioButton, IDC_TAVIX_BITS24, "24 bits", 292, 33, 60, 10,
                        platform::BS_AUTORADIOBUTTON},
                       {ControlKind::GroupBox, IDC_STATIC, "Audio-Video Sync", 284, 54, 93, 34},
                       {ControlKind::ComboDropDownList, IDC_TAVIX_SYNC, "", 292, 67, 77, 60,
                        kList | platform::WS_GROUP},
                       {ControlKind::Static, IDC_TAVIX_DELAY_LABEL, "Audio timing", 284, 96, 80, 8},
                       {ControlKind::Edit, IDC_TAVIX_DELAY, "", 284, 107, 60, 13,
                        platform::ES_AUTOHSCROLL | platform::ES_RIGHT | kTab},
                       {ControlKind::Static, IDC_TAVIX_DELAY_UNIT, "[usec]", 348, 109, 28, 8},
                   },
                   false);
    return form;
}

const platform::DialogTemplate& TavixFrequencyPageTemplate() {
    static const platform::DialogTemplate page =
        ComboPage(IDD_TAVIX_FREQUENCY, IDC_TAVIX_FREQUENCY_CH1, IDC_TAVIX_FREQUENCY_CH1 + 1,
                  FrequencyItems(), 120);
    return page;
}

const platform::DialogTemplate& TavixClickPageTemplate() {
    static const platform::DialogTemplate page =
        ComboPage(IDD_TAVIX_CLICK, IDC_TAVIX_CLICK_CH1, IDC_TAVIX_CLICK_CH2,
                  {"Off", "1 Sec", "2 Sec", "3 Sec", "4 Sec"}, 70);
    return page;
}

const platform::DialogTemplate& TavixAmplitudePageTemplate() {
    static const platform::DialogTemplate page = [] {
        platform::DialogTemplate t{IDD_TAVIX_AMPLITUDE, "",           kPageCx,     kPageCy, {},
                                   platform::WS_CHILD,  kModulePageX, kModulePageY};
        for (int ch = 0; ch < 8; ++ch) {
            const int y = RowY(ch);
            t.controls.push_back(
                {ControlKind::Static, IDC_STATIC, ChannelLabel(ch), 12, y + 2, 24, 8});
            t.controls.push_back({ControlKind::Edit, IDC_TAVIX_AMPLITUDE_CH1 + ch, "", 40, y, 44,
                                  13, platform::ES_AUTOHSCROLL | platform::ES_RIGHT | kTab});
            t.controls.push_back(
                {ControlKind::UpDown, IDC_TAVIX_AMPLITUDE_SPIN1 + ch, "", 84, y, 10, 13, kSpin});
            t.controls.push_back({ControlKind::Static, IDC_STATIC, "[dBFS]", 88, y + 2, 28, 8});
            if (ch > 0)
                t.controls.push_back({ControlKind::CheckBox, IDC_LINK_CH2 + ch - 1, "Link to Ch1",
                                      124, y + 1, 60, 10, kLinkBox});
        }
        return t;
    }();
    return page;
}

}  // namespace corvane
