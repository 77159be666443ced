// The words of the Pirvo's output signals, "OUTP<n>:SIGN" and its answers, with the codes the
// window keeps. Both directions look rows up in table order; the first match wins.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace corvane {

struct PirvoSignalWord {
    int code;
    std::string_view keyword;
};

constexpr size_t kPirvoSignalWordCount = 19;
const std::array<PirvoSignalWord, kPirvoSignalWordCount>& PirvoSignalWords();

// The word to send for a code; a code without one goes out as black burst, "BB".
std::string PirvoSignalKeyword(int code);
// The code of a word as the module spelled it (exact case); -1 for a word not in the table.
int PirvoSignalCode(std::string_view keyword);

}  // namespace corvane
