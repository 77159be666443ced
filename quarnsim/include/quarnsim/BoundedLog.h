#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace quarnsim {

// The lines a server received, for tests to assert on; safe from every connection's thread.
// Only the newest `capacity` lines are kept, so a long-running simulator does not grow for ever.
class BoundedLog {
public:
    explicit BoundedLog(size_t capacity) : m_capacity(capacity) {}

    void Add(std::string line) {
        std::lock_guard lock(m_mutex);
        if (m_lines.size() >= m_capacity)
            m_lines.pop_front();
        m_lines.push_back(std::move(line));
    }
    std::vector<std::string> Lines() const {
        std::lock_guard lock(m_mutex);
        return {m_lines.begin(), m_lines.end()};
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_lines.clear();
    }

private:
    const size_t m_capacity;
    mutable std::mutex m_mutex;
    std::deque<std::string> m_lines;
};

}  // namespace quarnsim
