#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarnsim {

// Cuts the received byte stream into program messages. A line ends at LF; CR is dropped. The
// bytes of a definite-length block ("#<n><length><data>") are taken as they are, LF included.
// Plain text and block data have separate caps: a file of many MiB travels as one block, while
// a command line of that size can only be a runaway client.
class LineAssembler {
public:
    static constexpr size_t kMaxLine = size_t{1} << 20;
    // Nine length digits cannot say more than 999,999,999 bytes.
    static constexpr size_t kMaxBlock = size_t{1} << 30;
    // Blocks from this size on are worth room kept for them and pages of 2 MiB.
    static constexpr size_t kLargeBlock = size_t{1} << 20;

    struct Line {
        std::string text;
        bool overflow = false;  // longer than the caps: the text is dropped
        bool query = false;     // a '?' outside quotes and blocks was seen
        // Where each block's data sit in `text` (offset, length).
        std::vector<std::pair<size_t, size_t>> blocks;
    };

    explicit LineAssembler(size_t maxLine = kMaxLine, size_t maxBlock = kMaxBlock)
        : m_maxLine(maxLine), m_maxBlock(maxBlock) {}

    // Where the room for a large block may come from: an empty string holding at least `bytes`
    // of capacity that an earlier block left, or any smaller string when there is none.
    using RoomSource = std::function<std::string(size_t bytes)>;
    void TakeRoomFrom(RoomSource source) { m_room = std::move(source); }

    void Feed(std::string_view bytes, std::vector<Line>& out);
    bool Pending() const { return !m_line.empty() || m_overflow; }

    // `line` with the data of its blocks left out, for logs: "MMEM:DATA \"f\",#3100".
    static std::string WithoutBlockData(const Line& line);

private:
    enum class State { Normal, Quote, BlockDigits, BlockLength, BlockData };

    // Room in the line for `bytes` more, the announced block's bytes: reserving them spares the
    // copies of a growing string.
    void MakeRoom(size_t bytes);
    void Keep(char c);
    void KeepBlockData(std::string_view data);

    size_t m_maxLine;
    size_t m_maxBlock;
    RoomSource m_room;
    std::string m_line;
    size_t m_plainLength = 0;
    size_t m_blockLength = 0;
    std::vector<std::pair<size_t, size_t>> m_blocks;
    bool m_overflow = false;
    bool m_query = false;
    State m_state = State::Normal;
    char m_quote = '"';
    int m_lengthDigits = 0;
    size_t m_blockRemaining = 0;
};

}  // namespace quarnsim
