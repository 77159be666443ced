// The instrument's 13 numbered presets as Corvane knows them: name and whether one is stored.
#pragma once

#include <array>
#include <string>

namespace corvane {

struct PresetEntry {
    int used = 0;
    std::string name;
};

constexpr int kPresetCount = 13;
using PresetTable = std::array<PresetEntry, kPresetCount>;

// Program-wide; row i is preset i + 1.
extern PresetTable g_presetTable;

// Every row back to "PRESET n", not used.
void ResetPresetTable();

// The three named presets.
inline constexpr const char* kPowerOnDefault = "Power On Default";
inline constexpr const char* kUserDefault = "User Default";
inline constexpr const char* kFactoryDefault = "Factory Default";

}  // namespace corvane
