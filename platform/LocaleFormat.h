// Numbers, dates and times in the operator's locale, for lists the operator reads.
//
// The C library's numeric locale stays "C" (Numbers.h) for everything the programs parse
// and send; these helpers take the operator's formats from QLocale::system() instead, as the
// Windows locale functions did. Results are single-byte (Latin-1): a separator outside
// Latin-1 (the narrow no-break space of some locales) becomes the no-break space 0xA0, any
// other such character '?'. Tests fix the locale with SetFormatLocaleForTests.
#pragma once

#include <QLocale>
#include <cstdint>
#include <string>

namespace platform {

// Whole number with the locale's digit grouping: 1234567 -> "1,234,567" (en_US).
std::string FormatGroupedNumber(std::uint64_t value);
// The locale's short date: 2026-12-08 -> "12/8/26" (en_US).
std::string FormatShortDate(int year, int month, int day);
// The locale's short time, without seconds: 14:05 -> "2:05 PM" (en_US).
std::string FormatShortTime(int hour, int minute);
// Short date, a blank, short time of a moment in seconds since 1970 (UTC), shown in the
// local time zone.
std::string FormatLocalDateTime(std::int64_t secondsSince1970);

// Overrides QLocale::system() for these helpers; an empty optional call restores it.
void SetFormatLocaleForTests(const QLocale& locale);
void ResetFormatLocaleForTests();

}  // namespace platform
