// CCopyProgressDlg: Mirrak's progress dialog (template 131): the animation, the file and path
// texts, a percentage bar and the time left, with Cancel.
//
// It lives only while a copy runs; the main dialog creates it hidden and drives it from the
// worker's messages. Cancel (the button, Escape or the close box) does not close it: it
// disables the button and tells the main dialog (WM_DUP_CANCEL), and the copy's end closes it.
//
// The estimate follows whole seconds on a steady clock that tests replace; it appears only
// after three minutes (ProgressArithmetic.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Dialog.h"

namespace platform {
class CAnimateCtrl;
}

namespace mirrak {

class CCopyProgressDlg : public platform::CDialog {
public:
    // mainDialog receives WM_DUP_CANCEL.
    explicit CCopyProgressDlg(platform::CWnd* mainDialog, int animationId = 0);
    ~CCopyProgressDlg() override;

    platform::BOOL OnInitDialog() override;
    void OnCancel() override;
    // The dialog has no OK: Enter (with the focus off Cancel) would otherwise hide it for the
    // rest of the copy, and its Cancel with it.
    void OnOK() override {}

    void StartProgress(std::int64_t total);
    void UpdateRemainingTime(std::int64_t done);
    void SetFileText(const std::string& text) { SetDlgItemText(1009, text); }
    void SetPathText(const std::string& text) { SetDlgItemText(1010, text); }

    const std::string& TimeText() const { return m_timeText; }

    using Clock = std::function<std::int64_t()>;
    // Seconds on a steady clock; an empty clock brings back the real one. Returns the old.
    static Clock SetClock(Clock clock);

private:
    platform::CWnd* m_mainDialog;
    int m_animationId;
    platform::CAnimateCtrl* m_animation = nullptr;
    std::int64_t m_total = 0;
    std::int64_t m_startTime = 0;
    std::string m_timeText;
};

}  // namespace mirrak
