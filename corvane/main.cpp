// Corvane, the setup application of the Quarn.
#include <QApplication>

#include "corvane/core/CorvaneApp.h"
#include "platform/BlockingWait.h"
#include "platform/Numbers.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    corvane::CCorvaneApp app;
    return app.RunProgram();
}
