#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarnsim {

struct Argument {
    enum class Kind { Plain, Quoted, Block };
    Kind kind = Kind::Plain;
    // Quotes removed and doubled quotes folded; a block holds its raw bytes unless it was parsed
    // in place.
    std::string text;
    // A block parsed in place: its bytes inside the parsed line, valid as long as that line is.
    std::string_view inPlace{};
    // The text, or a block's bytes wherever they are.
    std::string_view Value() const {
        return inPlace.data() != nullptr ? inPlace : std::string_view(text);
    }
};

struct ParsedCommand {
    bool common = false;             // "*IDN?" and friends; they never move the header path
    bool query = false;              // the header ends in '?'
    std::vector<std::string> nodes;  // resolved full path, as typed (no ':' and no '?')
    std::vector<Argument> arguments;
    std::string syntaxError;  // non-empty: the command could not be read; nodes may be partial

    std::string HeaderText() const;  // "OUTP:AUD:SYNC?" style, resolved
};

// Splits one program message (one line, terminator already removed) into its commands and
// resolves headers that continue the previous header's path.
class LineParser {
public:
    // `blocksInPlace`: the line outlives the commands, so a block is not copied out of it (a
    // file of many MiB would be copied once more); Argument::Value gives its bytes.
    static std::vector<ParsedCommand> Parse(std::string_view line, bool blocksInPlace = false);

private:
    static ParsedCommand ParseOne(std::string_view text, std::vector<std::string>& path,
                                  bool blocksInPlace);
    static bool ParseArguments(std::string_view text, std::vector<Argument>& out,
                               std::string& error, bool blocksInPlace);
};

}  // namespace quarnsim
