// CSormetDoc: the Sormet, the standard-definition serial video generator.
#pragma once

#include "corvane/modules/serialvideo/SerialVideoDoc.h"

namespace corvane {

class CSormetDoc : public CSerialVideoDoc {
public:
    CSormetDoc();
};

}  // namespace corvane
