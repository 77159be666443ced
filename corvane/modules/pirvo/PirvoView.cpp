#include "corvane/modules/pirvo/PirvoView.h"

#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/pages/blackoutput/BlackOutputMessages.h"
#include "corvane/pages/blackoutput/BlackOutputTables.h"
#include "corvane/pages/pirvo/PirvoPageMessages.h"
#include "corvane/pages/timing/TimingMessages.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/PirvoForms.h"

namespace corvane {

namespace {

using Doc = CPirvoDoc;
using Order = ChannelMessage::Order;

// The timing page takes a format or signal under the number the black page sent it with.
static_assert(kPirvoTimingMessages.formatReload == kPirvoBlackOutput.format &&
              kPirvoTimingMessages.signalReload == kPirvoBlackOutput.signal);

ChannelMessage OutputFirst(platform::UINT number) {
    return {number, Order::ChannelFirst};
}

int OutputOf(platform::WPARAM wParam) {
    return static_cast<int>(static_cast<platform::LPARAM>(wParam));
}

}  // namespace

CPirvoView::CPirvoView()
    : CModuleView(PirvoFormTemplate()),
      m_blackPage(PirvoBlackOutputTable()),
      m_timingPage(PirvoTimingTable()) {
    AddPage(&m_signalPage, "Signal");
    AddPage(&m_barsPage, "Bars");
    AddPage(&m_blackPage, "Black");
    AddPage(&m_timingPage, "Timing");
    BindBlackMessages();
    BindTimingMessages();
    BindSignalMessages();
    BindIdTextMessages(kPirvoSignalMessages.idText);
    BindIdTextMessages(kPirvoBarsMessages.idText);
    BindBarsMessages();
}

CPirvoView::~CPirvoView() {
    DestroyPages();
}

CPirvoDoc* CPirvoView::GetPirvoDoc() const {
    return dynamic_cast<CPirvoDoc*>(GetDocument());
}

void CPirvoView::BindBlackMessages() {
    BindChannelMessage(OutputFirst(kPirvoBlackOutput.format), [this](int output, int format) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetFormat(output, format);
            ReloadTiming(kPirvoTimingMessages.formatReload, output);
        }
    });
    BindChannelMessage(OutputFirst(kPirvoBlackOutput.signal), [this](int output, int code) {
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
    const PirvoSignalMessages& m = kPirvoSignalMessages;
    BindChannelMessage(OutputFirst(m.format), [this](int, int index) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetFormatFolder(index);
            ReloadTiming(kPirvoTimingMessages.formatReload, kPirvoSignalOutput);
        }
    });
    struct Named {
        platform::UINT number;
        void (Doc::*set)(const std::string& text);
    };
    for (const Named& named :
         {Named{m.signal, &Doc::SetSignalFile}, Named{m.signalSet, &Doc::SetSignalSet},
          Named{m.aplMode, &Doc::SetAplMode}, Named{m.aplPeriod, &Doc::SetAplPeriod}})
        BindTextMessage(named.number, [this, set = named.set](int, const std::string& text) {
            if (Doc* doc = GetPirvoDoc())
                (doc->*set)(text);
        });
}

// Each page sends its own output in wParam; the document serves only the two with a text.
void CPirvoView::BindIdTextMessages(const PirvoIdTextMessages& m) {
    BindTextMessage(m.text, [this](int output, const std::string& text) {
        if (Doc* doc = GetPirvoDoc())
            doc->SetIdText(output, text);
    });
    BindChannelSetters<Doc>({
        {OutputFirst(m.mode), &Doc::SetIdMode},
        {OutputFirst(m.x), &Doc::SetIdX},
        {OutputFirst(m.y), &Doc::SetIdY},
    });
}

void CPirvoView::BindBarsMessages() {
    const PirvoBarsMessages& m = kPirvoBarsMessages;
    BindChannelMessage(OutputFirst(m.format), [this](int output, int format) {
        if (Doc* doc = GetPirvoDoc()) {
            doc->SetFormat(output, format);
            ReloadTiming(kPirvoTimingMessages.formatReload, output);
        }
    });
    BindChannelSetters<Doc>({{OutputFirst(m.signal), &Doc::SetSignal}});
}

PirvoIdTextValues CPirvoView::IdTextValuesOf(int output) const {
    const Doc* doc = GetPirvoDoc();
    if (doc == nullptr)
        return {};
    const PirvoIdText text = doc->IdText(output);
    return {text.mode, text.blinkState, text.blinkPeriod, text.text, text.x, text.y};
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
    const Doc* doc = GetPirvoDoc();
    if (doc == nullptr)
        return;
    PirvoSignalValues signal;
    signal.catalogue = doc->m_catalog;
    signal.formatName = doc->m_active.formatName;
    signal.setName = doc->m_active.setName;
    signal.signalName = doc->m_active.signalName;
    signal.aplMode = doc->m_aplMode.Value();
    signal.aplPeriod = doc->m_aplPeriod.Value();
    signal.idText = IdTextValuesOf(kPirvoSignalOutput);
    m_signalPage.Load(signal);
    m_barsPage.Load({doc->m_format[kPirvoBarsOutput], doc->m_signal[kPirvoBarsOutput],
                     IdTextValuesOf(kPirvoBarsOutput)});
    BlackOutputValues black;
    black.format = doc->m_format.Values();
    black.signal = doc->m_signal.Values();
    m_blackPage.Load(black);
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

void CPirvoView::CommitTypedPositions() {
    m_signalPage.CommitPositions();
    m_barsPage.CommitPositions();
}

void CPirvoView::OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) {
    if (ModuleHintAs<CPirvoDoc::AboutToClose>(hint, hintObject) != nullptr) {
        CommitTypedPositions();
        return;
    }
    CModuleView::OnUpdate(sender, hint, hintObject);
}

platform::BOOL CPirvoView::OnCommand(int id, int code) {
    if (code == platform::BN_CLICKED &&
        (id == IDC_MODULE_APPLY || id == IDC_MODULE_OK || id == IDC_MODULE_CANCEL))
        CommitTypedPositions();
    return CModuleView::OnCommand(id, code);
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
    if (doc != nullptr) {
        // The Apply read both ID texts again when it loaded a new picture.
        m_signalPage.ReloadIdText(IdTextValuesOf(kPirvoSignalOutput));
        m_barsPage.ReloadIdText(IdTextValuesOf(kPirvoBarsOutput));
    }
    CModuleView::OnApplied();
}

}  // namespace corvane
