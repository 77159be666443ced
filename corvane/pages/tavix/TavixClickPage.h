// CTavixClickPage: the audio click period of each Tavix channel, "Off" or 1 to 4 seconds.
#pragma once

#include "corvane/pages/common/AudioComboPage.h"

namespace corvane {

class CTavixClickPage : public CAudioComboPage {
public:
    CTavixClickPage();

protected:
    void LoadFromDocument() override;
    int ValueOfEntry(int index, const std::string& text) const override;
};

}  // namespace corvane
