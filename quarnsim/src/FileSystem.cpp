#include "quarnsim/FileSystem.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

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
bool InsideRoot(const fs::path& root, const fs::path& path) {
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

}  // namespace

FileSystem::FileSystem(std::string root) : m_root(std::move(root)) {}

int FileSystem::Resolve(std::string_view instrumentPath, std::string* hostPath) const {
    if (!Enabled())
        return 0;
    std::string_view rest = instrumentPath;
    while (!rest.empty() && (rest.front() == '/' || rest.front() == '\\')) rest.remove_prefix(1);
    if (rest.size() >= 3 && std::toupper(static_cast<unsigned char>(rest[0])) == 'F' &&
        rest[1] == '0' && rest[2] == ':') {
        rest.remove_prefix(3);
    }
    fs::path path(m_root);
    std::string name;
    auto flush = [&]() -> bool {
        if (name.empty())
            return true;
        if (!ValidName(name))
            return false;
        path /= name;
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
    if (!flush() || !InsideRoot(m_root, path))
        return 0;
    *hostPath = path.string();
    return 1;
}

int FileSystem::MakeDirectories(std::string_view instrumentPath) {
    NoteChange();
    std::string host;
    if (!Resolve(instrumentPath, &host))
        return 0;
    std::error_code ec;
    fs::create_directories(host, ec);
    return !ec && fs::is_directory(host, ec) ? 1 : 0;
}

int FileSystem::WriteFile(std::string_view instrumentPath, std::string_view data) {
    NoteChange();
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
    NoteChange();
    std::string host;
    if (!Resolve(instrumentPath, &host))
        return 0;
    std::error_code ec;
    if (!fs::is_regular_file(host, ec))
        return 0;
    return fs::remove(host, ec) ? 1 : 0;
}

bool FileSystem::Exists(std::string_view instrumentPath) const {
    std::string host;
    std::error_code ec;
    return Resolve(instrumentPath, &host) && fs::exists(host, ec);
}

bool FileSystem::IsFolder(std::string_view instrumentPath) const {
    std::string host;
    std::error_code ec;
    return Resolve(instrumentPath, &host) && fs::is_directory(host, ec);
}

int FileSystem::List(std::string_view instrumentPath, std::vector<CatalogEntry>* entries) const {
    std::string host;
    std::error_code ec;
    if (!Resolve(instrumentPath, &host) || !fs::is_directory(host, ec))
        return 0;
    std::vector<CatalogEntry> folders;
    std::vector<CatalogEntry> files;
    fs::directory_iterator it(host, ec);
    if (ec)
        return 0;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            return 0;
        fs::file_status status = it->symlink_status(ec);
        if (ec)
            continue;
        CatalogEntry entry;
        entry.name = it->path().filename().string();
        if (fs::is_directory(status)) {
            entry.folder = true;
            folders.push_back(std::move(entry));
        } else if (fs::is_regular_file(status)) {
            entry.size = it->file_size(ec);
            if (ec)
                continue;
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
    if (!Enabled())
        return 0;
    uint64_t total = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(m_root, ec);
    if (ec)
        return 0;
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code fileError;
        if (it->is_symlink(fileError) || !it->is_regular_file(fileError))
            continue;
        uint64_t size = it->file_size(fileError);
        if (!fileError)
            total += size;
    }
    return total;
}

uint64_t FileSystem::ListedUsedBytes() const {
    ListedBytes& listed = *m_listed;
    const uint64_t generation = listed.generation.load();
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(listed.mutex);
    if (!listed.valid || listed.countedGeneration != generation ||
        now - listed.countedAt > kListedBytesAge) {
        listed.bytes = UsedBytes();
        listed.countedGeneration = generation;
        listed.countedAt = now;
        listed.valid = true;
    }
    return listed.bytes;
}

}  // namespace quarnsim
