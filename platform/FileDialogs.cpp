#include "platform/FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <utility>

#include "platform/WaitCursor.h"
#include "platform/Wnd.h"

namespace platform {

namespace {

FileDialogAnswerer& Answerer() {
    static FileDialogAnswerer answerer;
    return answerer;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            break;
        start = at + 1;
    }
    return parts;
}

QWidget* ParentOf(CWnd* owner) {
    QWidget* parent = owner != nullptr ? owner->GetWidget() : nullptr;
    return parent != nullptr ? parent : QApplication::activeWindow();
}

// Runs the answerer or the real dialog, with the arrow cursor over a wait cursor.
bool Run(const FileDialogRecord& record, std::vector<std::string>& chosen,
         const std::function<bool(std::vector<std::string>&)>& real) {
    PushModalArrowCursor();
    bool ok;
    if (FileDialogAnswerer answerer = Answerer())
        ok = answerer(record, chosen);
    else
        ok = real(chosen);
    PopModalArrowCursor();
    return ok && !chosen.empty() && !chosen.front().empty();
}

}  // namespace

std::string QtFilterFromWindows(const std::string& filter) {
    std::vector<std::string> parts = Split(filter, '|');
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string name = parts[i];
        const std::string& patterns = parts[i + 1];
        if (name.empty() && patterns.empty())
            break;
        // Qt reads the patterns from the last parentheses of the entry, so the display name
        // loses its own and gets the real ones.
        const size_t open = name.rfind('(');
        if (open != std::string::npos && name.back() == ')')
            name.erase(open);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        std::string qtPatterns;
        for (const std::string& p : Split(patterns, ';')) {
            if (p.empty())
                continue;
            if (!qtPatterns.empty())
                qtPatterns += ' ';
            // On Windows "*.*" matches every name, a name without a dot too; in Qt only "*"
            // does, and a raw file named "y" would not be offered.
            qtPatterns += p == "*.*" ? "*" : p;
        }
        if (!out.empty())
            out += ";;";
        out += name + " (" + qtPatterns + ")";
    }
    return out;
}

bool GetOpenFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, std::vector<std::string>* multiple) {
    FileDialogRecord record{FileDialogKind::Open, title, filter, path, multiple != nullptr};
    std::vector<std::string> chosen;
    const bool ok = Run(record, chosen, [&](std::vector<std::string>& out) {
        const QString qtFilter = ToQString(QtFilterFromWindows(filter));
        if (multiple != nullptr) {
            for (const QString& f : QFileDialog::getOpenFileNames(ParentOf(owner), ToQString(title),
                                                                  ToQString(path), qtFilter))
                out.push_back(FromQString(f));
        } else {
            out.push_back(FromQString(QFileDialog::getOpenFileName(
                ParentOf(owner), ToQString(title), ToQString(path), qtFilter)));
        }
        return true;
    });
    if (!ok)
        return false;
    path = chosen.front();
    if (multiple != nullptr)
        *multiple = chosen;
    return true;
}

bool GetSaveFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, const std::string& defaultExtension) {
    FileDialogRecord record{FileDialogKind::Save, title, filter, path, false};
    std::vector<std::string> chosen;
    const bool ok = Run(record, chosen, [&](std::vector<std::string>& out) {
        out.push_back(FromQString(
            QFileDialog::getSaveFileName(ParentOf(owner), ToQString(title), ToQString(path),
                                         ToQString(QtFilterFromWindows(filter)))));
        return true;
    });
    if (!ok)
        return false;
    path = chosen.front();
    if (!defaultExtension.empty() && QFileInfo(ToQString(path)).suffix().isEmpty())
        path += "." + defaultExtension;
    return true;
}

namespace {

// The real dialog with the options; the plain calls keep the desktop's own dialogs.
bool RunDialog(QWidget* parent, const FileDialogRecord& record, std::vector<std::string>& out) {
    QFileDialog dialog(parent, ToQString(record.title), ToQString(record.initialPath),
                       ToQString(QtFilterFromWindows(record.filter)));
    ConfigureFileDialog(dialog, record);
    if (dialog.exec() != QDialog::Accepted)
        return true;  // nothing chosen: Cancel
    for (const QString& f : dialog.selectedFiles()) out.push_back(FromQString(f));
    return true;
}

FileDialogRecord RecordOf(FileDialogKind kind, const std::string& title, const std::string& filter,
                          const std::string& path, bool multiple,
                          const FileDialogOptions& options) {
    FileDialogRecord record{
        kind, title, filter, path, multiple, options.okLabel, options.filterIndex};
    record.confirmOverwrite = options.confirmOverwrite;
    record.caseInsensitiveFilters = options.caseInsensitiveFilters;
    return record;
}

QWidget* ParentOf(CWnd* owner, const FileDialogOptions& options) {
    return options.parent != nullptr ? options.parent : ParentOf(owner);
}

}  // namespace

bool GetOpenFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, std::vector<std::string>* multiple,
                     const FileDialogOptions& options) {
    const FileDialogRecord record =
        RecordOf(FileDialogKind::Open, title, filter, path, multiple != nullptr, options);
    std::vector<std::string> chosen;
    if (!Run(record, chosen, [&](std::vector<std::string>& out) {
            return RunDialog(ParentOf(owner, options), record, out);
        }))
        return false;
    path = chosen.front();
    if (multiple != nullptr)
        *multiple = chosen;
    return true;
}

bool GetSaveFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, const std::string& defaultExtension,
                     const FileDialogOptions& options) {
    const FileDialogRecord record =
        RecordOf(FileDialogKind::Save, title, filter, path, false, options);
    std::vector<std::string> chosen;
    if (!Run(record, chosen, [&](std::vector<std::string>& out) {
            return RunDialog(ParentOf(owner, options), record, out);
        }))
        return false;
    path = chosen.front();
    if (!defaultExtension.empty() && QFileInfo(ToQString(path)).suffix().isEmpty())
        path += "." + defaultExtension;
    return true;
}

bool BrowseForFolder(CWnd* owner, const std::string& title, std::string& folder) {
    FileDialogRecord record{FileDialogKind::Folder, title, "", folder, false};
    std::vector<std::string> chosen;
    const bool ok = Run(record, chosen, [&](std::vector<std::string>& out) {
        out.push_back(FromQString(QFileDialog::getExistingDirectory(
            ParentOf(owner), ToQString(title), ToQString(folder))));
        return true;
    });
    if (!ok)
        return false;
    folder = chosen.front();
    return true;
}

FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer) {
    return std::exchange(Answerer(), std::move(answerer));
}

bool FileDialogAnswererInstalled() {
    return static_cast<bool>(Answerer());
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRecord& record) {
    // Only Qt's own dialog takes an OK text and matches filters without regard to case.
    dialog.setOption(QFileDialog::DontUseNativeDialog,
                     !record.okLabel.empty() || record.caseInsensitiveFilters);
    if (record.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !record.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(record.multiple ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    }
    if (record.caseInsensitiveFilters)
        dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!record.okLabel.empty())
        dialog.setLabelText(QFileDialog::Accept, ToQString(record.okLabel));
    const QStringList filters = dialog.nameFilters();
    if (record.filterIndex >= 1 && record.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[record.filterIndex - 1]);
}

}  // namespace platform
