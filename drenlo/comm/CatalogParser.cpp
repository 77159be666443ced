#include "drenlo/comm/CatalogParser.h"

#include <charconv>
#include <cmath>

#include "platform/CatalogItem.h"

namespace drenlo {

namespace {

// "%lf"'s reading without its locale and without "inf", "nan" or hex: leading blanks, then
// the longest decimal number. Returns the position after it, or npos when none reads.
std::string::size_type ReadNumber(const std::string& text, std::string::size_type at,
                                  double& value) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at >= text.size())
        return std::string::npos;
    const char first = text[at];
    if (!(first == '+' || first == '-' || first == '.' || (first >= '0' && first <= '9'))) {
        return std::string::npos;
    }
    const char* begin = text.data() + at;
    if (first == '+')
        ++begin;  // from_chars takes no plus sign
    const auto result =
        std::from_chars(begin, text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::string::npos;
    return static_cast<std::string::size_type>(result.ptr - text.data());
}

}  // namespace

int CCatalogParser::ReadCounts(const std::string& reply, double& usedBytes, double& freeBytes) {
    std::string head = reply;
    const std::string::size_type quote = reply.find('"');
    if (quote != std::string::npos) {
        // Less the comma in front of the quote; a quote at the very start leaves no counts.
        if (quote == 0)
            return 0;
        head = reply.substr(0, quote - 1);
    }
    double used = 0;
    double free = 0;
    std::string::size_type at = ReadNumber(head, 0, used);
    if (at == std::string::npos || at >= head.size() || head[at] != ',')
        return 0;
    at = ReadNumber(head, at + 1, free);
    if (at == std::string::npos)
        return 0;
    usedBytes = used;
    freeBytes = free;
    return 1;
}

void CCatalogParser::SkipToEntries(CCatalogReply& reply) {
    const std::string::size_type quote = reply.text.find('"', reply.at);
    if (quote == std::string::npos) {
        reply.Clear();
    } else {
        reply.at = quote;
    }
}

int CCatalogParser::TakeEntry(CCatalogReply& reply, CFileInfo& item) {
    for (;;) {
        const int taken = TakeListedEntry(reply, item);
        if (taken != kNamesNothing)
            return taken;
    }
}

int CCatalogParser::TakeListedEntry(CCatalogReply& reply, CFileInfo& item) {
    const std::string& text = reply.text;
    const std::string::size_type open =
        reply.AtEnd() ? std::string::npos : text.find('"', reply.at);
    if (open == std::string::npos) {
        reply.Clear();
        return 0;
    }
    const std::string::size_type close = text.find('"', open + 1);
    // The whole quoted text is the name, commas included: cutting it would aim later
    // commands at another file.
    if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ',') {
        reply.Clear();
        return 0;
    }
    std::string name = text.substr(open + 1, close - open - 1);
    const std::string::size_type typeEnd = text.find(',', close + 2);
    if (typeEnd == std::string::npos) {
        reply.Clear();
        return 0;
    }
    const std::string::size_type sizeEnd = text.find(',', typeEnd + 1);
    const std::string sizeText = text.substr(
        typeEnd + 1, sizeEnd == std::string::npos ? std::string::npos : sizeEnd - typeEnd - 1);
    if (sizeEnd == std::string::npos) {
        reply.Clear();
    } else {
        reply.at = sizeEnd + 1;
    }

    double size = 0;
    const std::string::size_type end = ReadNumber(sizeText, 0, size);
    if (end == std::string::npos || size < 0 || size > kMaxSize) {
        reply.Clear();
        return 0;
    }
    for (std::string::size_type i = end; i < sizeText.size(); ++i) {
        if (sizeText[i] != ' ' && sizeText[i] != '\t') {
            reply.Clear();
            return 0;
        }
    }
    const int isFolder = !name.empty() && name.back() == '/' ? 1 : 0;
    if (name.size() == static_cast<std::string::size_type>(isFolder)) {
        reply.Clear();
        return 0;
    }
    if (!platform::IsSingleCatalogItem(name))
        return kNamesNothing;
    if (isFolder)
        name.pop_back();
    item = CFileInfo(name, static_cast<std::uint64_t>(size), FileTime{0}, isFolder);
    return 1;
}

}  // namespace drenlo
