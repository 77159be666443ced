#include "platform/ListCtrl.h"

#include <QVBoxLayout>

#include "platform/ImageList.h"
#include "platform/ListCtrlPrivate.h"

namespace platform {

namespace detail {

unsigned VirtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_F2:
            return VK_F2;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Backspace:
            return VK_BACK;
        default:
            if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
                (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
                return static_cast<unsigned>(qtKey);  // the same codes as Windows
            return 0;
    }
}

}  // namespace detail

CListCtrl::CListCtrl() : d(std::make_unique<detail::ListCtrlPrivate>(this)) {}

CListCtrl::~CListCtrl() {
    // The item data belongs to the owner, who may be half gone already (a view's control is
    // its member): nothing is reported while the widgets go.
    m_owner = nullptr;
    ++d->quietSelection;
    if (QWidget* w = GetWidget())
        delete w;
}

int CListCtrl::Create(unsigned style, QWidget* parent, int id, CWnd* owner) {
    if (d->stack != nullptr)
        return 0;
    m_id = id;
    m_owner = owner != nullptr ? owner : CWnd::FromWidget(parent);
    m_style = style;
    auto* stack = new QStackedWidget(parent);
    d->stack = stack;
    d->model = new detail::ListModel;
    d->model->setParent(stack);
    for (QPointer<detail::LabelEditDelegate>* delegate : {&d->listDelegate, &d->reportDelegate}) {
        *delegate = new detail::LabelEditDelegate(stack);
        (*delegate)->SetHandlers(
            [this](const QModelIndex& i) { return d->BeginEdit(i); },
            [this](const QModelIndex& i, const std::string* text) { d->EndEdit(i, text); },
            [this] { d->EditClosed(); });
    }

    d->list = new QListView(stack);
    d->report = new QTreeView(stack);
    d->list->setModel(d->model);
    d->report->setModel(d->model);
    // One selection for both views, so switching the mode keeps it.
    d->selection = d->list->selectionModel();
    QItemSelectionModel* own = d->report->selectionModel();
    d->report->setSelectionModel(d->selection);
    delete own;
    d->report->setRootIsDecorated(false);
    d->report->setUniformRowHeights(true);
    d->report->setItemsExpandable(false);
    d->report->setAllColumnsShowFocus(true);
    d->report->header()->setStretchLastSection(false);
    d->report->header()->setSectionsMovable(false);
    d->report->header()->setSectionsClickable(true);
    d->list->setUniformItemSizes(false);
    d->list->setLayoutMode(QListView::Batched);
    d->list->setBatchSize(500);
    d->list->setMovement(QListView::Static);
    d->list->setWordWrap(true);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(d->list.data()),
                                    static_cast<QAbstractItemView*>(d->report.data())}) {
        view->setItemDelegate(view == d->list ? d->listDelegate : d->reportDelegate);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setTextElideMode(Qt::ElideRight);
        view->installEventFilter(d.get());
        view->viewport()->installEventFilter(d.get());
        stack->addWidget(view);
    }
    QObject::connect(
        d->selection, &QItemSelectionModel::selectionChanged, stack,
        [this](const QItemSelection& s, const QItemSelection& ds) { d->SelectionChanged(s, ds); });
    QObject::connect(
        d->selection, &QItemSelectionModel::currentChanged, stack,
        [this](const QModelIndex& c, const QModelIndex& p) { d->CurrentChanged(c, p); });
    QObject::connect(d->report->header(), &QHeaderView::sectionClicked, stack, [this](int column) {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        nm.iSubItem = column;
        Notify(LVN_COLUMNCLICK, &nm);
    });
    AttachWidget(stack);
    ApplyMode();
    return 1;
}

LRESULT CListCtrl::Notify(int code, void* record) {
    auto* hdr = static_cast<NMHDR*>(record);
    hdr->hwndFrom = this;
    hdr->idFrom = static_cast<WPARAM>(m_id);
    hdr->code = code;
    if (m_owner == nullptr)
        return 0;
    return m_owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(m_id),
                                reinterpret_cast<LPARAM>(record));
}

void CListCtrl::ModifyStyle(unsigned remove, unsigned add) {
    const unsigned before = m_style;
    m_style = (m_style & ~remove) | add;
    if (m_style != before)
        ApplyMode();
}

