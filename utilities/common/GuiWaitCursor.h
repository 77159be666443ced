// CGuiWaitCursor: the wait cursor when taken on the user-interface thread, nothing elsewhere.
//
// The command link takes it around Connect, and Mirrak's duplication worker connects too; a
// cursor is a property of the user-interface thread, so a worker's cursor is a no-op.
#pragma once

namespace utilities {

class CGuiWaitCursor {
public:
    CGuiWaitCursor();
    ~CGuiWaitCursor();
    CGuiWaitCursor(const CGuiWaitCursor&) = delete;
    CGuiWaitCursor& operator=(const CGuiWaitCursor&) = delete;

    bool IsShown() const { return m_shown; }
    // How many cursors were shown since the process started; for tests.
    static int ShownCount();

private:
    bool m_shown = false;
};

}  // namespace utilities
