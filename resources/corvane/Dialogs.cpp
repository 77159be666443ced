#include "resources/corvane/Resource.h"

namespace corvane {

using platform::ControlKind;
using platform::IDC_STATIC;

const platform::DialogTemplate& AboutDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_ABOUTBOX,
        "About Corvane",
        217,
        55,
        {
            {ControlKind::Icon, IDC_STATIC, "", 11, 17, 20, 20},
            {ControlKind::Static, IDC_STATIC, "Corvane Version 4.2", 40, 10, 119, 8},
            {ControlKind::Static, IDC_STATIC, "Setup application for the Quarn", 40, 25, 119, 8},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 178, 7, 32, 14, platform::WS_GROUP},
        },
        platform::DS_MODALFRAME};
    return dialog;
}

const platform::DialogTemplate& EthernetDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_ETHERNET,
        "Ethernet",
        186,
        46,
        {
            {ControlKind::Static, IDC_STATIC, "IP Address", 7, 10, 40, 8},
            {ControlKind::IpAddress, IDC_IPADDRESS, "", 50, 8, 74, 13, platform::WS_TABSTOP},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 129, 7, 50, 14,
             platform::WS_TABSTOP},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 129, 24, 50, 14,
             platform::WS_TABSTOP},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER};
    return dialog;
}

const platform::DialogTemplate& RenameDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_RENAME,
        "Rename",
        226,
        48,
        {
            {ControlKind::Static, IDC_STATIC, "Current Name", 7, 10, 56, 8},
            {ControlKind::Edit, IDC_CURRENT_NAME, "", 64, 8, 100, 13,
             platform::ES_AUTOHSCROLL | platform::ES_READONLY},
            {ControlKind::Static, IDC_STATIC, "New Name", 7, 28, 56, 8},
            {ControlKind::Edit, IDC_NEW_NAME, "", 64, 26, 100, 13,
             platform::ES_AUTOHSCROLL | platform::WS_TABSTOP},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 170, 7, 50, 14,
             platform::WS_TABSTOP},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 170, 24, 50, 14,
             platform::WS_TABSTOP},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER};
    return dialog;
}

const char* ApplicationIconPath() {
    return ":/corvane/corvane.png";
}

}  // namespace corvane
