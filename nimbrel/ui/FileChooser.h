// Nimbrel's file dialogs. They differ from the platform's plain ones in three ways the
// program needs: the program asks its own overwrite question, so the dialog must not ask
// first; "*.bmp" and "*.pic" also match upper-case names, as they did on Windows; a name typed
// without an extension gets the default one. They run through the platform's answerable
// dialogs, so tests script them as everywhere else.
#pragma once

#include <string>

#include "platform/FileDialogs.h"

class QWidget;

namespace nimbrel {

class FileChooser {
public:
    // path: in, the folder to start in; out, the chosen file. False for Cancel.
    static bool Open(QWidget* owner, const std::string& title, const std::string& filter,
                     const std::string& defaultSuffix, std::string& path);
    static bool Save(QWidget* owner, const std::string& title, const std::string& filter,
                     const std::string& defaultSuffix, std::string& path);

    // What Open and Save ask of the platform's dialogs: filters that ignore case and no
    // overwrite question of the dialog's own.
    static platform::FileDialogOptions Options(QWidget* owner);

    // The folder a dialog starts in: that of the last path, or else the start-up folder.
    static std::string StartFolder(const std::string& lastPath, const std::string& startUp);
    // The default suffix added to a name without one (for Open only when the name as typed
    // is not an existing file).
    static std::string WithSuffix(const std::string& path, const std::string& suffix,
                                  bool mustExist);
};

}  // namespace nimbrel
