// The operator actions of CListCtrl, for tests: each goes the way real input goes.
#include "platform/ListCtrl.h"
#include "platform/ListCtrlPrivate.h"

namespace platform {

bool CListCtrl::ClickItem(int item, Qt::KeyboardModifiers modifiers) {
    if (d->model == nullptr || !d->model->Valid(item) || !IsWindowEnabled())
        return false;
    const QModelIndex index = d->Index(item);
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
    if ((m_style & LVS_SINGLESEL) == 0) {
        if ((modifiers & Qt::ControlModifier) != 0)
            how = QItemSelectionModel::Toggle;
        if ((modifiers & Qt::ShiftModifier) != 0 && d->selection->currentIndex().isValid()) {
            const int from = std::min(item, d->selection->currentIndex().row());
            const int to = std::max(item, d->selection->currentIndex().row());
            d->selection->select(QItemSelection(d->Index(from), d->Index(to)),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            how = QItemSelectionModel::NoUpdate;
        }
    }
    d->selection->setCurrentIndex(index, how | QItemSelectionModel::Rows);
    d->Active()->setFocus();
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.ptAction = m_messagePos = GetItemRect(item).center();
    nm.lParam = d->model->At(item).data;
    Notify(NM_CLICK, &nm);
    return true;
}

bool CListCtrl::DoubleClickItem(int item) {
    if (!ClickItem(item))
        return false;
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.ptAction = m_messagePos;
    nm.lParam = d->model->At(item).data;
    Notify(NM_DBLCLK, &nm);
    return true;
}

bool CListCtrl::RightClickItem(int item) {
    if (d->model == nullptr || !IsWindowEnabled())
        return false;
    NMITEMACTIVATE nm{};
    nm.iItem = -1;
    if (d->model->Valid(item)) {
        if (!d->selection->isRowSelected(item))
            d->selection->setCurrentIndex(
                d->Index(item), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        nm.iItem = item;
        nm.lParam = d->model->At(item).data;
        m_messagePos = GetItemRect(item).center();
    } else {
        // Below the last item.
        m_messagePos = QPoint(2, d->stack->height() - 2);
    }
    nm.ptAction = m_messagePos;
    Notify(NM_RCLICK, &nm);
    return true;
}

bool CListCtrl::ClickColumn(int column) {
    if ((m_style & LVS_TYPEMASK) != LVS_REPORT || d->model == nullptr || column < 0 ||
        column >= d->model->columnCount() || !IsWindowEnabled())
        return false;
    emit d->report->header()->sectionClicked(column);
    return true;
}

bool CListCtrl::PressKey(unsigned virtualKey) {
    if (d->model == nullptr || !IsWindowEnabled())
        return false;
    int key = 0;
    switch (virtualKey) {
        case VK_RETURN:
            key = Qt::Key_Return;
            break;
        case VK_DELETE:
            key = Qt::Key_Delete;
            break;
        case VK_F2:
            key = Qt::Key_F2;
            break;
        case VK_ESCAPE:
            key = Qt::Key_Escape;
            break;
        case VK_BACK:
            key = Qt::Key_Backspace;
            break;
        default:
            key = static_cast<int>(virtualKey);
            break;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(d->Active(), &press);
    return true;
}

bool CListCtrl::TypeLabel(const std::string& text, bool commit) {
    detail::LabelEditDelegate* editing = d->Editing();
    return editing != nullptr && editing->Finish(text, commit);
}

QWidget* CListCtrl::ActiveView() const {
    return d->Active();
}

QWidget* CListCtrl::ActiveViewport() const {
    QAbstractItemView* view = d->Active();
    return view == nullptr ? nullptr : view->viewport();
}

}  // namespace platform
