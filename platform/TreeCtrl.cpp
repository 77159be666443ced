#include "platform/TreeCtrl.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#include "platform/ImageList.h"
#include "platform/LabelEditDelegate.h"
#include "platform/TreeModel.h"

namespace platform {

namespace detail {

unsigned VirtualKeyOf(int qtKey);  // ListCtrl.cpp

using Node = TreeModel::Node;

class TreeCtrlPrivate : public QObject {
public:
    explicit TreeCtrlPrivate(CTreeCtrl* q) : q(q) {}

    CTreeCtrl* q;
    // Guarded: the widgets go with their window when the frame closes, while this object may
    // still be asked things (a view handing its state back); calls then fail harmlessly.
    QPointer<QTreeView> view;
    QPointer<TreeModel> model;
    QPointer<LabelEditDelegate> delegate;
    CImageList* images = nullptr;
    int programExpand = 0;  // > 0 while the program itself expands or collapses
    int programSelect = 0;  // > 0 while the program selects
    unsigned inputCause = TVC_UNKNOWN;
    std::uintptr_t pendingEdit = 0;
    Node* dropHighlight = nullptr;

    static HTREEITEM Handle(const Node* node) {
        return node == nullptr ? nullptr : reinterpret_cast<HTREEITEM>(node->handle);
    }
    Node* Lookup(HTREEITEM item) const {
        if (model == nullptr || item == nullptr || item == TVI_ROOT || item == TVI_FIRST ||
            item == TVI_LAST || item == TVI_SORT)
            return nullptr;
        return model->Find(reinterpret_cast<std::uintptr_t>(item));
    }
    TVITEM Describe(const Node* node) const {
        TVITEM item;
        if (node == nullptr)
            return item;
        item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = Handle(node);
        item.state = node->state;
        item.lParam = node->data;
        item.iImage = node->image;
        item.iSelectedImage = node->selectedImage;
        return item;
    }

    void CurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
        Node* oldNode = model->FromIndex(previous);
        Node* newNode = model->FromIndex(current);
        if (oldNode == newNode)
            return;
        if (oldNode != nullptr) {
            oldNode->state &= ~TVIS_SELECTED;
            model->NodeChanged(oldNode);
        }
        if (newNode != nullptr) {
            newNode->state |= TVIS_SELECTED;
            model->NodeChanged(newNode);
        }
        NMTREEVIEW nm{};
        nm.action = programSelect > 0 ? TVC_UNKNOWN : inputCause;
        nm.itemOld = Describe(oldNode);
        nm.itemNew = Describe(newNode);
        q->Notify(TVN_SELCHANGED, &nm);
    }

    // The operator opened or closed an item; Qt has already done it.
    void OperatorExpanded(const QModelIndex& index, bool expanded) {
        if (programExpand > 0)
            return;
        Node* node = model->FromIndex(index);
        if (node == nullptr)
            return;
        const unsigned action = expanded ? TVE_EXPAND : TVE_COLLAPSE;
        NMTREEVIEW nm{};
        nm.action = action;
        nm.itemNew = Describe(node);
        const std::uintptr_t handle = node->handle;
        const LRESULT refuse = q->Notify(TVN_ITEMEXPANDING, &nm);
        node = model->Find(handle);  // the handler may have reloaded the tree
        if (node == nullptr)
            return;
        if (refuse != 0) {
            ++programExpand;
            view->setExpanded(model->IndexOf(node), !expanded);
            --programExpand;
            return;
        }
        SetExpandedState(node, expanded);
        NMTREEVIEW done{};
        done.action = action;
        done.itemNew = Describe(node);
        q->Notify(TVN_ITEMEXPANDED, &done);
    }

    void SetExpandedState(Node* node, bool expanded) {
        if (expanded)
            node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        else
            node->state &= ~TVIS_EXPANDED;
    }

