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

class QFileDialog;
class QWidget;

namespace platform {

class CWnd;

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogRecord {
    FileDialogKind kind;
    std::string title;
    std::string filter;                   // as the program gave it
    std::string initialPath;              // the path (or folder) the dialog started from
    bool multiple;                        // Open: several files may be chosen
    std::string okLabel = {};             // the OK button's text, when the program set one
    int filterIndex = 1;                  // 1-based, the filter the dialog starts with
    bool confirmOverwrite = true;         // Save: the dialog itself asks about an existing file
    bool caseInsensitiveFilters = false;  // "*.bmp" also lists "A.BMP"
};

// What a program may set beyond the plain calls: the OK button's text (a copy program's
// "Download"/"Upload") and the filter to start with (1-based, as nFilterIndex was; an index
// outside the list starts with the first).
//
// A program that asks its own question about an existing file turns confirmOverwrite off, or
// the operator would be asked twice. caseInsensitiveFilters lists names whatever their case, as
// the Windows dialogs did; it needs Qt's own dialog, since a desktop's may match by case.
// parent stands in for the owner when the owner is a plain Qt window rather than a CWnd.
struct FileDialogOptions {
    std::string okLabel;
    int filterIndex = 1;
    bool confirmOverwrite = true;
    bool caseInsensitiveFilters = false;
    QWidget* parent = nullptr;
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
// True while a test's answerer stands in for the real dialogs.
bool FileDialogAnswererInstalled();

// Sets up Qt's dialog as the calls run it (accept mode, file mode, OK text, starting filter,
// overwrite question, case of the filters, and room for its list's columns when it shows);
// exposed for tests, which look at the dialog without running it.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRecord& record);

}  // namespace platform
