#include "quarnsim/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "DriveWatch.h"

namespace quarnsim {
namespace fs = std::filesystem;

namespace {

bool ValidName(std::string_view name) {
    if (name == "." || name == "..")
        return false;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        // ':' is allowed: listings carry it escaped, and only a leading "F0:" names the drive.
        if (u < 0x20 || u == 0x7f || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|') {
            return false;
        }
    }
    return true;
}

// A symbolic link inside the root could still lead out of it; the canonical form tells.
bool CanonicallyInsideRoot(const fs::path& root, const fs::path& path) {
    std::error_code ec;
    fs::path canonicalRoot = fs::weakly_canonical(root, ec);
    if (ec)
        return false;
    fs::path canonicalPath = fs::weakly_canonical(path, ec);
    if (ec)
        return false;
    auto rootIt = canonicalRoot.begin();
    auto pathIt = canonicalPath.begin();
    for (; rootIt != canonicalRoot.end(); ++rootIt, ++pathIt) {
        if (rootIt->empty())
            continue;  // trailing separator
        if (pathIt == canonicalPath.end() || *rootIt != *pathIt)
            return false;
    }
    return true;
}

// `names` are plain names below `root` (never "." or ".."), so only a link among them can lead
// out of it. Without one, which is what a drive holds, the path stays inside whatever the root
// itself is, and a look at each name's own entry tells so for far less than the canonical forms
// cost; a link, or any doubt, goes to the canonical forms, whose answer depends on more than the
// watched folders and is not kept.
bool InsideRoot(const std::string& root, const std::vector<std::string>& names, fs::path* path,
                const DriveWatch::Watcher& watch, bool& keep) {
    *path = root;
    struct stat entry {};
    if (names.empty()) {
        watch(root);
        if (::lstat(root.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode))
            return true;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        watch(path->string());
        *path /= names[i];
        if (::lstat(path->c_str(), &entry) != 0) {
            if (errno != ENOENT)
                break;
            // Nothing below a missing name is looked up.
            for (++i; i < names.size(); ++i) *path /= names[i];
            return true;
        }
        if (S_ISLNK(entry.st_mode))
            break;
        if (i + 1 == names.size())
            return true;
    }
    keep = false;
    *path = root;
    for (const std::string& name : names) *path /= name;
    return CanonicallyInsideRoot(root, *path);
}

enum class Kind { None, Folder, File, Other };

// What the entry at `host` is, links followed, as the standard library's is_directory and exists
// tell it. Asked of the folder holding it, which is watched; a link's target is not.
Kind KindOf(const std::string& root, const std::string& host, const DriveWatch::Watcher& watch,
            bool& keep) {
    watch(host == root ? host : fs::path(host).parent_path().string());
    struct stat entry {};
    if (::lstat(host.c_str(), &entry) != 0) {
        keep = keep && errno == ENOENT;
        return Kind::None;
    }
    if (S_ISLNK(entry.st_mode)) {
        keep = false;
        if (::stat(host.c_str(), &entry) != 0)
            return Kind::None;
    }
    return S_ISDIR(entry.st_mode)   ? Kind::Folder
           : S_ISREG(entry.st_mode) ? Kind::File
                                    : Kind::Other;
}

}  // namespace

FileSystem::FileSystem(std::string root)
    : m_root(std::move(root)), m_watch(std::make_shared<DriveWatch>(m_root)) {}

int FileSystem::Resolve(std::string_view instrumentPath, std::string* hostPath) const {
    if (!Enabled())
        return 0;
    using Answer = std::pair<int, std::string>;
    Answer answer = m_watch->Remember<Answer>(
        "R" + std::string(instrumentPath), [&](const DriveWatch::Watcher& watch, bool& keep) {
            Answer looked{0, {}};
            looked.first = Resolve(instrumentPath, &looked.second, watch, keep);
            return looked;
        });
    if (answer.first)
        *hostPath = std::move(answer.second);
    return answer.first;
}

int FileSystem::Resolve(std::string_view instrumentPath, std::string* hostPath,
                        const DriveWatch::Watcher& watch, bool& keep) const {
    std::string_view rest = instrumentPath;
    while (!rest.empty() && (rest.front() == '/' || rest.front() == '\\')) rest.remove_prefix(1);
    if (rest.size() >= 3 && std::toupper(static_cast<unsigned char>(rest[0])) == 'F' &&
        rest[1] == '0' && rest[2] == ':') {
        rest.remove_prefix(3);
    }
    std::vector<std::string> names;
    std::string name;
    auto flush = [&]() -> bool {
        if (name.empty())
            return true;
        if (!ValidName(name))
            return false;
        names.push_back(std::move(name));
        name.clear();
        return true;
    };
    for (char c : rest) {
        if (c == '/' || c == '\\') {
            if (!flush())
                return 0;
        } else {
            name += c;
        }
    }
    fs::path path;
    if (!flush() || !InsideRoot(m_root, names, &path, watch, keep))
        return 0;
    *hostPath = path.string();
    return 1;
}

