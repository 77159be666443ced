#include "platform/FileSystem.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

int ReplaceFileContent(const std::string& fileName, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    // A link is written through, as a direct write would: the rename below would otherwise
    // put a plain file in place of the link and leave its target unchanged.
    std::string target = fileName;
    if (char* resolved = realpath(fileName.c_str(), nullptr)) {
        struct stat link;
        if (lstat(fileName.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            target = resolved;
        free(resolved);
    }
    std::string temporary = target + ".tmp-XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        return 0;
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    std::size_t written = 0;
    int saved = 0;
    while (written < size) {
        ssize_t n = write(fd, bytes + written, size - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            saved = errno;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    if (saved == 0 && fsync(fd) != 0)
        saved = errno;
    if (close(fd) != 0 && saved == 0)
        saved = errno;
    if (saved == 0 && std::rename(temporary.c_str(), target.c_str()) != 0)
        saved = errno;
    if (saved != 0) {
        unlink(temporary.c_str());
        errno = saved;
        return 0;
    }
    return 1;
}

}  // namespace platform
