// The wait cursor.
//
// CWaitCursor shows the hourglass for its lifetime; BeginWaitCursor / EndWaitCursor do the
// same without an object. Both nest: the normal cursor comes back when the last one ends, and
// an EndWaitCursor without a matching Begin does nothing.
//
// A modal dialog or message box that opens while the wait cursor is on shows the normal
// arrow until it closes (the operator has to be able to answer it); a wait cursor started
// inside the modal dialog shows again. Modal loops of the layer call PushModalArrowCursor /
// PopModalArrowCursor around themselves.
#pragma once

namespace platform {

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows the wait cursor again, for instance after a message box.
    void Restore();
};

void BeginWaitCursor();
void EndWaitCursor();
bool IsWaitCursorActive();  // a wait cursor is on, even if a modal loop shows the arrow

void PushModalArrowCursor();
void PopModalArrowCursor();

}  // namespace platform
