// The same copy against a real FTP server nobody here wrote (pyftpdlib), each paired with a
// simulator's command port on the same address and tree. pyftpdlib connects at PORT already,
// which only works because listings listen before they send PORT.
#include "MirrakFixture.h"
#include "tests/support/BoxScript.h"
#include "tests/support/PyFtpPeer.h"

namespace mirraktest {

namespace {

class PyFtpdCopyTest : public MirrakFixture {
protected:
    void SetUp() override {
        MirrakFixture::SetUp();
        std::string why;
        if (!testsupport::PyFtpPeer::Available(&why))
            GTEST_SKIP() << why;
    }
    void StartPeers() {
        StartInstruments(false);
        std::string error;
        ASSERT_TRUE(m_sourcePeer.Start(m_sourceAddress, SourceFolder(), 21, &error)) << error;
        ASSERT_TRUE(m_targetPeer.Start(m_targetAddress, TargetFolder(), 21, &error)) << error;
    }
    testsupport::PyFtpPeer m_sourcePeer;
    testsupport::PyFtpPeer m_targetPeer;
};

TEST_F(PyFtpdCopyTest, CopiesNestedFoldersAndHundredsOfFilesByteForByte) {
    StartPeers();
    SeedTree(200);
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window, 120000));
    EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
    int files = 0;
    EXPECT_TRUE(TargetHoldsSourceTree(&files));
    EXPECT_GT(files, 150);
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(PyFtpdCopyTest, AFileMissingOnTheSourceIsLeftOutWithoutWaitingForTheTarget) {
    StartPeers();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "aaaa");
    testsupport::BoxScript boxes;
    // The file goes after the listing named it, so RETR gets pyftpdlib's own 550 and the
    // target's STOR, already waiting for its data, must not be waited for.
    RecordingWindow window;
    window.onFile = [&](const std::string& name) {
        if (name == "A.DAT")
            std::remove((SourceDrive() + "/SIGNAL/A.DAT").c_str());
    };
    ASSERT_TRUE(RunCopy(window, 30000));
    EXPECT_EQ(window.endCode, mirrak::kDupIncomplete);
    EXPECT_NE(window.endText.find("/F0:/SIGNAL/A.DAT (not found)"), std::string::npos)
        << window.endText;
    EXPECT_EQ(boxes.Records().size(), 0u);
}

}  // namespace

}  // namespace mirraktest
