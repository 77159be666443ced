// Listing items that name nothing in the folder listed, as a hostile or broken instrument could
// list them, for every program's listing readers to be tried on alike: each reader must read a
// listing holding them among good items exactly as it reads the good items alone.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace testsupport {

inline const std::vector<std::string>& ItemsNamingNothing() {
    static const std::vector<std::string> items{"../../LOGO/", "X/Y/",     "../",
                                                "A/../../B/",  "./",       "..",
                                                "a/b/c.cmp",   "../x.pic", "../../LOGO/x.lgo"};
    return items;
}

// `items` with the ones naming nothing among them: one in front of each good item while they
// last, the rest after the last.
inline std::vector<std::string> AmongItemsNamingNothing(const std::vector<std::string>& items) {
    const std::vector<std::string>& bad = ItemsNamingNothing();
    std::vector<std::string> mixed;
    size_t next = 0;
    for (const std::string& item : items) {
        if (next < bad.size())
            mixed.push_back(bad[next++]);
        mixed.push_back(item);
    }
    mixed.insert(mixed.end(), bad.begin() + static_cast<std::ptrdiff_t>(next), bad.end());
    return mixed;
}

// A catalogue reply listing `items`: a name ending in '/' as a folder, any other as a file of
// four bytes.
inline std::string CatalogueReply(const std::vector<std::string>& items) {
    std::string reply = "1024,65536";
    for (const std::string& item : items) {
        const bool folder = !item.empty() && item.back() == '/';
        reply += ",\"" + item + (folder ? "\",DIR,0" : "\",BIN,4");
    }
    return reply;
}

}  // namespace testsupport
