#include "platform/TreeModel.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

#include "platform/ImageList.h"
#include "platform/TreeCtrl.h"

namespace platform::detail {

TreeModel::TreeModel() = default;
TreeModel::~TreeModel() = default;

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    const Node* p = parent.isValid() ? FromIndex(parent) : &m_root;
    if (p == nullptr || column != 0 || row < 0 || row >= static_cast<int>(p->children.size()))
        return {};
    return createIndex(row, 0, p->children[static_cast<size_t>(row)].get());
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    const Node* node = FromIndex(child);
    if (node == nullptr || node->parent == nullptr || node->parent == &m_root)
        return {};
    return IndexOf(node->parent);
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const Node* p = parent.isValid() ? FromIndex(parent) : &m_root;
    return p == nullptr ? 0 : static_cast<int>(p->children.size());
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    const Node* node = FromIndex(index);
    if (node == nullptr)
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return node->text;
        case Qt::DecorationRole: {
            const bool selected = (node->state & TVIS_SELECTED) != 0;
            const QIcon icon = Icon(selected ? node->selectedImage : node->image);
            if (!icon.isNull())
                return icon;
            return {};
        }
        case Qt::FontRole:
            if ((node->state & TVIS_BOLD) != 0) {
                QFont font = QApplication::font();
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::BackgroundRole:
            if ((node->state & TVIS_DROPHILITED) != 0)
                return QApplication::palette().brush(QPalette::Highlight);
            return {};
        case Qt::ForegroundRole:
            if ((node->state & TVIS_DROPHILITED) != 0)
                return QApplication::palette().brush(QPalette::HighlightedText);
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

TreeModel::Node* TreeModel::Find(std::uintptr_t handle) const {
    auto it = m_byHandle.find(handle);
    return it == m_byHandle.end() ? nullptr : it->second;
}

TreeModel::Node* TreeModel::FromIndex(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex TreeModel::IndexOf(const Node* node) const {
    if (node == nullptr || node == &m_root)
        return {};
    return createIndex(RowOf(node), 0, const_cast<Node*>(node));
}

int TreeModel::RowOf(const Node* node) const {
    if (node == nullptr || node->parent == nullptr)
        return -1;
    const auto& siblings = node->parent->children;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node)
            return static_cast<int>(i);
    return -1;
}

TreeModel::Node* TreeModel::Insert(Node* parent, int row, QString text) {
    const int count = static_cast<int>(parent->children.size());
    if (row < 0 || row > count)
        row = count;
    auto node = std::make_unique<Node>();
    node->parent = parent;
    node->text = std::move(text);
    node->handle = m_nextHandle++;
    Node* raw = node.get();
    beginInsertRows(IndexOf(parent), row, row);
    parent->children.insert(parent->children.begin() + row, std::move(node));
    m_byHandle[raw->handle] = raw;
    endInsertRows();
    return raw;
}

void TreeModel::Unregister(Node* node) {
    for (auto& child : node->children) Unregister(child.get());
    m_byHandle.erase(node->handle);
}

void TreeModel::Remove(Node* node) {
    if (node == nullptr || node == &m_root)
        return;
    const int row = RowOf(node);
    Node* parent = node->parent;
    beginRemoveRows(IndexOf(parent), row, row);
    Unregister(node);
    std::unique_ptr<Node> gone = std::move(parent->children[static_cast<size_t>(row)]);
    parent->children.erase(parent->children.begin() + row);
    endRemoveRows();
}

void TreeModel::RemoveAll() {
    beginResetModel();
    m_root.children.clear();
    m_byHandle.clear();
    endResetModel();
}

void TreeModel::NodeChanged(Node* node) {
    const QModelIndex i = IndexOf(node);
    if (i.isValid())
        emit dataChanged(i, i);
}

void TreeModel::SetImageList(const CImageList* images) {
    m_images = images;
    m_iconCache.clear();
    emit layoutChanged();
}

QIcon TreeModel::Icon(int image) const {
    if (m_images == nullptr || image < 0 || image >= m_images->GetImageCount())
        return {};
    if (m_iconCache.size() != static_cast<size_t>(m_images->GetImageCount())) {
        m_iconCache.clear();
        for (int i = 0; i < m_images->GetImageCount(); ++i)
            m_iconCache.emplace_back(m_images->GetImage(i));
    }
    return m_iconCache[static_cast<size_t>(image)];
}

}  // namespace platform::detail
