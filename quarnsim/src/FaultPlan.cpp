#include "quarnsim/FaultPlan.h"

#include <algorithm>

namespace quarnsim {

void FaultPlan::CloseAfterBytes(size_t count) {
    std::lock_guard lock(m_mutex);
    m_closeBudget = count;
}

void FaultPlan::DelayNextReply(std::chrono::milliseconds delay) {
    std::lock_guard lock(m_mutex);
    m_delay = delay;
}

void FaultPlan::ReplaceNextReply(std::string rawBytes) {
    std::lock_guard lock(m_mutex);
    m_replacement = std::move(rawBytes);
}

void FaultPlan::SwallowNextReply() {
    std::lock_guard lock(m_mutex);
    m_swallow = true;
}

void FaultPlan::StallNextReplyAfter(size_t count) {
    std::lock_guard lock(m_mutex);
    m_stallAfter = count;
}

void FaultPlan::SetReplyPacing(size_t chunkBytes, std::chrono::milliseconds delay) {
    std::lock_guard lock(m_mutex);
    m_replyChunk = chunkBytes;
    m_replyChunkDelay = delay;
}

void FaultPlan::CloseAfterReceivedBytes(size_t count) {
    std::lock_guard lock(m_mutex);
    m_receiveBudget = count;
}

void FaultPlan::SetReceivePacing(size_t chunkBytes, std::chrono::milliseconds delay) {
    std::lock_guard lock(m_mutex);
    m_receiveChunk = chunkBytes;
    m_receiveDelay = delay;
}

void FaultPlan::SplitNextReplyTerminator(std::chrono::milliseconds delay) {
    std::lock_guard lock(m_mutex);
    m_splitTerminator = delay;
}

void FaultPlan::GoSilentAt(std::string line, std::string rawBytes) {
    std::lock_guard lock(m_mutex);
    m_lineFault.emplace(std::move(line), LineFault{std::move(rawBytes), false});
}

void FaultPlan::StopReadingAt(std::string line) {
    std::lock_guard lock(m_mutex);
    m_lineFault.emplace(std::move(line), LineFault{{}, true});
}

void FaultPlan::Clear() {
    std::lock_guard lock(m_mutex);
    m_lineFault.reset();
    m_splitTerminator.reset();
    m_closeBudget.reset();
    m_delay = std::chrono::milliseconds{0};
    m_replacement.reset();
    m_swallow = false;
    m_stallAfter.reset();
    m_replyChunk = 0;
    m_replyChunkDelay = std::chrono::milliseconds{0};
    m_receiveBudget.reset();
    m_receiveChunk = 0;
    m_receiveDelay = std::chrono::milliseconds{0};
}

FaultPlan::ReplyPlan FaultPlan::TakeForReply(std::string reply, size_t terminatorLength) {
    std::lock_guard lock(m_mutex);
    ReplyPlan plan;
    if (m_splitTerminator && !m_replacement) {
        plan.tail = std::min(terminatorLength, reply.size());
        plan.tailDelay = *m_splitTerminator;
        m_splitTerminator.reset();
    }
    plan.delay = m_delay;
    m_delay = std::chrono::milliseconds{0};
    plan.chunk = m_replyChunk;
    plan.chunkDelay = m_replyChunkDelay;
    plan.bytes = m_replacement ? std::move(*m_replacement) : std::move(reply);
    m_replacement.reset();
    if (m_swallow) {
        m_swallow = false;
        plan.bytes.clear();
        return plan;
    }
    if (m_stallAfter) {
        if (*m_stallAfter < plan.bytes.size())
            plan.bytes.resize(*m_stallAfter);
        plan.hang = true;
        m_stallAfter.reset();
    }
    if (m_closeBudget) {
        if (*m_closeBudget <= plan.bytes.size()) {
            plan.bytes.resize(*m_closeBudget);
            plan.close = true;
            plan.hang = false;
            m_closeBudget.reset();
        } else {
            *m_closeBudget -= plan.bytes.size();
        }
    }
    plan.tail = std::min(plan.tail, plan.bytes.size());
    return plan;
}

size_t FaultPlan::ReceiveChunk(size_t buffer) {
    std::lock_guard lock(m_mutex);
    return m_receiveChunk > 0 ? std::min(buffer, m_receiveChunk) : buffer;
}

FaultPlan::ReceivePlan FaultPlan::TakeForReceive(size_t received) {
    std::lock_guard lock(m_mutex);
    ReceivePlan plan;
    size_t take = received;
    if (m_receiveBudget) {
        if (*m_receiveBudget <= take) {
            take = *m_receiveBudget;
            plan.close = true;
            m_receiveBudget.reset();
        } else {
            *m_receiveBudget -= take;
        }
    }
    plan.keep = take;
    plan.delay = m_receiveDelay;
    return plan;
}

std::optional<FaultPlan::LineFault> FaultPlan::TakeForLine(const std::string& line) {
    std::lock_guard lock(m_mutex);
    if (!m_lineFault || m_lineFault->first != line)
        return std::nullopt;
    LineFault fault = std::move(m_lineFault->second);
    m_lineFault.reset();
    return fault;
}

}  // namespace quarnsim
