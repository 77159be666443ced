// The widget of a tab control: a row of tabs over a framed display area.
//
// Pages are not children of this widget. As on Windows they are sibling windows that their
// owner places over the display area and shows or hides on TCN_SELCHANGE.
#pragma once

#include <QWidget>
#include <functional>

class QTabBar;
class QFrame;

namespace platform {

class ControlsTab : public QWidget {
public:
    explicit ControlsTab(QWidget* parent);

    QTabBar* TabBar() const { return m_bar; }
    // The display area in this widget's coordinates.
    QRect DisplayRect() const;
    // Places the row of tabs and the panel again; needed after tabs come or go.
    void Relayout();

    // The operator chose tab `index` (by click or keyboard); the previous one was `previous`.
    std::function<void(int index, int previous)> m_onOperatorChange;
    // Set while the program itself changes the tabs, so that no notification is raised.
    int m_programWrite = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_bar;
    QFrame* m_panel;
    int m_current = -1;
};

}  // namespace platform
