#include "utilities/gorrel/RestoreInfo.h"

#include <cstdio>

#include "platform/FileSystem.h"

namespace gorrel {

std::string CRestoreInfo::FilePath(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/')
        return folder + "backup.cfg";
    return folder + "/backup.cfg";
}

void CRestoreInfo::SetContent(std::string bytes, bool more) {
    m_tooLong = more || bytes.size() > kMaxBytes;
    if (bytes.size() > kMaxBytes)
        bytes.resize(kMaxBytes);
    m_text = std::move(bytes);
}

CRestoreInfo::ReadResult CRestoreInfo::Read(const std::string& folder) {
    SetContent({}, false);
    std::string path = FilePath(folder);
    if (!platform::IsRegularFile(path))
        return ReadResult::kMissing;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return ReadResult::kMissing;
    std::string bytes(kMaxBytes + 1, '\0');
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (got == 0)
        return ReadResult::kEmpty;
    bytes.resize(got);
    SetContent(std::move(bytes), false);
    return ReadResult::kRead;
}

}  // namespace gorrel
