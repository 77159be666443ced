// CTavixFrequencyPage: the tone frequency of each Tavix channel, chosen from a fixed list.
#pragma once

#include "corvane/pages/common/AudioComboPage.h"

namespace corvane {

class CTavixFrequencyPage : public CAudioComboPage {
public:
    CTavixFrequencyPage();

    // The frequency an entry's text names, as the list reads: "Inactive" -1, "Silence" 0,
    // else its number, times 1000 with "k" in the text.
    static int FrequencyOfText(const std::string& text);

protected:
    void LoadFromDocument() override;
    int ValueOfEntry(int index, const std::string& text) const override;
};

}  // namespace corvane
