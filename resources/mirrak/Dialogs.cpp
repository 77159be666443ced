#include "platform/Types.h"
#include "resources/mirrak/Resource.h"

namespace mirrak {

using platform::ControlKind;
using platform::IDC_STATIC;

const platform::DialogTemplate& MirrakDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_MIRRAK_DIALOG,
        kCaption,
        186,
        82,
        {
            {ControlKind::GroupBox, IDC_STATIC, "Source IP addr.", 7, 5, 114, 32},
            {ControlKind::IpAddress, IDC_SOURCE_IP, "", 15, 17, 98, 13, platform::WS_TABSTOP},
            {ControlKind::GroupBox, IDC_STATIC, "Target IP addr.", 7, 43, 114, 32},
            {ControlKind::IpAddress, IDC_TARGET_IP, "", 15, 55, 98, 13, platform::WS_TABSTOP},
            {ControlKind::DefPushButton, IDC_COPY, "Copy", 129, 9, 50, 14, platform::WS_TABSTOP},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 129, 27, 50, 14,
             platform::WS_TABSTOP},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER | platform::WS_VISIBLE};
    return dialog;
}

const platform::DialogTemplate& CopyProgressDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_COPY_PROGRESS,
        kProgressCaption,
        246,
        100,
        {
            {ControlKind::Animation, IDC_ANIMATE, "", 7, 5, 232, 32},
            {ControlKind::Static, IDC_COPY_FILE, "", 7, 42, 232, 8, platform::SS_NOPREFIX},
            {ControlKind::Static, IDC_COPY_PATH, "", 7, 53, 232, 8, platform::SS_NOPREFIX},
            {ControlKind::Progress, IDC_COPY_PROGRESS, "", 7, 65, 232, 10, platform::WS_BORDER},
            {ControlKind::Static, IDC_COPY_TIME, "", 7, 82, 170, 8, platform::SS_NOPREFIX},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 189, 79, 50, 14,
             platform::WS_TABSTOP},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER};
    return dialog;
}

}  // namespace mirrak
