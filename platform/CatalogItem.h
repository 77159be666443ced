// One item of a folder listing, as listed: whether it names one thing in that folder, and the
// name it stands for.
//
// Listings give each item as one name, a folder's with a single '/' after it. The instrument
// writes a '/' inside a name as "`s", so a raw '/' anywhere else would make the item a path:
// "../../LOGO/", "X/Y/" or "a/b/c.cmp" would lead a later command out of the folder listed, and
// "." and ".." name the folder itself and its parent. Such an item is passed over by every
// reader, as if the listing did not hold it. The test is on the item as listed, escapes
// unresolved: a name that resolves to a '/' is a name like any other and goes back escaped.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline bool IsSingleCatalogItem(std::string_view listed) {
    if (!listed.empty() && listed.back() == '/')
        listed.remove_suffix(1);
    return !listed.empty() && listed != "." && listed != ".." &&
           listed.find('/') == std::string_view::npos;
}

// The name as the instrument means it and the operator reads it: "`h" '-', "`s" '/', "`c" ':',
// '^' a blank; a back-quote before any other character stands for that character ("``" for a
// back-quote), one at the very end for nothing.
std::string UnescapeInstrumentName(std::string_view listed);

}  // namespace platform
