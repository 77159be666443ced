#include "nimbrel/ui/PictureView.h"

#include <QPaintEvent>
#include <QPainter>

namespace nimbrel {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted from the picture; nothing underneath needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::SetPixmap(const QPixmap& pixmap) {
    m_pixmap = pixmap;
    resize(m_pixmap.deviceIndependentSize().toSize());
    update();
}

QSize PictureView::sizeHint() const {
    return m_pixmap.deviceIndependentSize().toSize();
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The same pixels whether the window is enabled or not.
    painter.drawPixmap(event->rect(), m_pixmap, event->rect());
}

}  // namespace nimbrel
