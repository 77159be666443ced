// The module catalogue reply, as any peer could send it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "corvane/core/ReplyParsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    std::vector<corvane::CatalogItem> items;
    corvane::ParseModuleCatalog(reply, items);
    if (items.size() > 4)
        __builtin_trap();
    return 0;
}
