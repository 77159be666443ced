// ModuleProgress: the progress bar a module document shows in pane 0 of the status bar
// while it reads or applies. The bar goes when the object does, on every path out.
#pragma once

#include <string>

#include "platform/StatusBar.h"

namespace corvane {

class ModuleProgress {
public:
    // Shows `text` in pane 0 and a smooth bar of `steps` steps beside it.
    ModuleProgress(const std::string& text, int steps);
    ~ModuleProgress();
    ModuleProgress(const ModuleProgress&) = delete;
    ModuleProgress& operator=(const ModuleProgress&) = delete;

    // One step; a model that steps more often than it announced stays at the end instead of
    // wrapping round to an empty bar.
    void Step();
    int Position() const;
    bool Shown() const { return m_shown; }

    // What the last bar showed when it went: its text, its range and where it ended. The
    // bar is gone by the time anyone could look at it, so this is the only trace of it.
    struct Trace {
        std::string text;
        int steps = 0;
        int position = 0;
    };
    static const Trace& LastTrace();

private:
    platform::CProgressCtrl m_bar;
    std::string m_text;
    int m_steps = 0;
    bool m_shown = false;
};

}  // namespace corvane
