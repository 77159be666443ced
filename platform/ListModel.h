// The item store behind CListCtrl (ListCtrl.h): one model that both of the control's Qt
// views show. Internal to the layer.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform {

class CImageList;

namespace detail {

class ListModel : public QAbstractTableModel {
public:
    struct Item {
        std::vector<QString> texts;  // per column; missing columns read as ""
        int image = -1;
        LPARAM data = 0;
        unsigned state = 0;  // the stored states (cut, drop highlight); selection is the views'
    };

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int ItemCount() const { return static_cast<int>(m_items.size()); }
    bool Valid(int row) const { return row >= 0 && row < ItemCount(); }
    Item& At(int row) { return m_items[static_cast<size_t>(row)]; }
    const Item& At(int row) const { return m_items[static_cast<size_t>(row)]; }

    int Insert(int row, Item item);
    void Remove(int row);
    void RemoveAll();
    void ItemChanged(int row);
    // Stable sort by the compare function on the items' data; selection and the current item
    // follow their items.
    void Sort(const std::function<int(LPARAM, LPARAM)>& compare);

    int InsertColumn(int column, const QString& heading, int format);
    bool RemoveColumn(int column);
    int HeadingCount() const { return static_cast<int>(m_headings.size()); }
    QString Heading(int column) const;

    void SetImageLists(const CImageList* large, const CImageList* small);
    void SetLargeIcons(bool large);

private:
    QIcon Icon(int image) const;

    std::vector<Item> m_items;
    std::vector<QString> m_headings;
    std::vector<int> m_formats;
    const CImageList* m_largeImages = nullptr;
    const CImageList* m_smallImages = nullptr;
    bool m_large = false;
    mutable std::vector<QIcon> m_iconCache;
};

}  // namespace detail
}  // namespace platform
