// The FTP faults tests arm on the simulator, each seen from a raw client.
#include <filesystem>
#include <thread>

#include "FtpFixture.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class FtpFaultTest : public FtpFixture {
protected:
    void SetUp() override {
        FtpFixture::SetUp();
        StartWithFtp();
        Write("CPU/PRESET/MSTATE.P01", Pattern(100000));
        LogIn(m_ftp);
        ASSERT_TRUE(m_listener.Open(Address()));
    }
    // PORT to the listener, then `command`; the first reply.
    std::string Start(const std::string& command) {
        std::string reply = Ask(m_ftp, m_listener.PortCommand());
        if (reply != "200 PORT command successful.")
            return reply;
        return Ask(m_ftp, command);
    }

    ftptest::DataListener m_listener;
};

}  // namespace

TEST_F(FtpFaultTest, AWithheldDataConnectionEndsWith425AfterTheTimeOut) {
    m_sim->SetFtpDataTimeout(300ms);
    m_sim->FtpWithholdNextDataConnection();
    EXPECT_EQ(Start("LIST /F0:/CPU/").compare(0, 4, "150 "), 0);
    EXPECT_EQ(Next(m_ftp), "425 Can't open data connection.");
    EXPECT_FALSE(m_listener.Pending(0));
    // Only the next transfer was hit.
    EXPECT_EQ(Start("LIST /F0:/CPU/").compare(0, 4, "150 "), 0);
    int data = m_listener.Accept(5000);
    EXPECT_GE(data, 0);
    std::string listing;
    EXPECT_TRUE(ftptest::ReadAll(data, &listing));
    ftptest::Close(data);
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
}

