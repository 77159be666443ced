#include "quarnsim/FileSystem.h"

#include <unistd.h>

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
        if (u < 0x20 || u == 0x7f || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|') {
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
    data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? 0 : 1;
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
    std::string host;
    std::error_code ec;
    return Resolve(instrumentPath, &host) && fs::exists(host, ec);
}

}  // namespace quarnsim
