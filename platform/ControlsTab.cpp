#include "platform/ControlsTab.h"

#include <QFrame>
#include <QTabBar>

namespace platform {

ControlsTab::ControlsTab(QWidget* parent)
    : QWidget(parent), m_bar(new QTabBar(this)), m_panel(new QFrame(this)) {
    m_panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_panel->lower();
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        const int previous = m_current;
        m_current = index;
        if (m_programWrite == 0 && m_onOperatorChange)
            m_onOperatorChange(index, previous);
    });
}

QRect ControlsTab::DisplayRect() const {
    return m_panel->geometry().adjusted(4, 4, -4, -4);
}

void ControlsTab::resizeEvent(QResizeEvent*) {
    Relayout();
}

void ControlsTab::Relayout() {
    const int barHeight = m_bar->sizeHint().height();
    m_bar->setGeometry(2, 0, width() - 4, barHeight);
    m_panel->setGeometry(0, barHeight - 1, width(), height() - barHeight + 1);
}

}  // namespace platform
