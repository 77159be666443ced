#include "resources/corvane/ModuleForms.h"

#include <algorithm>
#include <utility>

#include "platform/StringTable.h"

namespace corvane {

using platform::ControlKind;

namespace {

constexpr int kMargin = 7;
// The tab control takes the pages' size plus its frame and its row of tabs.
constexpr int kTabFrameCx = 8;
constexpr int kTabFrameCy = 20;
constexpr int kButtonCx = 50;
constexpr int kButtonCy = 14;
constexpr int kButtonGap = 4;

}  // namespace

platform::DialogTemplate ModuleForm(int id, int pageCx, int pageCy,
                                    std::vector<platform::ControlTemplate> controls,
                                    bool applyEnabled) {
    constexpr unsigned kTab = platform::WS_TABSTOP;
    const int tabCx = pageCx + kTabFrameCx;
    const int tabCy = pageCy + kTabFrameCy;
    controls.insert(controls.begin(), {ControlKind::Tab, IDC_MODULE_TAB, "", kModuleTabX,
                                       kModuleTabY, tabCx, tabCy, kTab});
    // A list's height is that of its open list, which the form need not hold; its width counts.
    int right = 0;
    for (const platform::ControlTemplate& c : controls) right = std::max(right, c.x + c.cx);
    const int formCx = right + kMargin;
    const int buttonY = kModuleTabY + tabCy + kMargin;
    int x = formCx - kMargin - 3 * kButtonCx - 2 * kButtonGap;
    const auto button = [&](ControlKind kind, int buttonId, const char* text, unsigned style) {
        controls.push_back({kind, buttonId, text, x, buttonY, kButtonCx, kButtonCy, style});
        x += kButtonCx + kButtonGap;
    };
    button(ControlKind::DefPushButton, IDC_MODULE_OK, "OK", kTab);
    button(ControlKind::PushButton, IDC_MODULE_CANCEL, "Cancel", kTab);
    button(ControlKind::PushButton, IDC_MODULE_APPLY, "Apply",
           kTab | (applyEnabled ? 0u : platform::WS_DISABLED));
    return platform::DialogTemplate{
        id, "", formCx, buttonY + kButtonCy + kMargin, std::move(controls), platform::WS_CHILD};
}

void RegisterModuleStrings() {
    static const bool registered = [] {
        platform::RegisterStrings({
            {IDS_INSUFFICIENT_MEMORY, "Insufficient memory!\nCan not continue."},
            {IDS_APPLY_TAVIX, "Apply changes to Tavix?"},
            {IDS_APPLY_BRUMO, "Apply changes to Brumo?"},
            {IDS_APPLY_KINTOR, "Apply changes to Kintor?"},
            {IDS_APPLY_SORMET, "Apply changes to Sormet?"},
            {IDS_APPLY_ULMETH, "Apply changes to Ulmeth?"},
            {IDS_APPLY_PIRVO, "Apply changes to Pirvo?"},
            {IDS_APPLY_OLTRA, "Apply changes to Oltra?"},
            {IDS_APPLY_YARLO, "Apply changes to Yarlo?"},
        });
        return true;
    }();
    (void)registered;
}

}  // namespace corvane
