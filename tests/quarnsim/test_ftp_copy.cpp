// Server to server copies between two simulator instances, driven the way the duplicator does:
// PASV on the target, PORT with its answer on the source, STOR on the target, RETR on the
// source, then the replies source, target, source, target.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FtpFixture.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class FtpCopyTest : public FtpFixture {
protected:
    void SetUp() override {
        FtpFixture::SetUp();
        StartWithFtp();
        m_target = StartOther(&m_targetRoot);
        ASSERT_TRUE(m_target);
        ASSERT_TRUE(m_targetFtp.Connect(m_target->GetOptions().address, m_target->FtpPort()));
        ASSERT_EQ(Next(m_targetFtp), "220 Quarn FTP server ready.");
        LogIn(m_ftp);
        LogIn(m_targetFtp);
    }
    void TearDown() override {
        m_targetFtp.Close();
        if (m_target)
            m_target->Stop();
        FtpFixture::TearDown();
    }
    std::string TargetFile(const std::string& relative) const {
        std::ifstream in(m_targetRoot + "/" + relative, std::ios::binary);
        std::stringstream data;
        data << in.rdbuf();
        return data.str();
    }
    // Up to the source's RETR; returns the target's PASV reply.
    std::string Prepare(const std::string& path) {
        EXPECT_EQ(Ask(m_targetFtp, "TYPE I"), "200 Type set to I.");
        std::string pasv = Ask(m_targetFtp, "PASV");
        EXPECT_EQ(Ask(m_ftp, "PORT " + ftptest::PassiveNumbers(pasv)),
                  "200 PORT command successful.");
        EXPECT_EQ(Ask(m_ftp, "TYPE I"), "200 Type set to I.");
        EXPECT_TRUE(m_targetFtp.SendLine("STOR " + path));
        EXPECT_TRUE(m_ftp.SendLine("RETR " + path));
        return pasv;
    }

    std::unique_ptr<quarnsim::Simulator> m_target;
    std::string m_targetRoot;
    TestClient m_targetFtp;
};

}  // namespace

TEST_F(FtpCopyTest, FilesGoDirectlyFromSourceToTarget) {
    std::string big = Pattern(1 << 20);
    Write("Tavix/PICTURE/BARS.PIC", big);
    Write("CPU/PRESET/MSTATE.P00", "");  // empty files copy too
    for (const std::string path : {"/F0:/Tavix/PICTURE/BARS.PIC", "/F0:/CPU/PRESET/MSTATE.P00"}) {
        fs::create_directories(m_targetRoot + "/Tavix/PICTURE");
        std::string pasv = Prepare(path);
        EXPECT_EQ(pasv.compare(0, 3, "227"), 0) << pasv;
        EXPECT_EQ(Next(m_ftp).compare(0, 4, "150 "), 0);
        EXPECT_EQ(Next(m_targetFtp).compare(0, 4, "150 "), 0);
        EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
        EXPECT_EQ(Next(m_targetFtp), "226 Transfer complete.");
    }
    EXPECT_TRUE(TargetFile("Tavix/PICTURE/BARS.PIC") == big);
    EXPECT_TRUE(fs::exists(m_targetRoot + "/CPU/PRESET/MSTATE.P00"));
    EXPECT_EQ(fs::file_size(m_targetRoot + "/CPU/PRESET/MSTATE.P00"), 0u);
    // Each side logged its own half.
    std::vector<std::string> source = m_sim->FtpCommands();
    std::vector<std::string> target = m_target->FtpCommands();
    EXPECT_EQ(source.back(), "RETR /F0:/CPU/PRESET/MSTATE.P00");
    EXPECT_EQ(target.back(), "STOR /F0:/CPU/PRESET/MSTATE.P00");
}

TEST_F(FtpCopyTest, AMissingSourceFileLeavesTheTargetWaitingUntilAbort) {
    m_target->SetFtpDataTimeout(20s);  // the abort, not the time-out, must end it
    Prepare("/F0:/CPU/PRESET/MSTATE.P07");
    EXPECT_EQ(Next(m_ftp), "550 /F0:/CPU/PRESET/MSTATE.P07: No such file.");
    EXPECT_EQ(Next(m_targetFtp).compare(0, 4, "150 "), 0);
    EXPECT_EQ(Ask(m_targetFtp, "ABOR"), "426 Connection closed; transfer aborted.");
    EXPECT_EQ(Next(m_targetFtp), "226 ABOR command successful.");
    EXPECT_FALSE(fs::exists(m_targetRoot + "/CPU/PRESET/MSTATE.P07"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_targetRoot + "/CPU/PRESET"),
                            fs::directory_iterator()),
              0);
    // Both sessions are in step afterwards.
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");
    EXPECT_EQ(Ask(m_targetFtp, "NOOP"), "200 NOOP command successful.");
}

TEST_F(FtpCopyTest, AMissingTargetFolderIsOneReplyAndTheSourceStillEnds) {
    Write("Kintor/LOGO/A.LGO", "logo");
    m_sim->SetFtpDataTimeout(20s);
    Prepare("/F0:/Kintor/LOGO/A.LGO");  // the target has no Kintor folder
    EXPECT_EQ(Next(m_ftp).compare(0, 4, "150 "), 0);
    EXPECT_EQ(Next(m_targetFtp), "550 /F0:/Kintor/LOGO/A.LGO: No such folder.");
    // The target closed its passive port. The source either got in before that (its data
    // went nowhere, or the connection was reset under it) or is refused; either way it ends
    // at once instead of waiting.
    std::string last = Next(m_ftp);
    EXPECT_TRUE(last == "226 Transfer complete." || last == "425 Can't open data connection." ||
                last == "426 Connection closed; transfer aborted.")
        << last;
    EXPECT_FALSE(fs::exists(m_targetRoot + "/Kintor"));
}

TEST_F(FtpCopyTest, ATargetThatNeverGetsItsDataGivesUpAfterTheTimeOut) {
    m_target->SetFtpDataTimeout(300ms);
    EXPECT_EQ(Ask(m_targetFtp, "PASV").compare(0, 4, "227 "), 0);
    EXPECT_EQ(Ask(m_targetFtp, "STOR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    EXPECT_EQ(Next(m_targetFtp), "425 Can't open data connection.");
    EXPECT_FALSE(fs::exists(m_targetRoot + "/CPU/PRESET/MSTATE.P01"));
}
