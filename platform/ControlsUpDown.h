// The widget of an up-down (spin) control: two arrow buttons and nothing else.
//
// The position, range and buddy live in ControlsHost, which decides what a click means; this
// widget only reports which arrow the operator pressed and released.
#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace platform {

class ControlsUpDown : public QWidget {
public:
    ControlsUpDown(bool horizontal, QWidget* parent);

    // step: +1 for the up (or right) arrow, -1 for the down (or left) arrow.
    std::function<void(int step)> m_onStep;
    std::function<void()> m_onRelease;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Press(int step);

    bool m_horizontal;
    QToolButton* m_up;
    QToolButton* m_down;
};

}  // namespace platform
