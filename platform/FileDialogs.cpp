#include "platform/FileDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QMimeDatabase>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
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

// The widest texts a column of Qt's file list shows for most files, known before any file is
// listed: sizes and dates as the list writes them, and the types of a folder and of a file of
// no known kind. Other types are fitted when their files arrive.
QStringList ColumnSamples(int column) {
    const QLocale locale = QLocale::system();
    QStringList samples;
    if (column == 1) {
        for (qint64 bytes : {1023LL, 1048575LL, 1073741823LL, 1099511627775LL})
            samples << locale.formattedDataSize(bytes);
    } else if (column == 2) {
        samples << QCoreApplication::translate("QAbstractFileIconProvider", "Folder")
                << QMimeDatabase().mimeTypeForName("application/octet-stream").comment();
    } else if (column == 3) {
        for (int month = 1; month <= 12; ++month)
            samples << locale.toString(QDateTime(QDate(2000, month, 28), QTime(23, 58, 58)),
                                       QLocale::ShortFormat);
    }
    return samples;
}

// Qt's own dialog opens so narrow that a file's size, type and date are cut short
// ("35....KiB"). When it shows, laid out, and whenever files arrive in its list, the columns
// get the room their texts need and the dialog grows by what they lack, within the screen and
// keeping its centre. Nothing ever narrows: a column the operator widened stays so.
class FileListFit : public QObject {
public:
    explicit FileListFit(QFileDialog& dialog) : QObject(&dialog), m_dialog(dialog) {
        dialog.installEventFilter(this);
        if (auto* model = dialog.findChild<QFileSystemModel*>())
            connect(model, &QAbstractItemModel::rowsInserted, this, [this] { FitSoon(); });
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            Fit();
        return false;
    }

private:
    // Files arrive in batches: one fit for those that came together.
    void FitSoon() {
        if (m_fitPending || !m_dialog.isVisible())
            return;
        m_fitPending = true;
        QTimer::singleShot(0, this, [this] {
            m_fitPending = false;
            Fit();
        });
    }

    void Fit() {
        auto* tree = m_dialog.findChild<QTreeView*>();
        if (tree == nullptr)
            return;  // the desktop's own dialog sizes itself
        const QAbstractItemView* view = tree;
        QHeaderView* header = tree->header();
        const QFontMetrics metrics(tree->font());
        // The list draws a text inside a focus margin and a little more on each side.
        const int padding =
            2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 2);
        int wanted = 0;
        for (int column = 0; column < header->count(); ++column) {
            if (header->isSectionHidden(column))
                continue;
            int width = std::max({header->sectionSize(column), header->sectionSizeHint(column),
                                  view->sizeHintForColumn(column)});
            for (const QString& text : ColumnSamples(column))
                width = std::max(width, metrics.horizontalAdvance(text) + padding);
            header->resizeSection(column, width);
            wanted += width;
        }
        wanted += tree->verticalScrollBar()->sizeHint().width();
        const int missing = wanted - tree->viewport()->width();
        if (missing <= 0)
            return;
        // The dialog grows on both sides alike, so it stays centred where it was put.
        const QScreen* screen = m_dialog.screen();
        const QRect area = screen != nullptr ? screen->availableGeometry() : QRect();
        const int width = area.isValid() ? std::min(m_dialog.width() + missing, area.width())
                                         : m_dialog.width() + missing;
        int left = m_dialog.x() - (width - m_dialog.width()) / 2;
        if (area.isValid())
            left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - width));
        m_dialog.move(left, m_dialog.y());
        m_dialog.resize(width, m_dialog.height());
    }

    QFileDialog& m_dialog;
    bool m_fitPending = false;
};

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

namespace {

// Qt's dialog object, as Qt's static functions run it; without an OK text or filters blind to
// case it is the desktop's own dialog where there is one.
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

bool GetOpenFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, std::vector<std::string>* multiple) {
    return GetOpenFileName(owner, title, filter, path, multiple, FileDialogOptions{});
}

bool GetSaveFileName(CWnd* owner, const std::string& title, const std::string& filter,
                     std::string& path, const std::string& defaultExtension) {
    return GetSaveFileName(owner, title, filter, path, defaultExtension, FileDialogOptions{});
}

bool BrowseForFolder(CWnd* owner, const std::string& title, std::string& folder) {
    const FileDialogRecord record{FileDialogKind::Folder, title, "", folder, false};
    std::vector<std::string> chosen;
    if (!Run(record, chosen, [&](std::vector<std::string>& out) {
            return RunDialog(ParentOf(owner), record, out);
        }))
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
    } else if (record.kind == FileDialogKind::Folder) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
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
    new FileListFit(dialog);
}

}  // namespace platform
