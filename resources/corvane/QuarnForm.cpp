#include "resources/corvane/QuarnForm.h"

#include <string>
#include <vector>

#include "platform/StringTable.h"

namespace corvane {

using platform::ControlKind;
using platform::IDC_STATIC;

namespace {

// A row's label takes its cells' top and height, and both centre their text from top to
// bottom, so the label reads on the line of the values beside it.
constexpr unsigned kRowLabel = platform::SS_CENTERIMAGE;
constexpr unsigned kValueCell =
    platform::SS_CENTER | platform::SS_SUNKEN | platform::SS_NOPREFIX | platform::SS_CENTERIMAGE;
constexpr unsigned kNumberCell =
    platform::SS_RIGHT | platform::SS_SUNKEN | platform::SS_CENTERIMAGE;

// Columns of the "Version" group: the row names, the controller, then slots 1 to 4. Rows and
// columns leave the same gap between cells.
constexpr int kVersionSlotX = 118;
constexpr int kVersionSlotStep = 50;
constexpr int kVersionCellWidth = 46;
constexpr int kVersionRowY = 98;
constexpr int kVersionRowStep = 14;
constexpr int kCellHeight = 10;
// Columns of the frame reset images, one per slot.
constexpr int kResetSlotX = 150;
constexpr int kResetSlotStep = 42;

std::vector<platform::ControlTemplate> FrameResetGroup() {
    std::vector<platform::ControlTemplate> c{
        {ControlKind::GroupBox, IDC_STATIC, "Frame Reset", 7, 7, 316, 65},
    };
    for (int s = 0; s < 4; ++s)
        c.push_back({ControlKind::Static, IDC_RESET_SLOT_LABEL1 + s,
                     "Slot " + std::to_string(s + 1), kResetSlotX + kResetSlotStep * s, 18, 30, 8,
                     platform::SS_CENTER});
    for (int r = 0; r < 3; ++r) {
        const int y = 30 + 12 * r;
        c.push_back({ControlKind::Static, IDC_STATIC, "Reset " + std::to_string(r + 1), 16, y, 34,
                     kCellHeight, kRowLabel});
        c.push_back(
            {ControlKind::Static, IDC_FRAME_FREQ1 + r, "", 54, y, 80, kCellHeight, kValueCell});
    }
    // In tab order slot by slot, as the ids run.
    for (int s = 0; s < 4; ++s)
        for (int r = 0; r < 3; ++r)
            c.push_back({ControlKind::Icon, IDC_FRAME_USE_FIRST + 3 * s + r, FrameResetImagePath(),
                         kResetSlotX + kResetSlotStep * s + 7, 30 + 12 * r, 16, 10});
    return c;
}

std::vector<platform::ControlTemplate> VersionGroup() {
    static const int slotLabels[4] = {IDC_VERSION_SLOT_LABEL1, IDC_VERSION_SLOT_LABEL2,
                                      IDC_VERSION_SLOT_LABEL3, IDC_VERSION_SLOT_LABEL4};
    static const int models[4] = {IDC_SLOT1_MODEL, IDC_SLOT2_MODEL, IDC_SLOT3_MODEL,
                                  IDC_SLOT4_MODEL};
    auto rowY = [](int row) { return kVersionRowY + kVersionRowStep * row; };
    std::vector<platform::ControlTemplate> c{
        {ControlKind::GroupBox, IDC_STATIC, "Version", 7, 77, 316, 64},
        {ControlKind::Static, IDC_STATIC, "Module", 16, rowY(0), 36, kCellHeight, kRowLabel},
        {ControlKind::Static, IDC_STATIC, "H/W", 16, rowY(1), 36, kCellHeight, kRowLabel},
        {ControlKind::Static, IDC_STATIC, "S/W", 16, rowY(2), 36, kCellHeight, kRowLabel},
        {ControlKind::Static, IDC_CPU_NAME, "CPU", 56, rowY(0), 56, kCellHeight, kValueCell},
        {ControlKind::Static, IDC_CPU_HARDWARE, "", 56, rowY(1), 56, kCellHeight, kValueCell},
        {ControlKind::Static, IDC_CPU_SOFTWARE, "", 56, rowY(2), 56, kCellHeight, kValueCell},
    };
    for (int s = 0; s < 4; ++s) {
        const int x = kVersionSlotX + kVersionSlotStep * s;
        c.push_back({ControlKind::Static, slotLabels[s], "Slot " + std::to_string(s + 1), x, 88,
                     kVersionCellWidth, 8, platform::SS_CENTER});
        c.push_back({ControlKind::Static, models[s], "", x, rowY(0), kVersionCellWidth, kCellHeight,
                     kValueCell});
        c.push_back({ControlKind::Static, IDC_SLOT1_HARDWARE + s, "", x, rowY(1), kVersionCellWidth,
                     kCellHeight, kValueCell});
        c.push_back({ControlKind::Static, IDC_SLOT1_SOFTWARE + s, "", x, rowY(2), kVersionCellWidth,
                     kCellHeight, kValueCell});
    }
    return c;
}

std::vector<platform::ControlTemplate> MemoryContrastAndButtons() {
    return {
        {ControlKind::GroupBox, IDC_STATIC, "Memory", 7, 146, 160, 42},
        {ControlKind::Static, IDC_STATIC, "Free", 16, 157, 24, kCellHeight, kRowLabel},
        {ControlKind::Static, IDC_FREE_BYTES, "", 42, 157, 86, kCellHeight, kNumberCell},
        {ControlKind::Static, IDC_STATIC, "Bytes", 132, 157, 30, kCellHeight, kRowLabel},
        {ControlKind::Static, IDC_STATIC, "Used", 16, 171, 24, kCellHeight, kRowLabel},
        {ControlKind::Static, IDC_USED_BYTES, "", 42, 171, 86, kCellHeight, kNumberCell},
        {ControlKind::Static, IDC_STATIC, "Bytes", 132, 171, 30, kCellHeight, kRowLabel},

        {ControlKind::GroupBox, IDC_STATIC, "Display Contrast", 173, 146, 150, 42},
        {ControlKind::Edit, IDC_CONTRAST, "", 192, 161, 40, 13,
         platform::ES_AUTOHSCROLL | platform::WS_TABSTOP},
        {ControlKind::UpDown, IDC_CONTRAST_SPIN, "", 232, 161, 10, 13,
         platform::UDS_SETBUDDYINT | platform::UDS_ALIGNRIGHT | platform::UDS_AUTOBUDDY |
             platform::UDS_ARROWKEYS},
        {ControlKind::Static, IDC_STATIC, "(1 - 40)", 250, 163, 40, 8},

        {ControlKind::DefPushButton, IDC_QUARN_OK, "OK", 159, 196, 50, 14, platform::WS_TABSTOP},
        {ControlKind::PushButton, IDC_QUARN_CANCEL, "Cancel", 216, 196, 50, 14,
         platform::WS_TABSTOP},
        {ControlKind::PushButton, IDC_QUARN_APPLY, "Apply", 273, 196, 50, 14,
         platform::WS_TABSTOP | platform::WS_DISABLED},
    };
}

}  // namespace

const platform::DialogTemplate& QuarnFormTemplate() {
    static const platform::DialogTemplate form = [] {
        platform::DialogTemplate t{IDD_QUARN_FORM, "", 330, 217, {}, platform::WS_CHILD};
        for (auto part : {FrameResetGroup(), VersionGroup(), MemoryContrastAndButtons()})
            t.controls.insert(t.controls.end(), part.begin(), part.end());
        return t;
    }();
    return form;
}

void RegisterQuarnFormStrings() {
    platform::RegisterStrings({{IDS_APPLY_CHANGES_TO_MAINFRAME, "Apply changes to mainframe?"}});
}

const char* FrameResetImagePath() {
    return ":/corvane/frame_reset.png";
}

}  // namespace corvane