void CListCtrl::ApplyMode() {
    if (d->stack == nullptr)
        return;
    const unsigned mode = m_style & LVS_TYPEMASK;
    const QSize large = d->largeImages != nullptr ? d->largeImages->GetImageSize() : QSize(32, 32);
    const QSize small = d->smallImages != nullptr ? d->smallImages->GetImageSize() : QSize(16, 16);
    const auto selectionMode = (m_style & LVS_SINGLESEL) != 0
                                   ? QAbstractItemView::SingleSelection
                                   : QAbstractItemView::ExtendedSelection;
    const auto triggers = (m_style & LVS_EDITLABELS) != 0
                              ? QAbstractItemView::EditTriggers(QAbstractItemView::SelectedClicked)
                              : QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(d->list.data()),
                                    static_cast<QAbstractItemView*>(d->report.data())}) {
        view->setSelectionMode(selectionMode);
        view->setEditTriggers(triggers);
    }
    d->model->SetImageLists(d->largeImages, d->smallImages);
    if (mode == LVS_REPORT) {
        d->model->SetLargeIcons(false);
        d->report->setIconSize(small);
        d->stack->setCurrentWidget(d->report);
        d->stack->setFocusProxy(d->report);
        return;
    }
    QListView* list = d->list;
    if (mode == LVS_ICON) {
        d->model->SetLargeIcons(true);
        list->setViewMode(QListView::IconMode);
        list->setIconSize(large);
        const int textWidth = list->fontMetrics().averageCharWidth() * 14;
        list->setGridSize(QSize(std::max(large.width() + 16, textWidth),
                                large.height() + 2 * list->fontMetrics().height() + 8));
        list->setFlow(QListView::LeftToRight);
    } else {
        d->model->SetLargeIcons(false);
        list->setViewMode(QListView::ListMode);
        list->setIconSize(small);
        list->setGridSize(QSize());
        list->setFlow(mode == LVS_LIST ? QListView::TopToBottom : QListView::LeftToRight);
        if (mode == LVS_LIST)
            list->setSpacing(1);
    }
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    list->setWordWrap(mode == LVS_ICON);
    d->stack->setCurrentWidget(list);
    d->stack->setFocusProxy(list);
}

CImageList* CListCtrl::SetImageList(CImageList* images, int which) {
    CImageList*& slot = which == LVSIL_NORMAL ? d->largeImages : d->smallImages;
    CImageList* previous = slot;
    slot = images;
    ApplyMode();
    return previous;
}

CImageList* CListCtrl::GetImageList(int which) const {
    return which == LVSIL_NORMAL ? d->largeImages : d->smallImages;
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) {
    if (d->model == nullptr)
        return -1;
    const int at = d->model->InsertColumn(column, ToQString(heading), format);
    if (width < 0)
        width = d->report->fontMetrics().horizontalAdvance(ToQString(heading)) + 16;
    d->report->header()->resizeSection(at, width);
    return at;
}

bool CListCtrl::DeleteColumn(int column) {
    return d->model != nullptr && d->model->RemoveColumn(column);
}

int CListCtrl::GetColumnCount() const {
    return d->model == nullptr ? 0 : d->model->HeadingCount();
}

int CListCtrl::GetColumnWidth(int column) const {
    if (d->model == nullptr || column < 0 || column >= d->model->columnCount())
        return 0;
    return d->report->header()->sectionSize(column);
}

bool CListCtrl::SetColumnWidth(int column, int width) {
    if (d->model == nullptr || column < 0 || column >= d->model->columnCount() || width < 0)
        return false;
    d->report->header()->resizeSection(column, width);
    return true;
}

int CListCtrl::GetItemCount() const {
    return d->model == nullptr ? 0 : d->model->ItemCount();
}

int CListCtrl::InsertItem(int item, const std::string& text, int image) {
    LVITEM record;
    record.mask = LVIF_TEXT | LVIF_IMAGE;
    record.iItem = item;
    record.pszText = text.c_str();
    record.iImage = image;
    return InsertItem(record);
}

int CListCtrl::InsertItem(const LVITEM& record) {
    if (d->model == nullptr || record.iItem < 0)
        return -1;
    detail::ListModel::Item item;
    item.texts.push_back((record.mask & LVIF_TEXT) != 0 && record.pszText != nullptr
                             ? QString::fromLatin1(record.pszText)
                             : QString());
    if ((record.mask & LVIF_IMAGE) != 0)
        item.image = record.iImage;
    if ((record.mask & LVIF_PARAM) != 0)
        item.data = record.lParam;
    if ((record.mask & LVIF_STATE) != 0)
        item.state = record.state & record.stateMask & (LVIS_CUT | LVIS_DROPHILITED);
    const int row = d->model->Insert(record.iItem, std::move(item));
    if ((record.mask & LVIF_STATE) != 0 && (record.stateMask & (LVIS_SELECTED | LVIS_FOCUSED)) != 0)
        SetItemState(row, record.state, record.stateMask & (LVIS_SELECTED | LVIS_FOCUSED));
    NMLISTVIEW nm{};
    nm.iItem = row;
    nm.lParam = d->model->At(row).data;
    Notify(LVN_INSERTITEM, &nm);
    return row;
}

