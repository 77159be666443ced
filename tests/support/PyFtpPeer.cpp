#include "PyFtpPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace testsupport {

namespace {

std::string ScriptPath() {
    return QUARN_SOURCE_DIR "/tests/support/pyftpd_instrument.py";
}

// Runs `argv` with its output on a pipe; the pid, or -1.
pid_t Spawn(const std::vector<std::string>& args, int* output) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    // The server must not hold on to the test's own sockets (a data port a test listens on
    // would stay bound for as long as the server lives).
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    int result = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (result != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    *output = pipeFds[0];
    return pid;
}

// Reads until a line is complete or `milliseconds` pass; false at end of output or time-out.
bool ReadLine(int fd, std::string* collected, std::string* line, int milliseconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        size_t lf = collected->find('\n');
        if (lf != std::string::npos) {
            *line = collected->substr(0, lf);
            collected->erase(0, lf + 1);
            return true;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd pfd = {fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char chunk[512];
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        collected->append(chunk, static_cast<size_t>(n));
    }
}

void EndProcess(pid_t pid) {
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// The first interpreter that can import pyftpdlib: Debian's own first, since a python3 earlier
// on the PATH (a virtual environment, pyenv) may not see the system's packages.
const std::string& Interpreter(std::string* why) {
    static const std::string found = [] {
        for (const char* candidate : {"/usr/bin/python3", "python3"}) {
            int output = -1;
            pid_t pid = Spawn({candidate, "-c", "import pyftpdlib"}, &output);
            if (pid < 0)
                continue;
            int status = 0;
            ::waitpid(pid, &status, 0);
            ::close(output);
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                return std::string(candidate);
        }
        return std::string();
    }();
    if (found.empty() && why)
        *why = "no python3 with pyftpdlib (Debian package python3-pyftpdlib)";
    return found;
}

}  // namespace

PyFtpPeer::~PyFtpPeer() {
    Stop();
}

bool PyFtpPeer::Available(std::string* why) {
    return !Interpreter(why).empty();
}

bool PyFtpPeer::Start(const std::string& address, const std::string& folder, uint16_t port,
                      std::string* error) {
    Stop();
    std::string why;
    const std::string& python = Interpreter(&why);
    if (python.empty()) {
        if (error)
            *error = why;
        return false;
    }
    int output = -1;
    pid_t pid = Spawn({python, ScriptPath(), address, std::to_string(port), folder}, &output);
    if (pid < 0) {
        if (error)
            *error = "cannot start " + python;
        return false;
    }
    std::string collected;
    std::string line;
    bool ready = false;
    while (ReadLine(output, &collected, &line, 15000)) {
        if (line.rfind("ready ", 0) == 0) {
            ready = true;
            break;
        }
        why += line + "\n";
    }
    if (!ready) {
        EndProcess(pid);
        ::close(output);
        if (error)
            *error = "pyftpd_instrument.py did not start: " + why + collected;
        return false;
    }
    // Later output (warnings) must not fill the pipe and block the server.
    std::thread([output] {
        char chunk[4096];
        while (::read(output, chunk, sizeof chunk) > 0) {
        }
        ::close(output);
    }).detach();
    m_pid = pid;
    m_address = address;
    m_port = static_cast<uint16_t>(std::atoi(line.c_str() + 6));
    return true;
}

void PyFtpPeer::Stop() {
    if (m_pid > 0)
        EndProcess(m_pid);
    m_pid = -1;
}

}  // namespace testsupport
