#include "drenlo/ui/CopyAnimation.h"

#include <QPainter>

#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {

constexpr int kFrames = 16;
constexpr int kIntervalMs = 80;

void DrawFolder(QPainter& painter, QRectF box) {
    painter.setPen(QColor(150, 110, 20));
    painter.setBrush(QColor(240, 200, 80));
    painter.drawRect(QRectF(box.left(), box.top(), box.width() * 0.45, box.height() * 0.2));
    painter.drawRect(
        QRectF(box.left(), box.top() + box.height() * 0.15, box.width(), box.height() * 0.85));
}

void DrawFrame(QPainter& painter, QSize size, int frame, int frames) {
    const qreal h = size.height() - 4;
    const qreal folderWidth = h * 1.2;
    const QRectF from(8, 2, folderWidth, h);
    const QRectF to(size.width() - 8 - folderWidth, 2, folderWidth, h);
    DrawFolder(painter, from);
    DrawFolder(painter, to);
    // The sheet flies on an arc from the left folder to the right one.
    const qreal t = static_cast<qreal>(frame) / (frames - 1);
    const qreal x = from.center().x() + (to.center().x() - from.center().x()) * t;
    // The arc's top keeps the whole sheet inside the control.
    const qreal y = from.center().y() - (h * 0.22) * 4 * t * (1 - t);
    const QRectF sheet(x - h * 0.2, y - h * 0.28, h * 0.4, h * 0.5);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QColor(120, 140, 200));
    for (int line = 1; line <= 3; ++line) {
        const qreal ly = sheet.top() + sheet.height() * line / 4.5;
        painter.drawLine(QPointF(sheet.left() + 2, ly), QPointF(sheet.right() - 2, ly));
    }
}

}  // namespace

platform::CAnimateCtrl::Clip CopyAnimationClip() {
    return {IDR_COPY_ANIMATION, kFrames, kIntervalMs, DrawFrame};
}

}  // namespace drenlo