    bool BeginEdit(const QModelIndex& index) {
        Node* node = model->FromIndex(index);
        if (node == nullptr)
            return false;
        NMTVDISPINFO nm{};
        nm.item = Describe(node);
        const std::string text = FromQString(node->text);
        nm.item.mask |= TVIF_TEXT;
        nm.item.pszText = text.c_str();
        return q->Notify(TVN_BEGINLABELEDIT, &nm) == 0;
    }

    void EndEdit(const QModelIndex& index, const std::string* text) {
        Node* node = model->FromIndex(index);
        if (node == nullptr)
            return;  // deleted while its label was edited
        const std::uintptr_t handle = node->handle;
        NMTVDISPINFO nm{};
        nm.item = Describe(node);
        nm.item.mask |= TVIF_TEXT;
        nm.item.pszText = text != nullptr ? text->c_str() : nullptr;
        const LRESULT take = q->Notify(TVN_ENDLABELEDIT, &nm);
        if (text != nullptr && take != 0)
            q->SetItemText(reinterpret_cast<HTREEITEM>(handle), *text);
    }

    void EditClosed() {
        if (pendingEdit == 0)
            return;
        const auto item = reinterpret_cast<HTREEITEM>(pendingEdit);
        pendingEdit = 0;
        QTimer::singleShot(0, view, [this, item] { q->EditLabel(item); });
    }

    void NotifyMouse(int code, QPoint viewportPoint) {
        q->m_messagePos = view->viewport()->mapTo(view, viewportPoint);
        NMHDR hdr{};
        q->Notify(code, &hdr);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Only input counts; widgets that are being destroyed send other events on the way.
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick && type != QEvent::KeyPress)
            return false;
        if (view == nullptr)
            return false;
        if (watched == view->viewport()) {
            if (event->type() == QEvent::MouseButtonPress)
                inputCause = TVC_BYMOUSE;
            if (event->type() == QEvent::MouseButtonRelease ||
                event->type() == QEvent::MouseButtonDblClick) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                const QPoint at = mouse->position().toPoint();
                if (event->type() == QEvent::MouseButtonDblClick &&
                    mouse->button() == Qt::LeftButton)
                    NotifyMouse(NM_DBLCLK, at);
                else if (event->type() == QEvent::MouseButtonRelease &&
                         mouse->button() == Qt::LeftButton)
                    NotifyMouse(NM_CLICK, at);
                else if (event->type() == QEvent::MouseButtonRelease &&
                         mouse->button() == Qt::RightButton)
                    NotifyMouse(NM_RCLICK, at);
            }
        } else if (watched == view && event->type() == QEvent::KeyPress) {
            inputCause = TVC_BYKEYBOARD;
            if (!delegate->IsEditing()) {
                const unsigned key = VirtualKeyOf(static_cast<QKeyEvent*>(event)->key());
                if (key != 0) {
                    NMTVKEYDOWN nm{};
                    nm.wVKey = key;
                    q->Notify(TVN_KEYDOWN, &nm);
                }
            }
        }
        return false;
    }
};

}  // namespace detail

using detail::Node;

CTreeCtrl::CTreeCtrl() : d(std::make_unique<detail::TreeCtrlPrivate>(this)) {}

CTreeCtrl::~CTreeCtrl() {
    // As for the list: the owner may be half gone, so nothing is reported while the widget goes.
    m_owner = nullptr;
    if (QWidget* w = GetWidget()) {
        d->view->removeEventFilter(d.get());
        d->view->viewport()->removeEventFilter(d.get());
        QObject::disconnect(d->view->selectionModel(), nullptr, w, nullptr);
        QObject::disconnect(d->view, nullptr, w, nullptr);
        delete w;
    }
}

