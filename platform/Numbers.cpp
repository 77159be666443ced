#include "platform/Numbers.h"

#include <locale.h>

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The "C" locale as an object, so that conversions do not depend on the process locale.
locale_t CLocale() {
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocaleScope {
public:
    CLocaleScope()
        : m_previous(CLocale() != static_cast<locale_t>(0) ? ::uselocale(CLocale())
                                                           : static_cast<locale_t>(0)) {}
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
    ~CLocaleScope() {
        if (m_previous != static_cast<locale_t>(0)) {
            ::uselocale(m_previous);
        }
    }

private:
    locale_t m_previous;
};

// Length of the leading decimal number at `p` (after blanks were skipped), 0 if none.
size_t DecimalSpan(const char* p) {
    size_t i = 0;
    if (p[i] == '+' || p[i] == '-') {
        ++i;
    }
    size_t digits = 0;
    while (IsDigit(p[i])) {
        ++i;
        ++digits;
    }
    if (p[i] == '.') {
        ++i;
        while (IsDigit(p[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (p[i] == 'e' || p[i] == 'E') {
        size_t j = i + 1;
        if (p[j] == '+' || p[j] == '-') {
            ++j;
        }
        if (IsDigit(p[j])) {
            while (IsDigit(p[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

double StrtodInC(const std::string& number) {
    if (CLocale() != static_cast<locale_t>(0)) {
        return ::strtod_l(number.c_str(), nullptr, CLocale());
    }
    CLocaleScope scope;
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace

void UseCNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

double StrToDouble(const char* text, const char** end) {
    if (end != nullptr) {
        *end = text;
    }
    if (text == nullptr) {
        return 0.0;
    }
    const char* p = text;
    while (IsBlank(*p)) {
        ++p;
    }
    const size_t span = DecimalSpan(p);
    if (span == 0) {
        return 0.0;
    }
    // Only the validated span is converted, so the C library's own extensions (nan, inf, hex)
    // and the process locale's decimal point cannot come into play. from_chars rounds exactly
    // as strtod does, without a copy or a locale; it gives no value for a number beyond the
    // double range at either end, and those few take the C library's answer (an infinity,
    // saturated below, or the nearest tiny value or zero).
    const char* const first = *p == '+' ? p + 1 : p;
    double value = 0.0;
    const std::from_chars_result parsed = std::from_chars(first, p + span, value);
    if (parsed.ec != std::errc() || parsed.ptr != p + span) {
        value = StrtodInC(std::string(p, span));
    }
    if (std::isinf(value)) {
        value = value < 0 ? -DBL_MAX : DBL_MAX;
    }
    if (end != nullptr) {
        *end = p + span;
    }
    return value;
}

long StrToLong(const char* text, const char** end) {
    if (end != nullptr) {
        *end = text;
    }
    if (text == nullptr) {
        return 0;
    }
    const char* p = text;
    while (IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (!IsDigit(*p)) {
        return 0;
    }
    // Accumulate toward the negative side, which holds one more value than the positive.
    long value = 0;
    bool saturated = false;
    for (; IsDigit(*p); ++p) {
        const int digit = *p - '0';
        if (!saturated) {
            if (value < (LONG_MIN + digit) / 10) {
                saturated = true;
            } else {
                value = value * 10 - digit;
            }
        }
    }
    if (end != nullptr) {
        *end = p;
    }
    if (saturated) {
        return negative ? LONG_MIN : LONG_MAX;
    }
    if (!negative) {
        return value == LONG_MIN ? LONG_MAX : -value;
    }
    return value;
}

int StrToInt(const char* text) {
    const long value = StrToLong(text);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

int DoubleToIntSaturated(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::string Format(const char* format, ...) {
    if (format == nullptr) {
        return std::string();
    }
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char small[256];
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string result;
    if (needed < 0) {
        va_end(again);
        return result;
    }
    if (static_cast<size_t>(needed) < sizeof small) {
        result.assign(small, static_cast<size_t>(needed));
    } else {
        result.resize(static_cast<size_t>(needed));
        std::vsnprintf(result.data(), result.size() + 1, format, again);
    }
    va_end(again);
    return result;
}

int ScanInts(const char* text, const char* separator, int* values, int maxValues) {
    if (text == nullptr || values == nullptr || maxValues <= 0) {
        return 0;
    }
    if (separator == nullptr) {
        separator = "";
    }
    const char* p = text;
    int count = 0;
    while (count < maxValues) {
        if (count > 0) {
            for (const char* s = separator; *s != '\0'; ++s) {
                if (IsBlank(*s)) {
                    while (IsBlank(*p)) {
                        ++p;
                    }
                } else if (*p == *s) {
                    ++p;
                } else {
                    return count;
                }
            }
        }
        const char* end = nullptr;
        const long value = StrToLong(p, &end);
        if (end == p) {
            return count;
        }
        values[count++] = value > INT_MAX   ? INT_MAX
                          : value < INT_MIN ? INT_MIN
                                            : static_cast<int>(value);
        p = end;
    }
    return count;
}

}  // namespace platform
