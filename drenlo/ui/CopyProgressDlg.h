// CCopyProgressDlg: one file of a transfer job: animation, file, direction, a bar in steps of
// 2 % and an estimate of the time left, with Cancel.
//
// The worker thread reports by posting WM_TRANSFER_PROGRESS and WM_TRANSFER_FULL to the
// dialog (TransferEvents.h), so the controls are touched on the user-interface thread alone,
// and a post that arrives after the dialog is gone is dropped. Cancel (the button, Escape or the
// close box) does not close the dialog: it disables the button and calls the job's cancel function,
// which sets the cancel flag before it wakes the worker's socket, so the worker never takes
// the operator's own Cancel for a socket error. The job's end (WM_TRANSFER_DONE) closes it.
//
// The estimate follows elapsed seconds on a steady clock, so a change of the wall clock does
// not make it jump; bytes done beyond the total count as the total.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "drenlo/transfer/TransferEvents.h"
#include "platform/Dialog.h"

namespace platform {
class CAnimateCtrl;
}

namespace drenlo {

class CCopyProgressDlg : public platform::CDialog, public ICopyProgress {
public:
    explicit CCopyProgressDlg(std::function<void()> cancelTransfer, int animationId = 0);
    ~CCopyProgressDlg() override;

    platform::BOOL OnInitDialog() override;
    void OnCancel() override;

    platform::CWnd* GetProgressWindow() override { return this; }
    // Shows the dialog when `show` is nonzero; re-enables Cancel.
    void StartProgress(const std::string& fileText, std::uint64_t total,
                       const std::string& directionText, int show) override;
    // The window that gets WM_TRANSFER_DONE when the job ends (the list view).
    void SetNotifyWindow(platform::CWnd* window) { m_notifyWindow = window; }

    // The handlers of WM_TRANSFER_PROGRESS and WM_TRANSFER_FULL.
    void UpdateRemainingTime(std::uint64_t done);
    void SetProgressFull();

    // The time-left text for an estimate in seconds.
    static std::string RemainingText(std::uint64_t remaining);
    // Seconds on a steady clock; tests replace it.
    using Clock = std::function<std::int64_t()>;
    static Clock SetClock(Clock clock);

    const std::string& GetTimeText() const { return m_timeText; }

private:
    void ShowTexts();

    std::function<void()> m_cancelTransfer;
    int m_animationId;
    platform::CAnimateCtrl* m_animation = nullptr;
    platform::CWnd* m_notifyWindow = nullptr;
    std::string m_fileText;
    std::string m_directionText;
    std::string m_timeText;
    std::uint64_t m_total = 0;
    std::uint64_t m_step = 0;
    std::uint64_t m_reached = 0;
    std::int64_t m_startTime = 0;
    int m_callCount = 0;
};

}  // namespace drenlo
