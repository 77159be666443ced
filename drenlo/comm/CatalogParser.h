// CCatalogParser: reads the instrument's catalogue listing (the reply to "mmem:cat?").
//
// The listing is one line:
//   <used>,<free>,"<name>",<type>,<size>,"<folder>/",<type>,<size>...
// The two counts are the instrument memory's used and free bytes; a folder's name ends with
// '/' inside its quotes; the type field may be empty and is not read; a reply without any
// double quote is an empty folder. Names stay as listed (escapes unresolved, InstrumentNames.h).
//
// Entries are taken one at a time from a position that moves through the reply, as the
// views walk a listing; the text itself is never cut, so a walk is linear in the reply. Everything
// here is pure text work on hostile input: an entry that does not read (no closing quote, missing
// fields, a size that is not a finite whole number in [0, 2^53]) ends the walk; nothing indexes
// outside the text.
#pragma once

#include <string>

#include "drenlo/model/FileInfo.h"

namespace drenlo {

// A listing being walked: the reply and where the next entry begins.
struct CCatalogReply {
    std::string text;
    std::string::size_type at = 0;

    bool AtEnd() const { return at >= text.size(); }
    void Clear() {
        text.clear();
        at = 0;
    }
};

class CCatalogParser {
public:
    // Used and free bytes from the text before the reply's first quote (the whole reply when
    // there is none), read as "%lf,%lf" with '.' as the decimal point. 0 when fewer than two
    // finite numbers read.
    static int ReadCounts(const std::string& reply, double& usedBytes, double& freeBytes);

    // Moves the walk to the reply's first double quote (its end when there is none).
    static void SkipToEntries(CCatalogReply& reply);

    // Takes the next entry of `reply` that names something in the folder listed into `item`;
    // entries platform::IsSingleCatalogItem refuses ("..", "X/Y/") are passed over. 1 on
    // success; 0 at the end or when an entry does not read (the rest of the reply is then
    // dropped).
    static int TakeEntry(CCatalogReply& reply, CFileInfo& item);

    // Largest size taken as exact: beyond it a double no longer holds every whole number.
    static constexpr double kMaxSize = 9007199254740992.0;  // 2^53

private:
    // TakeEntry's answers for one entry, and this when the entry read but names nothing.
    static constexpr int kNamesNothing = 2;
    static int TakeListedEntry(CCatalogReply& reply, CFileInfo& item);
};

}  // namespace drenlo
