// The APL (average picture level) choices of the analog generators: the keywords the module
// takes for the mode and the period, and the texts the operator picks them by. Each table has
// room for sixteen entries; those past the last choice are empty, so a list ends at the first
// empty entry.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane {

constexpr size_t kAplEntries = 16;
using AplTable = std::array<std::string_view, kAplEntries>;

struct AplTables {
    AplTable modeKeywords;
    AplTable periodKeywords;
    AplTable modeTexts;
    AplTable periodTexts;
};

// The module's choices: five modes and four periods, keyword and text at the same index.
const AplTables& StandardAplTables();

// True for a keyword of `table`. Only the module's own words can go out: an empty or unknown
// one would send a bare header.
bool IsAplKeyword(const AplTable& table, std::string_view word);

}  // namespace corvane
