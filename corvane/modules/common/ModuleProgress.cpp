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
    m_position = 0;
    m_begun = std::chrono::steady_clock::now();
    if (CMainFrame* frame = MainFrame())
        frame->ShowStatusText(text);
}

void ModuleProgress::ShowBarWhenDue() {
    if (m_bar != nullptr ||
        std::chrono::steady_clock::now() - m_begun < std::chrono::milliseconds(kBarDelayMs))
        return;
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return;
    auto bar = std::make_unique<platform::CProgressCtrl>();
    if (frame->CreateProgressInStatusBar(*bar, platform::PBS_SMOOTH, m_text.c_str()) == 0)
        return;
    bar->SetRange(0, m_steps);
    bar->SetStep(1);
    bar->SetPos(m_position);
    m_bar = std::move(bar);
}

void ModuleProgress::Step() {
    if (!m_running || m_position >= m_steps)
        return;
    ++m_position;
    ShowBarWhenDue();
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->SetPos(m_position);
}

void ModuleProgress::SetSteps(int steps) {
    m_steps = steps;
    if (m_position > m_steps)
        m_position = 0;  // as a bar does when its range no longer holds its position
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->SetRange(0, steps);
}

void ModuleProgress::SetPosition(int position) {
    if (position < 0 || position > m_steps)
        return;  // a bar ignores a position outside its range
    m_position = position;
    ShowBarWhenDue();
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->SetPos(position);
}

void ModuleProgress::End() {
    if (!m_running)
        return;
    m_running = false;
    g_lastTrace = {m_text, m_steps, m_position, m_bar != nullptr};
    if (m_bar != nullptr && m_bar->IsWindow())
        m_bar->DestroyWindow();
    m_bar.reset();
}

void ModuleProgress::ShowStatus(const std::string& text) {
    if (CMainFrame* frame = MainFrame())
        frame->ShowStatusText(text);
}

}  // namespace corvane
