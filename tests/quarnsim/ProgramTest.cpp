#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgramProcess.h"
#include "TestClient.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
};

// Starts the program; `whenListening` runs once its first line says it listens.
template <typename Callback>
ProgramRun RunProgram(std::vector<std::string> args, Callback whenListening) {
    ProgramProcess program;
    ProgramRun run;
    if (!program.Start(QUARNSIM_PROGRAM, args)) {
        ADD_FAILURE() << "the program did not start";
        return run;
    }
    if (!program.ReadFirstLine()) {
        ADD_FAILURE() << "no first line in time: " << program.Output();
    } else if (program.Output().rfind("quarnsim listening on ", 0) == 0) {
        whenListening(program.Pid());
    }
    run.status = program.Finish();
    run.output = program.Output();
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
