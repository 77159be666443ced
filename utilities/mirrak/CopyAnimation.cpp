#include "utilities/mirrak/CopyAnimation.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "resources/mirrak/Resource.h"

namespace mirrak {

namespace {
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
}  // namespace

CCopyAnimation::CCopyAnimation(QLabel* label)
    : QObject(label), m_label(label), m_timer(new QTimer(this)) {
    m_timer->setInterval(70);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kFrames;
        Draw();
    });
}

bool CCopyAnimation::Open(int id) {
    if (id != IDR_COPY_ANIMATION || !m_label)
        return false;
    m_frame = 0;
    Draw();
    m_timer->start();
    return true;
}

void CCopyAnimation::Stop() {
    m_timer->stop();
}

void CCopyAnimation::Draw() {
    if (!m_label)
        return;
    const QSize size = m_label->size();
    if (size.isEmpty())
        return;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height() - 6;
    const qreal w = h * 2.0;
    const QRectF from(6, 3, w, h);
    const QRectF to(size.width() - 6 - w, 3, w, h);
    DrawInstrument(painter, from);
    DrawInstrument(painter, to);
    // The sheet goes straight across, below the instruments' top edge.
    const qreal t = static_cast<qreal>(m_frame) / (kFrames - 1);
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
    painter.end();
    m_label->setPixmap(pixmap);
}

}  // namespace mirrak
