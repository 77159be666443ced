#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarnsim {

struct Argument {
    enum class Kind { Plain, Quoted, Block };
    Kind kind = Kind::Plain;
    std::string text;  // quotes removed and doubled quotes folded; a block holds its raw bytes
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
    static std::vector<ParsedCommand> Parse(std::string_view line);

private:
    static ParsedCommand ParseOne(std::string_view text, std::vector<std::string>& path);
    static bool ParseArguments(std::string_view text, std::vector<Argument>& out,
                               std::string& error);
};

}  // namespace quarnsim
