#include "corvane/modules/video/CatalogListing.h"

#include <algorithm>
#include <cctype>

#include "platform/CatalogItem.h"

namespace corvane {

namespace {

bool UsableName(std::string_view item) {
    if (!platform::IsSingleCatalogItem(item))
        return false;
    return std::none_of(item.begin(), item.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7f;
    });
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

std::optional<std::string> CatalogListing::NextEntry() {
    for (;;) {
        const auto open = m_reply.find('"', m_position);
        if (open == std::string::npos)
            return std::nullopt;
        const auto close = m_reply.find('"', open + 1);
        if (close == std::string::npos)
            return std::nullopt;
        m_position = close + 1;
        std::string item = m_reply.substr(open + 1, close - open - 1);
        if (UsableName(item))
            return item;
    }
}

std::optional<std::string> CatalogListing::NextFolderName() {
    while (auto item = NextEntry()) {
        if (item->back() == '/') {
            item->pop_back();
            return item;
        }
    }
    return std::nullopt;
}

std::optional<std::string> CatalogListing::NextNameWithSuffix(std::string_view suffix) {
    while (auto item = NextEntry()) {
        if (EndsWithIgnoringCase(*item, suffix))
            return item;
    }
    return std::nullopt;
}

int CatalogListing::CountQuotedItems(std::string_view reply) {
    int count = 0;
    std::string_view::size_type position = 0;
    for (;;) {
        const auto open = reply.find('"', position);
        if (open == std::string_view::npos)
            return count;
        const auto close = reply.find('"', open + 1);
        if (close == std::string_view::npos)
            return -1;
        ++count;
        position = close + 1;
    }
}

}  // namespace corvane
