#include "quarnsim/FaultPlan.h"

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

void FaultPlan::Clear() {
    std::lock_guard lock(m_mutex);
    m_closeBudget.reset();
    m_delay = std::chrono::milliseconds{0};
    m_replacement.reset();
}

FaultPlan::ReplyPlan FaultPlan::TakeForReply(std::string reply) {
    std::lock_guard lock(m_mutex);
    ReplyPlan plan;
    plan.delay = m_delay;
    m_delay = std::chrono::milliseconds{0};
    plan.bytes = m_replacement ? std::move(*m_replacement) : std::move(reply);
    m_replacement.reset();
    if (m_closeBudget) {
        if (*m_closeBudget <= plan.bytes.size()) {
            plan.bytes.resize(*m_closeBudget);
            plan.close = true;
            m_closeBudget.reset();
        } else {
            *m_closeBudget -= plan.bytes.size();
        }
    }
    return plan;
}

}  // namespace quarnsim
