#include "quarnsim/LineAssembler.h"

namespace quarnsim {

void LineAssembler::Keep(char c) {
    if (m_overflow)
        return;
    if (m_line.size() >= m_maxLine) {
        m_overflow = true;
        std::string().swap(m_line);
        return;
    }
    m_line += c;
}

void LineAssembler::Feed(std::string_view bytes, std::vector<Line>& out) {
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        switch (m_state) {
            case State::BlockData:
                Keep(c);
                if (--m_blockRemaining == 0)
                    m_state = State::Normal;
                ++i;
                continue;
            case State::BlockDigits:
                if (c >= '1' && c <= '9') {
                    m_lengthDigits = c - '0';
                    m_blockRemaining = 0;
                    m_state = State::BlockLength;
                    Keep(c);
                    ++i;
                    continue;
                }
                m_state = State::Normal;  // "#0", "#H1F" or a stray '#': plain text
                continue;
            case State::BlockLength:
                if (c >= '0' && c <= '9') {
                    // Lengths beyond the line cap only need to be counted, never stored.
                    if (m_blockRemaining < (size_t{1} << 40)) {
                        m_blockRemaining = m_blockRemaining * 10 + static_cast<size_t>(c - '0');
                    }
                    Keep(c);
                    ++i;
                    if (--m_lengthDigits == 0) {
                        m_state = m_blockRemaining > 0 ? State::BlockData : State::Normal;
                    }
                    continue;
                }
                m_state = State::Normal;  // broken block header; the parser reports it
                continue;
            case State::Quote:
            case State::Normal:
                break;
        }
        ++i;
        if (c == '\n') {
            Line line;
            line.overflow = m_overflow;
            line.query = m_query;
            if (!m_overflow)
                line.text = std::move(m_line);
            out.push_back(std::move(line));
            m_line.clear();
            m_overflow = false;
            m_query = false;
            m_state = State::Normal;
            continue;
        }
        if (c == '\r')
            continue;
        Keep(c);
        if (m_state == State::Quote) {
            if (c == m_quote)
                m_state = State::Normal;
        } else if (c == '"' || c == '\'') {
            m_quote = c;
            m_state = State::Quote;
        } else if (c == '#') {
            m_state = State::BlockDigits;
        } else if (c == '?') {
            m_query = true;
        }
    }
}

}  // namespace quarnsim
