#include "quarnsim/Options.h"

namespace quarnsim {

std::vector<PresetSeed> DemoPresets() {
    return {
        {1, "Colour Bars 625", true},
        {2, "Colour Bars 525", true},
        {3, "Studio A", true},
        {7, "Line-up Tone", true},
    };
}

void ApplyDemo(Options& options) {
    options.presets = DemoPresets();
    options.demoFiles = true;
    options.frameResets = {{{"59.94", {}}, {"50", {}}, {"0.0", {}}}};
    bool audioDone = false;
    for (const ModuleSpec& module : options.modules) {
        if (module.model == "Tavix" && !audioDone) {
            audioDone = true;
            static const char* const kTones[] = {"1000", "400", "1000", "400",
                                                 "-1",   "0",   "2000", "-1"};
            static const char* const kLevels[] = {"-18", "-18", "-20", "-20",
                                                  "-60", "-60", "-12", "-60"};
            for (int n = 1; n <= 8; ++n) {
                std::string channel = "OUTP:AUD:CHAN" + std::to_string(n);
                options.settings.push_back({module.slot, channel + ":FREQ", kTones[n - 1]});
                options.settings.push_back({module.slot, channel + ":AMPL", kLevels[n - 1]});
            }
            options.settings.push_back({module.slot, "OUTP:AUD:CHAN1:CLIC", "2"});
            options.settings.push_back({module.slot, "OUTP:AUD:SYNC", "FRAME_ONE"});
            options.settings.push_back({module.slot, "SENS:CORR:MDEL", "-1200"});
        } else if (module.model != "Tavix") {
            options.frameResets[1].usedBy.push_back(module.slot);
        }
    }
    options.settings.push_back({0, "DISP:CONT", "24"});
}

}  // namespace quarnsim
