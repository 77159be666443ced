// CatalogListing: the entries of one "MMEM:CAT?" reply, taken from the front one by one.
//
// Only the text between each pair of double quotes is an entry name; the byte counts and the
// type and size fields outside the quotes are never read. A name ending in '/' is a folder.
// Each entry examined on the way to a match is used up, as the catalogue reads expect when
// they take the folders and then the files of one reply.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class CatalogListing {
public:
    explicit CatalogListing(std::string reply) : m_reply(std::move(reply)) {}

    // The next folder's name without its '/'; none when no complete quoted entry is left.
    std::optional<std::string> NextFolderName();
    // The next name ending in `suffix` (".cmp", ".pic", ".lgo"), compared without regard to
    // case; a name shorter than the suffix never matches.
    std::optional<std::string> NextNameWithSuffix(std::string_view suffix);

    // Quoted entries in `reply`; -1 when an opening quote has no closing one.
    static int CountQuotedItems(std::string_view reply);

private:
    // The next complete quoted entry that names something in the folder listed: what
    // platform::IsSingleCatalogItem refuses and names with control bytes (which could never
    // travel back inside a command line) are passed over.
    std::optional<std::string> NextEntry();

    std::string m_reply;
    std::string::size_type m_position = 0;
};

}  // namespace corvane
