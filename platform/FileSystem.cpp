#include "platform/FileSystem.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

int GetFreeDiskSpace(const std::string& folder, std::uint64_t& freeBytes) {
    freeBytes = 0;
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0)
        return 0;
    // Blocks for unprivileged users times the fragment size, in 64 bits: volumes of more than
    // 4 GiB are the rule now.
    freeBytes =
        static_cast<std::uint64_t>(info.f_bavail) * static_cast<std::uint64_t>(info.f_frsize);
    return 1;
}

int CreateDirectory(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return 0;
    }
    return ::mkdir(path.c_str(), 0777) == 0 ? 1 : 0;
}

int CreateDirectories(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return 0;
    }
    if (IsDirectory(path))
        return 1;
    std::string::size_type pos = 0;
    while (true) {
        pos = path.find('/', pos + 1);
        const std::string part = path.substr(0, pos);
        if (!part.empty() && !IsDirectory(part) && ::mkdir(part.c_str(), 0777) != 0 &&
            errno != EEXIST)
            return 0;
        if (pos == std::string::npos)
            break;
    }
    if (IsDirectory(path))
        return 1;
    errno = EEXIST;  // a file stands where a folder was wanted
    return 0;
}

std::string SystemErrorText(int errorNumber) {
    std::vector<char> buffer(256);
    // GNU strerror_r may return a static text instead of filling the buffer; the XSI one
    // fills it. Both are covered by taking whatever pointer comes back.
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
    const char* text = ::strerror_r(errorNumber, buffer.data(), buffer.size());
#else
    const char* text =
        ::strerror_r(errorNumber, buffer.data(), buffer.size()) == 0 ? buffer.data() : nullptr;
#endif
    if (text == nullptr || *text == '\0')
        return "Unknown error " + std::to_string(errorNumber);
    return text;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    std::vector<char> buffer(4096);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && *found->pw_dir != '\0')
        return found->pw_dir;
    return "/";
}

}  // namespace platform
