#include "resources/corvane/VideoForms.h"

#include <stdexcept>
#include <utility>

#include "corvane/modules/video/VideoFormats.h"
#include "platform/StringTable.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

using platform::ControlKind;

void RegisterVideoPageStrings() {
    static const bool registered = [] {
        platform::RegisterStrings({
            {IDS_HD_CLOCK_IS_7425, "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?"},
            {IDS_HD_CLOCK_IS_7418, "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?"},
        });
        return true;
    }();
    (void)registered;
}

platform::DialogTemplate VideoModuleForm(int id, bool applyEnabled) {
    return ModuleForm(id, videoform::kPageCx, videoform::kPageCy, {}, applyEnabled);
}

int VideoModelIndex(VideoModel model) {
    return static_cast<int>(model);
}

int SerialModelIndex(VideoModel model) {
    if (model == VideoModel::Sormet)
        return 0;
    if (model == VideoModel::Ulmeth)
        return 1;
    throw std::invalid_argument("an analog video module has no serial pages");
}

namespace {
std::vector<std::string> NamesOf(std::span<const VideoFormat> formats) {
    std::vector<std::string> names;
    for (const VideoFormat& f : formats) names.emplace_back(f.name);
    return names;
}
}  // namespace

const std::vector<std::string>& SdFormatNames() {
    static const std::vector<std::string> names = NamesOf(videoformat::kSormet);
    return names;
}

const std::vector<std::string>& HdFormatNames() {
    static const std::vector<std::string> names = NamesOf(videoformat::kUlmeth);
    return names;
}

namespace videoform {

platform::DialogTemplate Page(int id) {
    return platform::DialogTemplate{
        id, "", kPageCx, kPageCy, {}, platform::WS_CHILD, kModulePageX, kModulePageY};
}

void PageBuilder::Add(platform::ControlTemplate control) {
    if (control.kind != ControlKind::RadioButton)
        control.style |= platform::WS_GROUP;
    m_page.controls.push_back(std::move(control));
}

void PageBuilder::Group(int id, const std::string& text, int x, int y, int cx, int cy) {
    Add({ControlKind::GroupBox, id, text, x, y, cx, cy});
}

void PageBuilder::Label(int id, const std::string& text, int x, int y, int cx) {
    Add({ControlKind::Static, id, text, x, y + 2, cx, kLabelHeight});
}

void PageBuilder::List(int id, int x, int y, int cx, int listHeight,
                       const std::vector<std::string>& items) {
    Add({ControlKind::ComboDropDownList, id, "", x, y, cx, listHeight,
         platform::WS_TABSTOP | platform::WS_VSCROLL, items});
}

void PageBuilder::Edit(int id, int x, int y, int cx, unsigned style) {
    Add({ControlKind::Edit, id, "", x, y, cx, kFieldHeight,
         platform::ES_AUTOHSCROLL | platform::WS_TABSTOP | style});
}

void PageBuilder::SpinEdit(int editId, int spinId, int x, int y, int cx, bool buddyInteger,
                           unsigned editStyle) {
    Edit(editId, x, y, cx, platform::ES_RIGHT | editStyle);
    unsigned spin = platform::UDS_AUTOBUDDY | platform::UDS_ALIGNRIGHT | platform::UDS_ARROWKEYS;
    if (buddyInteger)
        spin |= platform::UDS_SETBUDDYINT | platform::UDS_NOTHOUSANDS;
    // Where the up-down ends up: it takes its width out of the edit's right end.
    Add({ControlKind::UpDown, spinId, "", x + cx - 10, y, 10, kFieldHeight, spin});
}

void PageBuilder::Check(int id, const std::string& text, int x, int y, int cx) {
    Add({ControlKind::CheckBox, id, text, x, y, cx, kButtonHeight,
         platform::BS_AUTOCHECKBOX | platform::WS_TABSTOP});
}

void PageBuilder::Radios(std::initializer_list<int> ids, std::initializer_list<const char*> texts,
                         int x, int y, int cx, int dx, int dy) {
    auto text = texts.begin();
    unsigned style = platform::BS_AUTORADIOBUTTON | platform::WS_GROUP | platform::WS_TABSTOP;
    for (int id : ids) {
        Add({ControlKind::RadioButton, id, text != texts.end() ? *text++ : "", x, y, cx,
             kButtonHeight, style});
        style = platform::BS_AUTORADIOBUTTON;
        x += dx;
        y += dy;
    }
}

}  // namespace videoform
}  // namespace corvane
