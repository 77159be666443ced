// The one way every Nimbrel ini key is read, so hand-edited files behave the same everywhere:
// an empty value is missing, a comment after a tab or ';' is dropped, as is the rest after a
// line break, the value is cut to the caller's buffer size less one, and trailing blanks go.
#pragma once

#include <cstddef>
#include <string>

namespace nimbrel {

class IniValue {
public:
    // True with the cleaned value, false (value empty) when the file, section or key is
    // missing or holds nothing.
    static bool Read(const std::string& file, const std::string& section, const std::string& key,
                     std::string& value, std::size_t size = 256);
    // The cleaning alone, on a value as the private-profile call gave it.
    static std::string Clean(const std::string& raw, std::size_t size = 256);
    // atol's reading (leading blanks, sign, digits, the rest ignored); 0 without digits. Values
    // beyond the range of long saturate instead of wrapping.
    static long ToLong(const std::string& text);
    // Decimal only, as platform::ToDouble reads it: "nan", "inf" and hex read as 0.
    static double ToDouble(const std::string& text);
};

}  // namespace nimbrel
