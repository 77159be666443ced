// The simulator program as a child process of a test, with its output on a pipe.
//
// The test process has threads, so the child makes only async-signal-safe calls between fork
// and exec: everything it needs is made before the fork. Every wait is bounded; a program
// that does not answer or end in time is killed, so a fault shows as a failed test, not a
// hung one.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ProgramProcess {
public:
    static constexpr int kDefaultTimeoutMs = 30000;

    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts program with args, its standard output and error both on the pipe.
    bool Start(const std::string& program, const std::vector<std::string>& args);
    // Reads up to the end of the first line (or the end of the output); false on a time-out.
    bool ReadFirstLine(int timeoutMs = kDefaultTimeoutMs);
    // Reads the rest of the output and reaps the program; its wait status, or -1 when it had
    // to be killed for not ending in time.
    int Finish(int timeoutMs = kDefaultTimeoutMs);
    void Signal(int signal) const;

    pid_t Pid() const { return m_pid; }
    const std::string& Output() const { return m_output; }

private:
    // One read of what is there; 1 data, 0 end of output, -1 time-out or error.
    int ReadSome(int timeoutMs);
    void Kill();

    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_output;
};
