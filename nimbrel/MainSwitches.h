// The switches of section "NIMBREL" of the main ini and the hint texts they select. Each
// switch reacts to one exact keyword only, so a mistyped value leaves the default in force.
#pragma once

#include <array>
#include <string>

namespace nimbrel {

constexpr int kHintCount = 17;

struct MainSwitches {
    bool debug = false;
    bool english = true;
    bool toolEnabled = false;
    // Y, G, B, R: made unless the switch says exactly "OFF".
    std::array<bool, 4> make{true, true, true, true};
    std::string toolCaption;
    std::string toolHint;

    static MainSwitches Read(const std::string& mainIni);
    // The hints of the actions, menus and check box in the main form's order; a missing key
    // gives an empty hint.
    static std::array<std::string, kHintCount> ReadHints(const std::string& mainIni, bool english);
    static const char* HintKey(int index);
};

}  // namespace nimbrel
