#include "utilities/common/ErrorQueue.h"

#include "platform/Numbers.h"
#include "utilities/common/QuarnComm.h"

namespace utilities {

int CErrorQueue::ReadError(long& number, std::string& reply) {
    number = 0;
    reply.clear();
    if (!m_link.SendCommand("syst:err?"))
        return 0;
    reply = m_link.ReceiveLine();
    const char* end = nullptr;
    number = platform::StrToLong(reply.c_str(), &end);
    return end != reply.c_str() ? 1 : 0;
}

CErrorQueue::EmptyResult CErrorQueue::Empty() {
    for (int i = 0; i < kMaxQueuedErrors; ++i) {
        long number = 0;
        std::string reply;
        if (!ReadError(number, reply))
            return EmptyResult::kUnreadable;
        if (number == 0)
            return EmptyResult::kEmptied;
    }
    return EmptyResult::kNeverEmpty;
}

}  // namespace utilities
