// CRenameDlg: asks for a preset's new name.
//
// The name travels inside a quoted argument of a single-byte command, so the dialog refuses
// the quote characters and drops bytes outside ASCII; the input method is off for the field.
#pragma once

#include <string>

#include "platform/Dialog.h"

namespace corvane {

class CRenameDlg : public platform::CDialog {
public:
    CRenameDlg(platform::CWnd* parent, std::string currentName);
    platform::BOOL OnInitDialog() override;
    void OnOK() override;

    static constexpr int kMaxNameLength = 32;
    std::string m_currentName;
    std::string m_newName;  // after OK: the name to send
};

// The new name as it may be sent: false (and no name) when it holds '"' or '\'';
// otherwise control characters and bytes of 0x80 and above are left out.
bool CleanPresetName(const std::string& typed, std::string& name);

}  // namespace corvane
