// pyftpdlib, dressed as the instrument's FTP server, next to a command port on the same tree:
// the peer the duplicator is also tested against.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "FtpFixture.h"
#include "tests/support/PyFtpPeer.h"

namespace fs = std::filesystem;

namespace {

class PyFtpPeerTest : public FtpFixture {
protected:
    void SetUp() override {
        FtpFixture::SetUp();
        std::string why;
        if (!testsupport::PyFtpPeer::Available(&why))
            GTEST_SKIP() << why;
    }
    // The simulator's command port alone, its drive being "<m_root>/F0:".
    void StartPaired() {
        quarnsim::Options options = MakeOptions();
        options.root = m_root + "/F0:";
        options.ftpEnabled = false;
        StartSimulator(options);
        ASSERT_TRUE(m_sim);
        EXPECT_EQ(m_sim->FtpPort(), 0);
    }
    // A peer on an address of its own, from a range no other fixture uses.
    bool StartPeer(testsupport::PyFtpPeer& peer, const std::string& folder, size_t salt) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        size_t seed = std::hash<std::string>{}(std::string(info->name())) + salt * 7919;
        std::string error;
        for (size_t attempt = 0; attempt < 8; ++attempt) {
            size_t index = (seed + attempt) % (3 * 254);
            std::string address =
                "127.0." + std::to_string(83 + index / 254) + "." + std::to_string(1 + index % 254);
            if (peer.Start(address, folder, 21, &error))
                return true;
        }
        ADD_FAILURE() << error;
        return false;
    }
    static std::string ListActive(TestClient& control, const std::string& address,
                                  const std::string& path) {
        ftptest::DataListener listener;
        if (!listener.Open(address))
            return "<no listener>";
        // pyftpdlib connects at PORT already, the instrument only at LIST: the listener is up
        // before PORT and takes the connection whenever it comes.
        std::string reply = Ask(control, listener.PortCommand());
        if (reply.compare(0, 3, "200") != 0)
            return reply;
        int data = listener.Pending(0) ? listener.Accept(0) : -1;
        reply = Ask(control, "LIST " + path);
        if (reply.compare(0, 1, "1") != 0)
            return reply;
        if (data < 0)
            data = listener.Accept(5000);
        std::string listing;
        bool closed = ftptest::ReadAll(data, &listing);
        ftptest::Close(data);
        reply = Next(control);
        return closed && reply.compare(0, 3, "226") == 0 ? listing : "<" + reply + ">";
    }
};

}  // namespace

TEST_F(PyFtpPeerTest, ListsTheCommandPortsTreeInTheSimulatorsFormat) {
    StartPaired();
    // Files arrive through the command port and are listed by the peer.
    ASSERT_TRUE(m_client.Send("mmem:data \"/F0:/Tavix/PRESET/MSTATE1.P00\",#15hello\r\n"));
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Tavix/\""));
    ASSERT_TRUE(m_client.SendLine("mmem:mdir \"EMPTY\""));
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
    testsupport::PyFtpPeer peer;
    std::string error;
    ASSERT_TRUE(peer.Start(Address(), m_root, 21, &error)) << error;
    TestClient control;
    ASSERT_TRUE(control.Connect(Address(), 21));
    EXPECT_EQ(Next(control), "220 Quarn FTP server ready.");
    LogIn(control);
    std::string fromPeer = ListActive(control, Address(), "/F0:/Tavix/");
    std::string emptyFromPeer = ListActive(control, Address(), "/F0:/Tavix/EMPTY/");

    // The simulator's own FTP server on the same tree, at another address.
    std::string otherRoot;
    quarnsim::Options options;
    options.root = m_root + "/F0:";
    options.modules = {{"Tavix", 1}};
    std::unique_ptr<quarnsim::Simulator> own;
    for (int attempt = 0; attempt < 64 && !own; ++attempt) {
        options.address = "127.0.86." + std::to_string(1 + (attempt * 37 + ::getpid()) % 254);
        own = std::make_unique<quarnsim::Simulator>(options);
        if (!own->Start())
            own.reset();
    }
    ASSERT_TRUE(own);
    TestClient ownControl;
    ASSERT_TRUE(ownControl.Connect(options.address, own->FtpPort()));
    EXPECT_EQ(Next(ownControl), "220 Quarn FTP server ready.");
    LogIn(ownControl);
    EXPECT_EQ(fromPeer, ListActive(ownControl, options.address, "/F0:/Tavix/"));
    EXPECT_EQ(emptyFromPeer, ListActive(ownControl, options.address, "/F0:/Tavix/EMPTY/"));
    EXPECT_NE(fromPeer.find(" EMPTY <DIR>\r\n"), std::string::npos) << fromPeer;
    EXPECT_EQ(emptyFromPeer,
              "Directory of /F0:/Tavix/EMPTY/\r\nSize Date Time Name\r\n"
              "0 01-01-00 00:00 . <DIR>\r\n0 01-01-00 00:00 .. <DIR>\r\n");
    own->Stop();
}

