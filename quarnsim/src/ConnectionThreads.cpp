#include "quarnsim/ConnectionThreads.h"

#include <sys/socket.h>
#include <unistd.h>

namespace quarnsim {

ConnectionThreads::~ConnectionThreads() {
    ShutdownAll();
    ReapFinished(true);
}

void ConnectionThreads::Start(int fd, std::function<void(int fd)> serve) {
    auto connection = std::make_unique<Connection>();
    connection->fd = fd;
    Connection* raw = connection.get();
    std::lock_guard lock(m_mutex);
    m_connections.push_back(std::move(connection));
    raw->thread = std::thread([this, raw, fd, serve = std::move(serve)] {
        serve(fd);
        std::lock_guard lock(m_mutex);
        ::close(raw->fd);
        raw->fd = -1;
        raw->done = true;
    });
}

void ConnectionThreads::ReapFinished(bool all) {
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_connections.begin(); it != m_connections.end();) {
            if (all || (*it)->done) {
                finished.push_back(std::move(*it));
                it = m_connections.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& connection : finished) {
        if (connection->thread.joinable())
            connection->thread.join();
    }
}

void ConnectionThreads::ShutdownAll() {
    std::lock_guard lock(m_mutex);
    for (auto& connection : m_connections) {
        if (connection->fd >= 0)
            ::shutdown(connection->fd, SHUT_RDWR);
    }
}

}  // namespace quarnsim
