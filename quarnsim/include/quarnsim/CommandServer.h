#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "quarnsim/BoundedLog.h"
#include "quarnsim/ConnectionThreads.h"
#include "quarnsim/FaultPlan.h"

namespace quarnsim {

class Instrument;

enum class ConnectionPolicy {
    Accept,
    AcceptAndClose,  // the connection is made and closed at once
    Refuse,          // nothing listens: connects fail
};

// The TCP command port: one thread accepts, one thread serves each connection.
class CommandServer {
public:
    static constexpr size_t kLogCapacity = 200000;

    CommandServer(Instrument& instrument, FaultPlan& faults);
    ~CommandServer();

    int Start(const std::string& address, uint16_t port, std::string* error);
    void Stop();
    bool Running() const { return m_running; }
    uint16_t Port() const { return m_port; }

    std::vector<std::string> ReceivedLines() const;
    void ClearLog();
    int ConnectionCount() const { return m_connectionCount; }
    // Connections waiting to be accepted, and accepted ones whose serving has not ended.
    int OpenConnectionCount() const;
    // Time the connections have spent on what they received, from its arrival to the reply
    // leaving: waits and the sending itself left out.
    std::chrono::nanoseconds HandlingTime() const {
        return std::chrono::nanoseconds(m_handlingNanoseconds.load());
    }
    void SetPolicy(ConnectionPolicy policy);

private:
    int OpenListener(std::string* error);
    void CloseListener();
    void AcceptLoop();
    void AcceptPending(ConnectionPolicy policy);  // with m_mutex held
    void Serve(int fd);
    bool SendAll(int fd, std::string_view bytes);
    void WaitForClientToLeave(int fd);  // or for the stop
    bool SendPaced(int fd, const FaultPlan::ReplyPlan& plan);
    bool SendChunked(int fd, std::string_view bytes, const FaultPlan::ReplyPlan& plan);
    bool WaitStop(std::chrono::milliseconds delay);  // true when stopped meanwhile
    void Log(std::string line);
    // The room of the largest block received lately, kept for the next one on any connection:
    // fresh memory costs a page fault per page, which a file of many MiB pays more for than for
    // its copying.
    std::string TakeBlockRoom(size_t bytes);
    void KeepBlockRoom(std::string room);

    Instrument& m_instrument;
    FaultPlan& m_faults;
    std::string m_address;
    uint16_t m_port = 0;
    int m_listenFd = -1;
    int m_stopPipe[2] = {-1, -1};     // written once by Stop, never drained
    int m_controlPipe[2] = {-1, -1};  // wakes the accept thread for a policy change
    std::atomic<bool> m_running{false};
    std::atomic<int> m_connectionCount{0};
    std::atomic<int> m_endedCount{0};
    std::atomic<int64_t> m_handlingNanoseconds{0};
    std::thread m_acceptThread;
    ConnectionThreads m_connections;

    mutable std::mutex m_mutex;  // guards the fields below
    std::condition_variable m_policyApplied;
    ConnectionPolicy m_policy = ConnectionPolicy::Accept;
    uint64_t m_policyRequest = 0;
    uint64_t m_policyDone = 0;
    std::string m_listenError;

    BoundedLog m_log{kLogCapacity};

    // At most one block's room of at most kMaxKeptRoom, for as long as the server lives.
    static constexpr size_t kMaxKeptRoom = size_t{512} << 20;
    std::mutex m_roomMutex;
    std::string m_blockRoom;
};

}  // namespace quarnsim
