// The header of a definite-length block as the instrument's reply begins.
#include <cstddef>
#include <cstdint>
#include <string>

#include "drenlo/transfer/BlockHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    drenlo::CBlockHeader header;
    size_t used = 0;
    while (used < size &&
           header.Feed(static_cast<char>(data[used])) == drenlo::CBlockHeader::State::NeedMore) {
        ++used;
    }
    if (header.GetState() == drenlo::CBlockHeader::State::Done) {
        // One digit announces at most nine length digits.
        if (header.GetLength() > drenlo::CBlockHeader::kMaxBlockSize)
            __builtin_trap();
        const std::string again = drenlo::CBlockHeader::Format(header.GetLength());
        std::uint64_t length = 0;
        if (!drenlo::CBlockHeader::Parse(again, length) || length != header.GetLength())
            __builtin_trap();
    }
    return 0;
}
