// File dialogs with an OK button text and a starting filter, as a copy program's
// "Download" and "Upload" dialogs ask for them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <fstream>
#include <utility>

#include "platform/FileDialogs.h"

using namespace platform;

namespace {

struct AnswererScope {
    explicit AnswererScope(FileDialogAnswerer answerer)
        : previous(SetFileDialogAnswerer(std::move(answerer))) {}
    ~AnswererScope() { SetFileDialogAnswerer(previous); }
    FileDialogAnswerer previous;
};

const char* const kFilter =
    "Download File (*.dnl)|*.dnl|Logo File (*.lgo)|*.lgo|All Files (*.*)|*.*||";

}  // namespace

TEST(FileDialogOptions, OkLabelAndFilterIndexReachTheDialog) {
    std::vector<FileDialogRecord> records;
    AnswererScope scope([&](const FileDialogRecord& record, std::vector<std::string>& chosen) {
        records.push_back(record);
        chosen = {"/tmp/a.dnl", "/tmp/b.lgo"};
        return true;
    });
    std::string path = "/tmp";
    std::vector<std::string> files;
    ASSERT_TRUE(GetOpenFileName(nullptr, "PC to Quarn Download", kFilter, path, &files,
                                FileDialogOptions{"Download", 1}));
    EXPECT_EQ((std::vector<std::string>{"/tmp/a.dnl", "/tmp/b.lgo"}), files);
    std::string target = "/tmp/LOGO";
    ASSERT_TRUE(GetSaveFileName(nullptr, "Quarn to PC Upload", kFilter, target, "lgo",
                                FileDialogOptions{"Upload", 2}));
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("Download", records[0].okLabel);
    EXPECT_TRUE(records[0].multiple);
    EXPECT_EQ(FileDialogKind::Save, records[1].kind);
    EXPECT_EQ("Upload", records[1].okLabel);
    EXPECT_EQ(2, records[1].filterIndex);
    EXPECT_EQ("/tmp/a.dnl", target) << "the answer keeps its own extension";
}

TEST(FileDialogOptions, CancelLeavesThePathAlone) {
    AnswererScope scope([](const FileDialogRecord&, std::vector<std::string>&) { return false; });
    std::string path = "/home/op/keep.pic";
    EXPECT_FALSE(GetSaveFileName(nullptr, "t", kFilter, path, "", FileDialogOptions{"Upload", 7}));
    EXPECT_EQ("/home/op/keep.pic", path);
}

TEST(FileDialogOptions, AnswererInstalledIsReported) {
    const FileDialogAnswerer saved = SetFileDialogAnswerer({});
    EXPECT_FALSE(FileDialogAnswererInstalled());
    {
        AnswererScope scope(
            [](const FileDialogRecord&, std::vector<std::string>&) { return false; });
        EXPECT_TRUE(FileDialogAnswererInstalled());
    }
    EXPECT_FALSE(FileDialogAnswererInstalled());
    SetFileDialogAnswerer(saved);
}

TEST(FileDialogOptions, OverwriteQuestionAndCaseReachTheRecord) {
    std::vector<FileDialogRecord> records;
    AnswererScope scope([&](const FileDialogRecord& record, std::vector<std::string>& chosen) {
        records.push_back(record);
        chosen = {"/tmp/x.pic"};
        return true;
    });
    std::string path;
    FileDialogOptions options;
    EXPECT_TRUE(options.confirmOverwrite) << "a dialog asks unless the program says otherwise";
    ASSERT_TRUE(GetSaveFileName(nullptr, "Pic File", kFilter, path, "", options));
    options.confirmOverwrite = false;
    options.caseInsensitiveFilters = true;
    ASSERT_TRUE(GetSaveFileName(nullptr, "Pic File", kFilter, path, "", options));
    ASSERT_EQ(2u, records.size());
    EXPECT_TRUE(records[0].confirmOverwrite);
    EXPECT_FALSE(records[0].caseInsensitiveFilters);
    EXPECT_FALSE(records[1].confirmOverwrite);
    EXPECT_TRUE(records[1].caseInsensitiveFilters);
}

namespace {

// The names a configured dialog offers in its folder (the refused ones stay as disabled rows).
QStringList ListedNames(QFileDialog& dialog, const QString& folder, int expected) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr)
        return {"no model"};
    // The model reads the folder in the background and adds the rows in batches.
    bool loaded = false;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, model,
                     [&](const QString& path) { loaded = loaded || path == folder; });
    const QModelIndex root = model->index(folder);
    QElapsedTimer clock;
    clock.start();
    while ((!loaded || model->rowCount(root) < expected) && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    QStringList listed;
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex index = model->index(row, 0, root);
        if (model->flags(index) & Qt::ItemIsEnabled)
            listed.append(model->fileName(index));
    }
    listed.sort();
    return listed;
}

}  // namespace

