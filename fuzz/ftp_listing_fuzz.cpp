// A folder listing from an FTP server, line by line as the duplicator walks it, and the path
// text the progress dialog shows for what it found.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CatalogItem.h"
#include "utilities/mirrak/ListEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        mirrak::ListEntry entry;
        if (mirrak::ParseListLine(line, entry) == mirrak::ListLineKind::Entry) {
            if (!platform::IsSingleCatalogItem(entry.name) || entry.size < 0)
                __builtin_trap();
            if (line.find(entry.name) == std::string_view::npos || line.size() >= 512)
                __builtin_trap();
            if (mirrak::IsCarriableName(entry.name) &&
                entry.name.find_first_of("\r\n\"/\\") != std::string::npos)
                __builtin_trap();
            const std::string shown = mirrak::ShortenDisplayPath("/F0:/" + entry.name);
            if (shown.size() > entry.name.size() + 5)
                __builtin_trap();
        }
        pos = end + 1;
    }
    (void)mirrak::ShortenDisplayPath(text);
    // The walk's lines: pieces of the text in order, none holding an LF, none empty.
    std::vector<std::string_view> lines;
    if (mirrak::ListingEntryLines(text, lines)) {
        const char* after = text.data();
        for (const std::string_view line : lines) {
            if (line.empty() || line.find('\n') != std::string_view::npos || line.data() < after ||
                line.data() + line.size() > text.data() + text.size())
                __builtin_trap();
            after = line.data() + line.size();
        }
    } else if (!lines.empty()) {
        __builtin_trap();
    }
    return 0;
}
