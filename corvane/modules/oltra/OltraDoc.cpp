#include "corvane/modules/oltra/OltraDoc.h"

#include "resources/corvane/ModuleForms.h"

namespace corvane {

COltraDoc::COltraDoc()
    : CAnalogVideoDoc(kModuleOltra, IDS_APPLY_OLTRA), m_aplTables(StandardAplTables()) {}

COltraDoc::~COltraDoc() = default;

bool COltraDoc::CompositeCapable(int standardCode) {
    return standardCode == 0 || standardCode == 1 || standardCode == 10;
}

void COltraDoc::SetVideoConfiguration(int value) {
    SetParameter(m_videoConfiguration, value);
}

void COltraDoc::SetAplMode(const std::string& keyword) {
    if (IsAplKeyword(m_aplTables.modeKeywords, keyword))
        SetParameter(m_aplMode, keyword);
}

void COltraDoc::SetAplPeriod(const std::string& keyword) {
    if (IsAplKeyword(m_aplTables.periodKeywords, keyword))
        SetParameter(m_aplPeriod, keyword);
}

int COltraDoc::ReadVideoConfiguration() {
    std::string reply;
    if (!QueryReply(":OUTP1:VID:CONF?", reply))
        return 0;
    m_videoConfiguration.Load(reply == "COMP" ? kComposite : kYc);
    Progress().Step();
    return 1;
}

// Only the composite-capable standards take a configuration; on any other the change has
// nothing to go to and is dropped.
int COltraDoc::ApplyVideoConfiguration() {
    if (m_videoConfiguration.Changed()) {
        if (!QueryStandardCode())
            return 0;
        if (CompositeCapable(m_standardCode) &&
            !SendCommand(m_videoConfiguration == kComposite ? "OUTP1:VID:CONF COMPosite"
                                                            : "OUTP1:VID:CONF YC"))
            return 0;
        m_videoConfiguration.ClearChanged();
    }
    Progress().Step();
    return 1;
}

// The APL changes the picture the other windows refer to, so they hear of it.
int COltraDoc::ApplyAfterChannels(bool& notify) {
    const bool mode = m_aplMode.Changed();
    const bool period = m_aplPeriod.Changed();
    if (!SendIfChanged(m_aplMode, "OUTP1:APL:MOD " + m_aplMode.Value()) ||
        !SendIfChanged(m_aplPeriod, "OUTP1:APL:PER " + m_aplPeriod.Value()))
        return 0;
    notify = notify || mode || period;
    return 1;
}

}  // namespace corvane
