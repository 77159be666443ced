// CYarloView: the Yarlo window, the analog family's four tabs with no APL. Its form opens with
// Apply enabled.
#pragma once

#include "corvane/modules/analogvideo/AnalogVideoView.h"

namespace corvane {

class CYarloView : public CAnalogVideoView {
public:
    CYarloView();
    ~CYarloView() override;

protected:
    // Apply can be pressed from the opening on, whatever the opening's updates made of it.
    void OnInitialUpdateForm() override;
};

}  // namespace corvane
