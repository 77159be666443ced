#include "drenlo/transfer/TransferQueue.h"

namespace drenlo {

void CTransferQueue::ClearTransferQueue() {
    m_items.clear();
    m_pcPaths.clear();
    m_cursor = 0;
}

void CTransferQueue::AddTransferItem(const CFileInfo& item, const std::string& pcPath) {
    m_items.push_back(item);
    m_pcPaths.push_back(pcPath);
}

int CTransferQueue::TakeNext(CFileInfo& item, std::string& pcPath) {
    if (m_cursor >= m_items.size())
        return 0;
    item = m_items[m_cursor];
    pcPath = m_pcPaths[m_cursor];
    ++m_cursor;
    return 1;
}

}  // namespace drenlo
