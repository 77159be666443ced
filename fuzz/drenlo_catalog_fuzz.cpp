// The catalogue listing, as any peer could send it: counts, entries and the names' escapes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "drenlo/comm/CatalogParser.h"
#include "drenlo/comm/InstrumentNames.h"
#include "platform/CatalogItem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    drenlo::CCatalogReply reply{std::string(reinterpret_cast<const char*>(data), size)};
    double used = 0;
    double free = 0;
    drenlo::CCatalogParser::ReadCounts(reply.text, used, free);
    drenlo::CCatalogParser::SkipToEntries(reply);
    drenlo::CFileInfo item;
    size_t entries = 0;
    while (drenlo::CCatalogParser::TakeEntry(reply, item)) {
        // Every entry consumes text, so a walk ends within the reply's length.
        if (++entries > size)
            __builtin_trap();
        // One name in the folder listed, never a path: no '/', not "." or "..".
        if (!platform::IsSingleCatalogItem(item.GetName()) ||
            item.GetName().find('/') != std::string::npos || item.GetSize() > (1ULL << 53))
            __builtin_trap();
        const std::string pcName = drenlo::PcNameFromListedName(item.GetName());
        if (pcName.find('/') != std::string::npos || pcName == "." || pcName == "..")
            __builtin_trap();
    }
    return 0;
}
