#include "utilities/common/DottedAddress.h"

namespace utilities {

bool ParseDottedAddress(const std::string& text, std::uint32_t& address) {
    std::uint32_t value = 0;
    std::size_t pos = 0;
    for (int field = 0; field < 4; ++field) {
        if (field > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return false;
            ++pos;
        }
        int number = 0;
        int digits = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            if (++digits > 3)
                return false;
            number = number * 10 + (text[pos] - '0');
            ++pos;
        }
        if (digits == 0 || number > 255)
            return false;
        value = (value << 8) | static_cast<std::uint32_t>(number);
    }
    if (pos != text.size())
        return false;
    address = value;
    return true;
}

std::string FormatDottedAddress(std::uint32_t address) {
    return std::to_string((address >> 24) & 0xff) + "." + std::to_string((address >> 16) & 0xff) +
           "." + std::to_string((address >> 8) & 0xff) + "." + std::to_string(address & 0xff);
}

}  // namespace utilities
