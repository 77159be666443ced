// The program's FTP switches.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FtpFixture.h"
#include "ProgramProcess.h"
#include "TestClient.h"

namespace {

// Runs the program until it listens, calls `check`, then ends it; the program's output.
template <typename Check>
std::string WhileRunning(std::vector<std::string> args, Check check) {
    ProgramProcess program;
    if (!program.Start(QUARNSIM_PROGRAM, args))
        return "<not started>";
    if (!program.ReadFirstLine())
        ADD_FAILURE() << "no first line in time: " << program.Output();
    else if (program.Output().rfind("quarnsim listening on ", 0) == 0)
        check();
    program.Signal(SIGTERM);
    program.Finish();
    return program.Output();
}

std::string Greeting(const std::string& address, uint16_t port) {
    TestClient client;
    std::string line;
    if (!client.Connect(address, port))
        return "<refused>";
    return client.ReadLine(&line) ? line : "<no greeting>";
}

}  // namespace

TEST(ProgramFtp, ServesFtpOnThePortGivenOrNotAtAll) {
    char pattern[] = "/tmp/quarnsim-ftp-program-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    std::string root = std::string(pattern) + "/drive";
    std::string onPort;
    std::string onDefault;
    std::string output =
        WhileRunning({"--address", "127.0.76.21", "--root", root, "--ftp-port", "2121"}, [&] {
            onPort = Greeting("127.0.76.21", 2121);
            onDefault = Greeting("127.0.76.21", 21);
        });
    EXPECT_EQ(output, "quarnsim listening on 127.0.76.21:5000\n");
    EXPECT_EQ(onPort, "220 Quarn FTP server ready.\r");
    EXPECT_EQ(onDefault, "<refused>");

    std::string withoutFtp;
    std::string commandPort;
    WhileRunning({"--address", "127.0.76.22", "--root", root, "--no-ftp"}, [&] {
        withoutFtp = Greeting("127.0.76.22", 21);
        TestClient client;
        if (client.Connect("127.0.76.22", 5000))
            commandPort = client.Query("*OPC?");
    });
    EXPECT_EQ(withoutFtp, "<refused>");
    EXPECT_EQ(commandPort, "1");

    output = WhileRunning({"--root", root, "--ftp-port", "0"}, [] {});
    EXPECT_NE(output.find("bad FTP port '0'"), std::string::npos) << output;
    std::filesystem::remove_all(pattern);
}

// Port 21 is privileged: an ordinary user's simulator must still serve the command port, and
// only a caller that needs FTP gets a failed start.
TEST_F(FtpFixture, APortThatCannotBeHadLeavesTheCommandPortServingUnlessFtpIsRequired) {
    quarnsim::Options options = MakeOptions();
    options.commandPort = 0;
    const int blocker = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(blocker, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    ASSERT_EQ(inet_pton(AF_INET, options.address.c_str(), &address.sin_addr), 1);
    ASSERT_EQ(bind(blocker, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(blocker, 1), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(getsockname(blocker, reinterpret_cast<sockaddr*>(&address), &length), 0);
    options.ftpPort = ntohs(address.sin_port);

    {
        quarnsim::Simulator lenient(options);
        std::string error;
        ASSERT_TRUE(lenient.Start(&error)) << error;
        EXPECT_EQ(lenient.FtpPort(), 0);
        EXPECT_FALSE(lenient.FtpError().empty());
        EXPECT_NE(lenient.CommandPort(), 0);
        lenient.Stop();
    }
    options.ftpRequired = true;
    quarnsim::Simulator strict(options);
    std::string error;
    EXPECT_FALSE(strict.Start(&error));
    EXPECT_FALSE(error.empty());
    close(blocker);
}
