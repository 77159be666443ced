#include "utilities/common/AboutDlg.h"

#include <QLabel>

#include "utilities/common/UtilityIcons.h"
#include "utilities/common/resources/CommonResource.h"

namespace utilities {

CAboutDlg::CAboutDlg(const UtilityTraits& traits, platform::CWnd* parent)
    : CDialog(AboutDialogTemplate(traits), parent), m_traits(traits) {}

platform::BOOL CAboutDlg::OnInitDialog() {
    const platform::BOOL result = CDialog::OnInitDialog();
    if (auto* icon = qobject_cast<QLabel*>(GetDlgItem(IDC_ABOUT_ICON))) {
        const int side = std::min(icon->width(), icon->height());
        icon->setPixmap(UtilityIcon(m_traits).pixmap(side > 0 ? side : 32));
        icon->setAlignment(Qt::AlignCenter);
    }
    return result;
}

}  // namespace utilities
