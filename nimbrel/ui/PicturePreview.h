// A picture file turned back into a 24-bit bitmap for the operator to look at, line by line
// with progress and Cancel. The bitmap is built apart and handed out only when every line
// has been read, so a failure or Cancel leaves the caller's picture as it was.
#pragma once

#include <string>

#include "nimbrel/BuildProgress.h"
#include "platform/Bitmap.h"

namespace nimbrel {

class PicturePreview {
public:
    // The row of the bitmap that line `line` of `lines` fills: in order for a progressive
    // file; for an interlaced one the first field's lines fill the even rows from the top,
    // the second field's the odd rows.
    static int RowOfLine(int line, int lines, bool interlaced);

    // 0 on success, else the message code: 30 no such file, 34 not a picture file that can
    // be read, 32 / 31 a width / height of none or beyond what a bitmap holds, 24 Cancel,
    // 33 a line that does not read. levelIni: the main ini with the level sections.
    static int Read(const std::string& path, const std::string& levelIni, BuildProgress& progress,
                    platform::Bitmap& out);
};

}  // namespace nimbrel
