// CAboutDlg: the utilities' About box (template 100): the program's icon, "<Name> Version
// <n>" and OK, captioned "About <Name>".
#pragma once

#include "platform/Dialog.h"
#include "utilities/common/UtilityTraits.h"

namespace utilities {

class CAboutDlg : public platform::CDialog {
public:
    explicit CAboutDlg(const UtilityTraits& traits, platform::CWnd* parent = nullptr);
    // Draws the program's own icon, whatever the application's icon is.
    platform::BOOL OnInitDialog() override;

private:
    UtilityTraits m_traits;
};

}  // namespace utilities
