#include "platform/MdiWindowCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace platform {

namespace {

bool IsIcon(const QMdiSubWindow* window) {
    return window->isVisible() && window->isMinimized();
}

// Lines up the minimised children and returns the height their rows take at the bottom.
int PlaceIcons(QMdiArea* area) {
    const QSize client = area->viewport()->size();
    int x = 0;
    int bottom = client.height();
    int rowHeight = 0;
    int used = 0;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!IsIcon(window)) {
            continue;
        }
        const QSize size = window->size();
        if (x > 0 && x + size.width() > client.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        window->move(x, bottom - size.height());
        x += size.width();
        used = client.height() - bottom + rowHeight;
    }
    return used;
}

// The children to tile: the visible ones that are not icons, a maximised one restored first.
QList<QMdiSubWindow*> TileCandidates(QMdiArea* area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isVisible() || window->isMinimized()) {
            continue;
        }
        if (window->isMaximized()) {
            window->showNormal();
        }
        windows.append(window);
    }
    return windows;
}

void Tile(QMdiArea* area, bool oneAboveTheOther) {
    if (area == nullptr) {
        return;
    }
    const QList<QMdiSubWindow*> windows = TileCandidates(area);
    const int icons = PlaceIcons(area);
    if (windows.isEmpty()) {
        return;
    }
    const int width = area->viewport()->width();
    const int height = std::max(1, area->viewport()->height() - icons);
    const int count = static_cast<int>(windows.size());
    const int span = oneAboveTheOther ? height : width;
    for (int i = 0; i < count; ++i) {
        // The last child takes the remainder so the tiles cover the whole span.
        const int start = span * i / count;
        const int end = span * (i + 1) / count;
        const QRect rect = oneAboveTheOther ? QRect(0, start, width, end - start)
                                            : QRect(start, 0, end - start, height);
        windows[i]->setGeometry(rect);
    }
}

}  // namespace

void MdiWindowCommands::Cascade(QMdiArea* area) {
    if (area != nullptr) {
        area->cascadeSubWindows();
    }
}

void MdiWindowCommands::TileHorizontal(QMdiArea* area) {
    Tile(area, true);
}

void MdiWindowCommands::TileVertical(QMdiArea* area) {
    Tile(area, false);
}

void MdiWindowCommands::MinimizeAll(QMdiArea* area) {
    if (area == nullptr) {
        return;
    }
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible()) {
            window->showMinimized();
        }
    }
    PlaceIcons(area);
}

void MdiWindowCommands::ArrangeIcons(QMdiArea* area) {
    if (area != nullptr) {
        PlaceIcons(area);
    }
}

}  // namespace platform
