// A stand-in instrument that only records: it accepts one connection on port 5000 of a
// loopback address of its own, sends its greeting, and keeps every byte it receives, so a
// test sees the exact bytes on the wire.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace utilities::testing {

class RecordingPeer {
public:
    RecordingPeer() = default;
    ~RecordingPeer();

    // Bytes sent once the connection is accepted.
    bool Start(std::string greeting = {});
    // An instrument that accepts but never reads, so the client's sends fill up and stall.
    bool StartDeaf();
    const std::string& Address() const { return m_address; }
    // Waits (at most about 10 s) until `count` bytes have arrived or the client has closed.
    std::string WaitForBytes(std::size_t count);
    // Waits until the client has closed, then returns everything received.
    std::string WaitForClose();

private:
    void Serve();

    std::string m_address;
    std::string m_greeting;
    int m_listener = -1;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::string m_received;
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_stop{false};
    bool m_deaf = false;
};

}  // namespace utilities::testing
