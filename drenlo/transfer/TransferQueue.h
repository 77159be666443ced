// CTransferQueue: the files of an instrument-to-PC copy job.
//
// Each entry is a copy of the listed item (name, size, folder flag) with the PC path the
// operator chose for it, so relisting the views during the job cannot touch the queue. The
// instrument folder the files come from is the queue's target.
#pragma once

#include <string>
#include <vector>

#include "drenlo/model/FileInfo.h"

namespace drenlo {

class CTransferQueue {
public:
    void ClearTransferQueue();
    void AddTransferItem(const CFileInfo& item, const std::string& pcPath);
    void SetTransferTarget(const std::string& instrumentFolder) { m_folder = instrumentFolder; }
    const std::string& GetTransferTarget() const { return m_folder; }

    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Cursor back to the first entry.
    void First() { m_cursor = 0; }
    // The current entry and its PC path, the cursor moved on. 0 when none is left.
    int TakeNext(CFileInfo& item, std::string& pcPath);

private:
    std::vector<CFileInfo> m_items;
    std::vector<std::string> m_pcPaths;
    std::string m_folder;
    size_t m_cursor = 0;
};

}  // namespace drenlo
