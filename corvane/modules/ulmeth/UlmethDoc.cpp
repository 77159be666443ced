#include "corvane/modules/ulmeth/UlmethDoc.h"

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

namespace {
const SerialVideoModel kUlmeth{VideoModel::Ulmeth, kModuleUlmeth, IDS_APPLY_ULMETH, false,
                               "Could not read signal names."};
}  // namespace

CUlmethDoc::CUlmethDoc() : CSerialVideoDoc(kUlmeth) {}

void CUlmethDoc::SetOtherHdModules(bool brumo, bool kintor) {
    m_hasBrumo = brumo ? 1 : 0;
    m_hasKintor = kintor ? 1 : 0;
}

int CUlmethDoc::ReadBeforeSelect() {
    const CMainFrame* frame = MainFrame();
    const bool brumo = m_hasBrumo >= 0 ? m_hasBrumo != 0 : frame && frame->m_hasBrumo;
    const bool kintor = m_hasKintor >= 0 ? m_hasKintor != 0 : frame && frame->m_hasKintor;
    IInstrumentLink* link = Link();
    if (link == nullptr)
        return 0;
    // A module whose family cannot be told would make the clock questions guess.
    m_brumoClockFamily = QueryBrumoClockFamily(*link, brumo);
    if (brumo && m_brumoClockFamily < 0)
        return 0;
    m_kintorClockFamily = QueryKintorClockFamily(*link, kintor);
    if (kintor && m_kintorClockFamily < 0)
        return 0;
    return 1;
}

void CUlmethDoc::SignalLoaded() {
    if (const int family = FolderClockFamily(VideoModel::Ulmeth, m_formatName); family != 0)
        Post(WM_ULMETH_CLOCK_FAMILY, static_cast<platform::WPARAM>(family));
}

}  // namespace corvane
