#include "corvane/modules/pirvo/PirvoView.h"

#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/pirvo/PirvoMessages.h"
#include "corvane/pages/timing/TimingMessages.h"
#include "resources/corvane/PirvoForms.h"

namespace corvane {

namespace {

using Doc = CPirvoDoc;

// The timing page takes a format or signal under the number the black page sent it with.
static_assert(kPirvoTimingMessages.formatReload == WM_PIRVO_FORMAT &&
              kPirvoTimingMessages.signalReload == WM_PIRVO_SIGNAL);
using Order = ChannelMessage::Order;

ChannelMessage OutputFirst(platform::UINT number) {
    return {number, Order::ChannelFirst};
}

int OutputOf(platform::WPARAM wParam) {
    return static_cast<int>(static_cast<platform::LPARAM>(wParam));
}

}  // namespace

CPirvoView::CPirvoView() : CModuleView(PirvoFormTemplate()), m_timingPage(PirvoTimingTable()) {
    AddPage(&m_timingPage, "Timing");
    BindBlackMessages();
    BindTimingMessages();
    BindSignalMessages();
    BindIdTextMessages();
    BindBarsMessages();
}

CPirvoView::~CPirvoView() {
    DestroyPages();
}

CPirvoDoc* CPirvoView::GetPirvoDoc() const {
    return dynamic_cast<CPirvoDoc*>(GetDocument());
}

void CPirvoView::BindBlackMessages() {
    BindChannelMessage(OutputFirst(WM_PIRVO_FORMAT), [this](int output, int format) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetFormat(output, format);
            ReloadTiming(kPirvoTimingMessages.formatReload, output);
        }
    });
    BindChannelMessage(OutputFirst(WM_PIRVO_SIGNAL), [this](int output, int code) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetSignal(output, code);
            ReloadTiming(kPirvoTimingMessages.signalReload, output);
        }
    });
}

void CPirvoView::BindTimingMessages() {
    const TimingMessages& m = kPirvoTimingMessages;
    BindChannelSetters<Doc>({{OutputFirst(m.lines), &Doc::SetLines}});
    OnMessage(m.delay, [this](platform::WPARAM wParam, platform::LPARAM lParam) {
        const auto* seconds = reinterpret_cast<const double*>(lParam);
        if (Doc* doc = GetPirvoDoc(); doc != nullptr && seconds != nullptr)
            doc->SetDelay(OutputOf(wParam), *seconds);
        return platform::LRESULT{0};
    });
    OnMessage(m.timingQuery, [this](platform::WPARAM wParam, platform::LPARAM lParam) {
        return OnTimingQuery(wParam, lParam);
    });
}

void CPirvoView::BindSignalMessages() {
    BindChannelMessage(OutputFirst(WM_PIRVO_FORMAT_FOLDER), [this](int, int index) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetFormatFolder(index);
            ReloadTiming(kPirvoTimingMessages.formatReload, kPirvoSignalOutput);
        }
    });
    struct Named {
        platform::UINT number;
        void (Doc::*set)(const std::string& text);
    };
    for (const Named& named : {Named{WM_PIRVO_SIGNAL_FILE, &Doc::SetSignalFile},
                               Named{WM_PIRVO_SIGNAL_SET, &Doc::SetSignalSet},
                               Named{WM_PIRVO_APL_MODE, &Doc::SetAplMode},
                               Named{WM_PIRVO_APL_PERIOD, &Doc::SetAplPeriod}})
        BindTextMessage(named.number, [this, set = named.set](int, const std::string& text) {
            if (Doc* doc = GetPirvoDoc())
                (doc->*set)(text);
        });
}

// Both pages send their own output in wParam; the document serves only the two with a text.
void CPirvoView::BindIdTextMessages() {
    for (const platform::UINT number : {WM_PIRVO_SIGNAL_ID_TEXT, WM_PIRVO_BARS_ID_TEXT})
        BindTextMessage(number, [this](int output, const std::string& text) {
            if (Doc* doc = GetPirvoDoc())
                doc->SetIdText(output, text);
        });
    BindChannelSetters<Doc>({
        {OutputFirst(WM_PIRVO_SIGNAL_ID_MODE), &Doc::SetIdMode},
        {OutputFirst(WM_PIRVO_SIGNAL_ID_X), &Doc::SetIdX},
        {OutputFirst(WM_PIRVO_SIGNAL_ID_Y), &Doc::SetIdY},
        {OutputFirst(WM_PIRVO_BARS_ID_MODE), &Doc::SetIdMode},
        {OutputFirst(WM_PIRVO_BARS_ID_X), &Doc::SetIdX},
        {OutputFirst(WM_PIRVO_BARS_ID_Y), &Doc::SetIdY},
    });
}

void CPirvoView::BindBarsMessages() {
    BindChannelMessage(OutputFirst(WM_PIRVO_BARS_FORMAT), [this](int output, int format) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetFormat(output, format);
            ReloadTiming(kPirvoTimingMessages.formatReload, output);
        }
    });
    BindChannelSetters<Doc>({{OutputFirst(WM_PIRVO_BARS_SIGNAL), &Doc::SetSignal}});
}

TimingValues CPirvoView::TimingValuesOf() const {
    TimingValues values{};
    const Doc* doc = GetPirvoDoc();
    if (doc == nullptr)
        return values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = {doc->m_format[i], doc->m_signal[i], doc->m_lines[i], doc->m_delay[i]};
    return values;
}

void CPirvoView::PushPageValues() {
    m_timingPage.Load(TimingValuesOf());
}

void CPirvoView::ReloadTiming(platform::UINT message, int output) {
    const Doc* doc = GetPirvoDoc();
    if (doc == nullptr || !ValidPirvoOutput(output) || !m_timingPage.IsWindow())
        return;
    const TimingValues values = TimingValuesOf();
    m_timingPage.Load(values);
    const TimingOutput& stored = values[static_cast<size_t>(output)];
    const int value = message == kPirvoTimingMessages.formatReload ? stored.format : stored.signal;
    m_timingPage.SendMessage(message, static_cast<platform::WPARAM>(output), value);
}

platform::LRESULT CPirvoView::OnTimingQuery(platform::WPARAM wParam, platform::LPARAM lParam) {
    auto* live = reinterpret_cast<LiveTiming*>(lParam);
    Doc* doc = GetPirvoDoc();
    PirvoTiming timing;
    if (live == nullptr || doc == nullptr || !doc->QueryTiming(OutputOf(wParam), timing))
        return 0;
    live->lines = timing.lines;
    live->delay = timing.delay;
    return 1;
}

void CPirvoView::OnApplied() {
    // An Apply that went through leaves nothing modified. After one that stopped half-way the
    // link may be gone: the marks wait for the Apply that completes.
    Doc* doc = GetPirvoDoc();
    if (doc != nullptr && !doc->IsModified()) {
        // Every mark is taken, so none outlives this Apply; the timing page reads the live
        // timing each new format or load has set.
        for (int output = 0; output < kPirvoOutputCount; ++output) {
            if (doc->TakeFormatSent(output) && m_timingPage.IsWindow()) {
                m_timingPage.Load(TimingValuesOf());
                m_timingPage.SendMessage(kPirvoTimingMessages.liveRequest,
                                         static_cast<platform::WPARAM>(output));
            }
        }
    }
    CModuleView::OnApplied();
}

}  // namespace corvane
