#include "platform/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

bool UsableRuntimeDirectory(const char* dir) {
    if (dir == nullptr || dir[0] != '/') {
        return false;
    }
    struct stat info {};
    return ::stat(dir, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

std::string Sanitised(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        out += keep ? c : '_';
    }
    if (out.find_first_not_of('.') == std::string::npos) {
        out = "_";  // "", "." and ".." would name the folder itself or its parent
    }
    return out;
}

}  // namespace

NamedMutex::NamedMutex(const std::string& name) : m_path(LockPathFor(name)) {}

NamedMutex::~NamedMutex() {
    Unlock();
}

std::string NamedMutex::LockDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return UsableRuntimeDirectory(runtime) ? std::string(runtime) : std::string("/tmp");
}

std::string NamedMutex::LockPathFor(const std::string& name) {
    const std::string dir = LockDirectory();
    std::string file = Sanitised(name);
    if (dir == "/tmp") {
        // /tmp is shared by all users: the user id keeps one user's lock from blocking another.
        file += "." + std::to_string(::getuid());
    }
    return dir + "/" + file + ".lock";
}

int NamedMutex::TryLock() {
    if (m_handle >= 0) {
        return 1;
    }
    // O_NOFOLLOW: in a shared folder a planted link must not make us create or lock a file
    // elsewhere.
    const int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return 0;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        ::close(fd);
        errno = EACCES;
        return 0;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return 0;
    }
    m_handle = fd;
    return 1;
}

void NamedMutex::Unlock() {
    if (m_handle < 0) {
        return;
    }
    // The file stays: removing it while another process opens it would let two holders lock
    // two different files of the same name.
    ::flock(m_handle, LOCK_UN);
    ::close(m_handle);
    m_handle = -1;
}

}  // namespace platform
