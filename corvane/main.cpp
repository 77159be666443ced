// Corvane, the setup application of the Quarn.
#include <QApplication>

#include "corvane/core/CorvaneApp.h"
#include "platform/BlockingWait.h"
#include "platform/Numbers.h"
#include "platform/RuntimeDirectory.h"

int main(int argc, char* argv[]) {
    platform::EnsureRuntimeDirectory();
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    corvane::CCorvaneApp app;
    return app.RunProgram();
}