int FileSystem::MakeDirectories(std::string_view instrumentPath) {
    std::string host;
    if (!Resolve(instrumentPath, &host))
        return 0;
    std::error_code ec;
    fs::create_directories(host, ec);
    return !ec && fs::is_directory(host, ec) ? 1 : 0;
}

int FileSystem::WriteFile(std::string_view instrumentPath, std::string_view data) {
    std::string host;
    if (!Resolve(instrumentPath, &host))
        return 0;
    std::string temporary = host + ".part" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return 0;
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return 0;
        }
    }
    std::error_code ec;
    fs::rename(temporary, host, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return 0;
    }
    return 1;
}

int FileSystem::ReadFile(std::string_view instrumentPath, std::string* data) const {
    std::string host;
    if (!Resolve(instrumentPath, &host))
        return 0;
    std::error_code ec;
    if (!fs::is_regular_file(host, ec))
        return 0;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return 0;
    // Whole runs at once: block replies of many MiB come from here.
    std::string out;
    out.reserve(static_cast<size_t>(fs::file_size(host, ec)));
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        out.append(chunk, static_cast<size_t>(in.gcount()));
    if (in.bad())
        return 0;
    *data = std::move(out);
    return 1;
}

int FileSystem::RemoveFile(std::string_view instrumentPath) {
    std::string host;
    if (!Resolve(instrumentPath, &host))
        return 0;
    std::error_code ec;
    if (!fs::is_regular_file(host, ec))
        return 0;
    return fs::remove(host, ec) ? 1 : 0;
}

bool FileSystem::Exists(std::string_view instrumentPath) const {
    return Enabled() && Look(instrumentPath) != 0;
}

bool FileSystem::IsFolder(std::string_view instrumentPath) const {
    return Enabled() && Look(instrumentPath) == static_cast<int>(Kind::Folder);
}

int FileSystem::Look(std::string_view instrumentPath) const {
    return m_watch->Remember<int>("K" + std::string(instrumentPath),
                                  [&](const DriveWatch::Watcher& watch, bool& keep) {
                                      std::string host;
                                      if (!Resolve(instrumentPath, &host, watch, keep))
                                          return static_cast<int>(Kind::None);
                                      return static_cast<int>(KindOf(m_root, host, watch, keep));
                                  });
}

int FileSystem::List(std::string_view instrumentPath, std::vector<CatalogEntry>* entries) const {
    if (!Enabled())
        return 0;
    using Answer = std::pair<int, std::vector<CatalogEntry>>;
    Answer answer = m_watch->Remember<Answer>(
        "L" + std::string(instrumentPath), [&](const DriveWatch::Watcher& watch, bool& keep) {
            Answer looked{0, {}};
            std::string host;
            if (Resolve(instrumentPath, &host, watch, keep)) {
                watch(host);
                looked.first = ListFolder(host, &looked.second);
            }
            return looked;
        });
    if (answer.first)
        *entries = std::move(answer.second);
    return answer.first;
}

int FileSystem::ListFolder(const std::string& host, std::vector<CatalogEntry>* entries) {
    // Fails for anything but a folder.
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(host.c_str()), ::closedir);
    if (!folder)
        return 0;
    std::vector<CatalogEntry> folders;
    std::vector<CatalogEntry> files;
    for (;;) {
        errno = 0;
        const dirent* found = ::readdir(folder.get());
        if (found == nullptr) {
            if (errno != 0)
                return 0;
            break;
        }
        const std::string_view name = found->d_name;
        if (name == "." || name == "..")
            continue;
        // The folder tells each entry's own type; the entry itself is asked only for a file's
        // size, or where the folder cannot tell. Relative to the folder, each look is one step.
        CatalogEntry entry;
        entry.name = name;
        struct stat own {};
        const bool asked = found->d_type == DT_REG || found->d_type == DT_UNKNOWN;
        if (asked &&
            ::fstatat(::dirfd(folder.get()), found->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (asked ? S_ISDIR(own.st_mode) : found->d_type == DT_DIR) {
            entry.folder = true;
            folders.push_back(std::move(entry));
        } else if (asked && S_ISREG(own.st_mode)) {
            entry.size = static_cast<uint64_t>(own.st_size);
            files.push_back(std::move(entry));
        }
    }
    auto byName = [](const CatalogEntry& a, const CatalogEntry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries->assign(folders.begin(), folders.end());
    entries->insert(entries->end(), files.begin(), files.end());
    return 1;
}

uint64_t FileSystem::UsedBytes() const {
    return Enabled() ? m_watch->UsedBytes() : 0;
}

}  // namespace quarnsim
