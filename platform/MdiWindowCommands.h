// The Window menu's commands over an MDI area, as the Windows MDI client offered them: Qt's
// QMdiArea only cascades and tiles in a grid, so tiling in one column or one row, minimising
// every child and lining the minimised children up along the bottom edge live here.
//
// Minimised children keep their icon row at the bottom while the others are tiled, so a tile
// never covers them, as on Windows. Hidden children are left alone.
#pragma once

class QMdiArea;

namespace platform {

class MdiWindowCommands {
public:
    static void Cascade(QMdiArea* area);
    // One above the other, each the full width of the area.
    static void TileHorizontal(QMdiArea* area);
    // Side by side, each the full height of the area.
    static void TileVertical(QMdiArea* area);
    static void MinimizeAll(QMdiArea* area);
    // Minimised children in rows from the bottom-left corner, left to right, then upwards.
    static void ArrangeIcons(QMdiArea* area);
};

}  // namespace platform
