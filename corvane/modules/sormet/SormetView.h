// CSormetView: the Sormet window, the serial video view with the Sormet's pages and numbers.
#pragma once

#include "corvane/modules/serialvideo/SerialVideoView.h"

namespace corvane {

class CSormetView : public CSerialVideoView {
public:
    CSormetView();
};

}  // namespace corvane
