#include "utilities/stowen/BackupFolder.h"

#include "platform/FileSystem.h"

namespace stowen {

CBackupFolder::CBackupFolder(const std::string& typed) : m_path(typed) {
    if (m_path.empty() || m_path.front() != '/')
        m_path.insert(m_path.begin(), '/');
    // "/a/b/" and "/a/b" are one folder; the root keeps its slash.
    while (m_path.size() > 1 && m_path.back() == '/') m_path.pop_back();
}

std::string CBackupFolder::PresetFolder(const std::string& model) const {
    return (m_path == "/" ? "" : m_path) + "/" + model + "/PRESET";
}

std::string CBackupFolder::PresetFile(const std::string& model, const std::string& name) const {
    return PresetFolder(model) + "/" + name;
}

std::string CBackupFolder::RestoreInfoPath() const {
    return (m_path == "/" ? "" : m_path) + "/backup.cfg";
}

int CBackupFolder::MakeFolderTree(const std::string& path) {
    return platform::CreateDirectories(path);
}

}  // namespace stowen
