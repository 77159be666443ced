#include <gtest/gtest.h>

#include <QLocale>

#include "drenlo/model/FileInfo.h"
#include "drenlo/model/FileInfoList.h"
#include "drenlo/model/FileType.h"
#include "drenlo/model/LocalFileItem.h"

namespace drenlo {
namespace {

TEST(FileTypeTest, TypesByUpperCaseName) {
    EXPECT_EQ(FileTypeOfName("a.pst"), kFilePreset);
    EXPECT_EQ(FileTypeOfName("x.dnl.bak"), kFileOther);
    EXPECT_EQ(FileTypeOfName("MSTATE.P03"), kFilePreset);
    EXPECT_EQ(FileTypeOfName("MSTATE2.P14"), kFilePreset);
    EXPECT_EQ(FileTypeOfName("mstate3.p07"), kFilePreset);
    EXPECT_EQ(FileTypeOfName("MSTATE.TXT"), kFileOther);
    EXPECT_EQ(FileTypeOfName("ab.dnl"), kFileDownload);
    EXPECT_EQ(FileTypeOfName(".DNL"), kFileDownload);
    EXPECT_EQ(FileTypeOfName("B.dnl"), kFileDownload);
    EXPECT_EQ(FileTypeOfName("X.PIC.PIC"), kFileOther);
    EXPECT_EQ(FileTypeOfName("ABC"), kFileOther);
    EXPECT_EQ(FileTypeOfName("l.lgo"), kFileLogo);
    EXPECT_EQ(FileTypeOfName("s.seq"), kFileSequence);
    EXPECT_EQ(FileTypeOfName("p.pic"), kFilePicture);
    EXPECT_EQ(FileTypeOfName("c.cmp"), kFileSignal);
    EXPECT_EQ(FileTypeOfName(""), kFileOther);
}

TEST(FileInfoTest, NamesTimesAndCopies) {
    CFileInfo item("a.pic", 123, std::int64_t{0}, 0);
    EXPECT_EQ(item.GetUpperName(), "A.PIC");
    EXPECT_EQ(item.GetTime(), 11644473600ULL * 10000000ULL);  // computed in 64 bits
    EXPECT_EQ(item.HasTime(), 1);
    item.SetName("b.dnl");
    EXPECT_EQ(item.GetUpperName(), "B.DNL");
    EXPECT_EQ(item.GetFileType(), kFileDownload);
    CFileInfo copy(item);
    EXPECT_EQ(copy.GetUpperName(), "B.DNL");
    CFileInfo assigned;
    EXPECT_EQ(assigned.HasTime(), 0);
    assigned = item;
    EXPECT_EQ(assigned.GetName(), "b.dnl");
    EXPECT_EQ(assigned.GetSize(), 123u);
    EXPECT_EQ(CFileInfo::FileTimeFromSeconds(-20000000000LL), 0u);
}

TEST(FileInfoTest, SizeAndTimeTextsInEnglish) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::string text;
    EXPECT_EQ(CFileInfo("a", 1200000, FileTime{0}, 0).GetSizeText(text), 1);
    EXPECT_EQ(text, "1,200,000");
    CFileInfo("a", 0, FileTime{0}, 0).GetSizeText(text);
    EXPECT_EQ(text, "0");
    CFileInfo("a", 999, FileTime{0}, 0).GetSizeText(text);
    EXPECT_EQ(text, "999");
    // 2001-09-09 01:46:40 UTC, taken as it stands.
    EXPECT_EQ(CFileInfo("a", 0, std::int64_t{1000000000}, 0).GetTimeText(text), 1);
    EXPECT_NE(text.find("9/9/01"), std::string::npos) << text;
    EXPECT_NE(text.find("1:46"), std::string::npos) << text;
    EXPECT_EQ(text.find(":40"), std::string::npos) << text;
    QLocale::setDefault(QLocale::system());
}

TEST(FileInfoListTest, CursorIndexAndOwnership) {
    CFileInfoList list;
    EXPECT_EQ(list.First(), 0);
    list.Add(CFileInfo("a", 1, FileTime{0}, 0));
    list.Add(CFileInfo("b", 2, FileTime{0}, 1));
    list.SetFolder("/F0:/x");
    EXPECT_EQ(list.First(), 1);
    EXPECT_EQ(list.Next()->GetName(), "a");
    EXPECT_EQ(list.Next()->GetName(), "b");
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.GetIndex(), 3);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetIndex(), 0);
    EXPECT_EQ(list.GetFolder(), "");
}

TEST(LocalFileItemTest, SplitsAtTheLastSlashAndCopiesByValue) {
    CLocalFileItem item;
    EXPECT_EQ(item.SplitLocalPath("/home/op/pics/a.pic"), 1);
    EXPECT_EQ(item.GetFileName(), "a.pic");
    CLocalFileItem none;
    EXPECT_EQ(none.SplitLocalPath("a.pic"), 0);
    EXPECT_EQ(none.SplitLocalPath("/a.pic"), 0);
    EXPECT_EQ(none.SplitLocalPath("/home/op/"), 0);
    EXPECT_EQ(none.GetFileName(), "");

    CLocalFileList list;
    item.SetSize(5);
    item.SetCommandHead("head");
    EXPECT_EQ(list.Add(item), 1);
    item.SetSize(6);
    EXPECT_EQ(list.GetAt(0)->GetSize(), 5u);
    EXPECT_EQ(list.GetAt(0)->GetCommandHead(), "head");
    EXPECT_EQ(list.GetAt(0)->GetPcPath(), "/home/op/pics/a.pic");
}

}  // namespace
}  // namespace drenlo
