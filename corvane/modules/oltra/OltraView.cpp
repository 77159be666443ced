#include "corvane/modules/oltra/OltraView.h"

#include "corvane/modules/oltra/OltraDoc.h"
#include "corvane/pages/videooutput/VideoOutputMessages.h"
#include "resources/corvane/OltraForms.h"

namespace corvane {

namespace {

const AnalogVideoViewModel& OltraViewModel() {
    static const AnalogVideoViewModel model{VideoModel::Oltra, OltraFormTemplate(), "Video/APL",
                                            kOltraVideoOutput};
    return model;
}

std::vector<AplChoice> Choices(const AplTable& texts, const AplTable& keywords) {
    std::vector<AplChoice> choices;
    for (size_t i = 0; i < kAplEntries && !texts[i].empty(); ++i)
        choices.push_back({std::string(texts[i]), std::string(keywords[i])});
    return choices;
}

}  // namespace

COltraView::COltraView() : CAnalogVideoView(OltraViewModel()) {
    BindValueSetters<COltraDoc>(
        {{{kOltraVideoOutput.composite, ChannelMessage::Order::ChannelFirst},
          &COltraDoc::SetVideoConfiguration}});
    struct Keyword {
        platform::UINT number;
        void (COltraDoc::*set)(const std::string& keyword);
    };
    for (const Keyword& keyword : {Keyword{kOltraVideoOutput.aplMode, &COltraDoc::SetAplMode},
                                   Keyword{kOltraVideoOutput.aplPeriod, &COltraDoc::SetAplPeriod}})
        BindTextMessage(keyword.number, [this, set = keyword.set](int, const std::string& text) {
            if (COltraDoc* doc = GetOltraDoc())
                (doc->*set)(text);
        });
}

COltraView::~COltraView() = default;

COltraDoc* COltraView::GetOltraDoc() const {
    return dynamic_cast<COltraDoc*>(GetDocument());
}

void COltraView::FillVideoValues(VideoOutputValues& values) const {
    const COltraDoc* doc = GetOltraDoc();
    if (doc == nullptr)
        return;
    values.composite = doc->m_videoConfiguration.Value();
    const AplTables& tables = doc->m_aplTables;
    values.aplModes = Choices(tables.modeTexts, tables.modeKeywords);
    values.aplPeriods = Choices(tables.periodTexts, tables.periodKeywords);
    values.aplMode = doc->m_aplMode.Value();
    values.aplPeriod = doc->m_aplPeriod.Value();
}

}  // namespace corvane
