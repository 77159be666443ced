// CAboutDlg: the program's name and product version.
#pragma once

#include "platform/Dialog.h"

namespace drenlo {

class CAboutDlg : public platform::CDialog {
public:
    explicit CAboutDlg(platform::CWnd* parent = nullptr);
    platform::BOOL OnInitDialog() override;
};

}  // namespace drenlo
