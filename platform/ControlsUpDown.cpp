#include "platform/ControlsUpDown.h"

#include <QToolButton>

namespace platform {

ControlsUpDown::ControlsUpDown(bool horizontal, QWidget* parent)
    : QWidget(parent),
      m_horizontal(horizontal),
      m_up(new QToolButton(this)),
      m_down(new QToolButton(this)) {
    m_up->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
    m_down->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        // The arrows act on the edit beside them; they never take the focus from it.
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(60);
        b->setIconSize(QSize(7, 7));
        connect(b, &QToolButton::released, this, [this] {
            if (m_onRelease)
                m_onRelease();
        });
    }
    connect(m_up, &QToolButton::clicked, this, [this] { Press(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Press(-1); });
    setFocusPolicy(Qt::NoFocus);
}

void ControlsUpDown::Press(int step) {
    if (m_onStep)
        m_onStep(step);
}

void ControlsUpDown::resizeEvent(QResizeEvent*) {
    const int w = width();
    const int h = height();
    if (m_horizontal) {
        m_down->setGeometry(0, 0, w / 2, h);
        m_up->setGeometry(w / 2, 0, w - w / 2, h);
    } else {
        m_up->setGeometry(0, 0, w, h / 2);
        m_down->setGeometry(0, h / 2, w, h - h / 2);
    }
}

}  // namespace platform
