// The frame bitmap of a picture format built from an opened bitmap: the picture placed in a
// W x H frame with a 51-column margin at each side for the filter to run into, and the same
// placement without the margins for the operator to look at. Pure, so the placement rules are
// checked without a window.
#pragma once

#include "nimbrel/LineBuilder.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "platform/Bitmap.h"

namespace nimbrel {

struct FrameBitmap {
    platform::Bitmap frame;    // (W + 102) x H
    platform::Bitmap preview;  // W x H
    // First frame column holding picture; kMargin means no background at the left.
    int leftEdge = kMargin;
    // Background columns after the picture at the right, counted only for a source at least
    // as wide as W: a narrower, centred one reports 0 although its right side is background.
    int rightMargin = 0;

    // 1/0 (0 for an empty source or a size the bitmaps cannot hold; `out` is then untouched).
    static int Build(const platform::Bitmap& source, int width, int height, BackgroundColour colour,
                     FrameBitmap& out);
};

}  // namespace nimbrel
