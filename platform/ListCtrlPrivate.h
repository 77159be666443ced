// The inner parts of CListCtrl (ListCtrl.h): its two Qt views over one model, the label
// editors, and the translation of Qt's input into the control's notifications. Internal to
// the layer; ListCtrl.cpp and ListCtrlActions.cpp share it.
#pragma once

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPointer>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <set>

#include "platform/LabelEditDelegate.h"
#include "platform/ListCtrl.h"
#include "platform/ListModel.h"

namespace platform {

class CImageList;

namespace detail {

// The Windows virtual-key code of a Qt key, 0 for keys the controls do not report.
unsigned VirtualKeyOf(int qtKey);

class ListCtrlPrivate : public QObject {
public:
    explicit ListCtrlPrivate(CListCtrl* q) : q(q) {}

    CListCtrl* q;
    // Guarded: the widgets go with their window when the frame closes, while this object may
    // still be asked things (a view handing its state back); calls then fail harmlessly.
    QPointer<QStackedWidget> stack;
    QPointer<QListView> list;
    QPointer<QTreeView> report;
    QPointer<ListModel> model;
    QPointer<QItemSelectionModel> selection;
    // One delegate per view: an editor's signals must reach only the view that owns it.
    QPointer<LabelEditDelegate> listDelegate;
    QPointer<LabelEditDelegate> reportDelegate;
    CImageList* largeImages = nullptr;
    CImageList* smallImages = nullptr;
    int pendingEdit = -1;
    int quietSelection = 0;  // > 0 while rows are removed: no state notifications

    QAbstractItemView* Active() const {
        if (stack == nullptr)
            return nullptr;
        return static_cast<QAbstractItemView*>(stack->currentWidget());
    }
    QModelIndex Index(int row) const { return model->index(row, 0); }
    LabelEditDelegate* Editing() const {
        if (listDelegate != nullptr && listDelegate->IsEditing())
            return listDelegate;
        if (reportDelegate != nullptr && reportDelegate->IsEditing())
            return reportDelegate;
        return nullptr;
    }
    bool InEndNotification() const {
        return (listDelegate != nullptr && listDelegate->InEndNotification()) ||
               (reportDelegate != nullptr && reportDelegate->InEndNotification());
    }

    void SendStateChange(int row, unsigned oldState, unsigned newState) {
        if (oldState == newState || !model->Valid(row))
            return;
        NMLISTVIEW nm{};
        nm.iItem = row;
        nm.uOldState = oldState;
        nm.uNewState = newState;
        nm.uChanged = LVIF_STATE;
        nm.lParam = model->At(row).data;
        q->Notify(LVN_ITEMCHANGED, &nm);
    }

    void SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
        if (quietSelection > 0)
            return;
        std::set<int> on, off;
        for (const QModelIndex& i : selected.indexes()) on.insert(i.row());
        for (const QModelIndex& i : deselected.indexes()) off.insert(i.row());
        for (int row : off) {
            if (on.count(row) != 0)
                continue;
            const unsigned now = q->GetItemState(row, ~0u);
            SendStateChange(row, now | LVIS_SELECTED, now);
        }
        for (int row : on) {
            if (off.count(row) != 0)
                continue;
            const unsigned now = q->GetItemState(row, ~0u);
            SendStateChange(row, now & ~LVIS_SELECTED, now);
        }
    }

    void CurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
        if (quietSelection > 0)
            return;
        if (previous.isValid() && previous.row() != current.row()) {
            const unsigned now = q->GetItemState(previous.row(), ~0u);
            SendStateChange(previous.row(), now | LVIS_FOCUSED, now);
        }
        if (current.isValid() && (!previous.isValid() || previous.row() != current.row())) {
            const unsigned now = q->GetItemState(current.row(), ~0u);
            SendStateChange(current.row(), now & ~LVIS_FOCUSED, now);
        }
    }

    bool BeginEdit(const QModelIndex& index) {
        if (!index.isValid())
            return false;
        NMLVDISPINFO nm{};
        nm.item.mask = LVIF_TEXT | LVIF_PARAM;
        nm.item.iItem = index.row();
        const std::string text = q->GetItemText(index.row(), 0);
        nm.item.pszText = text.c_str();
        nm.item.lParam = model->At(index.row()).data;
        return q->Notify(LVN_BEGINLABELEDIT, &nm) == 0;
    }

    void EndEdit(const QModelIndex& index, const std::string* text) {
        const int row = index.row();
        if (!model->Valid(row))
            return;  // the item went away while its label was edited
        NMLVDISPINFO nm{};
        nm.item.mask = LVIF_TEXT | LVIF_PARAM;
        nm.item.iItem = row;
        nm.item.pszText = text != nullptr ? text->c_str() : nullptr;
        nm.item.lParam = model->At(row).data;
        // The handler may delete or move items; the persistent index follows the edited one.
        const QPersistentModelIndex edited(index);
        const LRESULT take = q->Notify(LVN_ENDLABELEDIT, &nm);
        if (text != nullptr && take != 0 && edited.isValid())
            q->SetItemText(edited.row(), 0, *text);
    }

    void EditClosed() {
        if (pendingEdit < 0)
            return;
        const int row = pendingEdit;
        pendingEdit = -1;
        // Restarted from the event loop: Qt is still closing the old editor here.
        QTimer::singleShot(0, stack, [this, row] { q->EditLabel(row); });
    }

    void Mouse(QAbstractItemView* view, QMouseEvent* event) {
        const QPoint point = view->viewport()->mapTo(stack, event->position().toPoint());
        q->m_messagePos = point;
        const QModelIndex index = view->indexAt(event->position().toPoint());
        NMITEMACTIVATE nm{};
        nm.iItem = index.isValid() ? index.row() : -1;
        nm.iSubItem = index.isValid() ? index.column() : 0;
        nm.ptAction = point;
        nm.lParam = index.isValid() ? model->At(index.row()).data : 0;
        if (event->type() == QEvent::MouseButtonDblClick && event->button() == Qt::LeftButton) {
            q->Notify(NM_DBLCLK, &nm);
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   event->button() == Qt::LeftButton) {
            q->Notify(NM_CLICK, &nm);
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   event->button() == Qt::RightButton) {
            q->Notify(NM_RCLICK, &nm);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Only input counts; widgets that are being destroyed send other events on the way.
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick &&
            type != QEvent::KeyPress)
            return false;
        QAbstractItemView* view = Active();
        if (view == nullptr)
            return false;
        if (watched == view->viewport()) {
            switch (event->type()) {
                case QEvent::MouseButtonRelease:
                case QEvent::MouseButtonDblClick: {
                    auto* mouse = static_cast<QMouseEvent*>(event);
                    // A right click selects the item under it first, as on Windows.
                    if (mouse->button() == Qt::RightButton) {
                        const QModelIndex index = view->indexAt(mouse->position().toPoint());
                        if (index.isValid() && !selection->isRowSelected(index.row()))
                            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
                    }
                    Mouse(view, mouse);
                    break;
                }
                default:
                    break;
            }
        } else if (watched == view && event->type() == QEvent::KeyPress && Editing() == nullptr) {
            const unsigned key = VirtualKeyOf(static_cast<QKeyEvent*>(event)->key());
            if (key != 0) {
                NMLVKEYDOWN nm{};
                nm.wVKey = key;
                q->Notify(LVN_KEYDOWN, &nm);
                if (key == VK_RETURN) {
                    NMHDR hdr{};
                    q->Notify(NM_RETURN, &hdr);
                }
            }
        }
        return false;
    }
};

}  // namespace detail
}  // namespace platform
