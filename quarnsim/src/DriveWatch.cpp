#include "DriveWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace quarnsim {
namespace fs = std::filesystem;

namespace {

// Whatever can change which entries a folder holds, what they are or how large its files are.
// Left out are a file written through a mapping, or through another name it has outside the
// drive; nothing on this drive is written either way.
constexpr uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_MOVED_FROM |
                              IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

DriveWatch::DriveWatch(std::string root) : m_root(std::move(root)) {}

DriveWatch::~DriveWatch() {
    if (m_notices >= 0)
        ::close(m_notices);
}

void DriveWatch::Forget() {
    m_kept.clear();
    m_watched.clear();  // a folder made again under the same name is another one
    m_counted = false;
}

void DriveWatch::Sync() {
    if (m_notices < 0) {
        m_notices = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        Forget();
        return;
    }
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_notices, buffer, sizeof buffer);
        if (n > 0) {
            Forget();
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else {
            // The notices cannot be read: start again without any watch.
            ::close(m_notices);
            m_notices = -1;
            Forget();
            return;
        }
    }
}

bool DriveWatch::Watch(const std::string& folder) {
    if (m_notices < 0)
        return false;
    if (m_watched.count(folder) != 0)
        return true;
    // The root may be a link to the drive's folder; every folder below it is watched as itself.
    const uint32_t mask = folder == m_root ? kChanges : kChanges | IN_DONT_FOLLOW;
    if (::inotify_add_watch(m_notices, folder.c_str(), mask) < 0)
        return false;
    m_watched.insert(folder);
    return true;
}

uint64_t DriveWatch::UsedBytes() {
    std::lock_guard lock(m_mutex);
    if (m_root.empty())
        return 0;
    Sync();
    if (!m_counted)
        m_counted = Count(&m_bytes);
    return m_bytes;
}

bool DriveWatch::Count(uint64_t* bytes) {
    bool whole = Watch(m_root);
    uint64_t total = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(m_root, ec);
    if (ec) {
        *bytes = 0;
        return false;
    }
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) {
            whole = false;
            break;
        }
        std::error_code fileError;
        if (it->is_symlink(fileError))
            continue;
        if (it->is_directory(fileError)) {
            whole = Watch(it->path().string()) && whole;  // before the walk opens it
            continue;
        }
        if (!it->is_regular_file(fileError))
            continue;
        const uint64_t size = it->file_size(fileError);
        if (!fileError)
            total += size;
    }
    *bytes = total;
    return whole;
}

}  // namespace quarnsim
