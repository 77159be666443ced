#include "corvane/modules/ulmeth/UlmethDoc.h"

#include "corvane/core/Messages.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

namespace {
const SerialVideoModel kUlmeth{VideoModel::Ulmeth, kModuleUlmeth, IDS_APPLY_ULMETH, false,
                               "Could not read signal names."};
}  // namespace

CUlmethDoc::CUlmethDoc() : CSerialVideoDoc(kUlmeth) {}

void CUlmethDoc::SetOtherHdModules(bool brumo, bool kintor) {
    m_hdModules.SetInstalled(kModuleBrumo, brumo);
    m_hdModules.SetInstalled(kModuleKintor, kintor);
}

int CUlmethDoc::ReadBeforeSelect() {
    return m_hdModules.ReadFamily(kModuleBrumo, Link(), m_brumoClockFamily) &&
                   m_hdModules.ReadFamily(kModuleKintor, Link(), m_kintorClockFamily)
               ? 1
               : 0;
}

void CUlmethDoc::SignalLoaded() {
    if (const int family = FolderClockFamily(VideoModel::Ulmeth, m_formatName); family != 0)
        PostToMainFrame(WM_ULMETH_CLOCK_FAMILY, static_cast<platform::WPARAM>(family));
}

}  // namespace corvane
