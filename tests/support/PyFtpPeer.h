// A real FTP server that nobody here wrote, as a test peer: pyftpdlib from the system's
// python3, set up by pyftpd_instrument.py to log in the instrument's user, allow server to
// server transfers and list folders in the instrument's format.
//
// Pairing with a command port: the utilities also talk to port 5000 of the same address, so a
// test starts a quarnsim::Simulator with Options::ftpEnabled = false and its root at
// "<folder>/F0:" (StartLoopbackSimulator picks the address), then this peer on that address
// serving <folder>. Both then see the same tree, "/F0:/" being the simulator's root; the
// simulator's FtpCommands() stays empty, so assert on files and on its command-port log.
//
// Plain C++ and POSIX, so the simulator's own tests can use it without the platform layer.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace testsupport {

class PyFtpPeer {
public:
    PyFtpPeer() = default;
    ~PyFtpPeer();  // stops
    PyFtpPeer(const PyFtpPeer&) = delete;
    PyFtpPeer& operator=(const PyFtpPeer&) = delete;

    // Whether a python3 with pyftpdlib is on this machine; when not, `why` says what is
    // missing and the caller skips its test (GTEST_SKIP() << why).
    static bool Available(std::string* why);

    // Serves `folder` (which must hold "F0:") on address:port (0 picks a free port) and waits
    // until it listens. Returns false with the reason in `error`.
    bool Start(const std::string& address, const std::string& folder, uint16_t port = 21,
               std::string* error = nullptr);
    // Ends the server process and waits for it.
    void Stop();

    const std::string& Address() const { return m_address; }
    uint16_t Port() const { return m_port; }
    bool Running() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
    std::string m_address;
    uint16_t m_port = 0;
};

}  // namespace testsupport
