// The controller's "*OPT?" reply, as any peer could send it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/core/ReplyParsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    std::string version;
    if (corvane::ParseFirmwareVersion(reply, version) && version.empty())
        __builtin_trap();
    return 0;
}