TEST(FileDialogOptions, RealDialogTakesTheOverwriteAndCaseOptions) {
    QTemporaryDir dir;
    for (const char* name : {"A.BMP", "b.bmp", "c.Bmp", "d.txt"})
        std::ofstream((dir.path() + "/" + name).toStdString()) << "x";
    const std::string filter = "Bmp Files (*.bmp)|*.bmp";
    FileDialogRecord record{FileDialogKind::Save, "Bitmap File", filter, dir.path().toStdString(),
                            false};
    record.confirmOverwrite = false;
    record.caseInsensitiveFilters = true;
    QFileDialog dialog(nullptr, "Bitmap File", dir.path(),
                       QString::fromStdString(QtFilterFromWindows(filter)));
    ConfigureFileDialog(dialog, record);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(QFileDialog::AcceptSave, dialog.acceptMode());
    EXPECT_EQ(QStringList({"A.BMP", "b.bmp", "c.Bmp"}), ListedNames(dialog, dir.path(), 3));

    FileDialogRecord plain{FileDialogKind::Save, "Bitmap File", filter, dir.path().toStdString(),
                           false};
    QFileDialog asking(nullptr, "Bitmap File", dir.path(),
                       QString::fromStdString(QtFilterFromWindows(filter)));
    ConfigureFileDialog(asking, plain);
    EXPECT_FALSE(asking.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(FileDialogOptions, AllFilesOffersNamesWithoutAnExtensionToo) {
    QTemporaryDir dir;
    for (const char* name : {"y", "pb.raw"})
        std::ofstream((dir.path() + "/" + name).toStdString()) << "x";
    const std::string filter = "All Files (*.*)|*.*||";
    FileDialogRecord record{FileDialogKind::Open, "File", filter, dir.path().toStdString(), false};
    record.caseInsensitiveFilters = true;
    QFileDialog dialog(nullptr, "File", dir.path(),
                       QString::fromStdString(QtFilterFromWindows(filter)));
    ConfigureFileDialog(dialog, record);
    EXPECT_EQ(QStringList({"pb.raw", "y"}), ListedNames(dialog, dir.path(), 2));
}

// Qt's dialog opened so narrow that a file's size, type and date were cut ("35....KiB"):
// every column of its list is as wide as what it shows, and the list holds all of them.
TEST(FileDialogOptions, TheListShowsEveryColumnWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("SUBFOLDER"));
    for (const auto& [name, bytes] :
         {std::pair{"SIGNAL_COLORBAR_100.dnl", 36000}, std::pair{"LOGO_BIG_PICTURE.lgo", 1200000},
          std::pair{"a.pre", 500}})
        std::ofstream((dir.path() + "/" + name).toStdString()) << std::string(bytes, 'x');
    struct Case {
        FileDialogKind kind;
        const char* okLabel;
        int rows;  // what the list shows: folders only for the folder picker
    };
    for (const Case& c : {Case{FileDialogKind::Open, "Download", 4},
                          Case{FileDialogKind::Save, "", 4}, Case{FileDialogKind::Folder, "", 1}}) {
        FileDialogRecord record{c.kind, "Files", kFilter, dir.path().toStdString(), true};
        record.okLabel = c.okLabel;
        record.filterIndex = 3;  // all files
        QFileDialog dialog(nullptr, "Files", dir.path(),
                           QString::fromStdString(QtFilterFromWindows(kFilter)));
        ConfigureFileDialog(dialog, record);
        dialog.setOption(QFileDialog::DontUseNativeDialog);  // the list under test is Qt's
        dialog.show();
        ASSERT_EQ(c.rows, ListedNames(dialog, dir.path(), c.rows).size()) << c.okLabel;
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // the list's last batch
        auto* tree = dialog.findChild<QTreeView*>();
        ASSERT_NE(tree, nullptr);
        const QAbstractItemView* view = tree;  // where the width a column's texts need is public
        QHeaderView* header = tree->header();
        for (int column = 0; column < header->count(); ++column)
            EXPECT_GE(header->sectionSize(column), view->sizeHintForColumn(column))
                << static_cast<int>(c.kind) << " column " << column;
        EXPECT_LE(header->length(), view->viewport()->width()) << static_cast<int>(c.kind);
    }
}
