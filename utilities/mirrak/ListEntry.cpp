#include "utilities/mirrak/ListEntry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/CatalogItem.h"

namespace mirrak {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The size field as a decimal number (sign, digits, point, exponent), truncated; anything
// else ("<DIR>") reads as 0. Sizes never go negative and saturate instead of overflowing.
std::int64_t ReadSize(std::string_view token) {
    std::string text(token);
    const char* begin = text.c_str();
    const char first = text.empty() ? '\0' : text[0];
    if (!((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.'))
        return 0;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value) || value <= 0)
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<std::int64_t>::max()))
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(value);
}

}  // namespace

ListLineKind ParseListLine(std::string_view line, ListEntry& entry) {
    if (line.size() >= kMaxListLine)
        return ListLineKind::Unreadable;
    // Three fields at least; the first is the size.
    std::string_view tokens[3];
    int count = 0;
    std::size_t pos = 0;
    while (count < 3 && pos < line.size()) {
        while (pos < line.size() && IsSeparator(line[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
        if (pos > start)
            tokens[count++] = line.substr(start, pos - start);
    }
    if (count < 3)
        return ListLineKind::Unreadable;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return ListLineKind::Unreadable;
    std::size_t nameStart = line.find(' ', colon);
    if (nameStart == std::string_view::npos)
        return ListLineKind::Unreadable;
    while (nameStart < line.size() && line[nameStart] == ' ') ++nameStart;
    const std::string_view rest = line.substr(nameStart);
    std::size_t nameEnd = rest.rfind(' ');
    if (nameEnd == std::string_view::npos)
        return ListLineKind::Unreadable;
    while (nameEnd > 0 && rest[nameEnd - 1] == ' ') --nameEnd;
    if (nameEnd == 0)
        return ListLineKind::Unreadable;
    const std::string_view name = rest.substr(0, nameEnd);
    if (!platform::IsSingleCatalogItem(name))
        return ListLineKind::NamesNothing;
    entry.name = std::string(name);
    entry.size = ReadSize(tokens[0]);
    entry.folder = line.find("<DIR>") != std::string_view::npos;
    return ListLineKind::Entry;
}

namespace {

// An empty line, or nothing but blanks up to the end, ends a folder's entries.
bool EndsEntries(std::string_view listing, std::size_t pos) {
    return listing.find_first_not_of(" \t\r", pos) == std::string_view::npos ||
           listing[pos] == '\n' || listing.compare(pos, 2, "\r\n") == 0;
}

}  // namespace

bool ListingEntryLines(std::string_view listing, std::vector<std::string_view>& lines) {
    lines.clear();
    std::size_t pos = listing.find('\n');
    if (pos != std::string_view::npos)
        pos = listing.find('\n', pos + 1);
    if (pos == std::string_view::npos || listing.find('\n', pos + 1) == std::string_view::npos)
        return false;
    ++pos;
    while (!EndsEntries(listing, pos)) {
        // A last line without its LF is an entry all the same: dropping it would leave a
        // file behind while the copy says it is done.
        const std::size_t end = listing.find('\n', pos);
        lines.push_back(listing.substr(pos, end == std::string_view::npos ? end : end - pos));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    return true;
}

bool IsCarriableName(std::string_view name) {
    if (name.empty())
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '"' || c == '/' || c == '\\')
            return false;
    }
    return true;
}

std::string ShortenDisplayPath(std::string_view path) {
    const std::size_t first = path.find('/');
    if (first == std::string_view::npos)
        return std::string(path);
    const std::size_t second = path.find('/', first + 1);
    if (second == std::string_view::npos)
        return std::string(path);
    const std::string_view rest = path.substr(second + 1);
    std::size_t slashes = 0;
    for (const char c : rest) slashes += c == '/' ? 1 : 0;
    if (slashes < 3)
        return std::string(rest);
    const std::size_t restFirst = rest.find('/');
    const std::size_t restSecond = rest.find('/', restFirst + 1);
    const std::size_t restLast = rest.rfind('/');
    if (restLast <= restSecond + 4)
        return std::string(rest);
    std::string shortened(rest.substr(0, restSecond + 1));
    shortened += " ... ";
    shortened += rest.substr(restLast);
    return shortened;
}

}  // namespace mirrak
