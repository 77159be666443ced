#include "corvane/modules/common/QuotableText.h"

namespace corvane {

std::string QuotableText(std::string_view text) {
    std::string quotable;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f && c != '"')
            quotable += c;
    }
    return quotable;
}

}  // namespace corvane
