// CStatusBar: the frame's status bar with panes, and CProgressCtrl, a progress bar that a
// program places anywhere (Corvane puts one inside pane 0 while it talks to the instrument).
//
// Pane 0 is the message pane and takes the free width; the other panes are indicators sized
// to their string-table text. Pane rectangles are in the status bar's own coordinates, so a
// child placed at a pane's rectangle covers exactly that pane. A pane's text never changes its
// width: a longer text is cut at the pane's edge.
//
// The CAP, NUM and SCRL indicator panes show their string-table text while their lock is on
// (LockIndicators.h), read again on every key event and whenever a window of the program is
// activated; where the window system cannot tell, they stay blank.
#pragma once

#include <QPointer>
#include <QRect>
#include <string>
#include <vector>

#include "platform/DialogTemplate.h"  // PBS_ styles
#include "platform/Wnd.h"

class QLabel;
class QStatusBar;

namespace platform {

class ProgressBarWidget;

constexpr int ID_SEPARATOR = 0;
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
constexpr int AFX_IDW_STATUS_BAR = 59393;
constexpr unsigned SBPS_NORMAL = 0x0000;
constexpr unsigned SBPS_NOBORDERS = 0x0100;
constexpr unsigned SBPS_POPOUT = 0x0200;
constexpr unsigned SBPS_STRETCH = 0x0800;

class CFrameWnd;

class CStatusBar : public CWnd {
public:
    // Creates the bar at the bottom of the frame and makes it the frame's message bar.
    bool Create(CFrameWnd* frame, int id = AFX_IDW_STATUS_BAR);
    bool SetIndicators(const std::vector<int>& ids);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    int GetItemId(int index) const;
    QRect GetItemRect(int index) const;
    // Sets a pane's text; with update, the pane is marked for painting.
    bool SetPaneText(int index, const std::string& text, bool update = true);
    // Pane layout as the framework set it: SBPS_STRETCH takes the free width (as pane 0 does
    // by default), otherwise the pane is `width` pixels wide. The id may change too.
    bool SetPaneInfo(int index, int id, unsigned style, int width);
    void GetPaneInfo(int index, int& id, unsigned& style, int& width) const;
    std::string GetPaneText(int index) const;
    QStatusBar* Bar() const;
    // Reads the lock indicators again and shows them in the indicator panes.
    void UpdateLockIndicators();

private:
    void WatchLockKeys();
    struct Pane {
        int id;
        QLabel* label;
        unsigned style = 0;
    };
    std::vector<Pane> m_panes;
    QPointer<QObject> m_lockKeyWatcher;  // owned by the bar's widget
};

class CProgressCtrl : public CWnd {
public:
    ~CProgressCtrl() override;
    bool Create(unsigned style, const QRect& rect, CWnd* parent, int id);
    void SetRange32(int lower, int upper);
    void SetRange(int lower, int upper) { SetRange32(lower, upper); }
    int SetStep(int step);
    // Advances by the step; past the upper end it wraps to the lower end, as Windows does.
    int StepIt();
    int SetPos(int position);
    int GetPos() const;
    void GetRange(int& lower, int& upper) const;
    ProgressBarWidget* Bar() const;

private:
    int m_step = 10;
};

}  // namespace platform
