// File types by name, shared by the item model, the link and the block transfer.
//
// The type decides the icon, the load command, the confirmation dialog and the command head of
// a copy to the instrument. It is taken from the upper-case name: a name of three characters
// or fewer, or one whose last '.' does not stand exactly four characters before the end, is
// "other"; then the first ".DNL", ".LGO", ".SEQ", ".PST", ".PIC" or ".CMP" that stands at the
// end gives its type (so X.PIC.PIC, whose first ".PIC" is not at the end, is "other"); last,
// a name beginning "MSTATE" whose first ".P" stands four characters before the end is a
// preset (MSTATE.P03).
#pragma once

#include <string>

namespace drenlo {

enum FileType {
    kFileOther = 4,
    kFileDownload = 5,  // .dnl
    kFileLogo = 6,      // .lgo
    kFileSequence = 7,  // .seq
    kFilePicture = 8,   // .pic
    kFilePreset = 9,    // .pst, MSTATE*.P*
    kFileSignal = 10,   // .cmp
};

// Upper case as the names are stored: single bytes, ASCII letters only.
std::string UpperName(const std::string& name);

// The type of `name` (any case; the rule runs on its upper-case form).
int FileTypeOfName(const std::string& name);

}  // namespace drenlo
