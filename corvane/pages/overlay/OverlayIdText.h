// What the overlay's ID text may hold. The instrument draws single-byte text, accents
// included, so bytes of 0x80 and above stay; the quotes that would end the command's quoted
// argument are removed (and the operator told), and control characters, which would split the
// command line, are left out silently, as is anything past the field's 64 characters.
#pragma once

#include <string>

#include "corvane/pages/common/PageRules.h"

namespace corvane {

// QuotesRemoved when a '"' or '\'' went (whatever else went too), Cut when only control
// characters or the excess length went, else Clean.
IdText CleanOverlayIdText(std::string& text);

}  // namespace corvane
