#include "corvane/modules/common/ReplyCursor.h"

#include "platform/Numbers.h"

namespace corvane {

int ReplyCursor::StripField(std::string& reply) {
    const std::string::size_type semicolon = reply.find(';');
    if (semicolon == std::string::npos)
        return 0;
    reply.erase(0, semicolon + 1);
    return 1;
}

void ReplyCursor::Reset(std::string reply) {
    m_reply = std::move(reply);
    m_answer = 0;
    m_started = false;
    m_exhausted = false;
}

std::string::size_type ReplyCursor::NextAnswer() {
    if (m_exhausted)
        return std::string::npos;
    if (m_started) {
        const std::string::size_type semicolon = m_reply.find(';', m_answer);
        if (semicolon == std::string::npos) {
            m_exhausted = true;
            return std::string::npos;
        }
        m_answer = semicolon + 1;
    }
    m_started = true;
    return m_answer;
}

int ReplyCursor::NextText(std::string& text) {
    const std::string::size_type begin = NextAnswer();
    if (begin == std::string::npos)
        return 0;
    const std::string::size_type end = m_reply.find(';', begin);
    text.assign(m_reply, begin, end == std::string::npos ? std::string::npos : end - begin);
    return 1;
}

// A number never runs over the ';' that ends its answer, so it is read where it stands.
int ReplyCursor::NextDouble(double& value) {
    const std::string::size_type begin = NextAnswer();
    if (begin == std::string::npos)
        return 0;
    value = platform::StrToDouble(m_reply.c_str() + begin);
    return 1;
}

int ReplyCursor::NextInt(int& value) {
    const std::string::size_type begin = NextAnswer();
    if (begin == std::string::npos)
        return 0;
    value = platform::StrToInt(m_reply.c_str() + begin);
    return 1;
}

int ReplyCursor::NextTruncated(int& value) {
    double number = 0.0;
    if (!NextDouble(number))
        return 0;
    value = platform::DoubleToIntSaturated(number);
    return 1;
}

}  // namespace corvane
