// IProgressSink: where a module document reports how far a read or an Apply has come, and the
// status text it leaves behind. The status bar's bar is the program's sink; a document given
// another one runs without any window.
#pragma once

#include <string>

namespace corvane {

class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    // A run of `steps` steps begins, described by `text`.
    virtual void Begin(const std::string& text, int steps) = 0;
    virtual void Step() = 0;
    // The run is over, however it ended.
    virtual void End() = 0;
    // The text left once the work is done, such as "Ready".
    virtual void ShowStatus(const std::string& text) = 0;
};

// One read or apply on a sink: its end comes on every way out.
class ProgressRun {
public:
    ProgressRun(IProgressSink& sink, const std::string& text, int steps) : m_sink(sink) {
        m_sink.Begin(text, steps);
    }
    ~ProgressRun() { m_sink.End(); }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;

private:
    IProgressSink& m_sink;
};

}  // namespace corvane
