#include "nimbrel/CFileMakeInfo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <vector>

#include "nimbrel/IniValue.h"
#include "nimbrel/MainSwitches.h"
#include "nimbrel/OutputCommit.h"

namespace nimbrel {

namespace {

struct ComponentRow {
    const char* suffix;
    const char* field1Key;
    const char* field2Key;
    const char* field1Default;
    const char* field2Default;
};

const ComponentRow kRows[kComponentCount] = {
    {"", "TEMP_FILE_1ST_Y", "TEMP_FILE_2ND_Y", "C:line.ddd", "C:line2.ddd"},
    {"_G", "TEMP_FILE_1ST_G", "TEMP_FILE_2ND_G", "C:lineG.ddd", "C:line2G.ddd"},
    {"_B", "TEMP_FILE_1ST_B", "TEMP_FILE_2ND_B", "C:lineB.ddd", "C:line2B.ddd"},
    {"_R", "TEMP_FILE_1ST_R", "TEMP_FILE_2ND_R", "C:lineR.ddd", "C:line2R.ddd"},
};

std::string Normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (!name.empty() && name[0] == '/') {
        return Normal(name);
    }
    return Normal(folder + "/" + name);
}

bool SameExistingFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The base and extension of a chosen picture path: the last '.' of the file name, not of the
// whole path, so a dot in a folder name cannot send the siblings to another folder.
bool SplitExtension(const std::string& path, std::string& base, std::string& extension) {
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) {
        return false;
    }
    base = path.substr(0, dot);
    extension = path.substr(dot + 1);
    return true;
}

}  // namespace

CFileMakeInfo::CFileMakeInfo(const std::string& startFolder) {
    std::string folder = startFolder;
    if (folder.empty() || folder[0] != '/') {
        std::error_code error;
        folder = (std::filesystem::current_path(error) / folder).string();
    }
    m_startFolder = Normal(folder);
    while (m_startFolder.size() > 1 && m_startFolder.back() == '/') {
        m_startFolder.pop_back();
    }
    m_mainIni = Joined(m_startFolder, "Nimbrel.ini");
    m_filterIni = Joined(m_startFolder, "Nimbrel_Filter.ini");
    m_debug = MainSwitches::Read(m_mainIni).debug;
}

int CFileMakeInfo::SetSize(long lines, long width) {
    m_lines = lines;
    m_width = width;
    if (lines <= 0) {
        return 4;
    }
    return width <= 0 ? 5 : 0;
}

int CFileMakeInfo::SetFormatWord(long word) {
    if (word < 0 || word > 0xFFFF) {
        return 7;
    }
    m_formatWord = word;
    return 0;
}

int CFileMakeInfo::SetInterlaced(bool interlaced) {
    m_interlaced = interlaced;
    return 0;
}

int CFileMakeInfo::SetFamily(int family) {
    m_family = family;
    return 0;
}

int CFileMakeInfo::SetFilterSection(const std::string* section) {
    m_filterSection = section != nullptr ? *section : std::string();
    return 0;
}

std::string CFileMakeInfo::ResolveName(const std::string& name) const {
    const bool drive = name.size() >= 2 && name[1] == ':' &&
                       ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (!drive) {
        return Joined(m_startFolder, name);
    }
    // A name written for a drive ("C:line.ddd", "C:\\work\\line.ddd") lands in the start
    // folder, with its backslashes as the separators they were meant to be.
    std::string rest = name.substr(2);
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    const size_t first = rest.find_first_not_of('/');
    rest = first == std::string::npos ? std::string() : rest.substr(first);
    return Joined(m_startFolder, rest);
}

bool CFileMakeInfo::LoadRow(int component, bool forceMade) {
    static const char* const kMakeKeys[kComponentCount] = {"MAKE_Y", "MAKE_G", "MAKE_B", "MAKE_R"};
    m_tempNames[0][component].clear();
    m_tempNames[1][component].clear();
    std::string value;
    if (!forceMade && IniValue::Read(m_mainIni, "NIMBREL", kMakeKeys[component], value) &&
        value == "OFF") {
        return false;
    }
    const ComponentRow& row = kRows[component];
    // Two Nimbrels started in the same folder must not write into each other's files.
    const std::string unique = "." + std::to_string(::getpid());
    for (int field = 0; field < 2; ++field) {
        std::string name;
        if (!IniValue::Read(m_mainIni, "NIMBREL", field == 0 ? row.field1Key : row.field2Key,
                            name)) {
            name = field == 0 ? row.field1Default : row.field2Default;
        }
        m_tempNames[field][component] = ResolveName(name) + unique;
    }
    return true;
}

