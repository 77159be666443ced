#include "corvane/modules/pirvo/PirvoView.h"

#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/pirvo/PirvoMessages.h"
#include "resources/corvane/PirvoForms.h"

namespace corvane {

namespace {

using Doc = CPirvoDoc;
using Order = ChannelMessage::Order;

ChannelMessage OutputFirst(platform::UINT number) {
    return {number, Order::ChannelFirst};
}

int OutputOf(platform::WPARAM wParam) {
    return static_cast<int>(static_cast<platform::LPARAM>(wParam));
}

}  // namespace

CPirvoView::CPirvoView() : CModuleView(PirvoFormTemplate()) {
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
    BindChannelSetters<Doc>({
        {OutputFirst(WM_PIRVO_FORMAT), &Doc::SetFormat},
        {OutputFirst(WM_PIRVO_SIGNAL), &Doc::SetSignal},
    });
}

void CPirvoView::BindTimingMessages() {
    BindChannelSetters<Doc>({{OutputFirst(WM_PIRVO_LINES), &Doc::SetLines}});
    OnMessage(WM_PIRVO_DELAY, [this](platform::WPARAM wParam, platform::LPARAM lParam) {
        const auto* seconds = reinterpret_cast<const double*>(lParam);
        if (Doc* doc = GetPirvoDoc(); doc != nullptr && seconds != nullptr)
            doc->SetDelay(OutputOf(wParam), *seconds);
        return platform::LRESULT{0};
    });
    OnMessage(WM_PIRVO_TIMING_QUERY, [this](platform::WPARAM wParam, platform::LPARAM lParam) {
        return OnTimingQuery(wParam, lParam);
    });
}

void CPirvoView::BindSignalMessages() {
    BindValueSetters<Doc>({{OutputFirst(WM_PIRVO_FORMAT_FOLDER), &Doc::SetFormatFolder}});
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
    BindChannelSetters<Doc>({
        {OutputFirst(WM_PIRVO_BARS_FORMAT), &Doc::SetFormat},
        {OutputFirst(WM_PIRVO_BARS_SIGNAL), &Doc::SetSignal},
    });
}

platform::LRESULT CPirvoView::OnTimingQuery(platform::WPARAM wParam, platform::LPARAM lParam) {
    auto* timing = reinterpret_cast<PirvoTiming*>(lParam);
    Doc* doc = GetPirvoDoc();
    if (timing == nullptr || doc == nullptr)
        return 0;
    return doc->QueryTiming(OutputOf(wParam), *timing);
}

void CPirvoView::OnApplied() {
    if (Doc* doc = GetPirvoDoc()) {
        // Every mark is taken, so none outlives this Apply.
        for (int output = 0; output < kPirvoOutputCount; ++output) doc->TakeFormatSent(output);
    }
    CModuleView::OnApplied();
}

}  // namespace corvane
