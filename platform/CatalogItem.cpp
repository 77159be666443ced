#include "platform/CatalogItem.h"

namespace platform {

std::string UnescapeInstrumentName(std::string_view listed) {
    std::string out;
    out.reserve(listed.size());
    for (std::string_view::size_type i = 0; i < listed.size(); ++i) {
        const char c = listed[i];
        if (c == '^') {
            out += ' ';
        } else if (c != '`') {
            out += c;
        } else if (++i < listed.size()) {
            switch (listed[i]) {
                case 'h':
                    out += '-';
                    break;
                case 's':
                    out += '/';
                    break;
                case 'c':
                    out += ':';
                    break;
                default:
                    out += listed[i];
            }
        }
    }
    return out;
}

}  // namespace platform
