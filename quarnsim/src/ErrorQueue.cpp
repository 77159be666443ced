#include "quarnsim/ErrorQueue.h"

namespace quarnsim {

void ErrorQueue::Push(int number, std::string text) {
    if (m_errors.size() >= kCapacity) {
        m_errors.back() = {err::kQueueOverflow, "Queue overflow"};
        return;
    }
    m_errors.push_back({number, std::move(text)});
}

InstrumentError ErrorQueue::Pop() {
    if (m_errors.empty())
        return {0, "No error"};
    InstrumentError error = std::move(m_errors.front());
    m_errors.pop_front();
    return error;
}

}  // namespace quarnsim
