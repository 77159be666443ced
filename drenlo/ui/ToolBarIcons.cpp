#include "drenlo/ui/ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
constexpr int kSize = 16;

// The PC as a small screen, the instrument as a box with a slot: the arrow between them
// tells the direction.
void DrawScreen(QPainter& p, int x) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(120, 170, 230));
    p.drawRect(x, 2, 6, 5);
    p.drawLine(x + 3, 8, x + 3, 9);
    p.drawLine(x + 1, 9, x + 5, 9);
}

void DrawInstrument(QPainter& p, int x) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(x, 2, 6, 7);
    p.setPen(QColor(200, 40, 40));
    p.drawLine(x + 2, 4, x + 4, 4);
}

void DrawArrow(QPainter& p, bool toRight) {
    p.setPen(QPen(QColor(20, 120, 20), 2));
    p.drawLine(3, 13, 12, 13);
    const int tip = toRight ? 13 : 2;
    const int back = toRight ? 10 : 5;
    p.drawLine(tip, 13, back, 10);
    p.drawLine(tip, 13, back, 16);
}

void DrawModeCells(QPainter& p, int mode) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(120, 170, 230));
    switch (mode) {
        case 0:  // large icons: four big squares
            for (int y : {2, 9})
                for (int x : {2, 9}) p.drawRect(x, y, 5, 5);
            break;
        case 2:  // small icons: small squares with lines beside them
            for (int y : {2, 7, 12})
                for (int x : {1, 9}) {
                    p.drawRect(x, y, 2, 2);
                    p.drawLine(x + 4, y + 1, x + 6, y + 1);
                }
            break;
        case 3:  // list: one column of small squares and lines
            for (int y : {2, 6, 10}) {
                p.drawRect(2, y, 2, 2);
                p.drawLine(6, y + 1, 13, y + 1);
            }
            break;
        default:  // details: a header and rows
            p.drawRect(1, 1, 13, 3);
            for (int y : {7, 10, 13}) {
                p.drawLine(2, y, 8, y);
                p.drawLine(10, y, 13, y);
            }
            break;
    }
}
}  // namespace

QIcon ToolBarIcon(int commandId) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (commandId) {
        case ID_PC_TO_QUARN:
            DrawScreen(p, 1);
            DrawInstrument(p, 9);
            DrawArrow(p, true);
            break;
        case ID_QUARN_TO_PC:
            DrawInstrument(p, 1);
            DrawScreen(p, 9);
            DrawArrow(p, true);
            break;
        case ID_UP_ONE_LEVEL: {
            p.setPen(QColor(120, 90, 10));
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(1, 5, 13, 9);
            p.setPen(QPen(QColor(20, 100, 20), 2));
            p.drawLine(8, 12, 8, 3);
            p.drawLine(8, 2, 5, 5);
            p.drawLine(8, 2, 11, 5);
            break;
        }
        case ID_VIEW_LARGE_ICONS:
            DrawModeCells(p, 0);
            break;
        case ID_VIEW_SMALL_ICONS:
            DrawModeCells(p, 2);
            break;
        case ID_VIEW_LIST:
            DrawModeCells(p, 3);
            break;
        case ID_VIEW_DETAILS:
            DrawModeCells(p, 1);
            break;
        default:
            return QIcon();
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace drenlo
