#include "nimbrel/OutputCommit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace nimbrel {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A fresh, empty file beside `target`, its name hidden and short enough for any file system.
// -1 on failure; the descriptor otherwise, with its name in `name`.
int MakeSibling(const std::string& target, const char* kind, std::string& name) {
    std::string pattern =
        FolderOf(target) + "/." + NameOf(target).substr(0, 48) + "." + kind + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd >= 0) {
        name = buffer.data();
    }
    return fd;
}

bool WriteAll(int fd, const char* data, size_t count) {
    while (count > 0) {
        const ssize_t put = ::write(fd, data, count);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            if (put == 0) {
                errno = EIO;
            }
            return false;
        }
        data += put;
        count -= static_cast<size_t>(put);
    }
    return true;
}

// Copies the whole of `source` into the open file `fd` and syncs it.
bool CopyInto(const std::string& source, int fd) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    std::vector<char> chunk(1 << 16);
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(in, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        if (!WriteAll(fd, chunk.data(), static_cast<size_t>(got))) {
            ok = false;
            break;
        }
    }
    const int error = errno;
    ::close(in);
    if (ok && ::fsync(fd) != 0) {
        return false;
    }
    errno = error;
    return ok;
}

bool SyncPath(const std::string& path, bool folder) {
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

void OutputCommit::Add(const std::string& source, const std::string& target) {
    m_items.push_back(Item{source, target, {}, {}, false, false});
}

bool OutputCommit::Stage(Item& item) {
    const int fd = MakeSibling(item.target, "new", item.staged);
    if (fd < 0) {
        return false;
    }
    if (::rename(item.source.c_str(), item.staged.c_str()) == 0) {
        ::close(fd);
        item.moved = true;
        // On disk before it gets the target's name, so a crash cannot leave a target that
        // names an empty file.
        return SyncPath(item.staged, false);
    }
    if (errno != EXDEV) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    const bool ok = CopyInto(item.source, fd);
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

// Keeps the old target under a second name until the whole set is in place: a link where the
// file system has them, else a copy.
bool OutputCommit::KeepOld(Item& item) {
    if (!Exists(item.target)) {
        return true;
    }
    const int fd = MakeSibling(item.target, "old", item.backup);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(item.backup.c_str());
    if (::link(item.target.c_str(), item.backup.c_str()) == 0) {
        return true;
    }
    const int linkError = errno;
    const int copy = ::open(item.backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (copy < 0) {
        item.backup.clear();
        errno = linkError;
        return false;
    }
    const bool ok = CopyInto(item.target, copy);
    const int error = errno;
    ::close(copy);
    if (!ok) {
        ::unlink(item.backup.c_str());
        item.backup.clear();
    }
    errno = error;
    return ok;
}

void OutputCommit::Rollback() {
    const int error = errno;
    for (Item& item : m_items) {
        if (item.committed) {
            const bool returned =
                item.moved && ::rename(item.target.c_str(), item.source.c_str()) == 0;
            if (!item.backup.empty()) {
                ::rename(item.backup.c_str(), item.target.c_str());
                item.backup.clear();
            } else if (!returned) {
                ::unlink(item.target.c_str());
            }
            item.committed = false;
        } else if (!item.staged.empty()) {
            // A moved source goes back, so its owner still finds (and removes) it.
            if (!item.moved || ::rename(item.staged.c_str(), item.source.c_str()) != 0) {
                ::unlink(item.staged.c_str());
            }
        }
        if (!item.backup.empty()) {
            ::unlink(item.backup.c_str());
        }
        item.staged.clear();
        item.backup.clear();
        item.moved = false;
    }
    errno = error;
}

int OutputCommit::Commit() {
    for (Item& item : m_items) {
        if (!Stage(item) || !KeepOld(item)) {
            Rollback();
            return 0;
        }
    }
    for (Item& item : m_items) {
        if (::rename(item.staged.c_str(), item.target.c_str()) != 0) {
            Rollback();
            return 0;
        }
        item.committed = true;
    }
    for (Item& item : m_items) {
        if (!item.backup.empty()) {
            ::unlink(item.backup.c_str());
        }
        SyncPath(FolderOf(item.target), true);
    }
    m_items.clear();
    return 1;
}

}  // namespace nimbrel
