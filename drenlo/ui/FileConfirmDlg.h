// CFileConfirmDlg: asks whether one PC file of a PC-to-instrument job goes on. The job sets
// the text (the file) before showing it; OK lets the file go, Cancel drops it. The per-type
// dialogs differ only in template (and, for sequences, an Edit button: CSequenceFileDlg).
#pragma once

#include <string>

#include "platform/Dialog.h"

namespace drenlo {

class CFileConfirmDlg : public platform::CDialog {
public:
    CFileConfirmDlg(int templateId, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;
    // At most kMaxText characters are kept, as the template's field holds.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_text; }

    static constexpr size_t kMaxText = 256;

protected:
    int TextControlId() const;

private:
    std::string m_text;
};

class CLogoFileDlg : public CFileConfirmDlg {
public:
    explicit CLogoFileDlg(platform::CWnd* parent = nullptr);
};
class CPictureFileDlg : public CFileConfirmDlg {
public:
    explicit CPictureFileDlg(platform::CWnd* parent = nullptr);
};
class CPresetFileDlg : public CFileConfirmDlg {
public:
    explicit CPresetFileDlg(platform::CWnd* parent = nullptr);
};
class CSignalFileDlg : public CFileConfirmDlg {
public:
    explicit CSignalFileDlg(platform::CWnd* parent = nullptr);
};
class CDownloadFileDlg : public CFileConfirmDlg {
public:
    explicit CDownloadFileDlg(platform::CWnd* parent = nullptr);
};

}  // namespace drenlo