TEST_F(FtpFaultTest, AWithheldDataConnectionEndsAtOnceWhenTheClientSpeaks) {
    m_sim->SetFtpDataTimeout(20s);
    m_sim->FtpWithholdNextDataConnection();
    EXPECT_EQ(Start("RETR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "426 Connection closed; transfer aborted.");
    EXPECT_EQ(Next(m_ftp), "200 NOOP command successful.");
    EXPECT_FALSE(m_listener.Pending(0));
}

TEST_F(FtpFaultTest, AScriptedReplyStandsInForTheNextCommandOfItsVerb) {
    m_sim->FtpReplaceNextReply("retr", "550 Permission denied.");
    EXPECT_EQ(Start("RETR /F0:/CPU/PRESET/MSTATE.P01"), "550 Permission denied.");
    EXPECT_FALSE(m_listener.Pending(100));  // not carried out
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");

    // Several lines go out as they are.
    m_sim->FtpReplaceNextReply("STOR", "150 Opening.\r\n451 Local error.\r\n");
    EXPECT_EQ(Start("STOR /F0:/CPU/PRESET/MSTATE.P02"), "150 Opening.");
    EXPECT_EQ(Next(m_ftp), "451 Local error.");
    EXPECT_FALSE(fs::exists(m_root + "/CPU/PRESET/MSTATE.P02"));

    // 421 closes the connection after the reply.
    m_sim->FtpReplaceNextReply("TYPE", "421 Service not available, closing control connection.");
    EXPECT_EQ(Ask(m_ftp, "TYPE I"), "421 Service not available, closing control connection.");
    std::string rest;
    EXPECT_TRUE(m_ftp.ReadUntilClosed(&rest));
    EXPECT_EQ(rest, "");
    std::vector<std::string> log = m_sim->FtpCommands();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.back(), "TYPE I");
}

TEST_F(FtpFaultTest, CloseAfterCommandsAnswersThatManyFirst) {
    m_sim->FtpCloseAfterCommands(2);
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");
    EXPECT_EQ(Ask(m_ftp, "TYPE A"), "200 Type set to A.");
    EXPECT_TRUE(m_ftp.SendLine("TYPE I"));
    std::string rest;
    EXPECT_TRUE(m_ftp.ReadUntilClosed(&rest));
    EXPECT_EQ(rest, "");
    EXPECT_EQ(m_sim->FtpCommands().back(), "TYPE I");
    // New connections are served as usual.
    TestClient again;
    ASSERT_TRUE(again.Connect(Address(), m_sim->FtpPort()));
    EXPECT_EQ(Next(again), "220 Quarn FTP server ready.");
    EXPECT_EQ(Ask(again, "NOOP"), "200 NOOP command successful.");
}

TEST_F(FtpFaultTest, AStalledRetrieveEndsWith426WhenTheClientGivesUp) {
    m_sim->SetFtpDataTimeout(20s);
    m_sim->FtpStallNextDataAfter(1000);
    EXPECT_EQ(Start("RETR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    int data = m_listener.Accept(5000);
    ASSERT_GE(data, 0);
    std::string bytes;
    EXPECT_FALSE(ftptest::ReadAll(data, &bytes, 1000));  // held open, not closed
    EXPECT_EQ(bytes, Pattern(1000));
    ftptest::Close(data);
    EXPECT_EQ(Next(m_ftp), "426 Connection closed; transfer aborted.");
}

TEST_F(FtpFaultTest, AStalledListingEndsWith426AfterTheTimeOut) {
    m_sim->SetFtpDataTimeout(300ms);
    m_sim->FtpStallNextDataAfter(10);
    EXPECT_EQ(Start("LIST /F0:/").compare(0, 4, "150 "), 0);
    int data = m_listener.Accept(5000);
    ASSERT_GE(data, 0);
    std::string bytes;
    EXPECT_TRUE(ftptest::ReadAll(data, &bytes));  // the server closes it after the time-out
    EXPECT_EQ(bytes, "Directory ");
    ftptest::Close(data);
    EXPECT_EQ(Next(m_ftp), "426 Data connection timed out; transfer aborted.");
}

TEST_F(FtpFaultTest, AReplacedListingIsSentAsItIs) {
    std::string odd = "header\r\nsecond\r\ndrwxr-xr-x 2 u g 4096 Jan 1 00:00 SUB\r\n";
    m_sim->FtpReplaceNextListing(odd);
    EXPECT_EQ(Start("LIST /F0:/CPU/").compare(0, 4, "150 "), 0);
    int data = m_listener.Accept(5000);
    std::string bytes;
    EXPECT_TRUE(ftptest::ReadAll(data, &bytes));
    ftptest::Close(data);
    EXPECT_EQ(bytes, odd);
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
}

TEST_F(FtpFaultTest, AClientThatClosesMidStoreLeavesTheOldFileWhole) {
    m_sim->SetFtpDataTimeout(20s);
    std::string old = Read("CPU/PRESET/MSTATE.P01");
    std::string reply = Ask(m_ftp, "PASV");
    std::string address;
    uint16_t port = 0;
    ASSERT_TRUE(ftptest::ParsePassive(reply, &address, &port));
    EXPECT_EQ(Ask(m_ftp, "STOR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    int data = ftptest::Connect(address, port);
    ASSERT_GE(data, 0);
    ASSERT_TRUE(ftptest::SendAll(data, "partial"));
    // The client drops the whole session before the data is complete.
    m_ftp.Close();
    auto filesInFolder = [&] {
        return std::distance(fs::directory_iterator(m_root + "/CPU/PRESET"),
                             fs::directory_iterator());
    };
    // The server notices on its own thread; give it a bounded while to clean up.
    for (int i = 0; i < 500 && filesInFolder() != 1; ++i) std::this_thread::sleep_for(10ms);
    ftptest::Close(data);
    EXPECT_EQ(filesInFolder(), 1);
    EXPECT_EQ(Read("CPU/PRESET/MSTATE.P01"), old);
}

TEST_F(FtpFaultTest, ADelayedDataConnectionComesLate) {
    m_sim->FtpDelayNextDataConnection(1000ms);
    EXPECT_EQ(Start("RETR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    EXPECT_FALSE(m_listener.Pending(100));
    int data = m_listener.Accept(5000);
    ASSERT_GE(data, 0);
    std::string bytes;
    EXPECT_TRUE(ftptest::ReadAll(data, &bytes));
    ftptest::Close(data);
    EXPECT_TRUE(bytes == Pattern(100000));
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");

    // A client that gives up meanwhile ends it at once.
    m_sim->FtpDelayNextDataConnection(20s);
    EXPECT_EQ(Start("LIST /F0:/").compare(0, 4, "150 "), 0);
    EXPECT_EQ(Ask(m_ftp, "ABOR"), "426 Connection closed; transfer aborted.");
    EXPECT_EQ(Next(m_ftp), "226 ABOR command successful.");
    EXPECT_FALSE(m_listener.Pending(0));
}

TEST_F(FtpFaultTest, APacedRetrieveSendsEveryByteInChunksWithPauses) {
    m_sim->SetFtpDataTimeout(20s);
    // 100000 bytes as four chunks, each followed by its pause.
    m_sim->FtpPaceNextData(25000, 200ms);
    EXPECT_EQ(Start("RETR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    const auto start = std::chrono::steady_clock::now();
    int data = m_listener.Accept(5000);
    ASSERT_GE(data, 0);
    std::string bytes;
    EXPECT_TRUE(ftptest::ReadAll(data, &bytes));
    ftptest::Close(data);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 750ms);
    EXPECT_TRUE(bytes == Pattern(100000));
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");

    // A client that gives up during a pause ends the transfer at once.
    m_sim->FtpPaceNextData(10, 20s);
    EXPECT_EQ(Start("LIST /F0:/").compare(0, 4, "150 "), 0);
    data = m_listener.Accept(5000);
    ASSERT_GE(data, 0);
    EXPECT_EQ(Ask(m_ftp, "ABOR"), "426 Connection closed; transfer aborted.");
    EXPECT_EQ(Next(m_ftp), "226 ABOR command successful.");
    bytes.clear();
    EXPECT_TRUE(ftptest::ReadAll(data, &bytes));
    EXPECT_EQ(bytes, "Directory ");
    ftptest::Close(data);
}

TEST_F(FtpFaultTest, StoppingTheSimulatorEndsTransfersInProgress) {
    m_sim->SetFtpDataTimeout(600s);
    m_sim->FtpStallNextDataAfter(10);
    EXPECT_EQ(Start("RETR /F0:/CPU/PRESET/MSTATE.P01").compare(0, 4, "150 "), 0);
    int data = m_listener.Accept(5000);
    ASSERT_GE(data, 0);
    TestClient waiting;  // a second session blocked in its own passive wait
    ASSERT_TRUE(waiting.Connect(Address(), m_sim->FtpPort()));
    EXPECT_EQ(Next(waiting), "220 Quarn FTP server ready.");
    LogIn(waiting);
    EXPECT_EQ(Ask(waiting, "PASV").compare(0, 4, "227 "), 0);
    EXPECT_EQ(Ask(waiting, "STOR /F0:/CPU/PRESET/MSTATE.P02").compare(0, 4, "150 "), 0);
    m_sim->Stop();  // returns instead of waiting out the time-out
    std::string rest;
    EXPECT_TRUE(ftptest::ReadAll(data, &rest));
    ftptest::Close(data);
    EXPECT_TRUE(waiting.ReadUntilClosed(&rest));
    EXPECT_FALSE(fs::exists(m_root + "/CPU/PRESET/MSTATE.P02"));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(m_root + "/CPU/PRESET"), fs::directory_iterator()), 1);
}
