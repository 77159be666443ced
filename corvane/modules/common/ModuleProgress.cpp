#include "corvane/modules/common/ModuleProgress.h"

#include "corvane/core/MainFrame.h"

namespace corvane {

namespace {
ModuleProgress::Trace g_lastTrace;
}

const ModuleProgress::Trace& ModuleProgress::LastTrace() {
    return g_lastTrace;
}

ModuleProgress::ModuleProgress(const std::string& text, int steps) : m_text(text), m_steps(steps) {
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return;
    m_shown = frame->CreateProgressInStatusBar(m_bar, platform::PBS_SMOOTH, text.c_str()) != 0;
    if (m_shown) {
        m_bar.SetRange(0, steps);
        m_bar.SetStep(1);
    }
}

ModuleProgress::~ModuleProgress() {
    g_lastTrace = {m_text, m_steps, Position()};
    if (m_bar.IsWindow())
        m_bar.DestroyWindow();
}

void ModuleProgress::Step() {
    if (!m_shown || !m_bar.IsWindow())
        return;
    if (m_bar.GetPos() < m_steps)
        m_bar.StepIt();
}

int ModuleProgress::Position() const {
    return m_shown && m_bar.IsWindow() ? m_bar.GetPos() : 0;
}

}  // namespace corvane
