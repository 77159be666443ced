#include "nimbrel/ui/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"

namespace nimbrel {

namespace {

bool AnswererInstalled() {
    // The platform offers no query, so look by swapping the answerer out and back in.
    platform::FileDialogAnswerer answerer = platform::SetFileDialogAnswerer({});
    const bool installed = static_cast<bool>(answerer);
    platform::SetFileDialogAnswerer(std::move(answerer));
    return installed;
}

bool RunDialog(QWidget* owner, bool save, const std::string& title, const std::string& filter,
               const std::string& defaultSuffix, std::string& path) {
    QFileDialog dialog(owner, QString::fromStdString(title), QString::fromStdString(path),
                       QString::fromStdString(platform::QtFilterFromWindows(filter)));
    FileChooser::Configure(dialog, save, defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = dialog.selectedFiles().front().toStdString();
    return !path.empty();
}

}  // namespace

void FileChooser::Configure(QFileDialog& dialog, bool save, const std::string& defaultSuffix) {
    // Qt's own dialog matches name filters without regard to case; a desktop's may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program asks its own question about an existing file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
}

std::string FileChooser::StartFolder(const std::string& lastPath, const std::string& startUp) {
    if (!lastPath.empty()) {
        return QFileInfo(QString::fromStdString(lastPath)).absolutePath().toStdString();
    }
    return startUp.empty() ? QDir::homePath().toStdString() : startUp;
}

std::string FileChooser::WithSuffix(const std::string& path, const std::string& suffix,
                                    bool mustExist) {
    if (suffix.empty() || path.empty() ||
        !QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) {
        return path;
    }
    if (mustExist && platform::IsRegularFile(path)) {
        return path;
    }
    return path + "." + suffix;
}

bool FileChooser::Open(QWidget* owner, const std::string& title, const std::string& filter,
                       const std::string& defaultSuffix, std::string& path) {
    std::string chosen = path;
    const bool ok = AnswererInstalled()
                        ? platform::GetOpenFileName(nullptr, title, filter, chosen)
                        : RunDialog(owner, false, title, filter, defaultSuffix, chosen);
    if (!ok || chosen.empty()) {
        return false;
    }
    path = WithSuffix(chosen, defaultSuffix, true);
    return true;
}

bool FileChooser::Save(QWidget* owner, const std::string& title, const std::string& filter,
                       const std::string& defaultSuffix, std::string& path) {
    std::string chosen = path;
    const bool ok = AnswererInstalled()
                        ? platform::GetSaveFileName(nullptr, title, filter, chosen)
                        : RunDialog(owner, true, title, filter, defaultSuffix, chosen);
    if (!ok || chosen.empty()) {
        return false;
    }
    path = WithSuffix(chosen, defaultSuffix, false);
    return true;
}

}  // namespace nimbrel
