#include "platform/ProgressBarWidget.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>

namespace platform {

ProgressBarWidget::ProgressBarWidget(QWidget* parent) : QWidget(parent) {}

void ProgressBarWidget::SetRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    if (m_value < m_minimum || m_value > m_maximum)
        m_value = m_minimum;
    update();
}

void ProgressBarWidget::SetValue(int value) {
    if (value < m_minimum || value > m_maximum || value == m_value)
        return;
    m_value = value;
    update();
}

QSize ProgressBarWidget::sizeHint() const {
    return {120, fontMetrics().height() + 4};
}

void ProgressBarWidget::paintEvent(QPaintEvent*) {
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.minimum = m_minimum;
    option.maximum = m_maximum;
    option.progress = m_value;
    option.textVisible = false;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}

}  // namespace platform
