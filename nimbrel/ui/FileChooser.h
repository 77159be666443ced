// Nimbrel's file dialogs. They differ from the platform's plain ones in three ways the
// program needs: the program asks its own overwrite question, so the dialog must not ask
// first; "*.bmp" and "*.pic" also match upper-case names, as they did on Windows; a name typed
// without an extension gets the default one. With a test's answerer installed the platform's
// answerable dialogs run instead, so tests script them as everywhere else.
#pragma once

#include <string>

class QFileDialog;
class QWidget;

namespace nimbrel {

class FileChooser {
public:
    // path: in, the folder to start in; out, the chosen file. False for Cancel.
    static bool Open(QWidget* owner, const std::string& title, const std::string& filter,
                     const std::string& defaultSuffix, std::string& path);
    static bool Save(QWidget* owner, const std::string& title, const std::string& filter,
                     const std::string& defaultSuffix, std::string& path);

    // Sets up a dialog as Open and Save run it: Qt's own dialog with filters that ignore case,
    // the default suffix, and for Save no overwrite question of its own.
    static void Configure(QFileDialog& dialog, bool save, const std::string& defaultSuffix);

    // The folder a dialog starts in: that of the last path, or else the start-up folder.
    static std::string StartFolder(const std::string& lastPath, const std::string& startUp);
    // The default suffix added to a name without one (for Open only when the name as typed
    // is not an existing file).
    static std::string WithSuffix(const std::string& path, const std::string& suffix,
                                  bool mustExist);
};

}  // namespace nimbrel
