// File dialogs and the folder picker.
//
// Filters come in the Windows form: pairs of a display name and patterns separated by '|',
// patterns separated by ';', the list ending with "||" ("Text (*.txt)|*.txt|All (*.*)|*.*||").
//
// Tests install an answerer, as for message boxes: it receives a record of the dialog and
// fills the chosen paths, or returns false for Cancel.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

class CWnd;

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogRecord {
    FileDialogKind kind;
    std::string title;
    std::string filter;        // as the program gave it
    std::string initialPath;   // the path (or folder) the dialog started from
    bool multiple;             // Open: several files may be chosen
    std::string okLabel = {};  // the OK button's text, when the program set one
    int filterIndex = 1;       // 1-based, the filter the dialog starts with
};

// What a program may set beyond the plain calls: the OK button's text (a copy program's
// "Download"/"Upload") and the filter to start with (1-based, as nFilterIndex was; an index
// outside the list starts with the first).
struct FileDialogOptions {
    std::string okLabel;
    int filterIndex = 1;
};

// path: in, the file or folder to start from (may be empty); out, the chosen file. With
// `multiple` non-null several files may be chosen: all go there, the first also to path.
bool GetOpenFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, std::vector<std::string>* multiple = nullptr);
// A chosen name without an extension gets defaultExtension (without the dot), as on Windows.
// Choosing an existing file asks whether to replace it.
bool GetSaveFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, const std::string& defaultExtension = "");
bool GetOpenFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, std::vector<std::string>* multiple,
                     const FileDialogOptions& options);
bool GetSaveFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, const std::string& defaultExtension,
                     const FileDialogOptions& options);
bool BrowseForFolder(CWnd* owner, const std::string& title, std::string& folder);

// The Qt form of a Windows filter ("Text (*.txt);;All (*.*)"); exposed for tests.
std::string QtFilterFromWindows(const std::string& filter);

using FileDialogAnswerer =
    std::function<bool(const FileDialogRecord& record, std::vector<std::string>& chosen)>;
// An empty answerer brings back the real dialogs. Returns the answerer it replaces.
FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer);

}  // namespace platform
