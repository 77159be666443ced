#include "platform/AnimateCtrl.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <algorithm>

namespace platform {

CAnimateCtrl::CAnimateCtrl(QLabel* label, Clip clip)
    : QObject(label), m_label(label), m_clip(std::move(clip)), m_timer(new QTimer(this)) {
    m_clip.frames = std::max(1, m_clip.frames);
    m_timer->setInterval(m_clip.intervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % m_clip.frames;
        Draw();
    });
}

bool CAnimateCtrl::Open(int id) {
    if (id != m_clip.id || !m_label || !m_clip.paint)
        return false;
    m_frame = 0;
    Draw();
    m_timer->start();
    return true;
}

void CAnimateCtrl::Stop() {
    m_timer->stop();
}

void CAnimateCtrl::Draw() {
    if (!m_label)
        return;
    const QSize size = m_label->size();
    if (size.isEmpty())
        return;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    m_clip.paint(painter, size, m_frame, m_clip.frames);
    painter.end();
    m_label->setPixmap(pixmap);
}

}  // namespace platform
