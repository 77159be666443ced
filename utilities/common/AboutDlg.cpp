#include "utilities/common/AboutDlg.h"

#include "utilities/common/resources/CommonResource.h"

namespace utilities {

CAboutDlg::CAboutDlg(const UtilityTraits& traits, platform::CWnd* parent)
    : CDialog(AboutDialogTemplate(traits), parent) {}

}  // namespace utilities