bool CListCtrl::DeleteItem(int item) {
    if (d->model == nullptr || !d->model->Valid(item))
        return false;
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.lParam = d->model->At(item).data;
    Notify(LVN_DELETEITEM, &nm);
    // The owner's handler may itself have changed the list.
    if (!d->model->Valid(item))
        return true;
    ++d->quietSelection;
    d->model->Remove(item);
    --d->quietSelection;
    return true;
}

bool CListCtrl::DeleteAllItems() {
    if (d->model == nullptr)
        return false;
    if (IsEditingLabel())
        CancelEditLabel();
    NMLISTVIEW all{};
    all.iItem = -1;
    const bool perItem = Notify(LVN_DELETEALLITEMS, &all) == 0;
    if (perItem) {
        for (int row = 0; row < d->model->ItemCount(); ++row) {
            NMLISTVIEW nm{};
            nm.iItem = row;
            nm.lParam = d->model->At(row).data;
            Notify(LVN_DELETEITEM, &nm);
        }
    }
    ++d->quietSelection;
    d->model->RemoveAll();
    --d->quietSelection;
    return true;
}

bool CListCtrl::SetItemText(int item, int subItem, const std::string& text) {
    if (d->model == nullptr || !d->model->Valid(item) || subItem < 0 ||
        subItem >= d->model->columnCount())
        return false;
    auto& texts = d->model->At(item).texts;
    if (texts.size() <= static_cast<size_t>(subItem))
        texts.resize(static_cast<size_t>(subItem) + 1);
    texts[static_cast<size_t>(subItem)] = ToQString(text);
    d->model->ItemChanged(item);
    return true;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
    if (d->model == nullptr || !d->model->Valid(item) || subItem < 0)
        return {};
    const auto& texts = d->model->At(item).texts;
    return static_cast<size_t>(subItem) < texts.size()
               ? FromQString(texts[static_cast<size_t>(subItem)])
               : std::string();
}

bool CListCtrl::SetItemData(int item, LPARAM data) {
    if (d->model == nullptr || !d->model->Valid(item))
        return false;
    d->model->At(item).data = data;
    return true;
}

LPARAM CListCtrl::GetItemData(int item) const {
    return d->model != nullptr && d->model->Valid(item) ? d->model->At(item).data : 0;
}

bool CListCtrl::SetItemImage(int item, int image) {
    if (d->model == nullptr || !d->model->Valid(item))
        return false;
    d->model->At(item).image = image;
    d->model->ItemChanged(item);
    return true;
}

int CListCtrl::GetItemImage(int item) const {
    return d->model != nullptr && d->model->Valid(item) ? d->model->At(item).image : -1;
}

unsigned CListCtrl::GetItemState(int item, unsigned mask) const {
    if (d->model == nullptr || !d->model->Valid(item))
        return 0;
    unsigned state = d->model->At(item).state;
    if (d->selection->isRowSelected(item))
        state |= LVIS_SELECTED;
    if (d->selection->currentIndex().isValid() && d->selection->currentIndex().row() == item)
        state |= LVIS_FOCUSED;
    return state & mask;
}