int CTreeCtrl::Create(unsigned style, QWidget* parent, int id, CWnd* owner) {
    if (d->view != nullptr)
        return 0;
    m_id = id;
    m_style = style;
    m_owner = owner != nullptr ? owner : CWnd::FromWidget(parent);
    auto* view = new QTreeView(parent);
    d->view = view;
    d->model = new detail::TreeModel;
    d->model->setParent(view);
    view->setModel(d->model);
    view->setHeaderHidden(true);
    // Long labels scroll sideways instead of being cut, as in the Windows tree.
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setRootIsDecorated((style & TVS_LINESATROOT) != 0);
    view->setItemsExpandable((style & TVS_HASBUTTONS) != 0 || (style & TVS_LINESATROOT) != 0);
    view->setExpandsOnDoubleClick(true);
    view->setIconSize(QSize(16, 16));
    d->delegate = new detail::LabelEditDelegate(view);
    d->delegate->SetHandlers(
        [this](const QModelIndex& i) { return d->BeginEdit(i); },
        [this](const QModelIndex& i, const std::string* text) { d->EndEdit(i, text); },
        [this] { d->EditClosed(); });
    view->setItemDelegate(d->delegate);
    view->setEditTriggers((style & TVS_EDITLABELS) != 0
                              ? QAbstractItemView::EditTriggers(QAbstractItemView::SelectedClicked)
                              : QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
    view->installEventFilter(d.get());
    view->viewport()->installEventFilter(d.get());
    QObject::connect(
        view->selectionModel(), &QItemSelectionModel::currentChanged, view,
        [this](const QModelIndex& c, const QModelIndex& p) { d->CurrentChanged(c, p); });
    QObject::connect(view, &QTreeView::expanded, view,
                     [this](const QModelIndex& i) { d->OperatorExpanded(i, true); });
    QObject::connect(view, &QTreeView::collapsed, view,
                     [this](const QModelIndex& i) { d->OperatorExpanded(i, false); });
    AttachWidget(view);
    return 1;
}

LRESULT CTreeCtrl::Notify(int code, void* record) {
    auto* hdr = static_cast<NMHDR*>(record);
    hdr->hwndFrom = this;
    hdr->idFrom = static_cast<WPARAM>(m_id);
    hdr->code = code;
    if (m_owner == nullptr)
        return 0;
    return m_owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(m_id),
                                reinterpret_cast<LPARAM>(record));
}

CImageList* CTreeCtrl::SetImageList(CImageList* images, int) {
    CImageList* previous = d->images;
    d->images = images;
    if (d->model != nullptr)
        d->model->SetImageList(images);
    if (d->view != nullptr && images != nullptr)
        d->view->setIconSize(images->GetImageSize());
    return previous;
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, int image, int selectedImage,
                                HTREEITEM parent, HTREEITEM after) {
    if (d->model == nullptr)
        return nullptr;
    Node* parentNode =
        parent == TVI_ROOT || parent == nullptr ? d->model->Root() : d->Lookup(parent);
    if (parentNode == nullptr)
        return nullptr;
    const QString label = ToQString(text);
    int row = static_cast<int>(parentNode->children.size());
    if (after == TVI_FIRST) {
        row = 0;
    } else if (after == TVI_SORT) {
        row = 0;
        while (row < static_cast<int>(parentNode->children.size()) &&
               QString::compare(parentNode->children[static_cast<size_t>(row)]->text, label,
                                Qt::CaseInsensitive) <= 0)
            ++row;
    } else if (after != TVI_LAST && after != nullptr) {
        Node* sibling = d->Lookup(after);
        if (sibling == nullptr || sibling->parent != parentNode)
            return nullptr;
        row = d->model->RowOf(sibling) + 1;
    }
    Node* node = d->model->Insert(parentNode, row, label);
    node->image = image;
    node->selectedImage = selectedImage;
    return d->Handle(node);
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(text, -1, -1, parent, after);
}

namespace {
void NotifyDeleted(CTreeCtrl* q, detail::TreeCtrlPrivate* d, Node* node,
                   const std::function<LRESULT(int, void*)>& notify) {
    for (auto& child : node->children) NotifyDeleted(q, d, child.get(), notify);
    NMTREEVIEW nm{};
    nm.itemOld = d->Describe(node);
    notify(TVN_DELETEITEM, &nm);
}
}  // namespace

