#include "platform/Types.h"
#include "resources/stowen/Resource.h"

namespace stowen {

using platform::ControlKind;
using platform::IDC_STATIC;

const platform::DialogTemplate& StowenDialogTemplate() {
    constexpr unsigned kTab = platform::WS_TABSTOP;
    static const platform::DialogTemplate dialog{
        IDD_STOWEN_DIALOG,
        "Stowen",
        262,
        84,
        {
            {ControlKind::GroupBox, IDC_STATIC, "IP Address", 7, 4, 190, 32},
            {ControlKind::IpAddress, IDC_IPADDRESS, "", 16, 16, 100, 13, kTab},
            {ControlKind::GroupBox, IDC_STATIC, "Save directory", 7, 42, 190, 34},
            {ControlKind::Edit, IDC_SOURCE_PATH, "", 16, 55, 150, 13,
             platform::ES_AUTOHSCROLL | platform::ES_READONLY | kTab},
            {ControlKind::PushButton, IDC_BROWSE, "....", 170, 55, 20, 13, kTab},
            {ControlKind::DefPushButton, IDC_BACKUP, "Backup", 205, 8, 50, 14, kTab},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 205, 26, 50, 14, kTab},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER};
    return dialog;
}

}  // namespace stowen
