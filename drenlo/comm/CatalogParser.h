// CCatalogParser: reads the instrument's catalogue listing (the reply to "mmem:cat?").
//
// The listing is one line:
//   <used>,<free>,"<name>",<type>,<size>,"<folder>/",<type>,<size>...
// The two counts are the instrument memory's used and free bytes; a folder's name ends with
// '/' inside its quotes; the type field may be empty and is not read; a reply without any
// double quote is an empty folder. Names stay as listed (escapes unresolved, InstrumentNames.h).
//
// Entries are taken off the front of the reply text one at a time, as the views walk a
// listing. Everything here is pure text work on hostile input: an entry that does not read
// (no closing quote, missing fields, a size that is not a finite whole number in [0, 2^53])
// ends the walk; nothing indexes outside the text.
#pragma once

#include <string>

#include "drenlo/model/FileInfo.h"

namespace drenlo {

class CCatalogParser {
public:
    // Used and free bytes from the text before the reply's first quote (the whole reply when
    // there is none), read as "%lf,%lf" with '.' as the decimal point. 0 when fewer than two
    // finite numbers read.
    static int ReadCounts(const std::string& reply, double& usedBytes, double& freeBytes);

    // Cuts the reply so that it begins at its first double quote (empty when there is none).
    static void SkipToEntries(std::string& reply);

    // Takes the next entry off the front of `reply` into `item`. 1 on success; 0 at the end
    // or when the entry does not read (the rest of the reply is then dropped).
    static int TakeEntry(std::string& reply, CFileInfo& item);

    // Largest size taken as exact: beyond it a double no longer holds every whole number.
    static constexpr double kMaxSize = 9007199254740992.0;  // 2^53
};

}  // namespace drenlo
