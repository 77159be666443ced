#pragma once

#include <cstdint>
#include <string>

#include "TestClient.h"

// Plain POSIX pieces for driving an FTP server by hand: a listening socket standing for the PC's
// side of an active-mode data connection, and outgoing data connections. Every wait is bounded.
namespace ftptest {

class DataListener {
public:
    DataListener() = default;
    ~DataListener();
    DataListener(const DataListener&) = delete;
    DataListener& operator=(const DataListener&) = delete;

    bool Open(const std::string& address);  // any free port
    uint16_t Port() const { return m_port; }
    // "PORT h,h,h,h,p,p" for this listener.
    std::string PortCommand() const;
    // True when a connection waits to be accepted within `milliseconds`.
    bool Pending(int milliseconds) const;
    // The accepted connection, or -1 when none came within `milliseconds`.
    int Accept(int milliseconds);

private:
    int m_fd = -1;
    std::string m_address;
    uint16_t m_port = 0;
};

// Connects to address:port; -1 on failure.
int Connect(const std::string& address, uint16_t port);
// "227 Entering Passive Mode (h,h,h,h,p,p)." -> address and port; false when malformed.
bool ParsePassive(const std::string& reply, std::string* address, uint16_t* port);
// The text between the parentheses of a 227 reply.
std::string PassiveNumbers(const std::string& reply);
// Everything until the peer closes; false when it did not close within `milliseconds`.
bool ReadAll(int fd, std::string* bytes, int milliseconds = 10000);
bool SendAll(int fd, const std::string& bytes);
void Close(int& fd);

// Logs in with the fixed user; false with the failing reply in `reply`.
bool Login(TestClient& control, std::string* reply);

}  // namespace ftptest
