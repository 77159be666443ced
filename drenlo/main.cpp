// Drenlo, the file transfer utility of the Quarn.
#include <QApplication>

#include "drenlo/app/DrenloApp.h"
#include "platform/BlockingWait.h"
#include "platform/Numbers.h"
#include "platform/RuntimeDirectory.h"

int main(int argc, char* argv[]) {
    platform::EnsureRuntimeDirectory();
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    drenlo::CDrenloApp app;
    return app.RunProgram();
}
