#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarnsim {

struct ModuleSpec {
    std::string model;  // "Tavix", "Sormet", ... or any other name the PC must cope with
    int slot = 1;       // 1..4
    std::string hardware = "1.0";
    std::string software = "2.0";
};

struct PresetSeed {
    int number = 1;  // 1..13
    std::string name;
    bool used = true;
};

// One of the controller's three frame reset outputs.
struct FrameReset {
    std::string frequency = "0.0";  // as "SENS:ROSC:FRAME<n>:FREQ?" answers; "0.0": absent
    // Slots listed as using it, besides the audio generators whose sync follows it.
    std::vector<int> usedBy;
};

// A current setting to start with: slot 0 is the controller, the header is written the way a
// client would send it ("OUTP:AUD:CHAN1:AMPL"), the value as in a set command.
struct SettingSeed {
    int slot = 0;
    std::string header;
    std::string value;
};

struct Options {
    std::string address = "127.0.0.1";  // tests bind their own 127.0.X.Y
    uint16_t commandPort = 5000;        // 0 picks a free port (see Simulator::CommandPort)
    // The FTP server on the same address and the same tree (see FtpServer.h). Off when another
    // FTP server serves this tree at this address, so the command port can pair with it.
    bool ftpEnabled = true;
    // Port 21 is privileged: a simulator started by an ordinary user carries on without FTP
    // (Simulator::FtpError says why) unless FTP is required, when Start fails instead.
    bool ftpRequired = false;
    uint16_t ftpPort = 21;  // 0 picks a free port (see Simulator::FtpPort)
    // How long the FTP server waits for a data connection to open or to move before it gives
    // the transfer up with a 425 or 426 reply.
    int ftpDataTimeoutMs = 30000;
    // Real folder standing for "/F0:/"; created and laid out on Start. Empty keeps everything in
    // memory, which is what the fuzzer and pure parser tests want.
    std::string root;
    std::vector<ModuleSpec> modules;  // catalogue order = this order
    std::string cpuHardware = "1.00";
    std::string cpuSoftware = "3.10";
    std::string replyTerminator = "\n";  // "\r\n" for a CR LF instrument
    std::vector<PresetSeed> presets;     // applied before presets found on disk
    std::array<FrameReset, 3> frameResets{{{"59.94", {}}, {"50", {}}, {"0.0", {}}}};
    std::vector<SettingSeed> settings;           // over the power-on preset
    double memoryCapacity = 64.0 * 1024 * 1024;  // used + free bytes of the drive
    // "MMEM:CAT?" entries carry "BIN"/"DIR" as their type; false leaves the type empty
    // ("NAME",,123), the other spelling readers meet.
    bool catalogTypeFields = true;
    // An empty folder is listed as "<used>,<free>," with the comma a first entry would follow,
    // as some firmware answers; false lists its two counts alone.
    bool emptyCatalogComma = false;
    // Lays a few signal, picture, logo, sequence and preset files into each model's folders on
    // Start, leaving files already there alone.
    bool demoFiles = false;
};

// A few named presets, so a demo instrument does not start with empty menus.
std::vector<PresetSeed> DemoPresets();
// The demo presets and a lived-in state for the modules in `options`: frame reset 1 at 59.94 Hz,
// reset 2 at 50 Hz used by every module that does not pick its reset by its own settings, the
// first module of each model set up as its model's demo says, and demo files on the drive.
void ApplyDemo(Options& options);

}  // namespace quarnsim
