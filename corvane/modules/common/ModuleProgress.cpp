#include "corvane/modules/common/ModuleProgress.h"

#include "corvane/core/MainFrame.h"

namespace corvane {

namespace {
ModuleProgress::Trace g_lastTrace;
}

const ModuleProgress::Trace& ModuleProgress::LastTrace() {
    return g_lastTrace;
}

ModuleProgress::ModuleProgress() = default;

ModuleProgress::~ModuleProgress() {
    End();
}

void ModuleProgress::Begin(const std::string& text, int steps) {
    End();
    m_running = true;
    m_text = text;
    m_steps = steps;
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return;
    auto bar = std::make_unique<platform::CProgressCtrl>();
    if (frame->CreateProgressInStatusBar(*bar, platform::PBS_SMOOTH, text.c_str()) == 0)
        return;
    bar->SetRange(0, steps);
    bar->SetStep(1);
    m_bar = std::move(bar);
}

void ModuleProgress::Step() {
    if (m_bar == nullptr || !m_bar->IsWindow())
        return;
    if (m_bar->GetPos() < m_steps)
        m_bar->StepIt();
}

void ModuleProgress::SetSteps(int steps) {
    m_steps = steps;
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->SetRange(0, steps);
}

void ModuleProgress::SetPosition(int position) {
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->SetPos(position);
}

void ModuleProgress::End() {
    if (!m_running)
        return;
    m_running = false;
    g_lastTrace = {m_text, m_steps, Position()};
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->DestroyWindow();
    m_bar.reset();
}

void ModuleProgress::ShowStatus(const std::string& text) {
    if (CMainFrame* frame = MainFrame())
        frame->ShowStatusText(text);
}

int ModuleProgress::Position() const {
    return m_bar != nullptr && m_bar->IsWindow() ? m_bar->GetPos() : 0;
}

}  // namespace corvane
