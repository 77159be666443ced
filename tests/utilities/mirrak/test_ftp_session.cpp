// One FTP session against the simulator's FTP server: the wire as the instrument sees it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <climits>
#include <cstdint>
#include <thread>

#include "MirrakFixture.h"
#include "tests/support/BoxScript.h"
#include "utilities/mirrak/FtpReply.h"
#include "utilities/mirrak/FtpSession.h"

namespace mirraktest {

namespace {

class FtpSessionTest : public MirrakFixture {
protected:
    std::vector<std::string> Commands(quarnsim::Simulator& sim, const std::string& verb) {
        std::vector<std::string> found;
        for (const std::string& line : sim.FtpCommands())
            if (line.rfind(verb, 0) == 0)
                found.push_back(line);
        return found;
    }
};

TEST(FtpSessionTimeouts, ACopysFinalRepliesGetOneSecondMorePerWhole64KiBOfTheListedSize) {
    struct Case {
        std::int64_t size;
        int expectedMs;
    };
    const Case cases[] = {
        {-5, 30000},
        {0, 30000},
        {65535, 30000},
        {65536, 31000},
        {200 * 1000 * 1000, 30000 + 3051 * 1000},  // a 200 MB picture: about 51 minutes
        {INT64_MAX, INT_MAX},                      // a listing's wild claim stays a bound
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mirrak::CFtpSession::TransferReplyTimeoutMs(
                      mirrak::CFtpSession::kDefaultTimeoutMs,
                      mirrak::CFtpSession::kDefaultTransferAllowanceMs, c.size),
                  c.expectedMs)
            << c.size;
    }
}

TEST_F(FtpSessionTest, LogsInWithTheFixedAccountAndListsOnCountedPorts) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "abc");
    mirrak::SetNextDataPort(mirrak::kFirstDataPort);
    testsupport::BoxScript boxes;
    mirrak::CFtpSession session;
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    std::string listing;
    ASSERT_EQ(session.ListDirectory("/F0:/SIGNAL/", listing), 1);
    EXPECT_NE(listing.find("3 "), std::string::npos);
    EXPECT_NE(listing.find(" A.DAT A\r\n"), std::string::npos);
    ASSERT_EQ(session.ListDirectory("/F0:/", listing), 1);
    EXPECT_EQ(session.Quit(), 1);
    EXPECT_FALSE(session.IsConnected());
    const std::vector<std::string> all = m_source->FtpCommands();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0], "USER quelby");
    EXPECT_EQ(all[1], "PASS pelvuro38");
    const std::vector<std::string> ports = Commands(*m_source, "PORT ");
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].substr(ports[0].size() - 7), ",19,138");
    EXPECT_EQ(ports[1].substr(ports[1].size() - 7), ",19,139");
    // The control connection's own address goes into PORT.
    EXPECT_EQ(ports[0].rfind("PORT 127,", 0), 0u);
    EXPECT_EQ(Commands(*m_source, "TYPE A").size(), 2u);
    EXPECT_EQ(all.back(), "QUIT");
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(FtpSessionTest, ADataPortSomeoneElseHoldsIsPassedOver) {
    StartInstruments();
    mirrak::SetNextDataPort(mirrak::kFirstDataPort);
    platform::CSocket holder;
    ASSERT_EQ(holder.Create(static_cast<unsigned short>(mirrak::kFirstDataPort)), 1);
    ASSERT_EQ(holder.Listen(5), 1);
    testsupport::BoxScript boxes;
    mirrak::CFtpSession session;
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    std::string listing;
    ASSERT_EQ(session.ListDirectory("/F0:/", listing), 1);
    const std::vector<std::string> ports = Commands(*m_source, "PORT ");
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].substr(ports[0].size() - 7), ",19,139");
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(FtpSessionTest, AListingIsTakenOnlyFromTheServersOwnAddress) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "abc");
    testsupport::BoxScript boxes;
    mirrak::CFtpSession session;
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    m_source->FtpDelayNextDataConnection(std::chrono::milliseconds(2500));
    // Someone on another address reaches the data port first, with a listing of its own.
    bool strangerConnected = false;
    std::thread stranger([&] {
        int h[4], p[2];
        QElapsedTimer clock;
        clock.start();
        std::string port;
        while (port.empty() && clock.elapsed() < 5000) {
            for (const std::string& line : m_source->FtpCommands())
                if (line.rfind("PORT ", 0) == 0)
                    port = line;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (std::sscanf(port.c_str(), "PORT %d,%d,%d,%d,%d,%d", &h[0], &h[1], &h[2], &h[3], &p[0],
                        &p[1]) != 6)
            return;
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        ::inet_pton(AF_INET, m_sourceAddress == "127.0.0.1" ? "127.0.0.2" : "127.0.0.1",
                    &local.sin_addr);
        ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
        sockaddr_in data{};
        data.sin_family = AF_INET;
        data.sin_port = htons(static_cast<uint16_t>(p[0] * 256 + p[1]));
        const std::string host = std::to_string(h[0]) + "." + std::to_string(h[1]) + "." +
                                 std::to_string(h[2]) + "." + std::to_string(h[3]);
        ::inet_pton(AF_INET, host.c_str(), &data.sin_addr);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&data), sizeof data) == 0) {
            strangerConnected = true;
            const char fake[] = "H1\r\nH2\r\n4 01-01-00 00:00 FAKE.DAT A\r\n";
            (void)::send(fd, fake, sizeof fake - 1, MSG_NOSIGNAL);
        }
        ::close(fd);
    });
    std::string listing;
    const int listed = session.ListDirectory("/F0:/", listing);
    stranger.join();
    EXPECT_TRUE(strangerConnected);
    ASSERT_EQ(listed, 1);
    EXPECT_EQ(listing.find("FAKE"), std::string::npos) << listing;
    EXPECT_NE(listing.find(" SIGNAL "), std::string::npos) << listing;
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(FtpSessionTest, AListingPastSixteenMebibytesFails) {
    StartInstruments();
    std::string huge = "Directory of /F0:/\r\nSize Date Time Name\r\n";
    const std::string line = "1 01-01-00 00:00 " + std::string(400, 'N') + " A\r\n";
    while (huge.size() <= mirrak::CFtpSession::kMaxListing) huge += line;
    m_source->FtpReplaceNextListing(huge);
    // The closing reply may fail too, depending on how much the server had sent already.
    std::vector<std::string> boxes;
    platform::MessageBoxAnswerer previous =
        platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
            boxes.push_back(record.text);
            return platform::IDOK;
        });
    mirrak::CFtpSession session;
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    std::string listing = "before";
    // On a worker, as in the program: the listener's box needs this thread free to show it.
    int listed = -1;
    std::thread worker([&] { listed = session.ListDirectory("/F0:/", listing); });
    PumpUntil([&] { return listed >= 0; }, 30000);
    worker.join();
    platform::SetMessageBoxAnswerer(previous);
    EXPECT_EQ(listed, 0);
    EXPECT_EQ(listing, "before");
    ASSERT_GE(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error: the folder listing is too long");
}

