// Text an operator typed, as it can travel inside a quoted command argument.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// `text` without its quotes and control bytes: a quote would end the argument early and a
// control byte the line, and the module can show neither.
std::string QuotableText(std::string_view text);

}  // namespace corvane
