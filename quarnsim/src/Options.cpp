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

}  // namespace quarnsim
