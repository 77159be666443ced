// The FTP server's dialogue, byte by byte, from a raw client.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <fstream>

#include "FtpFixture.h"

namespace fs = std::filesystem;

namespace {

class FtpDialogueTest : public FtpFixture {
protected:
    // 2020-09-13 12:26:40 UTC, so listings are the same on every run.
    void Touch(const std::string& relative) const {
        utimbuf times{1600000000, 1600000000};
        ASSERT_EQ(::utime((m_root + "/" + relative).c_str(), &times), 0) << relative;
    }
    // LIST over an active-mode data connection; the listing, or the failing reply.
    std::string ListActive(const std::string& path, std::string* finalReply) {
        ftptest::DataListener listener;
        if (!listener.Open(Address()))
            return "<no listener>";
        std::string reply = Ask(m_ftp, listener.PortCommand());
        if (reply != "200 PORT command successful.")
            return reply;
        reply = Ask(m_ftp, "LIST " + path);
        if (reply.compare(0, 3, "150") != 0)
            return reply;
        int data = listener.Accept(5000);
        std::string listing;
        bool closed = ftptest::ReadAll(data, &listing);
        ftptest::Close(data);
        *finalReply = Next(m_ftp);
        return closed ? listing : "<not closed>";
    }
};

}  // namespace

TEST_F(FtpDialogueTest, LoginNeedsTheFixedUserAndPassword) {
    StartWithFtp();
    std::string raw;
    ASSERT_TRUE(m_ftp.SendLine("USER guest"));
    ASSERT_TRUE(m_ftp.ReadLine(&raw));
    EXPECT_EQ(raw, "530 Not logged in.\r");  // one line, ending in CR LF
    EXPECT_EQ(Ask(m_ftp, "LIST /F0:/"), "530 Please log in with USER and PASS.");
    EXPECT_EQ(Ask(m_ftp, "USER quelby"), "331 Password required for quelby.");
    EXPECT_EQ(Ask(m_ftp, "PASS wrong"), "530 Login incorrect.");
    EXPECT_EQ(Ask(m_ftp, "PASS pelvuro38"), "530 Login incorrect.");  // USER again first
    EXPECT_EQ(Ask(m_ftp, "USER quelby"), "331 Password required for quelby.");
    EXPECT_EQ(Ask(m_ftp, "PASS pelvuro38"), "230 User logged in.");
    EXPECT_EQ(Ask(m_ftp, "TYPE A"), "200 Type set to A.");
    EXPECT_EQ(Ask(m_ftp, "type i"), "200 Type set to I.");
    EXPECT_EQ(Ask(m_ftp, "TYPE E"), "504 Type not supported.");
    EXPECT_EQ(Ask(m_ftp, "SYST"), "502 Command not implemented.");
    EXPECT_EQ(Ask(m_ftp, "CWD /F0:/CPU"), "502 Command not implemented.");
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");
    EXPECT_EQ(Ask(m_ftp, std::string(5000, 'X')), "500 Command line too long.");
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");
    EXPECT_EQ(Ask(m_ftp, "QUIT"), "221 Goodbye.");
    std::string rest;
    EXPECT_TRUE(m_ftp.ReadUntilClosed(&rest));
    EXPECT_EQ(rest, "");
    EXPECT_EQ(m_sim->FtpCommands().front(), "USER guest");
    EXPECT_EQ(m_sim->FtpCommands().back(), "QUIT");
}

TEST_F(FtpDialogueTest, PortTakesOnlySixNumbersUpTo255) {
    StartWithFtp();
    LogIn(m_ftp);
    for (const char* bad : {"PORT 1,2,3,4,5", "PORT 1,2,3,4,5,256", "PORT 1,2,3,4,5,6,7",
                            "PORT a,2,3,4,5,6", "PORT 1,2,3,4,5,6 ", "PORT"}) {
        EXPECT_EQ(Ask(m_ftp, bad), "501 Syntax error in parameters.") << bad;
    }
    EXPECT_EQ(Ask(m_ftp, "PORT 10,0,0,2,19,137"), "200 PORT command successful.");
}

