#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace quarnsim {

// The threads that serve a server's accepted connections, one thread each. The accept loop
// reaps the finished ones as it goes round; on stop the server shuts every connection down,
// which wakes a thread blocked in a send towards a client that stopped reading, and then
// joins them all.
class ConnectionThreads {
public:
    ConnectionThreads() = default;
    ConnectionThreads(const ConnectionThreads&) = delete;
    ConnectionThreads& operator=(const ConnectionThreads&) = delete;
    ~ConnectionThreads();

    // Serves the socket on a thread of its own; the socket is closed once serve returns.
    void Start(int fd, std::function<void(int fd)> serve);
    // Joins the threads that have finished, or all of them.
    void ReapFinished(bool all);
    // Shuts every open connection down both ways, so calls blocked on it return.
    void ShutdownAll();

private:
    struct Connection {
        int fd = -1;  // closed and set to -1 by its own thread, under m_mutex
        std::thread thread;
        std::atomic<bool> done{false};
    };

    std::mutex m_mutex;  // guards m_connections and each connection's fd
    std::list<std::unique_ptr<Connection>> m_connections;
};

}  // namespace quarnsim
