// Instrument file names and paths, between the instrument's form and the PC's.
//
// Listings escape what the instrument's names cannot hold: "`h" stands for '-', "`s" for '/',
// "`c" for ':', '^' for a blank and "``" for a back-quote. Drenlo keeps listed names in that
// form (the instrument takes them back in paths as they were listed) and converts only where a
// name crosses to or from the PC.
#pragma once

#include <string>

namespace drenlo {

// 1 when `name` can travel inside a quoted argument of a command and come back in a listing:
// not empty, and no '"', ',', ';', control character or byte of 0x80 or more. Names the
// operator types or drops are refused (nothing sent) when this gives 0.
int IsTransportableName(const std::string& name);

// 1 when every character of an instrument path can stand inside a quoted argument: no '"',
// no control character (which would end or split the command line).
int IsQuotableArgument(const std::string& text);

// The listed (escaped) form of a PC file name; 0 when IsTransportableName refuses it.
int ListedNameFromPcName(const std::string& pcName, std::string& listed);

// A PC file name for a listed name that can never leave the folder it is put in: escapes
// resolved, '/', '\\', NUL and control characters mapped to '_'. Empty when the result would
// be "." or ".." or empty.
std::string PcNameFromListedName(const std::string& listed);

}  // namespace drenlo
