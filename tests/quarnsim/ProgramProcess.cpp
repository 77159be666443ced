#include "ProgramProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

ProgramProcess::~ProgramProcess() {
    if (m_pid > 0)
        Kill();
    if (m_out >= 0)
        ::close(m_out);
}

bool ProgramProcess::Start(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    // Close-on-exec, so no other process started meanwhile holds the write end open.
    if (::pipe2(out, O_CLOEXEC) != 0)
        return false;
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid == 0) {
        // dup2 leaves the copies open across exec.
        ::dup2(out[1], 1);
        ::dup2(out[1], 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (m_pid < 0) {
        ::close(out[0]);
        return false;
    }
    m_out = out[0];
    return true;
}

int ProgramProcess::ReadSome(int timeoutMs) {
    pollfd ready{m_out, POLLIN, 0};
    int polled;
    while ((polled = ::poll(&ready, 1, timeoutMs)) < 0 && errno == EINTR) {
    }
    if (polled != 1)
        return -1;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(m_out, buffer, sizeof buffer)) < 0 && errno == EINTR) {
    }
    if (got < 0)
        return -1;
    m_output.append(buffer, static_cast<size_t>(got));
    return got > 0 ? 1 : 0;
}

bool ProgramProcess::ReadFirstLine(int timeoutMs) {
    if (m_out < 0)
        return false;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_output.find('\n') == std::string::npos) {
        const int result = ReadSome(MsLeft(end));
        if (result < 0)
            return false;
        if (result == 0)
            return true;
    }
    return true;
}

int ProgramProcess::Finish(int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_out >= 0) {
        const int result = ReadSome(MsLeft(end));
        if (result < 0) {
            Kill();
            return -1;
        }
        if (result == 0) {
            ::close(m_out);
            m_out = -1;
        }
    }
    while (m_pid > 0) {
        int status = 0;
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            return status;
        }
        if (done < 0 && errno != EINTR) {
            m_pid = -1;
            return -1;
        }
        if (MsLeft(end) == 0) {
            Kill();
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

void ProgramProcess::Signal(int signal) const {
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

void ProgramProcess::Kill() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}
