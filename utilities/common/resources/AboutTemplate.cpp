#include "platform/Types.h"
#include "utilities/common/resources/CommonResource.h"

namespace utilities {

platform::DialogTemplate AboutDialogTemplate(const UtilityTraits& traits) {
    using platform::ControlKind;
    return {
        IDD_ABOUTBOX,
        traits.AboutCaption(),
        170,
        62,
        {
            // Empty text: the application's icon, which the skeleton sets to the
            // program's own.
            {ControlKind::Icon, IDC_ABOUT_ICON, "", 11, 17, 20, 20},
            {ControlKind::Static, IDC_ABOUT_VERSION, traits.VersionText(), 40, 10, 119, 8,
             platform::SS_NOPREFIX},
            {ControlKind::Static, platform::IDC_STATIC, "Copyright (C) Harnoq", 40, 25, 119, 8,
             platform::SS_NOPREFIX},
            {ControlKind::DefPushButton, platform::IDOK, "OK", 113, 41, 50, 14, platform::WS_GROUP},
        },
        platform::DS_MODALFRAME | platform::DS_CENTER};
}

}  // namespace utilities