bool CListCtrl::SetItemState(int item, unsigned state, unsigned mask) {
    if (d->model == nullptr)
        return false;
    if (item == -1) {
        for (int row = 0; row < d->model->ItemCount(); ++row) SetItemState(row, state, mask);
        return true;
    }
    if (!d->model->Valid(item))
        return false;
    const QModelIndex index = d->Index(item);
    if ((mask & LVIS_SELECTED) != 0) {
        const bool select = (state & LVIS_SELECTED) != 0;
        if (select != d->selection->isRowSelected(item))
            d->selection->select(
                index, (select ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                           QItemSelectionModel::Rows);
    }
    if ((mask & LVIS_FOCUSED) != 0) {
        if ((state & LVIS_FOCUSED) != 0)
            d->selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (d->selection->currentIndex().row() == item)
            d->selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    const unsigned stored = mask & (LVIS_CUT | LVIS_DROPHILITED);
    if (stored != 0) {
        auto& entry = d->model->At(item);
        const unsigned before = GetItemState(item, ~0u);
        entry.state = (entry.state & ~stored) | (state & stored);
        if (entry.state != (before & (LVIS_CUT | LVIS_DROPHILITED))) {
            d->model->ItemChanged(item);
            d->SendStateChange(item, before, GetItemState(item, ~0u));
        }
    }
    return true;
}

int CListCtrl::GetNextItem(int start, unsigned flags) const {
    if (d->model == nullptr)
        return -1;
    const unsigned want = flags & (LVNI_SELECTED | LVNI_FOCUSED | LVNI_DROPHILITED);
    const unsigned stateWanted = ((want & LVNI_SELECTED) != 0 ? LVIS_SELECTED : 0) |
                                 ((want & LVNI_FOCUSED) != 0 ? LVIS_FOCUSED : 0) |
                                 ((want & LVNI_DROPHILITED) != 0 ? LVIS_DROPHILITED : 0);
    for (int row = start < 0 ? 0 : start + 1; row < d->model->ItemCount(); ++row)
        if ((GetItemState(row, stateWanted) & stateWanted) == stateWanted)
            return row;
    return -1;
}

int CListCtrl::GetSelectedCount() const {
    return d->selection == nullptr ? 0 : static_cast<int>(d->selection->selectedRows().size());
}

std::vector<int> CListCtrl::GetSelectedItems() const {
    std::vector<int> rows;
    if (d->selection == nullptr)
        return rows;
    for (const QModelIndex& index : d->selection->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CListCtrl::SortItems(PFNLVCOMPARE compare, LPARAM sortData) {
    if (compare == nullptr)
        return false;
    return SortItems([compare, sortData](LPARAM a, LPARAM b) { return compare(a, b, sortData); });
}

bool CListCtrl::SortItems(const std::function<int(LPARAM, LPARAM)>& compare) {
    if (d->model == nullptr || !compare)
        return false;
    d->model->Sort(compare);
    return true;
}

int CListCtrl::FindItem(const std::string& text, int start) const {
    if (d->model == nullptr)
        return -1;
    const QString wanted = ToQString(text);
    for (int row = start < 0 ? 0 : start + 1; row < d->model->ItemCount(); ++row) {
        const auto& texts = d->model->At(row).texts;
        if (!texts.empty() && texts[0] == wanted)
            return row;
    }
    return -1;
}

int CListCtrl::HitTest(const QPoint& point, unsigned* flags) const {
    QAbstractItemView* view = d->Active();
    int row = -1;
    if (view != nullptr) {
        const QModelIndex index = view->indexAt(view->viewport()->mapFrom(d->stack, point));
        if (index.isValid())
            row = index.row();
    }
    if (flags != nullptr)
        *flags = row >= 0 ? LVHT_ONITEM : LVHT_NOWHERE;
    return row;
}

QRect CListCtrl::GetItemRect(int item) const {
    QAbstractItemView* view = d->Active();
    if (view == nullptr || !d->model->Valid(item))
        return {};
    QRect rect = view->visualRect(d->Index(item));
    if (d->Active() == d->report) {
        // The whole row, as the report mode's item rectangle.
        const QRect last = view->visualRect(d->model->index(item, d->model->columnCount() - 1));
        rect = rect.united(last);
    }
    return QRect(view->viewport()->mapTo(d->stack, rect.topLeft()), rect.size());
}

bool CListCtrl::EnsureVisible(int item, bool) {
    QAbstractItemView* view = d->Active();
    if (view == nullptr || !d->model->Valid(item))
        return false;
    view->scrollTo(d->Index(item));
    return true;
}

bool CListCtrl::EditLabel(int item) {
    if (d->model == nullptr || !d->model->Valid(item))
        return false;
    if (d->InEndNotification()) {
        d->pendingEdit = item;
        return true;
    }
    QAbstractItemView* view = d->Active();
    if (d->Editing() != nullptr)
        return false;
    view->setFocus();
    view->scrollTo(d->Index(item));
    view->edit(d->Index(item));
    return d->Editing() != nullptr;
}

bool CListCtrl::IsEditingLabel() const {
    return d->Editing() != nullptr;
}

int CListCtrl::GetEditItem() const {
    const detail::LabelEditDelegate* editing = d->Editing();
    return editing != nullptr ? editing->EditIndex().row() : -1;
}

void CListCtrl::CancelEditLabel() {
    d->pendingEdit = -1;
    if (detail::LabelEditDelegate* editing = d->Editing())
        editing->Cancel();
}

void CListCtrl::SetRedraw(bool redraw) {
    if (d->stack == nullptr)
        return;
    d->stack->setUpdatesEnabled(redraw);
    if (redraw)
        d->stack->update();
}

void CListCtrl::RedrawItems(int first, int last) {
    for (int row = std::max(0, first); d->model != nullptr && row <= last && d->model->Valid(row);
         ++row)
        d->model->ItemChanged(row);
}

}  // namespace platform
