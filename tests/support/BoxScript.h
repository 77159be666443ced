// Scripted answers to message boxes.
//
// While a BoxScript lives, every message box goes to it instead of the screen. Boxes are
// expected in order: Expect(text, type, answer) matches a box with exactly that text and type
// and answers it; ExpectAny(answer) matches any box. A box that comes when nothing is
// expected, or that does not match the next expectation, fails the test and is answered
// IDCANCEL (IDNO for a Yes/No box, IDOK for an OK box). Expectations left over when the
// script ends fail the test too. Every box is recorded.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace testsupport {

class BoxScript {
public:
    BoxScript();
    ~BoxScript();
    BoxScript(const BoxScript&) = delete;
    BoxScript& operator=(const BoxScript&) = delete;

    BoxScript& Expect(const std::string& text, platform::UINT type, int answer);
    BoxScript& ExpectAny(int answer);

    const std::vector<platform::MessageBoxRecord>& Records() const { return m_records; }
    size_t Pending() const { return m_expected.size(); }

private:
    struct Expected {
        std::optional<std::string> text;
        platform::UINT type;
        int answer;
    };
    int Answer(const platform::MessageBoxRecord& record);

    std::deque<Expected> m_expected;
    std::vector<platform::MessageBoxRecord> m_records;
    platform::MessageBoxAnswerer m_previous;
};

// The answer a box gets when the script refuses it: the way out that changes nothing.
int RefusalAnswer(platform::UINT type);

}  // namespace testsupport
