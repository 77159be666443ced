#include "drenlo/transfer/BlockHeader.h"

namespace drenlo {

std::string CBlockHeader::Format(std::uint64_t size) {
    if (size > kMaxBlockSize)
        return std::string();
    const std::string digits = std::to_string(size);
    return "#" + std::to_string(digits.size()) + digits;
}

CBlockHeader::State CBlockHeader::Feed(char byte) {
    if (m_state != State::NeedMore)
        return m_state;
    switch (m_stage) {
        case 0:
            if (byte != '#')
                return m_state = State::Invalid;
            m_stage = 1;
            return m_state;
        case 1:
            // A count of 0 would announce an indefinite block, which a listed size cannot
            // describe.
            if (byte < '1' || byte > '9')
                return m_state = State::Invalid;
            m_digitsLeft = byte - '0';
            m_stage = 2;
            return m_state;
        default:
            if (byte < '0' || byte > '9')
                return m_state = State::Invalid;
            m_length = m_length * 10 + static_cast<std::uint64_t>(byte - '0');
            if (--m_digitsLeft == 0)
                m_state = State::Done;
            return m_state;
    }
}

int CBlockHeader::Parse(const std::string& text, std::uint64_t& length) {
    CBlockHeader header;
    for (size_t i = 0; i < text.size(); ++i) {
        if (header.Feed(text[i]) != State::NeedMore) {
            if (header.GetState() == State::Done && i + 1 == text.size()) {
                length = header.GetLength();
                return 1;
            }
            return 0;
        }
    }
    return 0;
}

}  // namespace drenlo
