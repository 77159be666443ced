// CDropTarget: lets a window accept drops of files from the desktop and of plain text.
//
// Register attaches the target to a window (for list and tree controls, to the area that
// shows the items). While something is dragged over it, the program decides per position:
// its DragOver handler gets what is being dragged and the point (in the window's own
// coordinates) and answers DROPEFFECT_COPY, DROPEFFECT_MOVE or DROPEFFECT_NONE; a drop is
// delivered only where the last answer accepted it. DragLeave tells that the drag went away
// (or was dropped elsewhere), so a drop highlight can be taken down.
//
// What a drag carries is read once:
//  - files: the local paths of a uri list. Only local file URLs count; other URLs are left
//    out, and a drag with no local file left carries no files. Paths are the file system's
//    own bytes (UTF-8 names as they are), with no length limit.
//  - text: plain text, as UTF-8 bytes (so any character beyond ASCII shows as bytes of 0x80
//    or more, which a program that only takes ASCII names can refuse).
// A drag with files is a file drag even when it also carries text.
//
// While the user-interface thread waits in a blocking call (InBlockingWait, BlockingWait.h),
// every position answers DROPEFFECT_NONE without asking the program and a drop there is
// refused: the wait still delivers drag and drop events, and a program's drop handler would
// otherwise start a second exchange on the connection that is waiting for its reply. The
// simulated drags of tests follow the same rule.
//
// Tests call SimulateDragOver / SimulateDrop / SimulateDragLeave: the same handlers run as
// for a real drag, without a window system.
#pragma once

#include <QPoint>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;
class QObject;

namespace platform {

class CWnd;

constexpr unsigned DROPEFFECT_NONE = 0;
constexpr unsigned DROPEFFECT_COPY = 1;
constexpr unsigned DROPEFFECT_MOVE = 2;

enum class DropKind { None, Files, Text };

struct DropData {
    DropKind kind = DropKind::None;
    std::vector<std::string> files;
    std::string text;

    static DropData FromMimeData(const QMimeData* mime);
    static DropData Files(std::vector<std::string> paths);
    static DropData Text(std::string text);
};

class CDropTarget {
public:
    using DragOverHandler = std::function<unsigned(const DropData& data, QPoint point)>;
    using DragLeaveHandler = std::function<void()>;
    using DropHandler = std::function<bool(const DropData& data, unsigned effect, QPoint point)>;

    CDropTarget();
    ~CDropTarget();
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    // `area` receives the drags (default: the window's widget); points are mapped to the
    // window's widget. 1/0.
    int Register(CWnd* window, QWidget* area = nullptr);
    void Revoke();

    void SetDragOverHandler(DragOverHandler handler) { m_dragOver = std::move(handler); }
    void SetDragLeaveHandler(DragLeaveHandler handler) { m_dragLeave = std::move(handler); }
    void SetDropHandler(DropHandler handler) { m_drop = std::move(handler); }

    // Tests: as if the operator dragged over / dropped at `point` / left.
    unsigned SimulateDragOver(const DropData& data, QPoint point);
    bool SimulateDrop(const DropData& data, QPoint point);
    void SimulateDragLeave();

private:
    class Filter;
    unsigned DragOver(const DropData& data, QPoint point);
    bool Drop(const DropData& data, QPoint point);
    void DragLeave();
    QPoint ToWindow(QPoint areaPoint) const;

    CWnd* m_window = nullptr;
    QPointer<QWidget> m_area;
    QPointer<Filter> m_filter;  // a child of the area: it may go with it
    DragOverHandler m_dragOver;
    DragLeaveHandler m_dragLeave;
    DropHandler m_drop;
    unsigned m_lastEffect = DROPEFFECT_NONE;
    bool m_inside = false;
};

}  // namespace platform