TEST_F(FtpSessionTest, AFailingReplyShowsTheWholeLineAfterTheStopBeep) {
    StartInstruments();
    testsupport::BoxScript boxes;
    boxes.Expect("Error : 421 Service not available, closing control connection.",
                 platform::MB_OK | platform::MB_ICONSTOP, platform::IDOK);
    mirrak::CFtpSession session;
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    m_source->FtpReplaceNextReply("TYPE", "421 Service not available, closing control connection.");
    EXPECT_EQ(session.Command("TYPE I"), 0);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_TRUE(boxes.Records()[0].beepBefore);
    // A reply that names a missing file passes, as does an empty one.
    EXPECT_EQ(session.CheckReply("550 No such file."), 1);
    EXPECT_EQ(session.CheckReply(""), 1);
}

TEST_F(FtpSessionTest, ThePassiveAddressGoesToTheSourceOnlyWhenItIsSixBytes) {
    StartInstruments();
    WriteFile(SourceDrive() + "/A.DAT", "abc");
    mirrak::CFtpSession source;
    mirrak::CFtpSession target;
    source.SetReplyTimeoutMs(3000);
    testsupport::BoxScript boxes;
    ASSERT_EQ(source.Login(m_sourceAddress), 1);
    ASSERT_EQ(target.Login(m_targetAddress), 1);
    m_target->FtpReplaceNextReply("PASV", "227 Entering Passive Mode (10,0,0,300,19,137).");
    EXPECT_EQ(source.TransferFile(target, "/F0:/A.DAT", 3), mirrak::TransferResult::Failed);
    EXPECT_TRUE(Commands(*m_source, "PORT").empty());
    EXPECT_EQ(boxes.Records().size(), 0u);
    // A good one is passed on as it stands.
    m_target->FtpReplaceNextReply("PASV", "227 Entering Passive Mode (10,0,0,2,19,137).");
    // The source cannot reach that address: its refusal is the one box.
    boxes.ExpectAny(platform::IDOK);
    EXPECT_EQ(source.TransferFile(target, "/F0:/A.DAT", 3), mirrak::TransferResult::Failed);
    EXPECT_EQ(boxes.Records().back().text.rfind("Error : 4", 0), 0u) << boxes.Records().back().text;
    const std::vector<std::string> ports = Commands(*m_source, "PORT");
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0], "PORT 10,0,0,2,19,137");
    // After the failure both sessions still copy: nothing stale is read as a reply.
    ASSERT_TRUE(source.Resync() || source.IsConnected());
    ASSERT_TRUE(target.Resync() || target.IsConnected());
    EXPECT_EQ(source.TransferFile(target, "/F0:/A.DAT", 3), mirrak::TransferResult::Copied);
    EXPECT_EQ(ReadFile(TargetDrive() + "/A.DAT"), "abc");
}

