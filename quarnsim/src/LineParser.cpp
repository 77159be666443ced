#include "quarnsim/LineParser.h"

#include <cctype>

namespace quarnsim {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

// Trailing blanks may belong to block data, so only plain text is trimmed on the right.
std::string_view Trim(std::string_view text) {
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool OnlyBlanks(std::string_view text) {
    return TrimLeft(text).empty();
}

bool StartsBlock(std::string_view text, size_t at) {
    return at + 1 < text.size() && text[at] == '#' &&
           std::isdigit(static_cast<unsigned char>(text[at + 1]));
}

// Index just past the definite-length block starting at `at`, or npos when its header is
// broken or the data runs past the end of the line. "#0" takes the rest of the line.
size_t BlockEnd(std::string_view text, size_t at, size_t* dataStart, size_t* dataLength) {
    int digits = text[at + 1] - '0';
    if (digits == 0) {
        *dataStart = at + 2;
        *dataLength = text.size() - *dataStart;
        return text.size();
    }
    size_t pos = at + 2;
    if (pos + digits > text.size())
        return std::string_view::npos;
    size_t length = 0;
    for (int i = 0; i < digits; ++i) {
        char c = text[pos + i];
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::string_view::npos;
        length = length * 10 + static_cast<size_t>(c - '0');
    }
    pos += digits;
    if (length > text.size() - pos)
        return std::string_view::npos;
    *dataStart = pos;
    *dataLength = length;
    return pos + length;
}

// Index just past the quoted string opening at `at` (doubled quotes stay inside), or npos.
size_t QuoteEnd(std::string_view text, size_t at) {
    char quote = text[at];
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] != quote)
            continue;
        if (i + 1 < text.size() && text[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return std::string_view::npos;
}

// Splits at `separator` outside quotes and blocks. A broken quote or block swallows the rest,
// so the segment that holds it reports the error.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> segments;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '"' || c == '\'') {
            size_t end = QuoteEnd(text, i);
            i = end == std::string_view::npos ? text.size() : end;
        } else if (StartsBlock(text, i)) {
            size_t dataStart = 0, dataLength = 0;
            size_t end = BlockEnd(text, i, &dataStart, &dataLength);
            i = end == std::string_view::npos ? text.size() : end;
        } else if (c == separator) {
            segments.push_back(text.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    segments.push_back(text.substr(start));
    return segments;
}

bool ValidNode(std::string_view node) {
    if (node.empty())
        return false;
    for (char c : node) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

}  // namespace

std::string ParsedCommand::HeaderText() const {
    std::string text;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (i > 0)
            text += ':';
        text += nodes[i];
    }
    if (query)
        text += '?';
    return text;
}

std::vector<ParsedCommand> LineParser::Parse(std::string_view line, bool blocksInPlace) {
    std::vector<ParsedCommand> commands;
    std::vector<std::string> path;  // every program message starts again at the root
    for (std::string_view segment : Split(line, ';')) {
        if (OnlyBlanks(segment))
            continue;  // "MMEM:PRES:DEL 3;" ends with an empty command
        commands.push_back(ParseOne(TrimLeft(segment), path, blocksInPlace));
    }
    return commands;
}

ParsedCommand LineParser::ParseOne(std::string_view text, std::vector<std::string>& path,
                                   bool blocksInPlace) {
    ParsedCommand command;
    size_t headerEnd = 0;
    while (headerEnd < text.size() && !IsBlank(text[headerEnd])) ++headerEnd;
    std::string_view header = text.substr(0, headerEnd);
    std::string_view rest = text.substr(headerEnd);

    if (!header.empty() && header.back() == '?') {
        command.query = true;
        header.remove_suffix(1);
    }
    if (!header.empty() && header.front() == '*') {
        command.common = true;
        std::string_view name = header.substr(1);
        command.nodes.push_back("*" + std::string(name));
        if (!ValidNode(name))
            command.syntaxError = "Invalid common command header";
    } else {
        bool absolute = !header.empty() && header.front() == ':';
        if (absolute)
            header.remove_prefix(1);
        std::vector<std::string> resolved = absolute ? std::vector<std::string>{} : path;
        for (std::string_view node : Split(header, ':')) {
            if (!ValidNode(node)) {
                command.syntaxError = "Invalid header";
                break;
            }
            resolved.emplace_back(node);
        }
        command.nodes = std::move(resolved);
        if (command.syntaxError.empty()) {
            path.assign(command.nodes.begin(), command.nodes.end() - 1);
        }
    }
    if (!command.syntaxError.empty())
        return command;

    std::string error;
    if (!ParseArguments(rest, command.arguments, error, blocksInPlace))
        command.syntaxError = error;
    return command;
}

bool LineParser::ParseArguments(std::string_view text, std::vector<Argument>& out,
                                std::string& error, bool blocksInPlace) {
    if (OnlyBlanks(text))
        return true;
    for (std::string_view segment : Split(TrimLeft(text), ',')) {
        segment = TrimLeft(segment);
        if (segment.empty() || OnlyBlanks(segment)) {
            error = "Missing parameter";
            return false;
        }
        Argument argument;
        if (segment.front() == '"' || segment.front() == '\'') {
            size_t end = QuoteEnd(segment, 0);
            if (end == std::string_view::npos || !OnlyBlanks(segment.substr(end))) {
                error = end == std::string_view::npos ? "Unterminated string" : "Invalid string";
                return false;
            }
            argument.kind = Argument::Kind::Quoted;
            char quote = segment.front();
            for (size_t i = 1; i + 1 < end; ++i) {
                argument.text += segment[i];
                if (segment[i] == quote)
                    ++i;  // a doubled quote stands for one
            }
        } else if (StartsBlock(segment, 0)) {
            size_t dataStart = 0, dataLength = 0;
            size_t end = BlockEnd(segment, 0, &dataStart, &dataLength);
            if (end == std::string_view::npos || !OnlyBlanks(segment.substr(end))) {
                error = "Invalid block data";
                return false;
            }
            argument.kind = Argument::Kind::Block;
            if (blocksInPlace)
                argument.inPlace = segment.substr(dataStart, dataLength);
            else
                argument.text.assign(segment.substr(dataStart, dataLength));
        } else {
            argument.text.assign(Trim(segment));
        }
        out.push_back(std::move(argument));
    }
    return true;
}

}  // namespace quarnsim
