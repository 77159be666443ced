#include "quarnsim/LineAssembler.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace quarnsim {
namespace {

// A block of many MiB is copied into fresh memory, and every 4 KiB page of it costs a page fault,
// which on a virtual machine can cost more than copying the page. Pages of 2 MiB, where the
// system hands them out on request, take a five-hundredth of the faults.
void AskForLargePages(char* data, size_t size) {
    constexpr uintptr_t kLarge = uintptr_t{2} << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kLarge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace

void LineAssembler::MakeRoom(size_t bytes) {
    size_t wanted = m_line.size() + bytes;
    if (m_line.capacity() >= wanted)
        return;
    if (bytes >= kLargeBlock) {
        // Whole large pages, with the slack to serve a block of the same size behind a longer
        // header next time.
        constexpr size_t kLarge = size_t{2} << 20;
        wanted = (wanted + kLarge / 2 + kLarge - 1) / kLarge * kLarge;
    }
    if (m_room && bytes >= kLargeBlock) {
        std::string room = m_room(wanted);
        if (room.capacity() >= wanted) {
            room.assign(m_line);
            m_line.swap(room);
            return;
        }
    }
    m_line.reserve(wanted);
    if (bytes >= kLargeBlock)
        AskForLargePages(m_line.data() + m_line.size(), m_line.capacity() - m_line.size());
}

void LineAssembler::Keep(char c) {
    if (m_overflow)
        return;
    if (m_plainLength >= m_maxLine) {
        m_overflow = true;
        std::string().swap(m_line);
        m_blocks.clear();
        return;
    }
    ++m_plainLength;
    m_line += c;
}

void LineAssembler::KeepBlockData(std::string_view data) {
    if (m_overflow)
        return;
    if (data.size() > m_maxBlock - m_blockLength) {
        m_overflow = true;
        std::string().swap(m_line);
        m_blocks.clear();
        return;
    }
    if (m_blocks.empty() || m_blocks.back().first + m_blocks.back().second != m_line.size())
        m_blocks.emplace_back(m_line.size(), 0);
    m_blocks.back().second += data.size();
    m_blockLength += data.size();
    m_line.append(data);
}

void LineAssembler::Feed(std::string_view bytes, std::vector<Line>& out) {
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        switch (m_state) {
            case State::BlockData: {
                // Whole runs at once: a file of many MiB must not go through here byte by byte.
                size_t take = std::min(m_blockRemaining, bytes.size() - i);
                KeepBlockData(bytes.substr(i, take));
                i += take;
                m_blockRemaining -= take;
                if (m_blockRemaining == 0)
                    m_state = State::Normal;
                continue;
            }
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
                    // Lengths beyond the cap only need to be counted, never stored.
                    if (m_blockRemaining < (size_t{1} << 40)) {
                        m_blockRemaining = m_blockRemaining * 10 + static_cast<size_t>(c - '0');
                    }
                    Keep(c);
                    ++i;
                    if (--m_lengthDigits == 0) {
                        if (m_blockRemaining > 0) {
                            m_state = State::BlockData;
                            // Reserving for the announced length spares the copies of a
                            // growing string; the cap keeps a lying header from costing much.
                            if (!m_overflow && m_blockRemaining <= m_maxBlock - m_blockLength)
                                MakeRoom(std::min(m_blockRemaining, size_t{256} << 20));
                        } else {
                            m_state = State::Normal;
                        }
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
            if (!m_overflow) {
                line.text = std::move(m_line);
                line.blocks = std::move(m_blocks);
            }
            out.push_back(std::move(line));
            m_line = std::string();
            m_blocks.clear();
            m_plainLength = 0;
            m_blockLength = 0;
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

std::string LineAssembler::WithoutBlockData(const Line& line) {
    if (line.blocks.empty())
        return line.text;
    std::string text;
    size_t from = 0;
    for (const auto& [offset, length] : line.blocks) {
        text.append(line.text, from, offset - from);
        from = offset + length;
    }
    text.append(line.text, from, std::string::npos);
    return text;
}

}  // namespace quarnsim