bool CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (item == TVI_ROOT)
        return DeleteAllItems();
    Node* node = d->Lookup(item);
    if (node == nullptr)
        return false;
    if (IsEditingLabel()) {
        Node* editing = d->model->FromIndex(d->delegate->EditIndex());
        for (Node* n = editing; n != nullptr; n = n->parent)
            if (n == node)
                CancelEditLabel();
    }
    const std::uintptr_t handle = node->handle;
    NotifyDeleted(this, d.get(), node, [this](int code, void* r) { return Notify(code, r); });
    node = d->model->Find(handle);  // the owner's handler may have deleted it already
    if (node == nullptr)
        return true;
    for (Node* n = d->dropHighlight; n != nullptr; n = n->parent)
        if (n == node)
            d->dropHighlight = nullptr;
    d->model->Remove(node);
    return true;
}

bool CTreeCtrl::DeleteAllItems() {
    if (d->model == nullptr)
        return false;
    if (IsEditingLabel())
        CancelEditLabel();
    Node* root = d->model->Root();
    for (auto& child : root->children)
        NotifyDeleted(this, d.get(), child.get(),
                      [this](int code, void* r) { return Notify(code, r); });
    d->dropHighlight = nullptr;
    ++d->programSelect;
    d->model->RemoveAll();
    --d->programSelect;
    return true;
}

bool CTreeCtrl::IsValidItem(HTREEITEM item) const {
    return d->model != nullptr && d->Lookup(item) != nullptr;
}

unsigned CTreeCtrl::GetCount() const {
    return d->model == nullptr ? 0 : d->model->Count();
}

HTREEITEM CTreeCtrl::GetRootItem() const {
    return GetChildItem(TVI_ROOT);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr || node->parent == d->model->Root())
        return nullptr;
    return d->Handle(node->parent);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    if (d->model == nullptr)
        return nullptr;
    Node* node = item == TVI_ROOT ? d->model->Root() : d->Lookup(item);
    if (node == nullptr || node->children.empty())
        return nullptr;
    return d->Handle(node->children.front().get());
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return nullptr;
    const int row = d->model->RowOf(node) + 1;
    if (row >= static_cast<int>(node->parent->children.size()))
        return nullptr;
    return d->Handle(node->parent->children[static_cast<size_t>(row)].get());
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return nullptr;
    const int row = d->model->RowOf(node) - 1;
    if (row < 0)
        return nullptr;
    return d->Handle(node->parent->children[static_cast<size_t>(row)].get());
}

bool CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    return node != nullptr && !node->children.empty();
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    return node == nullptr ? std::string() : FromQString(node->text);
}

bool CTreeCtrl::SetItemText(HTREEITEM item, const std::string& text) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    node->text = ToQString(text);
    d->model->NodeChanged(node);
    return true;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    return node == nullptr ? 0 : node->data;
}

bool CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    node->data = data;
    return true;
}

bool CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    image = node == nullptr ? -1 : node->image;
    selectedImage = node == nullptr ? -1 : node->selectedImage;
    return node != nullptr;
}

bool CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    node->image = image;
    node->selectedImage = selectedImage;
    d->model->NodeChanged(node);
    return true;
}

unsigned CTreeCtrl::GetItemState(HTREEITEM item, unsigned mask) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    return node == nullptr ? 0 : node->state & mask;
}

bool CTreeCtrl::SetItemState(HTREEITEM item, unsigned state, unsigned mask) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    if ((mask & TVIS_SELECTED) != 0) {
        if ((state & TVIS_SELECTED) != 0)
            SelectItem(item);
        else if (GetSelectedItem() == item)
            SelectItem(nullptr);
    }
    if ((mask & TVIS_DROPHILITED) != 0)
        Select((state & TVIS_DROPHILITED) != 0 ? item : nullptr, TVGN_DROPHILITE);
    if ((mask & TVIS_EXPANDED) != 0)
        Expand(item, (state & TVIS_EXPANDED) != 0 ? TVE_EXPAND : TVE_COLLAPSE);
    if ((mask & TVIS_BOLD) != 0) {
        node->state = (node->state & ~TVIS_BOLD) | (state & TVIS_BOLD);
        d->model->NodeChanged(node);
    }
    return true;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const {
    if (d->view == nullptr)
        return nullptr;
    return d->Handle(d->model->FromIndex(d->view->selectionModel()->currentIndex()));
}

