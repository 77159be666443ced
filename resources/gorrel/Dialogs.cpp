#include "platform/Types.h"
#include "resources/gorrel/Resource.h"

namespace gorrel {

using platform::ControlKind;
using platform::IDC_STATIC;

namespace {
constexpr unsigned kTab = platform::WS_TABSTOP;
constexpr unsigned kModal = platform::DS_MODALFRAME | platform::DS_CENTER;

// One group of the mismatch dialog: rows "# 1" to "# 4" with the slot's model beside each.
void AddSlotGroup(std::vector<platform::ControlTemplate>& controls, const char* title, int x,
                  int firstId) {
    controls.push_back({ControlKind::GroupBox, IDC_STATIC, title, x, 34, 104, 70});
    for (int slot = 0; slot < 4; ++slot) {
        int y = 48 + slot * 13;
        controls.push_back(
            {ControlKind::Static, IDC_STATIC, "# " + std::to_string(slot + 1), x + 8, y, 16, 8});
        controls.push_back(
            {ControlKind::Static, firstId + slot, "", x + 28, y, 70, 8, platform::SS_NOPREFIX});
    }
}
}  // namespace

const platform::DialogTemplate& GorrelDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_GORREL_DIALOG,
        "Gorrel",
        262,
        84,
        {
            {ControlKind::GroupBox, IDC_STATIC, "IP Address", 7, 4, 190, 32},
            {ControlKind::IpAddress, IDC_IPADDRESS, "", 16, 16, 100, 13, kTab},
            {ControlKind::GroupBox, IDC_STATIC, "Restore directory", 7, 42, 190, 34},
            {ControlKind::Edit, IDC_SOURCE_PATH, "", 16, 55, 150, 13,
             platform::ES_AUTOHSCROLL | platform::ES_READONLY | kTab},
            {ControlKind::PushButton, IDC_BROWSE, "....", 170, 55, 20, 13, kTab},
            {ControlKind::DefPushButton, IDC_RESTORE, "Restore", 205, 8, 50, 14, kTab},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 205, 26, 50, 14, kTab},
        },
        kModal};
    return dialog;
}

const platform::DialogTemplate& ModuleMismatchDialogTemplate() {
    static const platform::DialogTemplate dialog = [] {
        platform::DialogTemplate d{
            IDD_MODULE_MISMATCH,
            "Gorrel",
            230,
            132,
            {
                {ControlKind::Static, IDC_STATIC,
                 "Installed modules are different from backup information.", 7, 7, 216, 8},
                {ControlKind::Static, IDC_STATIC, "Can not restore preset files.", 7, 19, 216, 8},
            },
            kModal};
        AddSlotGroup(d.controls, "Backup info.", 7, IDC_BACKUP_SLOT1);
        AddSlotGroup(d.controls, "Installed modules", 119, IDC_INSTALLED_SLOT1);
        d.controls.push_back(
            {ControlKind::DefPushButton, platform::IDOK, "OK", 90, 111, 50, 14, kTab});
        return d;
    }();
    return dialog;
}

}  // namespace gorrel
