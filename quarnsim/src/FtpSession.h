#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "quarnsim/FtpFaultPlan.h"

namespace quarnsim {

class FtpServer;

// One FTP control connection, from greeting to close. Runs on its own thread; every wait polls
// the server's stop pipe, and every data wait is bounded by the data time-out.
class FtpSession {
public:
    FtpSession(FtpServer& server, int controlFd);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    void Run();

private:
    enum class Wait { Ready, TimedOut, Control, Stopped };
    enum class ReadResult { Line, TooLong, Closed };

    ReadResult ReadLine(std::string* line);
    bool Reply(std::string_view line);  // adds CR LF
    bool SendRaw(std::string_view bytes);
    // false: close the connection.
    bool Handle(const std::string& verb, const std::string& argument);
    bool NeedsLogin(const std::string& verb) const;

    bool OnUser(const std::string& argument);
    bool OnPass(const std::string& argument);
    bool OnType(const std::string& argument);
    bool OnPort(const std::string& argument);
    bool OnPasv();
    bool OnList(const std::string& argument);
    bool OnRetr(const std::string& argument);
    bool OnStor(const std::string& argument);

    // "/F0:/A/B" -> the instrument path "/F0:/A/B" and its host path; false for a path that
    // names something outside the tree or that no instrument file can have.
    bool ResolvePath(const std::string& argument, std::string* instrumentPath,
                     std::string* host) const;
    // After the 150: the data connection, or -1 with the final reply already sent (false when
    // the control connection must close).
    int OpenData(bool* keepOpen);
    // Waits for `events` on `fd`, the control connection and the stop pipe.
    Wait WaitFor(int fd, short events, int timeoutMs);
    // Sends all of `bytes` on the data connection; on failure the final reply is sent.
    bool SendData(int dataFd, std::string_view bytes, bool* keepOpen);
    // Ends a transfer that broke with the reply its cause calls for.
    bool FailTransfer(Wait cause);
    // Holds a stalled data connection until the client gives up or the time-out.
    Wait HoldStalled(int dataFd);
    void ForgetDataMode();
    // The stall and pace faults armed for the data connection that is opening now.
    void TakeDataFaults();
    void ForgetDataFaults();

    FtpServer& m_server;
    int m_fd;
    std::string m_input;
    bool m_userGiven = false;
    bool m_loggedIn = false;
    std::optional<sockaddr_in> m_activeTarget;
    int m_passiveFd = -1;
    std::optional<size_t> m_stall;  // bytes left before a stalled data connection stops
    std::optional<FtpFaultPlan::Pace> m_pace;
    size_t m_paceLeft = 0;  // bytes of the paced connection's current chunk still to send
};

}  // namespace quarnsim
