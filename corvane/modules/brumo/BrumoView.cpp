#include "corvane/modules/brumo/BrumoView.h"

#include "corvane/core/Messages.h"
#include "corvane/modules/brumo/BrumoDoc.h"
#include "corvane/modules/brumo/BrumoMessages.h"
#include "resources/corvane/BrumoForms.h"

namespace corvane {

namespace {

int IntOf(platform::WPARAM value) {
    return static_cast<int>(static_cast<platform::LPARAM>(value));
}

}  // namespace

CBrumoView::CBrumoView() : CModuleView(BrumoFormTemplate()) {
    AddPage(&m_genlockPage, "Genlock");
    AddPage(&m_outputPage, "Output");
    AddPage(&m_timingPage, "Timing");
    BindPageMessages();
    OnMessage(WM_KINTOR_CLOCK_FAMILY, [this](platform::WPARAM w, platform::LPARAM) {
        return TakeClockFamily(true, IntOf(w));
    });
    OnMessage(WM_ULMETH_CLOCK_FAMILY, [this](platform::WPARAM w, platform::LPARAM) {
        return TakeClockFamily(false, IntOf(w));
    });
}

CBrumoDoc* CBrumoView::GetBrumoDoc() const {
    return dynamic_cast<CBrumoDoc*>(GetDocument());
}

void CBrumoView::BindPageMessages() {
    using Order = ChannelMessage::Order;
    const TimingMessages& timing = kBrumoTimingMessages;
    BindValueSetters<CBrumoDoc>({
        {{WM_BRUMO_SOURCE, Order::ValueFirst}, &CBrumoDoc::SetSource},
        {{WM_BRUMO_GENLOCK_LINES, Order::ValueFirst}, &CBrumoDoc::SetGenlockLines},
        {{WM_BRUMO_LOCK_LOSS, Order::ValueFirst}, &CBrumoDoc::SetLockLossAction},
    });
    BindChannelSetters<CBrumoDoc>({
        {{WM_BRUMO_OUTPUT_SIGNAL, Order::ChannelFirst}, &CBrumoDoc::SetOutputSignal},
        {{timing.lines, Order::ChannelFirst}, &CBrumoDoc::SetOutputLines},
    });
    // The timing page takes the new format's limits from the document's values.
    BindChannelMessage({WM_BRUMO_OUTPUT_FORMAT, Order::ChannelFirst}, [this](int output,
                                                                             int format) {
        CBrumoDoc* doc = GetBrumoDoc();
        if (doc == nullptr)
            return;
        doc->SetOutputFormat(output, format);
        if (m_timingPage.IsWindow()) {
            m_timingPage.Load(TimingPageValues());
            m_timingPage.SendMessage(WM_BRUMO_OUTPUT_FORMAT, static_cast<platform::WPARAM>(output),
                                     static_cast<platform::LPARAM>(format));
        }
    });
    BindDoubleMessage(WM_BRUMO_CW_FRAME, [this](double hertz) {
        if (CBrumoDoc* doc = GetBrumoDoc())
            doc->SetCwFrame(hertz);
    });
    BindDoubleMessage(WM_BRUMO_GENLOCK_DELAY, [this](double seconds) {
        if (CBrumoDoc* doc = GetBrumoDoc())
            doc->SetGenlockDelay(seconds);
    });
    OnMessage(timing.delay, [this](platform::WPARAM w, platform::LPARAM l) {
        const auto* seconds = reinterpret_cast<const double*>(l);
        if (CBrumoDoc* doc = GetBrumoDoc(); doc != nullptr && seconds != nullptr)
            doc->SetOutputDelay(IntOf(w), *seconds);
        return platform::LRESULT{0};
    });
    OnMessage(timing.timingQuery, [this](platform::WPARAM w, platform::LPARAM l) {
        auto* timing = reinterpret_cast<LiveTiming*>(l);
        CBrumoDoc* doc = GetBrumoDoc();
        return platform::LRESULT{doc != nullptr && timing != nullptr &&
                                 doc->QueryOutputTiming(IntOf(w), *timing) != 0};
    });
    OnMessage(WM_BRUMO_GENLOCK_TIMING_QUERY, [this](platform::WPARAM, platform::LPARAM l) {
        auto* timing = reinterpret_cast<LiveTiming*>(l);
        CBrumoDoc* doc = GetBrumoDoc();
        return platform::LRESULT{doc != nullptr && timing != nullptr &&
                                 doc->QueryGenlockTiming(*timing) != 0};
    });
    OnMessage(WM_BRUMO_HD_REFERENCE_QUERY, [this](platform::WPARAM w, platform::LPARAM) {
        auto* code = reinterpret_cast<int*>(w);
        CBrumoDoc* doc = GetBrumoDoc();
        if (doc == nullptr || code == nullptr)
            return platform::LRESULT{0};
        const int detected = doc->ReadHdSyncFormat();
        if (detected < 0)
            return platform::LRESULT{0};
        *code = detected;
        return platform::LRESULT{1};
    });
}

void CBrumoView::PushPageValues() {
    const CBrumoDoc* doc = GetBrumoDoc();
    if (doc == nullptr)
        return;
    BrumoGenlockValues genlock;
    genlock.source = doc->m_source;
    genlock.lockLossAction = doc->m_lockLossAction;
    genlock.cwFrame = doc->m_cwFrame;
    genlock.lines = doc->m_genlockLines;
    genlock.delay = doc->m_genlockDelay;
    genlock.hdSyncFormat = doc->m_hdSyncFormat;
    m_genlockPage.Load(genlock);

    BrumoOutputValues output;
    output.formats = doc->m_outputFormat.Values();
    output.outputSignals = {doc->m_outputSignal[0], doc->m_outputSignal[1]};
    output.ulmethFamily = doc->m_ulmethClockFamily;
    output.kintorFamily = doc->m_kintorClockFamily;
    m_outputPage.Load(output);
    m_timingPage.Load(TimingPageValues());
}

TimingValues CBrumoView::TimingPageValues() const {
    TimingValues values{};
    if (const CBrumoDoc* doc = GetBrumoDoc())
        for (size_t i = 0; i < brumo::kOutputs; ++i)
            values[i] = {doc->m_outputFormat[i], 0, doc->m_outputLines[i], doc->m_outputDelay[i]};
    return values;
}

void CBrumoView::OnApplied() {
    CModuleView::OnApplied();
    CBrumoDoc* doc = GetBrumoDoc();
    // An Apply that did not finish lost its link: reading back now would only report the lost
    // link again. The marks wait for the next Apply that finishes.
    if (doc == nullptr || doc->IsModified())
        return;
    if (doc->TakeHdSyncMark() && m_genlockPage.IsWindow())
        m_genlockPage.SendMessage(WM_BRUMO_HD_REFERENCE_RELOAD);
    if (doc->TakeReferenceMark() && m_genlockPage.IsWindow())
        m_genlockPage.SendMessage(WM_BRUMO_GENLOCK_TIMING_RELOAD);
    for (int output = 0; output < brumo::kOutputs; ++output)
        if (doc->TakeOutputMark(output) && m_timingPage.IsWindow())
            m_timingPage.SendMessage(kBrumoTimingMessages.liveRequest,
                                     static_cast<platform::WPARAM>(output));
}

platform::LRESULT CBrumoView::TakeClockFamily(bool kintor, int family) {
    CBrumoDoc* doc = GetBrumoDoc();
    if (doc == nullptr)
        return 0;
    if (kintor)
        doc->SetKintorClockFamily(family);
    else
        doc->SetUlmethClockFamily(family);
    m_outputPage.SetClockFamilies(doc->m_ulmethClockFamily, doc->m_kintorClockFamily);
    return 0;
}

}  // namespace corvane
