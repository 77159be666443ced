#include "corvane/pages/brumo/BrumoGenlockPage.h"

#include <array>
#include <initializer_list>

#include "corvane/modules/brumo/BrumoMessages.h"
#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/corvane/BrumoForms.h"

namespace corvane {

namespace {

constexpr std::array<double, 6> kCwFrames{14.985, 6.25, 15.0, 2.997, 3.0, 0.0};
constexpr int kKeepCompositeTiming = 5;

const char* const kLinesMessage = "Vertical lines must be within\n%d to %d.";
const char* const kCoarseMessage = "Horizontal coarse must be within\n%8.4f to %8.4f [usec].";
const char* const kFineMessage = "Horizontal fine must be within\n%6.2f to %6.2f [nsec].";
const char* const kNoHdSyncMessage = "Can not detect HD Sync signal.";

constexpr std::initializer_list<int> kTimingControls = {
    IDC_BRUMO_TIMING_GROUP, IDC_BRUMO_LINES_LABEL,
    IDC_BRUMO_LINES,        IDC_BRUMO_LINES_SPIN,
    IDC_BRUMO_LINES_UNIT,   IDC_BRUMO_COARSE_LABEL,
    IDC_BRUMO_COARSE,       IDC_BRUMO_COARSE_SPIN,
    IDC_BRUMO_COARSE_UNIT,  IDC_BRUMO_FINE_LABEL,
    IDC_BRUMO_FINE,         IDC_BRUMO_FINE_SPIN,
    IDC_BRUMO_FINE_UNIT,    IDC_BRUMO_LOCK_LOSS_GROUP,
    IDC_BRUMO_GO_INTERNAL,  IDC_BRUMO_STAY_CURRENT};

}  // namespace

CBrumoGenlockPage::CBrumoGenlockPage() : CTabPage(BrumoGenlockPageTemplate()) {
    OnMessage(WM_BRUMO_GENLOCK_TIMING_RELOAD,
              [this](platform::WPARAM, platform::LPARAM) { return OnTimingReload(); });
    OnMessage(WM_BRUMO_HD_REFERENCE_RELOAD,
              [this](platform::WPARAM, platform::LPARAM) { return OnHdReferenceReload(); });
}

int CBrumoGenlockPage::CwFrameIndex(double hertz) {
    for (size_t i = 0; i < kCwFrames.size(); ++i)
        if (kCwFrames[i] == hertz)
            return static_cast<int>(i);
    return kKeepCompositeTiming;
}

double CBrumoGenlockPage::CwFrameOfIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kCwFrames.size()))
        return kCwFrames[kKeepCompositeTiming];
    return kCwFrames[static_cast<size_t>(index)];
}

platform::BOOL CBrumoGenlockPage::OnInitDialog() {
    m_ready = 0;
    CTabPage::OnInitDialog();
    m_sourceIndex = m_values.source;
    m_cwIndex = CwFrameIndex(m_values.cwFrame);
    m_limits.Split(m_values.delay, m_coarse, m_fine);
    m_sent = m_values.delay;
    WriteControls();
    Enable();
    ApplyLimits();
    m_ready = 1;
    return platform::TRUE;
}

void CBrumoGenlockPage::DoDataExchange(platform::CDataExchange* dx) {
    platform::DDX_CBIndex(dx, IDC_BRUMO_SOURCE, m_sourceIndex);
    platform::DDX_CBIndex(dx, IDC_BRUMO_CW_FRAME, m_cwIndex);
    platform::DDX_Radio(dx, IDC_BRUMO_GO_INTERNAL, m_values.lockLossAction);
}

void CBrumoGenlockPage::Enable() {
    const bool external = m_values.source != genlocksource::kInternal;
    for (int id : kTimingControls) EnableDlgItem(id, external);
    const bool cw = m_values.source == genlocksource::kCw;
    EnableDlgItem(IDC_BRUMO_CW_FRAME, cw);
    EnableDlgItem(IDC_BRUMO_CW_LABEL, cw);
}

// ---- limits and fields -------------------------------------------------------------------------

void CBrumoGenlockPage::ApplyLimits() {
    // A reference without limits of its own keeps the last ones.
    BrumoGenlockLimits(m_values.source, m_values.cwFrame, m_values.hdSyncFormat, m_limits);
    const int lines = m_limits.ClampLines(m_values.lines);
    if (lines != m_values.lines) {
        m_values.lines = lines;
        SendToView(WM_BRUMO_GENLOCK_LINES, static_cast<platform::WPARAM>(lines), 0);
    }
    const double total = m_coarse + m_fine;
    const double clamped = m_limits.ClampDelay(total);
    m_limits.Split(clamped, m_coarse, m_fine);
    if (clamped != total)
        SendDelay();
    WriteTiming();
}