bool CFileMakeInfo::NamesDistinct() const {
    std::vector<const std::string*> names;
    for (const auto& field : m_tempNames) {
        for (const std::string& name : field) {
            if (!name.empty()) {
                names.push_back(&name);
            }
        }
    }
    for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = i + 1; j < names.size(); ++j) {
            if (*names[i] == *names[j] || SameExistingFile(*names[i], *names[j])) {
                return false;
            }
        }
    }
    return true;
}

bool CFileMakeInfo::LoadTempFileNames() {
    bool any = false;
    for (int c = 0; c < kComponentCount; ++c) {
        any = LoadRow(c, false) || any;
    }
    if (any && !NamesDistinct()) {
        for (auto& field : m_tempNames) {
            for (std::string& name : field) {
                name.clear();
            }
        }
        return false;
    }
    return any;
}

bool CFileMakeInfo::LoadTempFileNamesY() {
    for (auto& field : m_tempNames) {
        for (std::string& name : field) {
            name.clear();
        }
    }
    LoadRow(kComponentY, true);
    if (!NamesDistinct()) {
        m_tempNames[0][kComponentY].clear();
        m_tempNames[1][kComponentY].clear();
        return false;
    }
    return true;
}

std::string CFileMakeInfo::GetTempFileName(int field, int component) const {
    if (field < 1 || field > 2 || component < 0 || component >= kComponentCount) {
        return {};
    }
    return m_tempNames[field - 1][component];
}

void CFileMakeInfo::DeleteTempFiles(int mask) const {
    for (int field = 0; field < 2; ++field) {
        if ((mask & (1 << field)) == 0) {
            continue;
        }
        for (const std::string& name : m_tempNames[field]) {
            if (!name.empty()) {
                ::unlink(name.c_str());
            }
        }
    }
}

bool CFileMakeInfo::TargetIsTempFile(const std::string& path) const {
    std::string base;
    std::string extension;
    const std::string absolute = Joined(m_startFolder, path);
    if (!SplitExtension(absolute, base, extension)) {
        return false;
    }
    for (const ComponentRow& row : kRows) {
        const std::string target = Normal(base + row.suffix + "." + extension);
        for (const auto& field : m_tempNames) {
            for (const std::string& name : field) {
                if (!name.empty() && (name == target || SameExistingFile(name, target))) {
                    return true;
                }
            }
        }
    }
    return false;
}

int CFileMakeInfo::RenameOutputs(const std::string& path) const {
    if (path.empty()) {
        return 8;
    }
    // The longest name made from the path adds "_G" and needs its terminating NUL; PATH_MAX is
    // what every system call that takes it accepts, where the old limit of 256 would refuse
    // ordinary deep folders.
    if (path.size() + 3 > PATH_MAX) {
        return 9;
    }
    // A relative choice means the start folder, as every other name of the job does.
    const std::string absolute = Joined(m_startFolder, path);
    std::string base;
    std::string extension;
    if (absolute.size() + 3 > PATH_MAX) {
        return 9;
    }
    if (!SplitExtension(absolute, base, extension)) {
        return 10;
    }
    if (TargetIsTempFile(absolute)) {
        return 40;
    }
    OutputCommit commit;
    bool any = false;
    for (int c = 0; c < kComponentCount; ++c) {
        const std::string& temp = m_tempNames[0][c];
        if (temp.empty()) {
            continue;
        }
        struct stat info {};
        // A made component without its file would be reported saved when it is not.
        if (::stat(temp.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return 11;
        }
        commit.Add(temp, base + kRows[c].suffix + "." + extension);
        any = true;
    }
    if (!any) {
        return 11;
    }
    return commit.Commit() ? 0 : 11;
}

}  // namespace nimbrel
