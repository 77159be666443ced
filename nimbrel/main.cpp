// Nimbrel: builds the instrument's picture files from bitmaps, offline.
#include <QApplication>
#include <QDir>

#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "nimbrel/ui/TAboutBox.h"
#include "nimbrel/ui/TMainForm.h"
#include "nimbrel/ui/TProgressForm.h"
#include "nimbrel/ui/TToolForm.h"
#include "nimbrel/ui/ToolIcons.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/RuntimeDirectory.h"

int main(int argc, char** argv) {
    platform::EnsureRuntimeDirectory();
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    QApplication::setApplicationName("Nimbrel");
    QApplication::setWindowIcon(nimbrel::ToolIcons::Make(nimbrel::ToolIcons::kBuildFrame));
    platform::SetApplicationTitle("Nimbrel");

    // The ini files are those of the folder the program was started in.
    const std::string startFolder = QDir::currentPath().toStdString();
    nimbrel::CFileMakeInfo job(startFolder);
    nimbrel::CSettingMngInfo settings(job.MainIni(), startFolder + "/Nimbrel_Setting.ini");

    nimbrel::TMainForm mainForm(job, settings);
    nimbrel::TAboutBox aboutBox(&mainForm);
    // A window of its own, not a child of the main form: disabling the main form while the
    // progress shows would otherwise disable its Cancel button as well.
    nimbrel::TProgressForm progressForm;
    nimbrel::TToolForm toolForm(settings, job, progressForm, mainForm.Switches(), &mainForm);
    progressForm.SetForms(&mainForm, &toolForm);
    mainForm.SetForms(&aboutBox, &progressForm, &toolForm);
    mainForm.show();
    return application.exec();
}
