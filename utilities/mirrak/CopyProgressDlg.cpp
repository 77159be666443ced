#include "utilities/mirrak/CopyProgressDlg.h"

#include <QLabel>
#include <chrono>

#include "platform/MessageBox.h"
#include "resources/mirrak/Resource.h"
#include "utilities/mirrak/CopyAnimation.h"
#include "utilities/mirrak/DuplicationRunner.h"
#include "utilities/mirrak/ProgressArithmetic.h"

namespace mirrak {

namespace {

std::int64_t SteadySeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CCopyProgressDlg::Clock& CurrentClock() {
    static CCopyProgressDlg::Clock clock = SteadySeconds;
    return clock;
}

}  // namespace

CCopyProgressDlg::Clock CCopyProgressDlg::SetClock(Clock clock) {
    Clock previous = CurrentClock();
    CurrentClock() = clock ? std::move(clock) : Clock(SteadySeconds);
    return previous;
}

CCopyProgressDlg::CCopyProgressDlg(platform::CWnd* mainDialog, int animationId)
    : CDialog(CopyProgressDialogTemplate(), mainDialog),
      m_mainDialog(mainDialog),
      m_animationId(animationId == 0 ? IDR_COPY_ANIMATION : animationId) {}

CCopyProgressDlg::~CCopyProgressDlg() = default;

platform::BOOL CCopyProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    auto* label = qobject_cast<QLabel*>(GetDlgItem(IDC_ANIMATE));
    m_animation =
        label != nullptr ? new platform::CAnimateCtrl(label, CopyAnimationClip()) : nullptr;
    if (m_animation == nullptr || !m_animation->Open(m_animationId)) {
        platform::MessageBeep(platform::MB_ICONHAND);
        platform::MessageBox(this, kAnimationErrorText, kCaption,
                             platform::MB_OK | platform::MB_ICONSTOP);
    }
    SetRange32(IDC_COPY_PROGRESS, 0, 100);
    SetStep(IDC_COPY_PROGRESS, 1);
    SetPos(IDC_COPY_PROGRESS, 0);
    SetDlgItemText(IDC_COPY_FILE, "");
    SetDlgItemText(IDC_COPY_PATH, "");
    SetDlgItemText(IDC_COPY_TIME, "");
    return platform::TRUE;
}

void CCopyProgressDlg::StartProgress(std::int64_t total) {
    SetPos(IDC_COPY_PROGRESS, 0);
    m_startTime = CurrentClock()();
    m_total = total;
    m_timeText.clear();
    SetDlgItemText(IDC_COPY_TIME, m_timeText);
}

void CCopyProgressDlg::UpdateRemainingTime(std::int64_t done) {
    SetPos(IDC_COPY_PROGRESS,
           ProgressPercent(static_cast<double>(m_total), static_cast<double>(done)));
    std::int64_t remaining = 0;
    if (!RemainingSeconds(static_cast<double>(m_total), static_cast<double>(done),
                          CurrentClock()() - m_startTime, remaining))
        return;
    m_timeText = RemainingTimeText(remaining);
    SetDlgItemText(IDC_COPY_TIME, m_timeText);
}

void CCopyProgressDlg::OnCancel() {
    EnableDlgItem(platform::IDCANCEL, false);
    if (m_mainDialog != nullptr)
        m_mainDialog->SendMessage(WM_DUP_CANCEL);
}

}  // namespace mirrak
