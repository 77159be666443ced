#include "nimbrel/ui/FrameBitmap.h"

#include <algorithm>
#include <utility>

namespace nimbrel {

int FrameBitmap::Build(const platform::Bitmap& source, int width, int height,
                       BackgroundColour colour, FrameBitmap& out) {
    if (source.IsEmpty() || width <= 0 || height <= 0 ||
        width > platform::Bitmap::kMaxSide - 2 * kMargin) {
        return 0;
    }
    FrameBitmap built;
    const int frameWidth = width + 2 * kMargin;
    if (!built.frame.Create(frameWidth, height) || !built.preview.Create(width, height)) {
        return 0;
    }
    built.frame.FillRect(0, 0, frameWidth, height, colour.r, colour.g, colour.b);
    built.preview.FillRect(0, 0, width, height, colour.r, colour.g, colour.b);

    // A lower picture is centred (rounding down); a taller one loses its rows below H.
    const int top = source.Height() < height ? (height - source.Height()) / 2 : 0;
    const int rows = std::min(source.Height(), height);

    if (source.Width() < width) {
        const int offset = (width - source.Width()) / 2;
        built.leftEdge = kMargin + offset;
        built.rightMargin = 0;
        built.frame.CopyRect(built.leftEdge, top, source, 0, 0, source.Width(), rows);
        built.preview.CopyRect(offset, top, source, 0, 0, source.Width(), rows);
    } else {
        // A wider picture runs on into the right margin, so the filter sees real picture
        // there instead of background.
        const int copied = std::min(source.Width(), width + kMargin);
        built.leftEdge = kMargin;
        built.rightMargin = frameWidth - (kMargin + copied);
        built.frame.CopyRect(kMargin, top, source, 0, 0, copied, rows);
        built.preview.CopyRect(0, top, source, 0, 0, width, rows);
    }
    out = std::move(built);
    return 1;
}

}  // namespace nimbrel
