#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarnsim {

// Cuts the received byte stream into program messages. A line ends at LF; CR is dropped. The
// bytes of a definite-length block ("#<n><length><data>") are taken as they are, LF included.
class LineAssembler {
public:
    static constexpr size_t kMaxLine = size_t{1} << 20;

    struct Line {
        std::string text;
        bool overflow = false;  // longer than kMaxLine: the text is dropped
        bool query = false;     // a '?' outside quotes and blocks was seen
    };

    explicit LineAssembler(size_t maxLine = kMaxLine) : m_maxLine(maxLine) {}

    void Feed(std::string_view bytes, std::vector<Line>& out);
    bool Pending() const { return !m_line.empty() || m_overflow; }

private:
    enum class State { Normal, Quote, BlockDigits, BlockLength, BlockData };

    void Keep(char c);

    size_t m_maxLine;
    std::string m_line;
    bool m_overflow = false;
    bool m_query = false;
    State m_state = State::Normal;
    char m_quote = '"';
    int m_lengthDigits = 0;
    size_t m_blockRemaining = 0;
};

}  // namespace quarnsim
