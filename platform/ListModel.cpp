#include "platform/ListModel.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <numeric>

#include "platform/ImageList.h"
#include "platform/ListCtrl.h"

namespace platform::detail {

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ItemCount();
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(1, HeadingCount());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !Valid(index.row()))
        return {};
    const Item& item = At(index.row());
    const auto column = static_cast<size_t>(index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return column < item.texts.size() ? item.texts[column] : QString();
        case Qt::DecorationRole:
            if (column == 0 && item.image >= 0)
                return Icon(item.image);
            return {};
        case Qt::TextAlignmentRole: {
            const int format = column < m_formats.size() ? m_formats[column] : LVCFMT_LEFT;
            if (format == LVCFMT_RIGHT)
                return int(Qt::AlignRight | Qt::AlignVCenter);
            if (format == LVCFMT_CENTER)
                return int(Qt::AlignHCenter | Qt::AlignVCenter);
            return {};
        }
        case Qt::BackgroundRole:
            if ((item.state & LVIS_DROPHILITED) != 0)
                return QApplication::palette().brush(QPalette::Highlight);
            return {};
        case Qt::ForegroundRole:
            if ((item.state & LVIS_DROPHILITED) != 0)
                return QApplication::palette().brush(QPalette::HighlightedText);
            if ((item.state & LVIS_CUT) != 0)
                return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
            return {};
        default:
            return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return Heading(section);
    if (role == Qt::TextAlignmentRole) {
        const int format = section >= 0 && section < static_cast<int>(m_formats.size())
                               ? m_formats[static_cast<size_t>(section)]
                               : LVCFMT_LEFT;
        if (format == LVCFMT_RIGHT)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Only labels edit; whether an edit may begin is the owner's answer (BEGINLABELEDIT).
    if (index.column() == 0)
        f |= Qt::ItemIsEditable;
    return f;
}

int ListModel::Insert(int row, Item item) {
    if (row < 0 || row > ItemCount())
        row = ItemCount();
    beginInsertRows(QModelIndex(), row, row);
    m_items.insert(m_items.begin() + row, std::move(item));
    endInsertRows();
    return row;
}

void ListModel::Remove(int row) {
    if (!Valid(row))
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_items.erase(m_items.begin() + row);
    endRemoveRows();
}

void ListModel::RemoveAll() {
    beginResetModel();
    m_items.clear();
    endResetModel();
}

void ListModel::ItemChanged(int row) {
    if (!Valid(row))
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ListModel::Sort(const std::function<int(LPARAM, LPARAM)>& compare) {
    const int count = ItemCount();
    if (count < 2)
        return;
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(At(a).data, At(b).data) < 0; });
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(static_cast<size_t>(count));
    std::vector<Item> sorted;
    sorted.reserve(static_cast<size_t>(count));
    for (int newRow = 0; newRow < count; ++newRow) {
        const int oldRow = order[static_cast<size_t>(newRow)];
        newRowOf[static_cast<size_t>(oldRow)] = newRow;
        sorted.push_back(std::move(At(oldRow)));
    }
    m_items.swap(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.push_back(index(newRowOf[static_cast<size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListModel::InsertColumn(int column, const QString& heading, int format) {
    const int count = HeadingCount();
    if (column < 0 || column > count)
        column = count;
    // The first heading names the label column, which always exists.
    const bool newColumn = count > 0;
    if (newColumn)
        beginInsertColumns(QModelIndex(), column, column);
    m_headings.insert(m_headings.begin() + column, heading);
    m_formats.insert(m_formats.begin() + column, format);
    if (newColumn) {
        for (Item& item : m_items)
            if (static_cast<size_t>(column) < item.texts.size())
                item.texts.insert(item.texts.begin() + column, QString());
        endInsertColumns();
    } else {
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }
    return column;
}

bool ListModel::RemoveColumn(int column) {
    if (column < 0 || column >= HeadingCount())
        return false;
    const bool lastOne = HeadingCount() == 1;
    if (!lastOne)
        beginRemoveColumns(QModelIndex(), column, column);
    m_headings.erase(m_headings.begin() + column);
    m_formats.erase(m_formats.begin() + column);
    if (!lastOne) {
        for (Item& item : m_items)
            if (static_cast<size_t>(column) < item.texts.size())
                item.texts.erase(item.texts.begin() + column);
        endRemoveColumns();
    } else {
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }
    return true;
}

QString ListModel::Heading(int column) const {
    if (column < 0 || column >= HeadingCount())
        return {};
    return m_headings[static_cast<size_t>(column)];
}

void ListModel::SetImageLists(const CImageList* large, const CImageList* small) {
    m_largeImages = large;
    m_smallImages = small;
    m_iconCache.clear();
    if (ItemCount() > 0)
        emit dataChanged(index(0, 0), index(ItemCount() - 1, 0));
}

void ListModel::SetLargeIcons(bool large) {
    if (m_large == large)
        return;
    m_large = large;
    m_iconCache.clear();
    if (ItemCount() > 0)
        emit dataChanged(index(0, 0), index(ItemCount() - 1, 0));
}

QIcon ListModel::Icon(int image) const {
    const CImageList* images = m_large ? m_largeImages : m_smallImages;
    if (images == nullptr || image < 0 || image >= images->GetImageCount())
        return {};
    // Programs add images after handing the list over, so the cache grows on demand.
    if (m_iconCache.size() != static_cast<size_t>(images->GetImageCount())) {
        m_iconCache.clear();
        for (int i = 0; i < images->GetImageCount(); ++i)
            m_iconCache.emplace_back(images->GetImage(i));
    }
    return m_iconCache[static_cast<size_t>(image)];
}

}  // namespace platform::detail
