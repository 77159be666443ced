// CTreeView: a view whose whole content is a tree control (see ListView.h for the rules).
#pragma once

#include "platform/TreeCtrl.h"
#include "platform/View.h"

namespace platform {

class CTreeView : public CView {
public:
    explicit CTreeView(unsigned style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                        TVS_SHOWSELALWAYS);
    ~CTreeView() override;

    bool Create(QWidget* parent) override;
    CTreeCtrl& GetTreeCtrl() { return m_tree; }
    const CTreeCtrl& GetTreeCtrl() const { return m_tree; }

    virtual BOOL OnNotify(int code, void* record, LRESULT* result);
    virtual int OnCreate() { return 0; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int kControlId = 1;

private:
    CTreeCtrl m_tree;
    unsigned m_initialStyle;
};

}  // namespace platform
