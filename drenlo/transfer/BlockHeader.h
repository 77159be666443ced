// Definite-length block headers: '#', one digit n (1-9), then n decimal digits giving the
// byte count of the raw bytes that follow.
//
// Sizes of 10^9 bytes and more need ten digits, which one digit cannot announce; such files
// are refused before anything is sent.
#pragma once

#include <cstdint>
#include <string>

namespace drenlo {

class CBlockHeader {
public:
    static constexpr std::uint64_t kMaxBlockSize = 999999999;

    // "#<n><size>" ("#570000" for 70000, "#10" for 0). Empty when the size is above
    // kMaxBlockSize.
    static std::string Format(std::uint64_t size);

    // Incremental reader for a header arriving on a connection: feed bytes one at a time.
    enum class State { NeedMore, Done, Invalid };
    State Feed(char byte);
    State GetState() const { return m_state; }
    std::uint64_t GetLength() const { return m_length; }
    // Number of length digits still expected after the digit count (for reading them at once).
    int DigitsLeft() const { return m_digitsLeft; }

    // Whole-text form of Feed: 1 with the length when `text` is exactly one valid header.
    static int Parse(const std::string& text, std::uint64_t& length);

private:
    int m_stage = 0;  // 0 expects '#', 1 the digit count, 2 the length digits
    int m_digitsLeft = 0;
    std::uint64_t m_length = 0;
    State m_state = State::NeedMore;
};

}  // namespace drenlo
