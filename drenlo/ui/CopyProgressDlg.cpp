#include "drenlo/ui/CopyProgressDlg.h"

#include <QLabel>
#include <chrono>

#include "drenlo/ui/CopyAnimation.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
constexpr int kEstimateEvery = 15;
constexpr std::int64_t kFirstEstimateAfter = 5;

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

CCopyProgressDlg::CCopyProgressDlg(std::function<void()> cancelTransfer, int animationId)
    : CDialog(CopyProgressDialogTemplate()),
      m_cancelTransfer(std::move(cancelTransfer)),
      m_animationId(animationId == 0 ? IDR_COPY_ANIMATION : animationId) {
    OnMessage(WM_TRANSFER_PROGRESS, [this](platform::WPARAM, platform::LPARAM done) {
        UpdateRemainingTime(static_cast<std::uint64_t>(done));
        return 0;
    });
    OnMessage(WM_TRANSFER_FULL, [this](platform::WPARAM, platform::LPARAM) {
        SetProgressFull();
        return 0;
    });
    OnMessage(WM_TRANSFER_DONE, [this](platform::WPARAM changed, platform::LPARAM) {
        if (m_notifyWindow)
            m_notifyWindow->PostMessage(WM_TRANSFER_DONE, changed);
        DestroyWindow();
        return 0;
    });
}

CCopyProgressDlg::~CCopyProgressDlg() = default;

platform::BOOL CCopyProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    auto* label = qobject_cast<QLabel*>(GetDlgItem(IDC_ANIMATE));
    m_animation = label ? new platform::CAnimateCtrl(label, CopyAnimationClip()) : nullptr;
    if (!m_animation || !m_animation->Open(m_animationId))
        platform::AfxMessageBox("Error: Cannot open CAnimateCtrl", platform::MB_ICONSTOP);
    SetStep(IDC_COPY_PROGRESS, 2);
    SetPos(IDC_COPY_PROGRESS, 0);
    m_timeText.clear();
    m_callCount = 0;
    ShowTexts();
    m_startTime = CurrentClock()();
    return platform::TRUE;
}

void CCopyProgressDlg::ShowTexts() {
    SetDlgItemText(IDC_COPY_FILE, m_fileText);
    SetDlgItemText(IDC_COPY_DIRECTION, m_directionText);
    SetDlgItemText(IDC_COPY_TIME, m_timeText);
}

void CCopyProgressDlg::StartProgress(const std::string& fileText, std::uint64_t total,
                                     const std::string& directionText, int show) {
    m_fileText = fileText;
    m_directionText = directionText;
    m_step = total * 2 / 100;
    m_reached = 0;
    m_total = total;
    SetPos(IDC_COPY_PROGRESS, 0);
    EnableDlgItem(platform::IDCANCEL, true);
    if (show != 0)
        ShowWindow(true);
    m_startTime = CurrentClock()();
    m_timeText.clear();
    ShowTexts();
}

void CCopyProgressDlg::SetProgressFull() {
    SetPos(IDC_COPY_PROGRESS, 100);
}

void CCopyProgressDlg::UpdateRemainingTime(std::uint64_t done) {
    if (done > m_total)
        done = m_total;
    if (done >= m_reached + m_step) {
        StepIt(IDC_COPY_PROGRESS);
        m_reached += m_step;
    }
    if (m_callCount < kEstimateEvery) {
        ++m_callCount;
        return;
    }
    m_callCount = 0;
    const std::int64_t elapsed = CurrentClock()() - m_startTime;
    if (elapsed < kFirstEstimateAfter || done == 0)
        return;
    const std::uint64_t remaining = (m_total - done) * static_cast<std::uint64_t>(elapsed) / done;
    m_timeText = RemainingText(remaining);
    SetDlgItemText(IDC_COPY_TIME, m_timeText);
}

std::string CCopyProgressDlg::RemainingText(std::uint64_t remaining) {
    const std::uint64_t hours = remaining / 3600;
    const std::uint64_t minutes = remaining / 60 - hours * 60;
    const std::uint64_t seconds = remaining - (remaining / 60) * 60;
    const auto number = [](std::uint64_t value) { return static_cast<unsigned long long>(value); };
    if (hours >= 1)
        return platform::Format("%llu Hours Remaining", number(hours + 1));
    if (remaining / 60 == 59)
        return "1 Hour Remaining";
    if (minutes >= 1)
        return platform::Format("%llu Minutes Remaining", number(minutes + 1));
    if (seconds == 59)
        return "1 Minute Remaining";
    if (seconds == 0)
        return "1 Second Remaining";
    return platform::Format("%llu Seconds Remaining", number(seconds + 1));
}

void CCopyProgressDlg::OnCancel() {
    EnableDlgItem(platform::IDCANCEL, false);
    if (m_cancelTransfer)
        m_cancelTransfer();
}

}  // namespace drenlo
