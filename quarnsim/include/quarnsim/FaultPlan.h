#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace quarnsim {

// Faults a test arms on the command port. The reply faults apply to the next reply and then
// clear themselves; the close budgets last until they are used up; the pacings last until they
// are set back to (0, 0).
class FaultPlan {
public:
    struct ReplyPlan {
        std::string bytes;  // what to send
        std::chrono::milliseconds delay{0};
        bool close = false;  // close the connection once `bytes` are sent
        bool hang = false;   // after `bytes`, answer nothing more on this connection
        size_t chunk = 0;    // > 0: send in pieces of this size ...
        std::chrono::milliseconds chunkDelay{0};  // ... with this pause before each
        size_t tail = 0;  // > 0: the last `tail` bytes go out on their own ...
        std::chrono::milliseconds tailDelay{0};  // ... after this pause
    };
    // What the port does on one given line, instead of answering it.
    struct LineFault {
        std::string bytes;         // sent as they are (possibly nothing) ...
        bool stopReading = false;  // ... or nothing sent and the connection never read again
    };
    struct ReceivePlan {
        size_t keep = 0;                     // bytes of this read to process
        std::chrono::milliseconds delay{0};  // pause after each read
        bool close = false;                  // close after them: the receive budget ran out
    };

    void CloseAfterBytes(size_t count);
    void DelayNextReply(std::chrono::milliseconds delay);
    void ReplaceNextReply(std::string rawBytes);
    void SwallowNextReply();
    void StallNextReplyAfter(size_t count);
    void SetReplyPacing(size_t chunkBytes, std::chrono::milliseconds delay);
    void CloseAfterReceivedBytes(size_t count);
    void SetReceivePacing(size_t chunkBytes, std::chrono::milliseconds delay);
    void SplitNextReplyTerminator(std::chrono::milliseconds delay);
    void GoSilentAt(std::string line, std::string rawBytes);
    void StopReadingAt(std::string line);
    void Clear();

    // `reply` is the full reply line, terminator included; the terminator is its last
    // `terminatorLength` bytes.
    ReplyPlan TakeForReply(std::string reply, size_t terminatorLength = 0);
    // The most bytes the port may read at once, given its buffer size.
    size_t ReceiveChunk(size_t buffer);
    // How much of `received` bytes the port processes, and what happens after.
    ReceivePlan TakeForReceive(size_t received);
    // The fault armed for this line (as received, line end stripped), if any; it is used up.
    std::optional<LineFault> TakeForLine(const std::string& line);

private:
    std::mutex m_mutex;
    std::optional<size_t> m_closeBudget;
    std::chrono::milliseconds m_delay{0};
    std::optional<std::string> m_replacement;
    bool m_swallow = false;
    std::optional<size_t> m_stallAfter;
    std::optional<std::chrono::milliseconds> m_splitTerminator;
    size_t m_replyChunk = 0;
    std::chrono::milliseconds m_replyChunkDelay{0};
    std::optional<size_t> m_receiveBudget;
    size_t m_receiveChunk = 0;
    std::chrono::milliseconds m_receiveDelay{0};
    std::optional<std::pair<std::string, LineFault>> m_lineFault;
};

}  // namespace quarnsim
