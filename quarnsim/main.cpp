// quarnsim: the stand-in Quarn instrument as a program, for demos and for driving the PC
// programs by hand.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "quarnsim/Simulator.h"

namespace {

const char kUsage[] =
    "usage: quarnsim --root DIR [--address ADDR] [--port PORT] [--modules MODEL:SLOT,...]\n"
    "                [--firmware VERSION] [--crlf] [--demo] [--ftp-port PORT] [--no-ftp]\n"
    "                [--require-ftp]\n"
    "  --ftp-port      port of the FTP server (21 unless given)\n"
    "  --require-ftp   fail when the FTP server cannot listen (port 21 needs root); without\n"
    "                  it the simulator carries on with the command port alone\n"
    "  --no-ftp        no FTP server, so another one can serve the same tree at this address\n"
    "  --demo          named presets, frame resets at 59.94 and 50 Hz, tones on the first\n"
    "                  audio generator, demo files in every module's folders\n"
    "                  (--demo-presets is the same)\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "quarnsim: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool ParseNumber(std::string_view text, long low, long high, long* value) {
    if (text.empty() || text.size() > 6)
        return false;
    long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high)
        return false;
    *value = number;
    return true;
}

// "Tavix:1,Sormet:3" -> modules; the instrument itself checks names and duplicate slots.
bool ParseModules(std::string_view text, std::vector<quarnsim::ModuleSpec>* modules,
                  std::string* error) {
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        size_t colon = item.find(':');
        long slot = 0;
        if (colon == std::string_view::npos || !ParseNumber(item.substr(colon + 1), 1, 4, &slot)) {
            *error = "module '" + std::string(item) + "' must read MODEL:SLOT with slot 1 to 4";
            return false;
        }
        quarnsim::ModuleSpec module;
        module.model = std::string(item.substr(0, colon));
        module.slot = static_cast<int>(slot);
        modules->push_back(module);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    quarnsim::Options options;
    bool haveRoot = false;
    bool demo = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--crlf") {
            options.replyTerminator = "\r\n";
            continue;
        }
        if (arg == "--no-ftp") {
            options.ftpEnabled = false;
            continue;
        }
        if (arg == "--require-ftp") {
            options.ftpRequired = true;
            continue;
        }
        if (arg == "--demo" || arg == "--demo-presets") {
            demo = true;
            continue;
        }
        if (i + 1 >= argc)
            return Fail("missing value after " + std::string(arg));
        std::string_view value = argv[++i];
        if (arg == "--address") {
            options.address = value;
        } else if (arg == "--port") {
            long port = 0;
            if (!ParseNumber(value, 1, 65535, &port))
                return Fail("bad port '" + std::string(value) + "'");
            options.commandPort = static_cast<uint16_t>(port);
        } else if (arg == "--ftp-port") {
            long port = 0;
            if (!ParseNumber(value, 1, 65535, &port))
                return Fail("bad FTP port '" + std::string(value) + "'");
            options.ftpPort = static_cast<uint16_t>(port);
        } else if (arg == "--root") {
            if (value.empty())
                return Fail("--root needs a folder");
            options.root = value;
            haveRoot = true;
        } else if (arg == "--modules") {
            std::string error;
            if (!ParseModules(value, &options.modules, &error))
                return Fail(error);
        } else if (arg == "--firmware") {
            options.cpuSoftware = value;
        } else {
            return Fail("unknown argument '" + std::string(arg) + "'");
        }
    }
    if (!haveRoot)
        return Fail("--root is required");
    if (demo)
        quarnsim::ApplyDemo(options);  // after --modules, whatever the order on the line

    // Blocked before any thread starts, so only sigwait below ever sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    quarnsim::Simulator simulator(options);
    std::string error;
    if (!simulator.Start(&error))
        return Fail(error);
    std::printf("quarnsim listening on %s:%u\n", options.address.c_str(),
                static_cast<unsigned>(simulator.CommandPort()));
    if (!simulator.FtpError().empty())
        std::fprintf(stderr, "quarnsim: no FTP server: %s\n", simulator.FtpError().c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&signals, &received);
    simulator.Stop();
    return 0;
}
