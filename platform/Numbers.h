// Number parsing and formatting the way the programs did it with the C library, minus its
// surprises.
//
// The programs read numbers out of instrument replies and edit fields with the C library's
// leading-number rule: leading blanks, a sign, digits, a decimal point, an exponent, and the
// rest of the text ignored. These helpers keep that rule but accept only a plain decimal
// number, whatever the locale: "nan", "inf" and "0x1A" do not read as special values or hex
// (the last reads as the leading "0"), and the decimal point is always '.'. Out-of-range
// values saturate instead of overflowing, so a hostile reply can never produce an infinity,
// a NaN, or undefined behaviour in a conversion to int.
//
// Formatting always writes '.' as the decimal point, even if someone changed LC_NUMERIC.
#pragma once

#include <string>

namespace platform {

// Sets LC_NUMERIC to "C". Call after the application object exists: Qt (and the platform
// theme it loads) may set the locale from the environment while starting.
void UseCNumericLocale();

// Leading decimal number of `text` (strtod's rule, decimal only). Returns 0 and sets *end to
// text when there is none. Values beyond the double range saturate to +-DBL_MAX.
double StrToDouble(const char* text, const char** end = nullptr);

// Leading decimal integer (strtol base 10). Saturates to the long range.
long StrToLong(const char* text, const char** end = nullptr);

// Leading decimal integer as atoi reads it, saturated to the 32-bit range.
int StrToInt(const char* text);

// Truncates toward zero like a C cast, but NaN gives 0 and out-of-range values saturate.
int DoubleToIntSaturated(double value);

// printf-style formatting into a std::string, with '.' as the decimal point.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reads up to maxValues integers separated by `separator`, the way sscanf reads "%d, %d, %d"
// (separator ", ") or "%d.%d.%d.%d" (separator "."): blanks before each number are skipped,
// a blank in the separator matches any run of blanks (or none), any other separator byte must
// match exactly. Stops at the first mismatch and returns how many values were stored; later
// entries of `values` are left untouched. Unlike sscanf, empty input returns 0, not EOF.
// Values saturate to the int range.
int ScanInts(const char* text, const char* separator, int* values, int maxValues);

}  // namespace platform
