// CModuleMismatchDlg: tells the operator why a restore was refused: the modules the backup
// was taken from beside the modules installed now, slot by slot ("---" for an empty slot).
#pragma once

#include <string>

#include "platform/Dialog.h"

namespace gorrel {

class CModuleMismatchDlg : public platform::CDialog {
public:
    CModuleMismatchDlg(std::string backupText, std::string installedText,
                       platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;

private:
    std::string m_backupText;
    std::string m_installedText;
};

}  // namespace gorrel