TEST_F(FtpDialogueTest, ActiveListingComesAfterListInTheInstrumentsFormat) {
    StartWithFtp();
    Write("Tavix/PRESET/MSTATE1.P00", std::string(2048, 'p'));
    Write("Tavix/PRESET/LINE UP.PST", "abc");
    fs::create_directories(m_root + "/Tavix/PRESET/OLD");
    Touch("Tavix/PRESET/MSTATE1.P00");
    Touch("Tavix/PRESET/LINE UP.PST");
    Touch("Tavix/PRESET/OLD");
    LogIn(m_ftp);
    EXPECT_EQ(Ask(m_ftp, "TYPE A"), "200 Type set to A.");

    ftptest::DataListener listener;
    ASSERT_TRUE(listener.Open(Address()));
    EXPECT_EQ(Ask(m_ftp, listener.PortCommand()), "200 PORT command successful.");
    // The instrument connects only when the listing is asked for.
    EXPECT_FALSE(listener.Pending(200));
    EXPECT_EQ(Ask(m_ftp, "LIST /F0:/Tavix/PRESET/"),
              "150 Opening ASCII mode data connection for file list.");
    int data = listener.Accept(5000);
    ASSERT_GE(data, 0);
    std::string listing;
    EXPECT_TRUE(ftptest::ReadAll(data, &listing));
    ftptest::Close(data);
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
    EXPECT_EQ(listing,
              "Directory of /F0:/Tavix/PRESET/\r\n"
              "Size Date Time Name\r\n"
              "0 01-01-00 00:00 . <DIR>\r\n"
              "0 01-01-00 00:00 .. <DIR>\r\n"
              "0 09-13-20 12:26 OLD <DIR>\r\n"
              "3 09-13-20 12:26 LINE UP.PST A\r\n"
              "2048 09-13-20 12:26 MSTATE1.P00 A\r\n");

    // An empty folder still lists "." and "..", and the root is listed as "/F0:/".
    std::string final;
    EXPECT_EQ(ListActive("/F0:/Tavix/PRESET/OLD/", &final),
              "Directory of /F0:/Tavix/PRESET/OLD/\r\n"
              "Size Date Time Name\r\n"
              "0 01-01-00 00:00 . <DIR>\r\n"
              "0 01-01-00 00:00 .. <DIR>\r\n");
    EXPECT_EQ(final, "226 Transfer complete.");
    std::string root = ListActive("/F0:/", &final);
    EXPECT_EQ(root.compare(0, 27, "Directory of /F0:/\r\nSize Da"), 0) << root;
    EXPECT_NE(root.find(" CPU <DIR>\r\n"), std::string::npos) << root;
    EXPECT_NE(root.find(" Kintor <DIR>\r\n"), std::string::npos) << root;
}

TEST_F(FtpDialogueTest, ListOfAMissingFolderIsOneReplyAndNoConnection) {
    StartWithFtp();
    LogIn(m_ftp);
    ftptest::DataListener listener;
    ASSERT_TRUE(listener.Open(Address()));
    EXPECT_EQ(Ask(m_ftp, listener.PortCommand()), "200 PORT command successful.");
    EXPECT_EQ(Ask(m_ftp, "LIST /F0:/Nowhere/"), "550 /F0:/Nowhere/: No such folder.");
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");
    EXPECT_FALSE(listener.Pending(100));
    // The PORT was used up by the failed LIST.
    EXPECT_EQ(Ask(m_ftp, "LIST /F0:/CPU/"), "425 Use PORT or PASV first.");
}

