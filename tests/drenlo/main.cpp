#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <cstdlib>

#include "platform/BlockingWait.h"
#include "platform/Numbers.h"

namespace {

// A Qt warning means the program misused Qt (an editor closed by the wrong view, a signal to
// a dead object, ...): the test that caused it fails and names it, so none slips by in a log.
void FailOnQtWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) {
        ADD_FAILURE() << "Qt " << (type == QtWarningMsg ? "warning" : "critical message") << ": "
                      << message.toStdString()
                      << (context.file != nullptr ? std::string(" (") + context.file + ":" +
                                                        std::to_string(context.line) + ")"
                                                  : std::string());
        if (type == QtFatalMsg)
            std::abort();
        return;
    }
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(FailOnQtWarning);
    return RUN_ALL_TESTS();
}
