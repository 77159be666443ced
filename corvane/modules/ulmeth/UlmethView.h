// CUlmethView: the Ulmeth window, the serial video view with the Ulmeth's pages and numbers.
#pragma once

#include "corvane/modules/serialvideo/SerialVideoView.h"

namespace corvane {

class CUlmethView : public CSerialVideoView {
public:
    CUlmethView();

protected:
    void OtherClockFamilies(int& brumo, int& kintor) const override;

private:
    // Another window relayed its HD module's new clock family: the questions of the signal
    // and black pages follow it.
    platform::LRESULT TakeClockFamily(bool brumo, int family);
};

}  // namespace corvane