TEST_F(FtpSessionTest, AStoreTheTargetRefusesIsNotStoredAndBothSidesStayInStep) {
    StartInstruments();
    WriteFile(SourceDrive() + "/NOFOLDER/A.DAT", "abc");
    WriteFile(SourceDrive() + "/B.DAT", "def");
    testsupport::BoxScript boxes;
    mirrak::CFtpSession source;
    mirrak::CFtpSession target;
    ASSERT_EQ(source.Login(m_sourceAddress), 1);
    ASSERT_EQ(target.Login(m_targetAddress), 1);
    // The source sends it, the target has no such folder.
    EXPECT_EQ(source.TransferFile(target, "/F0:/NOFOLDER/A.DAT", 3),
              mirrak::TransferResult::NotStored);
    EXPECT_EQ(source.TransferFile(target, "/F0:/B.DAT", 3), mirrak::TransferResult::Copied);
    EXPECT_EQ(ReadFile(TargetDrive() + "/B.DAT"), "def");
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(FtpSessionTest, LoggingInAgainClosesTheEarlierConnection) {
    StartInstruments();
    testsupport::BoxScript boxes;
    mirrak::CFtpSession session;
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    ASSERT_EQ(session.Login(m_sourceAddress), 1);
    EXPECT_EQ(m_source->FtpConnectionCount(), 2);
    std::string listing;
    EXPECT_EQ(session.ListDirectory("/F0:/", listing), 1);
    m_source->Stop();
    boxes.ExpectAny(platform::IDOK);
    EXPECT_EQ(session.Login(m_sourceAddress), 0);
    EXPECT_FALSE(session.IsConnected());
    EXPECT_EQ(boxes.Records()[0].text, "Connection refused. : Connect");
    EXPECT_EQ(boxes.Records()[0].type, platform::MB_OK | platform::MB_ICONSTOP);
}

}  // namespace

}  // namespace mirraktest
