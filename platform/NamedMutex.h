// A named lock shared by every process of the same user: at most one holder at a time, and it
// never waits. It is an flock() on "<dir>/<name>.lock", dir being $XDG_RUNTIME_DIR (else /tmp,
// where the user id joins the name so users do not block each other). The kernel drops the
// lock when its holder closes the file or dies, so a crash never leaves the name taken for
// ever, which a semaphore or shared memory segment would.
#pragma once

#include <string>

namespace platform {

class NamedMutex {
public:
    // Only names the lock; nothing is taken or created yet.
    explicit NamedMutex(const std::string& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // 1 when this object holds the lock now (also when it already did), 0 when another holder
    // has it (errno EWOULDBLOCK) or the lock file cannot be opened (errno tells why). A second
    // object of the same name in this process is another holder too.
    int TryLock();
    void Unlock();
    bool IsLocked() const { return m_handle >= 0; }

    const std::string& LockPath() const { return m_path; }

    // The folder of the lock files, and the lock file of a name: every character other than
    // letters, digits, '-', '_' and '.' becomes '_', and a name of dots only or nothing is
    // "_", so no name can reach outside the folder.
    static std::string LockDirectory();
    static std::string LockPathFor(const std::string& name);

private:
    std::string m_path;
    int m_handle = -1;
};

}  // namespace platform
