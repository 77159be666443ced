// CLocalFileItem: one PC file of a PC-to-instrument copy job.
//
// The job's list holds copies (CLocalFileList::Add), never pointers into the views. PC paths
// are POSIX paths: the name is the part after the last '/'.
#pragma once

#include <cstdint>
#include <string>

#include "drenlo/model/ItemList.h"

namespace drenlo {

class CLocalFileItem {
public:
    CLocalFileItem() = default;

    // Stores the path and the name after its last '/'. 0, name left unset, when the path has
    // no '/' after its first character or ends with one (no name).
    int SplitLocalPath(const std::string& path);

    const std::string& GetPcPath() const { return m_pcPath; }
    const std::string& GetFileName() const { return m_fileName; }
    std::uint64_t GetSize() const { return m_size; }
    void SetSize(std::uint64_t size) { m_size = size; }
    // Filled by the job: the file type and the command head of the copy.
    int GetFileType() const { return m_fileType; }
    void SetFileType(int type) { m_fileType = type; }
    const std::string& GetCommandHead() const { return m_commandHead; }
    void SetCommandHead(const std::string& head) { m_commandHead = head; }

private:
    std::string m_pcPath;
    std::string m_fileName;
    std::uint64_t m_size = 0;
    int m_fileType = 0;
    std::string m_commandHead;
};

class CLocalFileList : public CItemList<CLocalFileItem> {};

}  // namespace drenlo
