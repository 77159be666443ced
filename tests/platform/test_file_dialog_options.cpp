// File dialogs with an OK button text and a starting filter, as a copy program's
// "Download" and "Upload" dialogs ask for them.
#include <gtest/gtest.h>

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