TEST_F(FtpDialogueTest, PassiveStoreAndRetrieveKeepEveryByte) {
    StartWithFtp();
    LogIn(m_ftp);
    EXPECT_EQ(Ask(m_ftp, "TYPE I"), "200 Type set to I.");
    std::string file = Pattern(300000) + "\r\n\n\r";

    std::string reply = Ask(m_ftp, "PASV");
    std::string address;
    uint16_t port = 0;
    ASSERT_TRUE(ftptest::ParsePassive(reply, &address, &port)) << reply;
    EXPECT_EQ(reply.compare(0, 27, "227 Entering Passive Mode ("), 0) << reply;
    EXPECT_EQ(address, Address());
    EXPECT_EQ(Ask(m_ftp, "STOR /F0:/Tavix/LOGO/NEW.LGO"),
              "150 Opening BINARY mode data connection for /F0:/Tavix/LOGO/NEW.LGO.");
    int data = ftptest::Connect(address, port);
    ASSERT_GE(data, 0);
    ASSERT_TRUE(ftptest::SendAll(data, file));
    ftptest::Close(data);
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
    EXPECT_EQ(Read("Tavix/LOGO/NEW.LGO"), file);
    EXPECT_EQ(
        std::distance(fs::directory_iterator(m_root + "/Tavix/LOGO"), fs::directory_iterator()),
        1);  // no temporary left beside it

    reply = Ask(m_ftp, "PASV");
    ASSERT_TRUE(ftptest::ParsePassive(reply, &address, &port)) << reply;
    EXPECT_EQ(Ask(m_ftp, "RETR /F0:/Tavix/LOGO/NEW.LGO"),
              "150 Opening BINARY mode data connection for /F0:/Tavix/LOGO/NEW.LGO (300004 "
              "bytes).");
    data = ftptest::Connect(address, port);
    ASSERT_GE(data, 0);
    std::string back;
    EXPECT_TRUE(ftptest::ReadAll(data, &back));
    ftptest::Close(data);
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
    EXPECT_TRUE(back == file);
    // The command port sees what FTP stored.
    EXPECT_EQ(m_client.Query("mmem:cat? \"/F0:/Tavix/LOGO/\""),
              "300004," + std::to_string(64 * 1024 * 1024 - 300004) + ",\"NEW.LGO\",BIN,300004");
}

TEST_F(FtpDialogueTest, ActiveRetrieveConnectsAtRetr) {
    StartWithFtp();
    Write("CPU/PRESET/MSTATE.P03", "preset three\r\n");
    LogIn(m_ftp);
    ftptest::DataListener listener;
    ASSERT_TRUE(listener.Open(Address()));
    EXPECT_EQ(Ask(m_ftp, listener.PortCommand()), "200 PORT command successful.");
    EXPECT_FALSE(listener.Pending(100));
    EXPECT_EQ(Ask(m_ftp, "RETR /F0:/CPU/PRESET/MSTATE.P03"),
              "150 Opening BINARY mode data connection for /F0:/CPU/PRESET/MSTATE.P03 (14 bytes).");
    int data = listener.Accept(5000);
    ASSERT_GE(data, 0);
    std::string bytes;
    EXPECT_TRUE(ftptest::ReadAll(data, &bytes));
    ftptest::Close(data);
    EXPECT_EQ(bytes, "preset three\r\n");
    EXPECT_EQ(Next(m_ftp), "226 Transfer complete.");
}

TEST_F(FtpDialogueTest, MissingFilesGetOneReplyAndNothingIsWritten) {
    StartWithFtp();
    LogIn(m_ftp);
    std::string reply = Ask(m_ftp, "PASV");
    std::string address;
    uint16_t port = 0;
    ASSERT_TRUE(ftptest::ParsePassive(reply, &address, &port)) << reply;
    EXPECT_EQ(Ask(m_ftp, "RETR /F0:/CPU/PRESET/MSTATE.P09"),
              "550 /F0:/CPU/PRESET/MSTATE.P09: No such file.");
    // No second reply follows, and the passive port is closed again.
    EXPECT_EQ(Ask(m_ftp, "NOOP"), "200 NOOP command successful.");
    EXPECT_LT(ftptest::Connect(address, port), 0);
    EXPECT_EQ(Ask(m_ftp, "RETR /F0:/CPU/PRESET"), "550 /F0:/CPU/PRESET: No such file.");
    EXPECT_EQ(Ask(m_ftp, "STOR /F0:/Nowhere/X.BIN"), "550 /F0:/Nowhere/X.BIN: No such folder.");
    EXPECT_EQ(Ask(m_ftp, "STOR /F0:/CPU/PRESET"), "550 /F0:/CPU/PRESET: No such folder.");
    EXPECT_EQ(Ask(m_ftp, "RETR /F0:/CPU"), "550 /F0:/CPU: No such file.");
    EXPECT_FALSE(fs::exists(m_root + "/Nowhere"));
}

