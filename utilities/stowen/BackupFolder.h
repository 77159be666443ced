// CBackupFolder: where a backup goes on the PC.
//
// A folder typed as a bare name ("Quarn") is taken under the root ("/Quarn"), as the program
// always did with the root of the current drive. Folders are made like `mkdir -p`: every
// missing level is created, an existing folder is fine, and the process's current directory
// is never touched. The file names keep their exact case (CPU, PRESET, the model names,
// MSTATE), so backups move freely between this program and older copies of it.
#pragma once

#include <string>

namespace stowen {

class CBackupFolder {
public:
    explicit CBackupFolder(const std::string& typed);

    const std::string& Path() const { return m_path; }
    // "<folder>/<model>/PRESET" and the file names inside it.
    std::string PresetFolder(const std::string& model) const;
    std::string PresetFile(const std::string& model, const std::string& name) const;
    std::string RestoreInfoPath() const;

    // 1 when the folder exists or was made, with every missing parent.
    static int MakeFolderTree(const std::string& path);

private:
    std::string m_path;
};

}  // namespace stowen
