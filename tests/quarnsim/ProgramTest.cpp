#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "TestClient.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// Starts the program with its output on a pipe; `whenListening` runs once the first line is in.
template <typename Callback>
ProgramRun RunProgram(std::vector<std::string> args, Callback whenListening) {
    int out[2];
    if (::pipe(out) != 0)
        return {};
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(out[1], 2);
        ::close(out[0]);
        std::vector<char*> argv{const_cast<char*>(QUARNSIM_PROGRAM)};
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(QUARNSIM_PROGRAM, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ProgramRun run;
    char c;
    while (::read(out[0], &c, 1) == 1) {
        run.output += c;
        if (c == '\n' && run.output.rfind("quarnsim listening on ", 0) == 0) {
            whenListening(pid);
            break;
        }
    }
    while (::read(out[0], &c, 1) == 1) run.output += c;
    ::close(out[0]);
    ::waitpid(pid, &run.status, 0);
    return run;
}

}  // namespace

TEST(Program, ServesUntilTerminated) {
    char pattern[] = "/tmp/quarnsim-program-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    std::string reply;
    ProgramRun run =
        RunProgram({"--address", "127.0.76.9", "--root", std::string(pattern) + "/drive",
                    "--modules", "Tavix:1,Sormet:3", "--firmware", "3.20", "--demo-presets"},
                   [&](pid_t pid) {
                       TestClient client;
                       if (client.Connect("127.0.76.9", 5000)) {
                           reply = client.Query("*OPT?;:MMEM:PRES:CAT? 1;:SENS:ROSC:FRAME1:CAT?");
                       }
                       ::kill(pid, SIGTERM);
                   });
    EXPECT_EQ(run.output, "quarnsim listening on 127.0.76.9:5000\n");
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << run.status;
    EXPECT_EQ(
        reply,
        "\"CPU:0:1.00:3.20\",\"Tavix:1:1.0:2.0\",\"Sormet:3:1.0:2.0\";\"Colour Bars 625\";\"1\"");
    EXPECT_TRUE(std::filesystem::is_directory(std::string(pattern) + "/drive/Sormet/LOGO"));
    std::filesystem::remove_all(pattern);
}

TEST(Program, BadArgumentsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"--modules", "Tavix:1"},                               // no root
        {"--root", "/tmp/x", "--modules", "Tavix"},             // no slot
        {"--root", "/tmp/x", "--modules", "Tavix:9"},           // slot out of range
        {"--root", "/tmp/x", "--port", "70000"},                // port out of range
        {"--root", "/tmp/x", "--bogus"},                        // unknown
        {"--root"},                                             // missing value
        {"--root", "/tmp/x", "--address", "1.2.3"},             // bad address
        {"--root", "/tmp/x", "--modules", "Tavix:1,Kintor:1"},  // one slot twice
    };
    for (const auto& args : cases) {
        ProgramRun run = RunProgram(args, [](pid_t) {});
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 2) << args.back();
        EXPECT_NE(run.output.find("quarnsim: "), std::string::npos) << args.back();
    }
}
