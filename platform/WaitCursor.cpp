#include "platform/WaitCursor.h"

#include <QApplication>
#include <QCursor>
#include <vector>

namespace platform {

namespace {

// The layer keeps at most one override cursor of its own on Qt's stack and changes its shape,
// so that wait cursors and modal loops may end in any order without popping each other's.
struct CursorState {
    int waitCount = 0;
    std::vector<int> modalEntryCounts;  // waitCount when each open modal loop started
    bool overrideInstalled = false;
};

CursorState& State() {
    static CursorState state;
    return state;
}

void Apply() {
    CursorState& s = State();
    bool want = false;
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (s.waitCount > 0) {
        want = true;
        const int inner = s.modalEntryCounts.empty() ? 0 : s.modalEntryCounts.back();
        shape = s.waitCount > inner ? Qt::WaitCursor : Qt::ArrowCursor;
    }
    if (qApp == nullptr)
        return;
    if (want && !s.overrideInstalled) {
        QApplication::setOverrideCursor(QCursor(shape));
        s.overrideInstalled = true;
    } else if (want) {
        QApplication::changeOverrideCursor(QCursor(shape));
    } else if (s.overrideInstalled) {
        QApplication::restoreOverrideCursor();
        s.overrideInstalled = false;
    }
}

}  // namespace

CWaitCursor::CWaitCursor() {
    BeginWaitCursor();
}
CWaitCursor::~CWaitCursor() {
    EndWaitCursor();
}
void CWaitCursor::Restore() {
    Apply();
}

void BeginWaitCursor() {
    ++State().waitCount;
    Apply();
}

void EndWaitCursor() {
    CursorState& s = State();
    if (s.waitCount == 0)
        return;
    --s.waitCount;
    // A wait begun outside a modal loop and ended inside it must not leave the loop's
    // bookkeeping above the real count.
    for (int& entry : s.modalEntryCounts)
        if (entry > s.waitCount)
            entry = s.waitCount;
    Apply();
}

bool IsWaitCursorActive() {
    return State().waitCount > 0;
}

void PushModalArrowCursor() {
    State().modalEntryCounts.push_back(State().waitCount);
    Apply();
}

void PopModalArrowCursor() {
    CursorState& s = State();
    if (!s.modalEntryCounts.empty())
        s.modalEntryCounts.pop_back();
    Apply();
}

}  // namespace platform
