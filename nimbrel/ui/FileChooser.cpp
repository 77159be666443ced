#include "nimbrel/ui/FileChooser.h"

#include <QDir>
#include <QFileInfo>

#include "platform/FileSystem.h"

namespace nimbrel {

platform::FileDialogOptions FileChooser::Options(QWidget* owner) {
    platform::FileDialogOptions options;
    options.confirmOverwrite = false;  // the program asks code 46 itself
    options.caseInsensitiveFilters = true;
    options.parent = owner;
    return options;
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
    if (!platform::GetOpenFileName(nullptr, title, filter, chosen, nullptr, Options(owner)) ||
        chosen.empty()) {
        return false;
    }
    path = WithSuffix(chosen, defaultSuffix, true);
    return true;
}

bool FileChooser::Save(QWidget* owner, const std::string& title, const std::string& filter,
                       const std::string& defaultSuffix, std::string& path) {
    std::string chosen = path;
    if (!platform::GetSaveFileName(nullptr, title, filter, chosen, "", Options(owner)) ||
        chosen.empty()) {
        return false;
    }
    path = WithSuffix(chosen, defaultSuffix, false);
    return true;
}

}  // namespace nimbrel
