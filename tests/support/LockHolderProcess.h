// Another process that takes a lock, says whether it got it and holds it until it is released
// or killed, for locks that must hold across processes.
//
// The other process is a fresh run of the test binary on one test of its own, the holder test:
// this process has threads (Qt's among them), so a forked child may make only
// async-signal-safe calls until it execs, and taking a lock allocates. Every wait is bounded,
// and a holder that does not answer in time is killed.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

class LockHolderProcess {
public:
    // Starts the binary on `holderTest` ("Suite.Name"), whose body ends in HoldLock, with
    // `environment` ("NAME=value" entries) added to this process's.
    LockHolderProcess(const std::string& holderTest, const std::vector<std::string>& environment);
    ~LockHolderProcess();
    LockHolderProcess(const LockHolderProcess&) = delete;
    LockHolderProcess& operator=(const LockHolderProcess&) = delete;

    bool Started() const { return m_pid > 0; }
    // '1' it holds the lock, '0' it was refused; 0 when no answer came in time (it is killed).
    char Answer();
    // Lets it go; true when it ended in time.
    bool Release();
    // Killed, not asked to let go: the kernel alone frees what it held.
    void Kill();

private:
    bool Reap();

    pid_t m_pid = -1;
    int m_ready = -1;
    int m_release = -1;
};

// True in a process a LockHolderProcess started; the holder test skips otherwise.
bool IsLockHolderProcess();

// The holder test's end: reports whether it got the lock and holds it until it is let go or
// the test that started it goes away, then ends the process.
[[noreturn]] void HoldLock(bool held);

}  // namespace testsupport
