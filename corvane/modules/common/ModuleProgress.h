// ModuleProgress: the progress bar a module document shows in pane 0 of the status bar while
// it reads or applies, the program's progress sink. With no main frame it shows nothing.
//
// The text shows at once; the bar from the first step after the run has lasted kBarDelayMs.
// Most reads and Applies are over long before anyone could see a bar, and putting one up and
// taking it down again costs more than their exchanges.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "corvane/modules/common/ProgressSink.h"
#include "platform/StatusBar.h"

namespace corvane {

class ModuleProgress : public IProgressSink {
public:
    ModuleProgress();
    ~ModuleProgress() override;
    ModuleProgress(const ModuleProgress&) = delete;
    ModuleProgress& operator=(const ModuleProgress&) = delete;

    // Shows `text` in pane 0 and a smooth bar of `steps` steps beside it.
    void Begin(const std::string& text, int steps) override;
    // One step; a model that steps more often than it announced stays at the end instead of
    // wrapping round to an empty bar.
    void Step() override;
    void SetSteps(int steps) override;
    void SetPosition(int position) override;
    // Takes the bar away.
    void End() override;
    void ShowStatus(const std::string& text) override;

    int Position() const { return m_position; }
    bool Shown() const { return m_bar != nullptr; }

    static constexpr int kBarDelayMs = 100;

    // What the last bar showed when it went: its text, its range and where it ended. The
    // bar is gone by the time anyone could look at it, so this is the only trace of it.
    struct Trace {
        std::string text;
        int steps = 0;
        int position = 0;
        bool barShown = false;  // the run lasted long enough for its bar to go up
    };
    static const Trace& LastTrace();

private:
    // Puts the bar up once the run has lasted long enough to be seen.
    void ShowBarWhenDue();

    std::unique_ptr<platform::CProgressCtrl> m_bar;
    std::chrono::steady_clock::time_point m_begun;
    std::string m_text;
    int m_steps = 0;
    int m_position = 0;
    bool m_running = false;
};

}  // namespace corvane
