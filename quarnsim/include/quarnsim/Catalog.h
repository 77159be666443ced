#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarnsim {

struct CatalogEntry {
    std::string name;  // as on disk
    bool folder = false;
    uint64_t size = 0;
    // Listed as it is, without escapes: names the instrument lays out itself, such as a video
    // generator's format folders ("525-143", "1080 59.94i"). A name an unescaping reader would
    // misread still gets its escapes.
    bool literal = false;
};

// The catalogue listing of a folder as the instrument answers "MMEM:CAT?":
//   <used>,<free>,"<name>[/]",<type>,<size>,...
// Names use the instrument's file-name escapes: "`h" '-', "`s" '/', "`c" ':', '^' a space and
// "``" a back-quote.
class Catalog {
public:
    // False for a name no listing can carry: a quote, comma or ';' would split the entry
    // apart, a '^' would read back as a space, and control bytes end or garble the reply line.
    static bool EscapeName(std::string_view name, std::string* escaped);
    // Undoes the escapes in a path a client sends (clients pass listed names back as they got
    // them). Returns 0 when an escape would put a '/' inside a name.
    static int UnescapePath(std::string_view text, std::string* path);
    // Entries no listing can carry are left out. Without type fields the type is left empty
    // ("NAME",,123), which readers must take as well: the field is never read. A listing
    // without entries ends with a comma after the free count when `emptyComma` is set.
    static std::string Format(double usedBytes, double freeBytes,
                              const std::vector<CatalogEntry>& entries, bool typeFields = true,
                              bool emptyComma = false);
};

}  // namespace quarnsim