bool CTreeCtrl::SelectItem(HTREEITEM item) {
    return Select(item, TVGN_CARET);
}

bool CTreeCtrl::Select(HTREEITEM item, unsigned code) {
    if (d->view == nullptr)
        return false;
    Node* node = d->Lookup(item);
    if (item != nullptr && node == nullptr)
        return false;
    if (code == TVGN_DROPHILITE) {
        if (d->dropHighlight == node)
            return true;
        if (Node* old = d->dropHighlight) {
            old->state &= ~TVIS_DROPHILITED;
            d->model->NodeChanged(old);
        }
        d->dropHighlight = node;
        if (node != nullptr) {
            node->state |= TVIS_DROPHILITED;
            d->model->NodeChanged(node);
        }
        return true;
    }
    if (code != TVGN_CARET)
        return false;
    ++d->programSelect;
    if (node == nullptr) {
        d->view->selectionModel()->clear();
    } else {
        // Windows opens the parents so the selected item shows.
        for (Node* p = node->parent; p != nullptr && p != d->model->Root(); p = p->parent)
            if ((p->state & TVIS_EXPANDED) == 0)
                Expand(d->Handle(p), TVE_EXPAND);
        d->view->selectionModel()->setCurrentIndex(d->model->IndexOf(node),
                                                   QItemSelectionModel::ClearAndSelect);
    }
    --d->programSelect;
    return true;
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const {
    return d->Handle(d->dropHighlight);
}

bool CTreeCtrl::Expand(HTREEITEM item, unsigned code) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    bool expand = (code & TVE_TOGGLE) == TVE_TOGGLE ? (node->state & TVIS_EXPANDED) == 0
                                                    : (code & TVE_EXPAND) != 0;
    if (expand == ((node->state & TVIS_EXPANDED) != 0))
        return true;
    const bool notify = (node->state & TVIS_EXPANDEDONCE) == 0;
    const std::uintptr_t handle = node->handle;
    const unsigned action = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (notify) {
        NMTREEVIEW nm{};
        nm.action = action;
        nm.itemNew = d->Describe(node);
        if (Notify(TVN_ITEMEXPANDING, &nm) != 0)
            return false;
        node = d->model->Find(handle);
        if (node == nullptr)
            return false;
    }
    ++d->programExpand;
    d->view->setExpanded(d->model->IndexOf(node), expand);
    --d->programExpand;
    d->SetExpandedState(node, expand);
    if (notify) {
        NMTREEVIEW done{};
        done.action = action;
        done.itemNew = d->Describe(node);
        Notify(TVN_ITEMEXPANDED, &done);
    }
    return true;
}

bool CTreeCtrl::EnsureVisible(HTREEITEM item) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    d->view->scrollTo(d->model->IndexOf(node));
    return true;
}

HTREEITEM CTreeCtrl::HitTest(const QPoint& point, unsigned* flags) const {
    Node* node = nullptr;
    if (d->view != nullptr) {
        const QPoint at = d->view->viewport()->mapFrom(d->view, point);
        node = d->model->FromIndex(d->view->indexAt(at));
    }
    if (flags != nullptr)
        *flags = node != nullptr ? TVHT_ONITEM : TVHT_NOWHERE;
    return d->Handle(node);
}

QRect CTreeCtrl::GetItemRect(HTREEITEM item) const {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return {};
    const QRect r = d->view->visualRect(d->model->IndexOf(node));
    return QRect(d->view->viewport()->mapTo(d->view, r.topLeft()), r.size());
}

