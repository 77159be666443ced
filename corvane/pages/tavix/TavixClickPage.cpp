#include "corvane/pages/tavix/TavixClickPage.h"

#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixMessages.h"
#include "platform/Numbers.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

CTavixClickPage::CTavixClickPage()
    : CAudioComboPage(TavixClickPageTemplate(),
                      {IDC_TAVIX_CLICK_CH1, IDC_TAVIX_CLICK_CH2, IDC_TAVIX_CLICK_CH2 + 1,
                       IDC_TAVIX_CLICK_CH2 + 2, IDC_TAVIX_CLICK_CH2 + 3, IDC_TAVIX_CLICK_CH2 + 4,
                       IDC_TAVIX_CLICK_CH2 + 5, IDC_TAVIX_CLICK_CH2 + 6},
                      {IDC_LINK_CH2, IDC_LINK_CH2 + 1, IDC_LINK_CH2 + 2, IDC_LINK_CH2 + 3,
                       IDC_LINK_CH2 + 4, IDC_LINK_CH2 + 5, IDC_LINK_CH2 + 6},
                      WM_TAVIX_CLICK) {
    m_index.fill(0);
}

void CTavixClickPage::LoadFromDocument() {
    auto* doc = dynamic_cast<CTavixDoc*>(ParentDocument());
    if (doc == nullptr)
        return;
    // The period in seconds is the entry's position; a period the list lacks selects nothing.
    for (int ch = 0; ch < kChannels; ++ch) {
        const int click = doc->m_click[static_cast<size_t>(ch)];
        m_index[static_cast<size_t>(ch)] = click >= 0 && click <= 4 ? click : -1;
    }
}

int CTavixClickPage::ValueOfEntry(int, const std::string& text) const {
    return platform::StrToInt(text.c_str());
}

}  // namespace corvane
