#include "utilities/common/PresetFiles.h"

#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "utilities/common/UtilityBeep.h"

namespace utilities {

std::vector<std::string> PresetFileNames(const std::string& model) {
    constexpr int kPresets = 15;
    std::vector<std::string> names;
    if (model == "CPU") {
        for (int preset = 0; preset < kPresets; ++preset)
            names.push_back(platform::Format("MSTATE.P%02d", preset));
        return names;
    }
    for (int slot = 1; slot <= 4; ++slot) {
        for (int preset = 0; preset < kPresets; ++preset)
            names.push_back(platform::Format("MSTATE%d.P%02d", slot, preset));
    }
    return names;
}

std::string InstrumentPresetFolder(const std::string& model) {
    return "/F0:/" + model + "/PRESET/";
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void ShowStopBox(platform::CWnd* owner, const std::string& text, const char* caption) {
    UtilityBeep(platform::MB_ICONHAND);
    platform::MessageBox(owner, text, caption, platform::MB_OK | platform::MB_ICONSTOP);
}

}  // namespace utilities
