// CYarloDoc: the Yarlo, the analog video generator with SD and HD formats. It has exactly the
// analog family's parameters: no video configuration and no APL.
#pragma once

#include "corvane/modules/analogvideo/AnalogVideoDoc.h"

namespace corvane {

class CYarloDoc : public CAnalogVideoDoc {
public:
    CYarloDoc();
    ~CYarloDoc() override;
};

}  // namespace corvane