TEST_F(FtpDialogueTest, PathsThatLeaveTheTreeAreRefused) {
    StartWithFtp();
    fs::path outside =
        fs::path(m_root).parent_path() / (fs::path(m_root).filename().string() + "-out");
    fs::create_directories(outside);
    std::ofstream(outside / "secret") << "secret";
    fs::create_symlink(outside, m_root + "/CPU/LINK");
    LogIn(m_ftp);
    ASSERT_EQ(Ask(m_ftp, "PORT 127,0,0,1,200,1"), "200 PORT command successful.");
    for (const std::string& path :
         std::vector<std::string>{"/F0:/../secret", "/F0:/CPU/../../secret", "/F0:/CPU/LINK/secret",
                                  "/etc/passwd", "../secret", "/F0:/CPU/./PRESET/X",
                                  "/F0:/CPU/A\x01"
                                  "B",
                                  "/F0:/CPU\\..\\..\\secret", "/F1:/CPU", "/F0:CPU"}) {
        EXPECT_EQ(Ask(m_ftp, "RETR " + path), "550 " + path + ": Invalid path.");
        EXPECT_EQ(Ask(m_ftp, "STOR " + path), "550 " + path + ": Invalid path.");
        EXPECT_EQ(Ask(m_ftp, "LIST " + path), "550 " + path + ": Invalid path.");
    }
    EXPECT_FALSE(fs::exists(outside / "X"));
    std::error_code ignored;
    fs::remove_all(outside, ignored);
}

TEST_F(FtpDialogueTest, TransfersNeedPortOrPasvEachTime) {
    StartWithFtp();
    Write("CPU/PRESET/MSTATE.P01", "1");
    LogIn(m_ftp);
    EXPECT_EQ(Ask(m_ftp, "RETR /F0:/CPU/PRESET/MSTATE.P01"), "425 Use PORT or PASV first.");
    EXPECT_EQ(Ask(m_ftp, "STOR /F0:/CPU/PRESET/MSTATE.P02"), "425 Use PORT or PASV first.");
    EXPECT_EQ(Ask(m_ftp, "LIST /F0:/"), "425 Use PORT or PASV first.");
    EXPECT_FALSE(fs::exists(m_root + "/CPU/PRESET/MSTATE.P02"));
}

TEST_F(FtpDialogueTest, AFileThatWouldOverfillTheDriveIsRefusedWhole) {
    quarnsim::Options options = MakeOptions();
    options.memoryCapacity = 1000;
    StartWithFtp(options);
    Write("CPU/PRESET/MSTATE.P01", std::string(600, 'a'));
    LogIn(m_ftp);
    auto store = [&](const std::string& path, const std::string& bytes) {
        std::string reply = Ask(m_ftp, "PASV");
        std::string address;
        uint16_t port = 0;
        if (!ftptest::ParsePassive(reply, &address, &port))
            return reply;
        reply = Ask(m_ftp, "STOR " + path);
        if (reply.compare(0, 4, "150 ") != 0)
            return reply;
        int data = ftptest::Connect(address, port);
        ftptest::SendAll(data, bytes);
        ftptest::Close(data);
        return Next(m_ftp);
    };
    EXPECT_EQ(store("/F0:/CPU/PRESET/MSTATE.P02", std::string(500, 'b')),
              "552 Insufficient storage space.");
    EXPECT_FALSE(fs::exists(m_root + "/CPU/PRESET/MSTATE.P02"));
    // Replacing a file only needs room for the difference.
    EXPECT_EQ(store("/F0:/CPU/PRESET/MSTATE.P01", std::string(900, 'c')), "226 Transfer complete.");
    EXPECT_EQ(Read("CPU/PRESET/MSTATE.P01"), std::string(900, 'c'));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(m_root + "/CPU/PRESET"), fs::directory_iterator()), 1);
}

TEST_F(FtpDialogueTest, RepliesGoOutAtOnceWithoutWaitingForTheClientsAcknowledgement) {
    StartWithFtp();
    LogIn(m_ftp);
    // The server's end of the control connection, among this process's own sockets: bound to
    // port 21 on the simulator's address, with a peer.
    int found = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        const int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_in local{};
        socklen_t size = sizeof local;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size) != 0 ||
            local.sin_family != AF_INET || ntohs(local.sin_port) != 21)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &local.sin_addr, text, sizeof text);
        sockaddr_in peer{};
        size = sizeof peer;
        if (Address() != text || ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0)
            continue;
        int noDelay = 0;
        socklen_t length = sizeof noDelay;
        ASSERT_EQ(::getsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, &length), 0);
        EXPECT_NE(noDelay, 0);
        ++found;
    }
    EXPECT_EQ(found, 1);
}
