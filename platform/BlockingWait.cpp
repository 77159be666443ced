#include "platform/BlockingWait.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/Socket.h"

namespace platform {

void ResumePostedMessages();  // Wnd.cpp

namespace {

int g_depth = 0;  // user-interface thread only

class UiBlockingHook : public BlockingHook {
public:
    void OnWaitBegin() override { ++g_depth; }
    void OnWait() override {
        // Paint and timer events only: the operator's input waits, and so do posted private
        // messages (the post queue checks InBlockingWait).
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void OnWaitEnd() override {
        if (--g_depth == 0)
            ResumePostedMessages();
    }
};

}  // namespace

void InstallUiBlockingHook() {
    static UiBlockingHook hook;
    SetBlockingHook(&hook);
}

bool InBlockingWait() {
    return g_depth > 0;
}

}  // namespace platform
