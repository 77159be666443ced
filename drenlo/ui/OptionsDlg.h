// COptionsDlg: the editor that opens sequence files. The choice lasts until the program ends;
// it is never stored.
#pragma once

#include <string>

#include "platform/Dialog.h"

namespace drenlo {

class COptionsDlg : public platform::CDialog {
public:
    explicit COptionsDlg(const std::string& editorPath, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    void OnOK() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnBrowseEditor();

    const std::string& GetEditorPath() const { return m_editorPath; }

private:
    std::string m_editorPath;
};

}  // namespace drenlo