void CBrumoGenlockPage::WriteTiming() {
    ReadyOff off(*this);
    m_linesText = platform::Format("%d", m_values.lines);
    SetSpinRange(IDC_BRUMO_LINES_SPIN, -m_limits.lines, m_limits.lines);
    WriteSpin(IDC_BRUMO_LINES_SPIN, m_values.lines);
    WriteText(IDC_BRUMO_LINES, m_linesText);
    SetSpinRange(IDC_BRUMO_COARSE_SPIN, -m_limits.DelaySpinBound(), m_limits.DelaySpinBound());
    SetSpinRange(IDC_BRUMO_FINE_SPIN, -m_limits.FineSpinBound(), m_limits.FineSpinBound());
    WritePart(true);
    WritePart(false);
}

int CBrumoGenlockPage::PartSpin(bool coarse) {
    return coarse ? IDC_BRUMO_COARSE_SPIN : IDC_BRUMO_FINE_SPIN;
}

int CBrumoGenlockPage::PartPosition(bool coarse) const {
    return coarse ? m_limits.DelaySpinPosition(m_coarse) : m_limits.FineSpinPosition(m_fine);
}

std::string CBrumoGenlockPage::PartText(bool coarse) const {
    return coarse ? platform::Format("%8.4f", m_coarse * 1e6)
                  : platform::Format("%6.2f", m_fine * 1e9);
}

void CBrumoGenlockPage::WritePart(bool coarse) {
    WriteSpin(PartSpin(coarse), PartPosition(coarse));
    WriteText(coarse ? IDC_BRUMO_COARSE : IDC_BRUMO_FINE, PartText(coarse));
}

void CBrumoGenlockPage::SendDelay() {
    m_sent = m_coarse + m_fine;
    SendToView(WM_BRUMO_GENLOCK_DELAY, 0, reinterpret_cast<platform::LPARAM>(&m_sent));
}

void CBrumoGenlockPage::SendCwFrame() {
    SendToView(WM_BRUMO_CW_FRAME, 0, reinterpret_cast<platform::LPARAM>(&m_values.cwFrame));
}

void CBrumoGenlockPage::EchoWrite(int editId, const std::string& text, bool& flag) {
    flag = true;
    SetDlgItemText(editId, text);
    flag = false;
}

void CBrumoGenlockPage::OnPartUpdate(bool coarse) {
    const int editId = coarse ? IDC_BRUMO_COARSE : IDC_BRUMO_FINE;
    const std::string text = GetDlgItemText(editId);
    double value = 0.0;
    if (!(coarse ? m_limits.DelayFromText(text, value) : m_limits.FineFromText(text, value))) {
        const std::string message =
            coarse ? platform::Format(kCoarseMessage, -m_limits.DelayBoundMicroseconds(),
                                      m_limits.DelayBoundMicroseconds())
                   : platform::Format(kFineMessage, -m_limits.fineBound * 1e9,
                                      m_limits.fineBound * 1e9);
        platform::AfxMessageBox(message, platform::MB_OK | platform::MB_ICONEXCLAMATION);
        WritePart(coarse);
        GotoDlgCtrl(editId);
        return;
    }
    (coarse ? m_coarse : m_fine) = value;
    SendDelay();
    if (!m_setBySpin)
        WriteSpin(PartSpin(coarse), PartPosition(coarse));
}

// ---- choices ---------------------------------------------------------------------------------

void CBrumoGenlockPage::OnSourceChange() {
    const int source = GetCurSel(IDC_BRUMO_SOURCE);
    if (source < genlocksource::kInternal || source > genlocksource::kCw)
        return;
    m_sourceIndex = source;
    m_values.source = source;
    if (source == genlocksource::kCw) {
        m_cwIndex = 0;
        m_values.cwFrame = CwFrameOfIndex(0);
        ReadyOff off(*this);
        SetCurSel(IDC_BRUMO_CW_FRAME, m_cwIndex);
        SendCwFrame();
    }
    Enable();
    {
        ReadyOff off(*this);
        ApplyLimits();
    }
    SendToView(WM_BRUMO_SOURCE, static_cast<platform::WPARAM>(source), 0);
}

