#include "corvane/modules/hdclock/HdModules.h"

#include "corvane/core/MainFrame.h"
#include "corvane/modules/hdclock/HdClock.h"

namespace corvane {

namespace {

// What the document was told (0 or 1), else what the main frame listed.
bool GivenOrListed(int given, bool listed) {
    return given >= 0 ? given != 0 : listed;
}

}  // namespace

void HdModules::SetInstalled(ModuleKind kind, bool installed) {
    const int value = installed ? 1 : 0;
    if (kind == kModuleBrumo)
        m_brumo = value;
    else if (kind == kModuleKintor)
        m_kintor = value;
    else if (kind == kModuleUlmeth)
        m_ulmeth = value;
}

bool HdModules::Installed(ModuleKind kind) const {
    const CMainFrame* frame = MainFrame();
    switch (kind) {
        case kModuleBrumo:
            return GivenOrListed(m_brumo, frame != nullptr && frame->m_hasBrumo != 0);
        case kModuleKintor:
            return GivenOrListed(m_kintor, frame != nullptr && frame->m_hasKintor != 0);
        case kModuleUlmeth:
            return GivenOrListed(m_ulmeth, frame != nullptr && frame->m_hasUlmeth != 0);
        default:
            return false;
    }
}

bool HdModules::ReadFamily(ModuleKind kind, IInstrumentLink* link, int& family) const {
    if (link == nullptr)
        return false;
    int (*query)(IInstrumentLink&, bool) = QueryUlmethClockFamily;
    if (kind == kModuleBrumo)
        query = QueryBrumoClockFamily;
    else if (kind == kModuleKintor)
        query = QueryKintorClockFamily;
    return ReadClockFamily(query, *link, Installed(kind), family);
}

}  // namespace corvane