bool CTreeCtrl::EditLabel(HTREEITEM item) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr)
        return false;
    if (d->delegate->InEndNotification()) {
        d->pendingEdit = node->handle;
        return true;
    }
    if (d->delegate->IsEditing())
        return false;
    d->view->setFocus();
    const QModelIndex index = d->model->IndexOf(node);
    d->view->scrollTo(index);
    d->view->edit(index);
    return d->delegate->IsEditing();
}

bool CTreeCtrl::IsEditingLabel() const {
    return d->delegate != nullptr && d->delegate->IsEditing();
}

HTREEITEM CTreeCtrl::GetEditItem() const {
    if (!IsEditingLabel())
        return nullptr;
    return d->Handle(d->model->FromIndex(d->delegate->EditIndex()));
}

void CTreeCtrl::CancelEditLabel() {
    d->pendingEdit = 0;
    if (d->delegate != nullptr)
        d->delegate->Cancel();
}

void CTreeCtrl::SetRedraw(bool redraw) {
    if (d->view == nullptr)
        return;
    d->view->setUpdatesEnabled(redraw);
    if (redraw)
        d->view->viewport()->update();
}

bool CTreeCtrl::ClickItem(HTREEITEM item) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr || !IsWindowEnabled())
        return false;
    d->inputCause = TVC_BYMOUSE;
    d->view->selectionModel()->setCurrentIndex(d->model->IndexOf(node),
                                               QItemSelectionModel::ClearAndSelect);
    d->view->setFocus();
    if ((node = d->Lookup(item)) == nullptr)
        return true;
    d->NotifyMouse(NM_CLICK, d->view->viewport()->mapFrom(d->view, GetItemRect(item).center()));
    return true;
}

bool CTreeCtrl::DoubleClickItem(HTREEITEM item) {
    if (!ClickItem(item))
        return false;
    if (d->Lookup(item) == nullptr)
        return true;
    d->NotifyMouse(NM_DBLCLK, d->view->viewport()->mapFrom(d->view, GetItemRect(item).center()));
    return true;
}

bool CTreeCtrl::RightClickItem(HTREEITEM item) {
    if (d->view == nullptr || !IsWindowEnabled())
        return false;
    Node* node = d->Lookup(item);
    if (item != nullptr && node == nullptr)
        return false;
    const QPoint at =
        node != nullptr ? GetItemRect(item).center() : QPoint(2, d->view->height() - 2);
    d->NotifyMouse(NM_RCLICK, d->view->viewport()->mapFrom(d->view, at));
    return true;
}

bool CTreeCtrl::ExpandByOperator(HTREEITEM item, bool expand) {
    Node* node = d->model != nullptr ? d->Lookup(item) : nullptr;
    if (node == nullptr || node->children.empty() || !IsWindowEnabled())
        return false;
    d->inputCause = TVC_BYMOUSE;
    d->view->setExpanded(d->model->IndexOf(node), expand);
    return true;
}

bool CTreeCtrl::PressKey(unsigned virtualKey) {
    if (d->view == nullptr || !IsWindowEnabled())
        return false;
    int key = static_cast<int>(virtualKey);
    if (virtualKey == VK_RETURN)
        key = Qt::Key_Return;
    if (virtualKey == VK_DELETE)
        key = Qt::Key_Delete;
    if (virtualKey == VK_F2)
        key = Qt::Key_F2;
    if (virtualKey == VK_ESCAPE)
        key = Qt::Key_Escape;
    if (virtualKey == VK_BACK)
        key = Qt::Key_Backspace;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(d->view, &press);
    return true;
}

bool CTreeCtrl::TypeLabel(const std::string& text, bool commit) {
    return d->delegate != nullptr && d->delegate->Finish(text, commit);
}

QWidget* CTreeCtrl::Viewport() const {
    return d->view == nullptr ? nullptr : d->view->viewport();
}

}  // namespace platform
