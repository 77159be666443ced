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
    m_rest = std::move(reply);
    m_started = false;
    m_exhausted = false;
}

int ReplyCursor::NextText(std::string& text) {
    if (m_exhausted)
        return 0;
    if (m_started && !StripField(m_rest)) {
        m_exhausted = true;
        return 0;
    }
    m_started = true;
    text = m_rest.substr(0, m_rest.find(';'));
    return 1;
}

int ReplyCursor::NextDouble(double& value) {
    std::string text;
    if (!NextText(text))
        return 0;
    value = platform::StrToDouble(text.c_str());
    return 1;
}

int ReplyCursor::NextInt(int& value) {
    std::string text;
    if (!NextText(text))
        return 0;
    value = platform::StrToInt(text.c_str());
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
