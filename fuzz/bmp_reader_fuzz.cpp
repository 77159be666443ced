// A BMP file as a damaged or crafted one could hold it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::Bitmap bmp;
    int depth = 0;
    if (bmp.ReadBmp(data, size, depth) != platform::Bitmap::kOk) {
        if (!bmp.IsEmpty())
            __builtin_trap();
        return 0;
    }
    if (depth != 24 || bmp.Width() <= 0 || bmp.Height() <= 0)
        __builtin_trap();
    // What was read writes back and reads back the same.
    const std::vector<std::uint8_t> written = bmp.ToBmp();
    platform::Bitmap again;
    if (again.ReadBmp(written.data(), written.size(), depth) != platform::Bitmap::kOk)
        __builtin_trap();
    if (again.Width() != bmp.Width() || again.Height() != bmp.Height())
        __builtin_trap();
    for (std::int32_t y = 0; y < bmp.Height(); ++y)
        if (std::memcmp(again.Row(y), bmp.Row(y), static_cast<std::size_t>(bmp.Width()) * 3))
            __builtin_trap();
    return 0;
}
