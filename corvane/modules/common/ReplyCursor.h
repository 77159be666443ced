// ReplyCursor: the answers of one compound reply ("a;b;c"), taken in order.
//
// The first answer is the text up to the first ';'; each further answer needs one more ';'
// (the StripField rule), so a reply with fewer answers than the query asked for fails
// instead of reading the last answer twice. Numbers follow the C library's leading-number
// rule through platform/Numbers.h, saturating, so no reply can make a conversion undefined.
#pragma once

#include <string>

namespace corvane {

class ReplyCursor {
public:
    ReplyCursor() = default;
    explicit ReplyCursor(std::string reply) : m_reply(std::move(reply)) {}

    // Replaces `reply` by what follows its first ';' (possibly nothing): 1. Without a ';' the
    // reply stays as it is: 0.
    static int StripField(std::string& reply);

    void Reset(std::string reply);
    // The next answer as text, without the ';' that ends it. 0 when there is none.
    int NextText(std::string& text);
    // atof of the next answer.
    int NextDouble(double& value);
    // atoi of the next answer, saturated to the 32-bit range.
    int NextInt(int& value);
    // The next answer as a number, truncated toward zero (NaN 0, saturated).
    int NextTruncated(int& value);

private:
    // Where the next answer begins in m_reply; npos when there is none.
    std::string::size_type NextAnswer();

    std::string m_reply;
    // Where the answer taken last began.
    std::string::size_type m_answer = 0;
    bool m_started = false;
    bool m_exhausted = false;
};

}  // namespace corvane
