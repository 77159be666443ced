// The item store behind CTreeCtrl (TreeCtrl.h). Internal to the layer.
//
// Nodes are addressed by handles from a counter that only grows, so a deleted item's handle
// is never given to another item.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Types.h"

namespace platform {

class CImageList;

namespace detail {

class TreeModel : public QAbstractItemModel {
public:
    struct Node {
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
        QString text;
        int image = -1;
        int selectedImage = -1;
        LPARAM data = 0;
        unsigned state = 0;
        std::uintptr_t handle = 0;
    };

    TreeModel();
    ~TreeModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    Node* Root() { return &m_root; }
    Node* Find(std::uintptr_t handle) const;
    Node* FromIndex(const QModelIndex& index) const;
    QModelIndex IndexOf(const Node* node) const;
    int RowOf(const Node* node) const;
    unsigned Count() const { return static_cast<unsigned>(m_byHandle.size()); }

    // Inserts a new node under parent at row (clamped); returns it.
    Node* Insert(Node* parent, int row, QString text);
    // Removes the node and its subtree; `gone` sees each node (children first) before.
    void Remove(Node* node);
    void RemoveAll();
    void NodeChanged(Node* node);

    void SetImageList(const CImageList* images);

private:
    void Unregister(Node* node);
    QIcon Icon(int image) const;

    Node m_root;
    std::unordered_map<std::uintptr_t, Node*> m_byHandle;
    std::uintptr_t m_nextHandle = 1;
    const CImageList* m_images = nullptr;
    mutable std::vector<QIcon> m_iconCache;
};

}  // namespace detail
}  // namespace platform
