// One line of an instrument's FTP folder listing, and the path text of the progress dialog.
//
// The instrument lists a folder as two header lines and then one line per entry:
//     <size> <date> <HH:MM> <name> <attribute>
// The size comes first, a ':' (in the time) stands somewhere before the name, and at least
// one blank-separated field follows the name, so names with blanks in them still read. A
// folder carries "<DIR>" somewhere on its line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirrak {

struct ListEntry {
    std::string name;
    std::int64_t size = 0;  // never negative
    bool folder = false;
};

enum class ListLineKind {
    Entry,         // `entry` is filled
    NamesNothing,  // ".", "..", "X/Y" (platform::IsSingleCatalogItem): nothing to copy
    Unreadable     // not a listing line in the instrument's format
};

// Lines of 512 characters or more are unreadable, as the instrument never writes them.
constexpr std::size_t kMaxListLine = 512;

ListLineKind ParseListLine(std::string_view line, ListEntry& entry);

// The entry lines of a folder listing, without their LF: what follows the two header lines,
// up to an empty line (LF or CR LF alone) or the end of the text. A last line without its LF
// is a line too; blanks alone after the last LF are not. False when the text has no two
// header lines followed by at least one more LF, which no listing of a folder lacks.
bool ListingEntryLines(std::string_view listing, std::vector<std::string_view>& lines);

// True when the name can travel inside the target's commands: an FTP command line ends at
// CR LF and a command-port argument is a quoted text, so CR, LF, other control characters
// and '"' cannot; '/' and '\' would name another folder than the one listed.
bool IsCarriableName(std::string_view name);

// "/F0:/AA/BB/CC/DD/EE" gives "AA/BB/ ... /EE": the drive part goes, and a deep path keeps
// its first two folders and its last part.
std::string ShortenDisplayPath(std::string_view path);

}  // namespace mirrak
