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
    return ReadClockFamily(QueryBrumoClockFamily, *link, brumo, m_brumoClockFamily) &&
                   ReadClockFamily(QueryKintorClockFamily, *link, kintor, m_kintorClockFamily)
               ? 1
               : 0;
}

void CUlmethDoc::SignalLoaded() {
    if (const int family = FolderClockFamily(VideoModel::Ulmeth, m_formatName); family != 0)
        PostToMainFrame(WM_ULMETH_CLOCK_FAMILY, static_cast<platform::WPARAM>(family));
}

}  // namespace corvane
