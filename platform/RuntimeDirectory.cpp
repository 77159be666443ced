#include "platform/RuntimeDirectory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

std::string EnsureRuntimeDirectory(const std::string& base) {
    const char* current = std::getenv("XDG_RUNTIME_DIR");
    if (current != nullptr && current[0] != '\0')
        return current;
    const std::string folder = base + "/quarn-runtime-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    // Opened without following a link, so what is checked and tightened is the folder itself
    // and not something another user planted under its name.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    const bool ours = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
    const bool privateNow = ours && ((info.st_mode & 07777) == 0700 || ::fchmod(fd, 0700) == 0);
    ::close(fd);
    if (!privateNow)
        return {};
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    return folder;
}

}  // namespace platform
