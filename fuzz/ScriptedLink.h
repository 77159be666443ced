// A link to a module that answers every query with the next line of the fuzzer's input, for
// targets that run a whole document read. Whatever it is fed, nothing the document sends may
// hold a line end: that would put a command of the input's choosing on the wire.
#pragma once

#include <QApplication>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/common/ProgressSink.h"
#include "platform/MessageBox.h"

namespace fuzzing {

class ScriptedLink : public corvane::IInstrumentLink {
public:
    explicit ScriptedLink(std::string_view input) {
        size_t start = 0;
        while (start <= input.size()) {
            const size_t end = input.find('\n', start);
            m_replies.emplace_back(input.substr(
                start, end == std::string_view::npos ? std::string_view::npos : end - start));
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
    }
    int SendCommand(const std::string& command) override {
        CheckLine(command);
        m_sent.push_back(command);
        return 1;
    }
    int Query(const std::string& command, std::string& reply) override {
        CheckLine(command);
        if (m_next >= m_replies.size())
            return 0;
        reply = m_replies[m_next++];
        return 1;
    }
    const std::vector<std::string>& Sent() const { return m_sent; }

private:
    static void CheckLine(const std::string& line) {
        if (line.find_first_of("\r\n") != std::string::npos)
            __builtin_trap();
    }

    std::vector<std::string> m_replies;
    std::vector<std::string> m_sent;
    size_t m_next = 0;
};

class NoProgress : public corvane::IProgressSink {
public:
    void Begin(const std::string&, int) override {}
    void Step() override {}
    void SetSteps(int) override {}
    void SetPosition(int) override {}
    void End() override {}
    void ShowStatus(const std::string&) override {}
};

// A document's read may show boxes and needs an application: one offscreen, whose boxes all
// answer OK at once.
inline void StartQuietApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    platform::SetMessageBoxAnswerer(
        [](const platform::MessageBoxRecord&) { return platform::IDOK; });
}

}  // namespace fuzzing
