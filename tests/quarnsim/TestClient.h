#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A deliberately plain POSIX client for talking to the simulator in tests. Reads give up after
// a generous guard time so a missing reply fails the test instead of hanging it.
class TestClient {
public:
    TestClient() = default;
    ~TestClient() { Close(); }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    bool Connect(const std::string& address, uint16_t port);
    bool Send(std::string_view bytes);
    bool SendLine(std::string_view line) { return Send(std::string(line) + "\r\n"); }
    // One reply line without its LF (a CR before it is kept, so tests can see it).
    bool ReadLine(std::string* line);
    // SendLine + ReadLine; "<no reply>" when nothing came.
    std::string Query(std::string_view line);
    // Everything until the server closes; false when it did not close.
    bool ReadUntilClosed(std::string* bytes);
    void Close();
    // How long a read waits before it counts as no reply (10 s unless set).
    void SetGuardMilliseconds(int milliseconds) { m_guard = milliseconds; }

private:
    bool Fill();

    int m_fd = -1;
    std::string m_buffer;
    bool m_eof = false;
    int m_guard = 10000;
};
