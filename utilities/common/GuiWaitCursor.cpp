#include "utilities/common/GuiWaitCursor.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>

#include "platform/WaitCursor.h"

namespace utilities {

namespace {
std::atomic<int> g_shownCount{0};
}

CGuiWaitCursor::CGuiWaitCursor() {
    const QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || QThread::currentThread() != application->thread())
        return;
    platform::BeginWaitCursor();
    m_shown = true;
    ++g_shownCount;
}

CGuiWaitCursor::~CGuiWaitCursor() {
    if (m_shown)
        platform::EndWaitCursor();
}

int CGuiWaitCursor::ShownCount() {
    return g_shownCount.load();
}

}  // namespace utilities
