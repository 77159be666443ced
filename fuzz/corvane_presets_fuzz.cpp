// The preset name and preset catalogue replies, as any peer could send them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/core/ReplyParsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    std::string name;
    if (corvane::ParsePresetName(reply, name) && name.size() >= reply.size())
        __builtin_trap();
    std::array<int, corvane::kPresetCount> used{};
    int userDefault = 0;
    corvane::ParsePresetCatalog(reply, used, userDefault);
    for (int u : used)
        if (u != 0 && u != 1)
            __builtin_trap();
    corvane::ErrorNumber(reply);
    return 0;
}
