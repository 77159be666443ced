// A stored instrument address as the utilities read it from their settings file, which any
// editor may have touched. An accepted text must be exactly what formatting its value gives
// back, apart from leading zeros in a field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "utilities/common/DottedAddress.h"

namespace {

std::string WithoutLeadingZeros(const std::string& text) {
    std::string out;
    bool fieldStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool moreDigits = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9';
        if (fieldStart && c == '0' && moreDigits)
            continue;
        out.push_back(c);
        fieldStart = c == '.';
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::uint32_t address = 0x5A5A5A5Au;
    if (!utilities::ParseDottedAddress(text, address)) {
        if (address != 0x5A5A5A5Au)
            std::abort();  // a refused text leaves the value alone
        return 0;
    }
    const std::string formatted = utilities::FormatDottedAddress(address);
    if (formatted != WithoutLeadingZeros(text))
        std::abort();
    std::uint32_t again = 0;
    if (!utilities::ParseDottedAddress(formatted, again) || again != address)
        std::abort();
    return 0;
}
