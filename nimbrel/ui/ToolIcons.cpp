#include "nimbrel/ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace nimbrel {

namespace {

constexpr int kSize = 24;

void Folder(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath path;
    path.moveTo(2, 6);
    path.lineTo(9, 6);
    path.lineTo(11, 8);
    path.lineTo(21, 8);
    path.lineTo(21, 19);
    path.lineTo(2, 19);
    path.closeSubpath();
    p.drawPath(path);
}

void Disk(QPainter& p, const QColor& label) {
    p.setPen(QPen(QColor(30, 40, 80), 1));
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(3, 3, 17, 17);
    p.setBrush(Qt::white);
    p.drawRect(6, 3, 11, 7);
    p.setBrush(label);
    p.drawRect(7, 13, 9, 6);
}

// Colour bars in a frame: the picture a build starts from.
void Bars(QPainter& p, const QRect& r) {
    const QColor bars[] = {Qt::white,   Qt::yellow, Qt::cyan, Qt::green,
                           Qt::magenta, Qt::red,    Qt::blue};
    for (int i = 0; i < 7; ++i) {
        const int x0 = r.left() + r.width() * i / 7;
        const int x1 = r.left() + r.width() * (i + 1) / 7;
        p.fillRect(x0, r.top(), x1 - x0, r.height(), bars[i]);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void Page(QPainter& p, const QRect& r) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    for (int y = r.top() + 3; y < r.bottom() - 1; y += 3) {
        p.drawLine(r.left() + 2, y, r.right() - 2, y);
    }
}

void Windows(QPainter& p, bool oneAboveTheOther, bool cascade) {
    p.setPen(QPen(QColor(30, 40, 80), 1));
    auto window = [&](const QRect& r) {
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.fillRect(r.left() + 1, r.top() + 1, r.width() - 1, 3, QColor(60, 90, 170));
    };
    if (cascade) {
        window(QRect(2, 2, 13, 11));
        window(QRect(6, 6, 13, 11));
        window(QRect(10, 10, 12, 11));
    } else if (oneAboveTheOther) {
        window(QRect(2, 2, 19, 9));
        window(QRect(2, 13, 19, 9));
    } else {
        window(QRect(2, 2, 9, 19));
        window(QRect(13, 2, 9, 19));
    }
}

void Arrow(QPainter& p) {
    p.setPen(QPen(QColor(20, 120, 20), 2));
    p.drawLine(9, 12, 15, 12);
    p.drawLine(12, 9, 15, 12);
    p.drawLine(12, 15, 15, 12);
}

}  // namespace

QIcon ToolIcons::Make(Kind kind) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (kind) {
        case kOpen:
            Folder(p);
            break;
        case kSaveFrame:
            Disk(p, QColor(240, 200, 90));
            break;
        case kSavePic:
            Disk(p, QColor(120, 200, 120));
            break;
        case kBuildFrame:
            p.fillRect(1, 5, 22, 14, QColor(70, 70, 70));
            Bars(p, QRect(5, 7, 14, 10));
            break;
        case kBuildPicFile:
            Bars(p, QRect(1, 4, 8, 12));
            Arrow(p);
            Page(p, QRect(16, 3, 7, 17));
            break;
        case kBuildPicBmp:
            Page(p, QRect(1, 3, 7, 17));
            Arrow(p);
            Bars(p, QRect(16, 4, 8, 12));
            break;
        case kCascade:
            Windows(p, false, true);
            break;
        case kTileHorizontal:
            Windows(p, true, false);
            break;
        case kTileVertical:
            Windows(p, false, false);
            break;
        case kTool:
            p.setPen(QPen(QColor(90, 90, 90), 3));
            p.drawLine(5, 19, 15, 9);
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(QColor(160, 160, 160));
            p.drawEllipse(QPoint(16, 7), 5, 5);
            break;
        case kAbout:
            p.setPen(QPen(QColor(30, 40, 120), 1));
            p.setBrush(QColor(80, 120, 220));
            p.drawEllipse(2, 2, 19, 19);
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(12, 10, 12, 17);
            p.drawPoint(12, 6);
            break;
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace nimbrel
