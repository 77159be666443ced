#include "platform/Types.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

using platform::ControlKind;
using platform::IDC_STATIC;

namespace {
constexpr unsigned kModal = platform::DS_MODALFRAME | platform::DS_CENTER;
constexpr unsigned kReadOnly = platform::ES_AUTOHSCROLL | platform::ES_READONLY;

platform::DialogTemplate FileConfirm(int id, const char* caption, int editId, bool editButton) {
    platform::DialogTemplate dialog{id,
                                    caption,
                                    240,
                                    48,
                                    {
                                        {ControlKind::Static, IDC_STATIC, "File:", 7, 11, 20, 8},
                                        {ControlKind::Edit, editId, "", 30, 9, 146, 13, kReadOnly},
                                        {ControlKind::DefPushButton, platform::IDOK, "OK", 183, 7,
                                         50, 14, platform::WS_TABSTOP},
                                        {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 183,
                                         25, 50, 14, platform::WS_TABSTOP},
                                    },
                                    kModal};
    if (editButton)
        dialog.controls.push_back({ControlKind::PushButton, IDC_EDIT_SEQUENCE, "Edit", 126, 27, 50,
                                   14, platform::WS_TABSTOP});
    return dialog;
}
}  // namespace

const platform::DialogTemplate& AboutDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_ABOUTBOX,
        "About Drenlo",
        200,
        56,
        {
            {ControlKind::Icon, IDC_STATIC, "", 11, 14, 20, 20},
            {ControlKind::Static, IDC_STATIC, "Drenlo", 40, 10, 100, 8},
            {ControlKind::Edit, IDC_VERSION, "", 40, 24, 100, 13, kReadOnly},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 150, 7, 43, 14, platform::WS_GROUP},
        },
        kModal};
    return dialog;
}

const platform::DialogTemplate& EthernetDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_ETHERNET,
        "Ethernet",
        190,
        56,
        {
            {ControlKind::GroupBox, IDC_STATIC, "Target Device", 7, 4, 118, 44},
            {ControlKind::Static, IDC_STATIC, "IP Address", 14, 24, 38, 8},
            {ControlKind::IpAddress, IDC_IPADDRESS, "", 54, 22, 66, 13, platform::WS_TABSTOP},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 133, 7, 50, 14,
             platform::WS_TABSTOP},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 133, 25, 50, 14,
             platform::WS_TABSTOP},
        },
        kModal};
    return dialog;
}

const platform::DialogTemplate& OptionsDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_OPTIONS,
        "Set Options",
        260,
        56,
        {
            {ControlKind::GroupBox, IDC_STATIC, "Options", 7, 4, 188, 44},
            {ControlKind::Static, IDC_STATIC, "Editor:", 14, 24, 26, 8},
            {ControlKind::Edit, IDC_EDITOR_PATH, "", 42, 22, 126, 13,
             platform::ES_AUTOHSCROLL | platform::WS_TABSTOP},
            {ControlKind::PushButton, IDC_BROWSE_EDITOR, "....", 171, 22, 18, 13,
             platform::WS_TABSTOP},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 203, 7, 50, 14,
             platform::WS_TABSTOP},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 203, 25, 50, 14,
             platform::WS_TABSTOP},
        },
        kModal};
    return dialog;
}

const platform::DialogTemplate& QuarnErrorDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_QUARN_ERROR,
        "Quarn Error",
        250,
        110,
        {
            {ControlKind::GroupBox, IDC_STATIC, "Error List", 7, 4, 178, 99},
            {ControlKind::ListBox, IDC_ERROR_LIST, "", 14, 16, 164, 82,
             platform::WS_VSCROLL | platform::WS_TABSTOP},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 193, 7, 50, 14,
             platform::WS_TABSTOP},
        },
        kModal};
    return dialog;
}

const platform::DialogTemplate& CopyProgressDialogTemplate() {
    static const platform::DialogTemplate dialog{
        IDD_COPY_PROGRESS,
        "Copying...",
        260,
        104,
        {
            {ControlKind::Animation, IDC_ANIMATE, "", 7, 4, 246, 30},
            {ControlKind::Static, IDC_COPY_FILE, "Filename", 7, 38, 246, 8, platform::SS_NOPREFIX},
            {ControlKind::Static, IDC_COPY_DIRECTION, "from Quarn to PC", 7, 49, 246, 8,
             platform::SS_NOPREFIX},
            {ControlKind::Progress, IDC_COPY_PROGRESS, "", 7, 62, 246, 10},
            {ControlKind::Static, IDC_COPY_TIME, "", 7, 78, 180, 8},
            {ControlKind::PushButton, platform::IDCANCEL, "Cancel", 203, 83, 50, 14,
             platform::WS_TABSTOP},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER};
    return dialog;
}

const platform::DialogTemplate& FileConfirmDialogTemplate(int id) {
    static const platform::DialogTemplate preset =
        FileConfirm(IDD_PRESET_FILE, "Preset file", IDC_PRESET_NAME, false);
    static const platform::DialogTemplate sequence =
        FileConfirm(IDD_SEQUENCE_FILE, "Sequence file", IDC_FILE_NAME, true);
    static const platform::DialogTemplate logo =
        FileConfirm(IDD_LOGO_FILE, "Logo File", IDC_FILE_NAME, false);
    static const platform::DialogTemplate download =
        FileConfirm(IDD_DOWNLOAD_FILE, "Download File", IDC_FILE_NAME, false);
    static const platform::DialogTemplate picture =
        FileConfirm(IDD_PICTURE_FILE, "Picture File", IDC_FILE_NAME, false);
    static const platform::DialogTemplate signal =
        FileConfirm(IDD_SIGNAL_FILE, "Signal File", IDC_FILE_NAME, false);
    switch (id) {
        case IDD_SEQUENCE_FILE:
            return sequence;
        case IDD_LOGO_FILE:
            return logo;
        case IDD_DOWNLOAD_FILE:
            return download;
        case IDD_PICTURE_FILE:
            return picture;
        case IDD_SIGNAL_FILE:
            return signal;
        default:
            return preset;
    }
}

}  // namespace drenlo