void CBrumoGenlockPage::OnCwFrameChange() {
    const int index = GetCurSel(IDC_BRUMO_CW_FRAME);
    if (index < 0)
        return;
    m_cwIndex = index;
    m_values.cwFrame = CwFrameOfIndex(index);
    {
        ReadyOff off(*this);
        ApplyLimits();
    }
    SendCwFrame();
}

platform::LRESULT CBrumoGenlockPage::OnTimingReload() {
    LiveTiming timing;
    if (SendToView(WM_BRUMO_GENLOCK_TIMING_QUERY, 0, reinterpret_cast<platform::LPARAM>(&timing)) ==
        0)
        return 0;
    ReadyOff off(*this);
    m_values.lines = timing.lines;
    m_limits.Split(timing.delay, m_coarse, m_fine);
    ApplyLimits();
    return 0;
}

platform::LRESULT CBrumoGenlockPage::OnHdReferenceReload() {
    int code = genlocksource::kNoHdSync;
    // A failed detection says nothing about the reference: the limits stay.
    if (SendToView(WM_BRUMO_HD_REFERENCE_QUERY, reinterpret_cast<platform::WPARAM>(&code), 0) == 0)
        return 0;
    m_values.hdSyncFormat = code;
    if (code == genlocksource::kNoHdSync)
        platform::AfxMessageBox(kNoHdSyncMessage, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    ReadyOff off(*this);
    ApplyLimits();
    return 0;
}

// ---- notifications -----------------------------------------------------------------------------

platform::BOOL CBrumoGenlockPage::OnCommand(int id, int code) {
    const bool ready = IsReady();
    if (code == platform::CBN_SELCHANGE && (id == IDC_BRUMO_SOURCE || id == IDC_BRUMO_CW_FRAME)) {
        if (ready) {
            if (id == IDC_BRUMO_SOURCE)
                OnSourceChange();
            else
                OnCwFrameChange();
        }
        return platform::TRUE;
    }
    if (code == platform::BN_CLICKED &&
        (id == IDC_BRUMO_GO_INTERNAL || id == IDC_BRUMO_STAY_CURRENT)) {
        if (ready) {
            m_values.lockLossAction = id == IDC_BRUMO_STAY_CURRENT ? 1 : 0;
            SendToView(WM_BRUMO_LOCK_LOSS, static_cast<platform::WPARAM>(m_values.lockLossAction),
                       0);
        }
        return platform::TRUE;
    }
    if (id == IDC_BRUMO_LINES) {
        if (code == platform::EN_UPDATE)
            OnIntegerFieldUpdate(
                IDC_BRUMO_LINES, IDC_BRUMO_LINES_SPIN, -m_limits.lines, m_limits.lines,
                kLinesMessage, m_linesText, m_values.lines, [this](int lines) {
                    SendToView(WM_BRUMO_GENLOCK_LINES, static_cast<platform::WPARAM>(lines), 0);
                });
        else if (code == platform::EN_KILLFOCUS && ready)
            RewriteIntegerField(IDC_BRUMO_LINES, &m_linesText);
        return platform::TRUE;
    }
    if (id == IDC_BRUMO_COARSE || id == IDC_BRUMO_FINE) {
        const bool coarse = id == IDC_BRUMO_COARSE;
        if (code == platform::EN_UPDATE && ready) {
            OnPartUpdate(coarse);
        } else if (code == platform::EN_KILLFOCUS && ready) {
            // The stored value in its canonical form, neither taken again nor sent: a value
            // clamped to a bound off the grid would not pass the check its own text goes
            // through, and leaving the field must not refuse what the page holds.
            WritePart(coarse);
        }
        return platform::TRUE;
    }
    return CTabPage::OnCommand(id, code);
}

void CBrumoGenlockPage::OnVScroll(int code, int pos, int id) {
    if (!IsReady() || code == platform::SB_ENDSCROLL)
        return;
    // The spins count steps; their text write is what sends, as typing does.
    if (id == IDC_BRUMO_COARSE_SPIN)
        EchoWrite(IDC_BRUMO_COARSE, platform::Format("%8.4f", pos * m_limits.StepMicroseconds()),
                  m_setBySpin);
    else if (id == IDC_BRUMO_FINE_SPIN)
        EchoWrite(IDC_BRUMO_FINE, platform::Format("%6.2f", pos * 0.1), m_setBySpin);
}

}  // namespace corvane