TEST_F(PyFtpPeerTest, CopiesServerToServer) {
    fs::create_directories(m_root + "/source/F0:/Tavix/PICTURE");
    fs::create_directories(m_root + "/target/F0:/Tavix/PICTURE");
    std::string file = Pattern(200000);
    std::ofstream(m_root + "/source/F0:/Tavix/PICTURE/BARS.PIC", std::ios::binary) << file;
    testsupport::PyFtpPeer source;
    testsupport::PyFtpPeer target;
    ASSERT_TRUE(StartPeer(source, m_root + "/source", 1));
    ASSERT_TRUE(StartPeer(target, m_root + "/target", 2));
    ASSERT_NE(source.Address(), target.Address());
    TestClient src;
    TestClient dst;
    ASSERT_TRUE(src.Connect(source.Address(), source.Port()));
    ASSERT_TRUE(dst.Connect(target.Address(), target.Port()));
    EXPECT_EQ(Next(src), "220 Quarn FTP server ready.");
    EXPECT_EQ(Next(dst), "220 Quarn FTP server ready.");
    LogIn(src);
    LogIn(dst);
    EXPECT_EQ(Ask(dst, "TYPE I").compare(0, 3, "200"), 0);
    std::string pasv = Ask(dst, "PASV");
    EXPECT_EQ(pasv.compare(0, 3, "227"), 0) << pasv;
    EXPECT_EQ(Ask(src, "PORT " + ftptest::PassiveNumbers(pasv)).compare(0, 3, "200"), 0);
    EXPECT_EQ(Ask(src, "TYPE I").compare(0, 3, "200"), 0);
    EXPECT_EQ(Ask(dst, "STOR /F0:/Tavix/PICTURE/BARS.PIC").compare(0, 1, "1"), 0);
    EXPECT_EQ(Ask(src, "RETR /F0:/Tavix/PICTURE/BARS.PIC").compare(0, 1, "1"), 0);
    EXPECT_EQ(Next(src), "226 Transfer complete.");
    EXPECT_EQ(Next(dst), "226 Transfer complete.");
    std::ifstream in(m_root + "/target/F0:/Tavix/PICTURE/BARS.PIC", std::ios::binary);
    std::stringstream copied;
    copied << in.rdbuf();
    EXPECT_TRUE(copied.str() == file);
}

TEST_F(PyFtpPeerTest, TheServerHoldsNoneOfTheTestsSockets) {
    fs::create_directories(m_root + "/F0:");
    // A listening socket the server could inherit (no close-on-exec on purpose).
    int listening = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof local;
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    ASSERT_EQ(::listen(listening, 1), 0);
    ASSERT_EQ(::getsockname(listening, reinterpret_cast<sockaddr*>(&local), &length), 0);
    testsupport::PyFtpPeer peer;
    ASSERT_TRUE(StartPeer(peer, m_root, 3));
    ::close(listening);
    int again = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    EXPECT_EQ(::bind(again, reinterpret_cast<sockaddr*>(&local), sizeof local), 0)
        << "the port is still held";
    ::close(again);
}
