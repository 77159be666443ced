#include "quarnsim/Options.h"

#include <set>

#include "quarnsim/ModelTable.h"

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
    std::set<std::string> dressed;
    for (const ModuleSpec& module : options.modules) {
        ModelTable table = ModelTable::ForModel(module.model);
        const ModelBehaviour& behaviour = table.Behaviour();
        if (dressed.insert(module.model).second) {
            for (const DemoSetting& setting : behaviour.DemoSettings())
                options.settings.push_back({module.slot, setting.header, setting.value});
        }
        // A module that picks its reset by its own settings is listed through them.
        if (!behaviour.FrameReset())
            options.frameResets[1].usedBy.push_back(module.slot);
    }
    options.settings.push_back({0, "DISP:CONT", "24"});
}

}  // namespace quarnsim
