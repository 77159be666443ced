#include "corvane/modules/kintor/KintorView.h"

#include "corvane/core/Messages.h"
#include "corvane/modules/kintor/KintorMessages.h"
#include "resources/corvane/KintorForms.h"

namespace corvane {

namespace {

int Signed(platform::WPARAM w) {
    return static_cast<int>(static_cast<platform::LPARAM>(w));
}

}  // namespace

CKintorView::CKintorView()
    : CModuleView(KintorFormTemplate()),
      m_outputPage(KintorBlackOutputTable()),
      m_timingPage(KintorTimingTable()) {
    AddPage(&m_outputPage, "Output");
    AddPage(&m_timingPage, "Timing");
    OnMessage(WM_KINTOR_FORMAT, [this](platform::WPARAM w, platform::LPARAM l) {
        return FormatChosen(Signed(w), static_cast<int>(l));
    });
    OnMessage(WM_KINTOR_SIGNAL, [this](platform::WPARAM w, platform::LPARAM l) {
        return SignalChosen(Signed(w), static_cast<int>(l));
    });
    BindChannelSetters<CKintorDoc>(
        {{{WM_KINTOR_LINES, ChannelMessage::Order::ChannelFirst}, &CKintorDoc::SetVerticalLines}});
    OnMessage(WM_KINTOR_DELAY, [this](platform::WPARAM w, platform::LPARAM l) {
        if (CKintorDoc* doc = GetKintorDoc(); doc != nullptr && l != 0)
            doc->SetHorizontalDelay(Signed(w), *reinterpret_cast<const double*>(l));
        return platform::LRESULT{0};
    });
    OnMessage(WM_KINTOR_TIMING_QUERY,
              [this](platform::WPARAM w, platform::LPARAM l) { return QueryTiming(Signed(w), l); });
    OnMessage(WM_BRUMO_CLOCK_FAMILY, [this](platform::WPARAM w, platform::LPARAM) {
        return TakeClockFamily(true, Signed(w));
    });
    OnMessage(WM_ULMETH_CLOCK_FAMILY, [this](platform::WPARAM w, platform::LPARAM) {
        return TakeClockFamily(false, Signed(w));
    });
}

CKintorView::~CKintorView() = default;

CKintorDoc* CKintorView::GetKintorDoc() const {
    return dynamic_cast<CKintorDoc*>(GetDocument());
}

BlackOutputValues CKintorView::OutputValues() const {
    BlackOutputValues values;
    if (const CKintorDoc* doc = GetKintorDoc()) {
        values.format = doc->m_format.Values();
        values.signal = doc->m_signal.Values();
        values.output3Config = doc->m_output3Config;
        values.brumoClockFamily = doc->m_brumoClockFamily;
        values.ulmethClockFamily = doc->m_ulmethClockFamily;
    }
    return values;
}

TimingValues CKintorView::TimingValuesOf() const {
    TimingValues values{};
    if (const CKintorDoc* doc = GetKintorDoc()) {
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = {doc->m_format[i], doc->m_signal[i], doc->m_verticalLines[i],
                         doc->m_horizontalDelay[i]};
    }
    return values;
}

void CKintorView::PushPageValues() {
    m_outputPage.Load(OutputValues());
    m_timingPage.Load(TimingValuesOf());
}

void CKintorView::ReloadTiming(platform::UINT message, int output) {
    const TimingValues values = TimingValuesOf();
    m_timingPage.Load(values);
    if (!m_timingPage.IsWindow())
        return;
    // What the document kept, which is not what the page asked for where the setter refused.
    const TimingOutput& stored = values[static_cast<size_t>(output)];
    m_timingPage.SendMessage(message, static_cast<platform::WPARAM>(output),
                             message == WM_KINTOR_FORMAT ? stored.format : stored.signal);
}

platform::LRESULT CKintorView::QueryTiming(int output, platform::LPARAM record) {
    CKintorDoc* doc = GetKintorDoc();
    if (doc == nullptr || record == 0)
        return 0;
    int lines = 0;
    double seconds = 0.0;
    if (!doc->QueryTiming(output, lines, seconds))
        return 0;
    auto* live = reinterpret_cast<LiveTiming*>(record);
    live->lines = lines;
    live->delay = seconds;
    return 1;
}

platform::LRESULT CKintorView::FormatChosen(int output, int format) {
    CKintorDoc* doc = GetKintorDoc();
    if (doc == nullptr || output < 0 || output >= CKintorDoc::kOutputs)
        return 0;
    // The page sends the old format straight back when the operator refused the new one's
    // clock; the output then gets back all the change had touched.
    if (m_pendingFormat && m_pendingFormat->output == output &&
        m_pendingFormat->before.format == format) {
        doc->RestoreOutput(output, m_pendingFormat->before);
        m_pendingFormat.reset();
    } else {
        m_pendingFormat = PendingFormat{output, doc->SaveOutput(output)};
        doc->SetFormat(output, format);
    }
    ReloadTiming(WM_KINTOR_FORMAT, output);
    return 0;
}

platform::LRESULT CKintorView::SignalChosen(int output, int code) {
    CKintorDoc* doc = GetKintorDoc();
    if (doc == nullptr)
        return 0;
    m_pendingFormat.reset();
    doc->SetSignal(output, code);
    if (output >= 0 && output < CKintorDoc::kOutputs)
        ReloadTiming(WM_KINTOR_SIGNAL, output);
    return 0;
}

platform::LRESULT CKintorView::TakeClockFamily(bool brumo, int family) {
    CKintorDoc* doc = GetKintorDoc();
    if (doc == nullptr)
        return 0;
    if (brumo)
        doc->m_brumoClockFamily = family;
    else
        doc->m_ulmethClockFamily = family;
    m_outputPage.SetClockFamilies(doc->m_brumoClockFamily, doc->m_ulmethClockFamily);
    return 0;
}

void CKintorView::OnApplied() {
    CModuleView::OnApplied();
    CKintorDoc* doc = GetKintorDoc();
    if (doc == nullptr || !doc->LastApplyDone())
        return;
    // The new format set the output's timing on the instrument: the page reads it.
    for (int output = 0; output < CKintorDoc::kOutputs; ++output) {
        if (doc->TakeFormatSent(output) && m_timingPage.IsWindow())
            m_timingPage.SendMessage(WM_KINTOR_TIMING_RELOAD, static_cast<platform::WPARAM>(output),
                                     0);
    }
}

}  // namespace corvane
