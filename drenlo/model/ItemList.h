// CItemList: an owning list of items in order, with a read cursor and a folder text.
//
// The items of one instrument listing (CFileInfoList) and the PC files of a copy job
// (CLocalFileList) are kept this way. Emptying the list deletes every item, resets the cursor
// and the running index to 0 and empties the folder text.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace drenlo {

template <typename Item>
class CItemList {
public:
    CItemList() = default;
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;

    // Appends a copy of `item`. 0 when the list cannot take it (out of memory): the item is
    // dropped and the count stays; else 1.
    int Add(const Item& item) {
        try {
            m_items.push_back(std::make_unique<Item>(item));
        } catch (const std::bad_alloc&) {
            return 0;
        }
        return 1;
    }
    // Takes ownership of `item` (non-null).
    void AddTail(std::unique_ptr<Item> item) { m_items.push_back(std::move(item)); }

    int GetCount() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    Item* GetAt(int index) const {
        return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)].get()
                                                : nullptr;
    }

    // Cursor to the first item, index 0. 1 when the list is not empty.
    int First() {
        m_cursor = 0;
        m_index = 0;
        return m_items.empty() ? 0 : 1;
    }
    // The item at the cursor, the cursor moved on; null at the end. The index counts every
    // call, so after the last item it is one more than the number of items taken.
    Item* Next() {
        ++m_index;
        if (m_cursor >= m_items.size())
            return nullptr;
        return m_items[m_cursor++].get();
    }
    // Calls of Next since First.
    int GetIndex() const { return m_index; }
    // Items taken since First.
    int GetTaken() const { return static_cast<int>(m_cursor); }

    void RemoveAll() {
        m_items.clear();
        m_cursor = 0;
        m_index = 0;
        m_folder.clear();
    }

    const std::string& GetFolder() const { return m_folder; }
    void SetFolder(const std::string& folder) { m_folder = folder; }

private:
    std::vector<std::unique_ptr<Item>> m_items;
    size_t m_cursor = 0;
    int m_index = 0;
    std::string m_folder;
};

}  // namespace drenlo
