#include "corvane/pages/tavix/TavixFrequencyPage.h"

#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixMessages.h"
#include "platform/Numbers.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

CTavixFrequencyPage::CTavixFrequencyPage()
    : CAudioComboPage(
          TavixFrequencyPageTemplate(),
          {IDC_TAVIX_FREQUENCY_CH1, IDC_TAVIX_FREQUENCY_CH1 + 1, IDC_TAVIX_FREQUENCY_CH1 + 2,
           IDC_TAVIX_FREQUENCY_CH1 + 3, IDC_TAVIX_FREQUENCY_CH1 + 4, IDC_TAVIX_FREQUENCY_CH1 + 5,
           IDC_TAVIX_FREQUENCY_CH1 + 6, IDC_TAVIX_FREQUENCY_CH1 + 7},
          {IDC_LINK_CH2, IDC_LINK_CH2 + 1, IDC_LINK_CH2 + 2, IDC_LINK_CH2 + 3, IDC_LINK_CH2 + 4,
           IDC_LINK_CH2 + 5, IDC_LINK_CH2 + 6},
          WM_TAVIX_FREQUENCY) {}

int CTavixFrequencyPage::FrequencyOfText(const std::string& text) {
    if (text == "Inactive")
        return -1;
    if (text == "Silence")
        return 0;
    double value = platform::StrToDouble(text.c_str());
    if (text.find('k') != std::string::npos)
        value *= 1000.0;
    return platform::DoubleToIntSaturated(value);
}

void CTavixFrequencyPage::LoadFromDocument() {
    auto* doc = dynamic_cast<CTavixDoc*>(ParentDocument());
    if (doc == nullptr)
        return;
    for (int ch = 0; ch < kChannels; ++ch) {
        const int index = doc->m_frequency[static_cast<size_t>(ch)];
        m_index[static_cast<size_t>(ch)] =
            index >= 0 && index < CTavixDoc::kFrequencyEntries ? index : -1;
    }
}

int CTavixFrequencyPage::ValueOfEntry(int index, const std::string&) const {
    // The list is fixed, so the entry's position names its frequency exactly.
    return CTavixDoc::FrequencyOfIndex(index);
}

}  // namespace corvane
