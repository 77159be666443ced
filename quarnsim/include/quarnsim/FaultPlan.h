#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>

namespace quarnsim {

// Faults a test arms on the command port. Each one applies to the next reply and then clears
// itself; the close budget lasts until it is used up.
class FaultPlan {
public:
    struct ReplyPlan {
        std::string bytes;  // what to send
        std::chrono::milliseconds delay{0};
        bool close = false;  // close the connection once `bytes` are sent
    };

    void CloseAfterBytes(size_t count);
    void DelayNextReply(std::chrono::milliseconds delay);
    void ReplaceNextReply(std::string rawBytes);
    void Clear();

    // `reply` is the full reply line, terminator included.
    ReplyPlan TakeForReply(std::string reply);

private:
    std::mutex m_mutex;
    std::optional<size_t> m_closeBudget;
    std::chrono::milliseconds m_delay{0};
    std::optional<std::string> m_replacement;
};

}  // namespace quarnsim
