// A progress bar that repaints with the next paint instead of at once.
//
// QProgressBar repaints itself (and so the window around it) synchronously on every new
// value. A bar stepped once per exchange with the instrument would then cost more than the
// exchange itself; this one only marks itself dirty, and the blocking wait's repaint or the
// event loop paints it.
#pragma once

#include <QWidget>

namespace platform {

class ProgressBarWidget : public QWidget {
public:
    explicit ProgressBarWidget(QWidget* parent = nullptr);
    void SetRange(int minimum, int maximum);
    void SetValue(int value);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    int Value() const { return m_value; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
};

}  // namespace platform
