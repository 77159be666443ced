#pragma once

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

struct Options {
    std::string address = "127.0.0.1";  // tests bind their own 127.0.X.Y
    uint16_t commandPort = 5000;        // 0 picks a free port (see Simulator::CommandPort)
    // Real folder standing for "/F0:/"; created and laid out on Start. Empty keeps everything in
    // memory, which is what the fuzzer and pure parser tests want.
    std::string root;
    std::vector<ModuleSpec> modules;  // catalogue order = this order
    std::string cpuHardware = "1.00";
    std::string cpuSoftware = "3.10";
    std::string replyTerminator = "\n";  // "\r\n" for a CR LF instrument
    std::vector<PresetSeed> presets;     // applied before presets found on disk
};

// A few named presets, so a demo instrument does not start with empty menus.
std::vector<PresetSeed> DemoPresets();

}  // namespace quarnsim
