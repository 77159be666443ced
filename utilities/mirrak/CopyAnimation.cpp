#include "utilities/mirrak/CopyAnimation.h"

#include <QPainter>

#include "resources/mirrak/Resource.h"

namespace mirrak {

namespace {

constexpr int kFrames = 20;
constexpr int kIntervalMs = 70;

// A front panel: a grey case, a small screen and a row of module slots.
void DrawInstrument(QPainter& painter, const QRectF& box) {
    painter.setPen(QColor(70, 70, 80));
    painter.setBrush(QColor(200, 204, 210));
    painter.drawRoundedRect(box, 2, 2);
    const QRectF screen(box.left() + box.width() * 0.08, box.top() + box.height() * 0.18,
                        box.width() * 0.34, box.height() * 0.5);
    painter.setBrush(QColor(40, 90, 60));
    painter.drawRect(screen);
    painter.setBrush(QColor(120, 124, 132));
    for (int slot = 0; slot < 4; ++slot) {
        const qreal x = box.left() + box.width() * (0.5 + slot * 0.11);
        painter.drawRect(
            QRectF(x, box.top() + box.height() * 0.18, box.width() * 0.07, box.height() * 0.64));
    }
}

void DrawFrame(QPainter& painter, QSize size, int frame, int frames) {
    const qreal h = size.height() - 6;
    const qreal w = h * 2.0;
    const QRectF from(6, 3, w, h);
    const QRectF to(size.width() - 6 - w, 3, w, h);
    DrawInstrument(painter, from);
    DrawInstrument(painter, to);
    // The sheet goes straight across, below the instruments' top edge.
    const qreal t = static_cast<qreal>(frame) / (frames - 1);
    const qreal startX = from.right() + 4;
    const qreal endX = to.left() - 4 - h * 0.45;
    const qreal x = startX + (endX - startX) * t;
    const QRectF sheet(x, 3 + h * 0.15, h * 0.45, h * 0.6);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QColor(46, 125, 50));
    for (int line = 1; line <= 3; ++line) {
        const qreal ly = sheet.top() + sheet.height() * line / 4.5;
        painter.drawLine(QPointF(sheet.left() + 2, ly), QPointF(sheet.right() - 2, ly));
    }
}

}  // namespace

platform::CAnimateCtrl::Clip CopyAnimationClip() {
    return {IDR_COPY_ANIMATION, kFrames, kIntervalMs, DrawFrame};
}

}  // namespace mirrak
