// CPresetListing: the catalogue of one instrument folder ("mmem:cat?"), read into entries.
//
// The reply is one line:  <used>,<free>,"<name>",<type>,<size>,"<folder>/",<type>,<size>...
// The type field may be empty ("NAME",,123) or not ("NAME",BIN,123), so a size is found only
// by taking the listing apart entry by entry; a text search for the name and the next ",,"
// would find names inside longer names and sizes of later entries.
//
// An empty folder is its two counts alone, with or without the comma after the second one.
// An entry that names nothing in the folder (platform::IsSingleCatalogItem) is read and left out.
//
// The reply comes from the network and is read as hostile: a listing without its two counts,
// an entry without its closing quote or without its three fields does not read at all, so a
// garbled reply can never pass for an empty folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stowen {

class CPresetListing {
public:
    struct Entry {
        std::string name;  // as listed between the quotes; a folder's ends with '/'
        std::string type;
        std::string size;  // as listed; see ParseSize
    };

    // 1 when the whole reply reads; 0 leaves the listing empty.
    int Parse(const std::string& reply);

    // The first entry whose listed name is exactly `name`; null when there is none. A folder
    // never matches a file name, since its listed name carries the '/'.
    const Entry* Find(const std::string& name) const;

    const std::vector<Entry>& Entries() const { return m_entries; }

    // A listed size: decimal digits only, at most 15 of them (preset files are small, and
    // this keeps every size exact). 1/0.
    static int ParseSize(const std::string& text, std::uint64_t& size);

private:
    std::vector<Entry> m_entries;
};

}  // namespace stowen
