#include "corvane/pages/black/SerialBlackPage.h"

#include <algorithm>
#include <cmath>

#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/corvane/SerialBlackPageForms.h"

namespace corvane {

namespace {
const char* const kLinesMessage = "Vertical lines must be within\n%d to %d.";
const char* const kDelayMessage = "Horizontal delay must be within\n%8.4f to %8.4f [usec].";
const char* const kDelayFormat = "%8.4f";
constexpr double kMicro = 1e-6;
}  // namespace

CSerialBlackPage::CSerialBlackPage(const SerialBlackTable& table)
    : CTabPage(table.pageTemplate), m_table(table) {
    OnMessage(m_table.messages.timingReload,
              [this](platform::WPARAM, platform::LPARAM) { return ReloadTiming(); });
}

platform::BOOL CSerialBlackPage::OnInitDialog() {
    m_ready = 0;
    if (m_values.firmwareVersion >= kFirmwareWithMoreBlack) {
        for (const std::string& signal : LaterBlackSignals()) AddString(IDC_BLACK_SIGNAL, signal);
        for (const std::string& format : m_table.laterFormats) AddString(m_table.formatId, format);
    }
    m_edhRadio = m_values.edh == 1 ? 0 : 1;
    m_bitsRadio = m_values.bits == 8 ? 0 : 1;
    m_linesText = platform::Format("%d", m_values.lines);
    platform::CDialog::OnInitDialog();
    SetFormatLimits();
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CSerialBlackPage::DoDataExchange(platform::CDataExchange* dx) {
    platform::DDX_Text(dx, IDC_BLACK_LINES, m_linesText);
    platform::DDX_Text(dx, IDC_BLACK_DELAY, m_delayText);
    if (m_table.edhAndBits) {
        platform::DDX_Radio(dx, IDC_BLACK_EDH_ON, m_edhRadio);
        platform::DDX_Radio(dx, IDC_BLACK_BITS8, m_bitsRadio);
    }
    if (!dx->m_bSaveAndValidate)
        ShowLists();
}

void CSerialBlackPage::ShowLists() {
    // A value the list does not hold (a format or signal of later firmware) shows no entry.
    const auto select = [this](int id, int index) {
        SetCurSel(id, index >= 0 && index < GetCount(id) ? index : -1);
    };
    select(m_table.formatId, m_values.format);
    select(IDC_BLACK_SIGNAL, m_values.signal);
}

platform::BOOL CSerialBlackPage::OnCommand(int id, int code) {
    const bool clicked = code == platform::BN_CLICKED && IsReady();
    if (id == m_table.formatId) {
        if (code == platform::CBN_SELCHANGE && IsReady())
            FormatChosen();
    } else if (id == IDC_BLACK_SIGNAL) {
        if (code == platform::CBN_SELCHANGE && IsReady())
            SignalChosen();
    } else if (id == IDC_BLACK_LINES) {
        if (code == platform::EN_UPDATE)
            LinesUpdated();
        else if (code == platform::EN_KILLFOCUS)
            RewriteIntegerField(IDC_BLACK_LINES, &m_linesText);
    } else if (id == IDC_BLACK_DELAY) {
        if (code == platform::EN_UPDATE)
            DelayUpdated();
        else if (code == platform::EN_KILLFOCUS)
            RewriteDelay();
    } else if (m_table.edhAndBits && (id == IDC_BLACK_EDH_ON || id == IDC_BLACK_EDH_OFF)) {
        if (clicked) {
            m_edhRadio = id == IDC_BLACK_EDH_ON ? 0 : 1;
            m_values.edh = m_edhRadio == 0 ? 1 : 0;
            SendToView(m_table.messages.edh, 0, m_values.edh);
            WriteControls();
        }
    } else if (m_table.edhAndBits && (id == IDC_BLACK_BITS8 || id == IDC_BLACK_BITS10)) {
        if (clicked) {
            m_bitsRadio = id == IDC_BLACK_BITS8 ? 0 : 1;
            m_values.bits = m_bitsRadio == 0 ? 8 : 10;
            SendToView(m_table.messages.bits, 0, m_values.bits);
            WriteControls();
        }
    } else {
        return CTabPage::OnCommand(id, code);
    }
    return platform::TRUE;
}

void CSerialBlackPage::FormatChosen() {
    // The choice stays a candidate until it is accepted, so that a refusal goes back to the
    // format the page last accepted.
    const int candidate = GetCurSel(m_table.formatId);
    if (candidate < 0)
        return;
    const std::string question = m_table.question(m_values, candidate);
    if (!question.empty() &&
        platform::AfxMessageBox(question, platform::MB_YESNO | platform::MB_ICONEXCLAMATION) !=
            platform::IDYES) {
        ShowLists();
        return;
    }
    m_values.format = candidate;
    SendToView(m_table.messages.format, 0, candidate);
    SetFormatLimits();
    WriteControls();
}

void CSerialBlackPage::SignalChosen() {
    const int signal = GetCurSel(IDC_BLACK_SIGNAL);
    if (signal < 0)
        return;
    m_values.signal = signal;
    SendToView(m_table.messages.signal, 0, signal);
    WriteControls();
}

int CSerialBlackPage::DelaySteps(double seconds) const {
    // A limit that is a whole number of steps must count as that number, not one less for the
    // last bit of the division.
    const double steps = seconds / m_limits.step;
    const double nearest = std::round(steps);
    return platform::DoubleToIntSaturated(std::fabs(steps - nearest) < 1e-6 ? nearest : steps);
}

void CSerialBlackPage::SendDelay() {
    SendToView(m_table.messages.delay, 0, reinterpret_cast<platform::LPARAM>(&m_values.delay));
}

void CSerialBlackPage::SetFormatLimits() {
    m_limits = m_table.limits(m_values.format);
    const int lines = Clamp(m_values.lines, m_limits.lowerLines, m_limits.upperLines);
    if (lines != m_values.lines) {
        m_values.lines = lines;
        SendToView(m_table.messages.lines, 0, lines);
    }
    if (!std::isfinite(m_values.delay))
        m_values.delay = 0.0;
    const double delay = std::clamp(m_values.delay, -m_limits.upperDelay, m_limits.upperDelay);
    if (delay != m_values.delay) {
        m_values.delay = delay;
        SendDelay();
    }
    const int steps = DelaySteps(m_limits.upperDelay);
    SetSpinRange(IDC_BLACK_LINES_SPIN, m_limits.lowerLines, m_limits.upperLines);
    WriteSpin(IDC_BLACK_LINES_SPIN, m_values.lines);
    m_linesText = platform::Format("%d", m_values.lines);
    SetSpinRange(IDC_BLACK_DELAY_SPIN, -steps, steps);
    RewriteDelay();
}

CTabPage::StepField CSerialBlackPage::DelayField() const {
    const double step = m_limits.step / kMicro;
    const double bound = DelaySteps(m_limits.upperDelay) * step;
    return {IDC_BLACK_DELAY, IDC_BLACK_DELAY_SPIN, -bound, bound, step,
            kDelayFormat,    kDelayMessage,        kMicro};
}

void CSerialBlackPage::LinesUpdated() {
    OnIntegerFieldUpdate(IDC_BLACK_LINES, IDC_BLACK_LINES_SPIN, m_limits.lowerLines,
                         m_limits.upperLines, kLinesMessage, m_linesText, m_values.lines,
                         [this](int lines) { SendToView(m_table.messages.lines, 0, lines); });
}

void CSerialBlackPage::DelayUpdated() {
    CheckStepField(DelayField(), m_delayText, m_values.delay,
                   [this](const double&) { SendDelay(); });
}

void CSerialBlackPage::OnVScroll(int code, int pos, int id) {
    if (id != IDC_BLACK_DELAY_SPIN || code == platform::SB_ENDSCROLL || !IsReady())
        return;
    m_values.delay = pos * m_limits.step;
    m_delayText = platform::Format(kDelayFormat, m_values.delay / kMicro);
    WriteText(IDC_BLACK_DELAY, m_delayText);
    SendDelay();
}

void CSerialBlackPage::RewriteDelay() {
    m_delayText = platform::Format(kDelayFormat, m_values.delay / kMicro);
    WriteText(IDC_BLACK_DELAY, m_delayText);
    WriteSpin(IDC_BLACK_DELAY_SPIN, DelaySteps(m_values.delay));
}

platform::LRESULT CSerialBlackPage::ReloadTiming() {
    SerialBlackTiming live{m_values.lines, m_values.delay};
    if (SendToView(m_table.messages.timingQuery, 0, reinterpret_cast<platform::LPARAM>(&live)) ==
            1 &&
        std::isfinite(live.delay)) {
        ReadyOff off(*this);
        m_values.lines = live.lines;
        m_values.delay = live.delay;
        SetFormatLimits();
    }
    WriteControls();
    return 0;
}

}  // namespace corvane
