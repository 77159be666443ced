// CListView: a view whose whole content is a list control, for a splitter pane or a frame.
//
// The view receives its own control's notifications (OnNotify) the way the framework's
// reflected notifications reached the view. Commands route to the view while it is its
// frame's active view; clicking into the control makes it active.
#pragma once

#include "platform/ListCtrl.h"
#include "platform/View.h"

namespace platform {

class CListView : public CView {
public:
    explicit CListView(unsigned style = LVS_ICON | LVS_SHOWSELALWAYS);
    ~CListView() override;

    bool Create(QWidget* parent) override;
    CListCtrl& GetListCtrl() { return m_list; }
    const CListCtrl& GetListCtrl() const { return m_list; }

    // The control's notification: code and record as in ListCtrl.h. Return TRUE when
    // handled; *result is the answer to the control.
    virtual BOOL OnNotify(int code, void* record, LRESULT* result);
    // Called once the control exists, before the first update (create columns here).
    virtual int OnCreate() { return 0; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int kControlId = 1;

private:
    CListCtrl m_list;
    unsigned m_initialStyle;
};

}  // namespace platform
