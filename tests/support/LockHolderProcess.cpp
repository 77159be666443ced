#include "tests/support/LockHolderProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

// The holder's two pipe ends: where it answers and where it waits to be let go.
constexpr char kFdsVariable[] = "QUARN_LOCK_HOLDER_FDS";
constexpr int kAnswerTimeoutMs = 20000;
constexpr int kExitTimeoutMs = 10000;

// True when the process ended within timeoutMs; otherwise it is killed and reaped.
bool WaitForExit(pid_t pid, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = ::waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return false;
}

}  // namespace

LockHolderProcess::LockHolderProcess(const std::string& holderTest,
                                     const std::vector<std::string>& environment) {
    int ready[2];
    int release[2];
    // Close-on-exec, so no other process started meanwhile keeps an end open.
    if (::pipe2(ready, O_CLOEXEC) != 0)
        return;
    if (::pipe2(release, O_CLOEXEC) != 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return;
    }
    // Everything the child needs is made before the fork.
    std::string self = "/proc/self/exe";
    std::string filter = "--gtest_filter=" + holderTest;
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool replaced = text.rfind(kFdsVariable, 0) == 0;
        for (const std::string& added : environment)
            replaced = replaced || text.rfind(added.substr(0, added.find('=')) + "=", 0) == 0;
        if (!replaced)
            env.push_back(text);
    }
    env.insert(env.end(), environment.begin(), environment.end());
    env.push_back(std::string(kFdsVariable) + "=" + std::to_string(ready[1]) + "," +
                  std::to_string(release[0]));
    std::vector<char*> argv{self.data(), filter.data(), nullptr};
    std::vector<char*> envp;
    for (std::string& text : env) envp.push_back(text.data());
    envp.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid == 0) {
        ::fcntl(ready[1], F_SETFD, 0);
        ::fcntl(release[0], F_SETFD, 0);
        ::execve(self.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(ready[1]);
    ::close(release[0]);
    if (m_pid < 0) {
        ::close(ready[0]);
        ::close(release[1]);
        return;
    }
    m_ready = ready[0];
    m_release = release[1];
}

LockHolderProcess::~LockHolderProcess() {
    Release();
}

char LockHolderProcess::Answer() {
    pollfd ready{m_ready, POLLIN, 0};
    int polled;
    while ((polled = ::poll(&ready, 1, kAnswerTimeoutMs)) < 0 && errno == EINTR) {
    }
    char byte = 0;
    if (polled != 1 || ::read(m_ready, &byte, 1) != 1) {
        Kill();
        return 0;
    }
    return byte;
}

bool LockHolderProcess::Release() {
    if (m_release >= 0) {
        ::close(m_release);
        m_release = -1;
    }
    return Reap();
}

void LockHolderProcess::Kill() {
    if (m_pid > 0)
        ::kill(m_pid, SIGKILL);
    Reap();
}

bool LockHolderProcess::Reap() {
    if (m_ready >= 0) {
        ::close(m_ready);
        m_ready = -1;
    }
    if (m_pid <= 0)
        return true;
    const bool ended = WaitForExit(m_pid, kExitTimeoutMs);
    m_pid = -1;
    return ended;
}

bool IsLockHolderProcess() {
    return std::getenv(kFdsVariable) != nullptr;
}

void HoldLock(bool held) {
    const char* fds = std::getenv(kFdsVariable);
    if (fds == nullptr)
        ::_exit(2);
    char* rest = nullptr;
    const int ready = static_cast<int>(std::strtol(fds, &rest, 10));
    const int release = static_cast<int>(std::strtol(rest + 1, nullptr, 10));
    const char result = held ? '1' : '0';
    if (::write(ready, &result, 1) != 1)
        ::_exit(2);
    // Until the parent closes its end or goes away; a minute at most, so no orphan lingers.
    pollfd wait{release, POLLIN, 0};
    while (::poll(&wait, 1, 60000) < 0 && errno == EINTR) {
    }
    ::_exit(0);
}

}  // namespace testsupport
