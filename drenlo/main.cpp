// Drenlo, the file transfer utility of the Quarn.
#include <QApplication>

#include "drenlo/app/DrenloApp.h"
#include "platform/BlockingWait.h"
#include "platform/Numbers.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    drenlo::CDrenloApp app;
    return app.RunProgram();
}
