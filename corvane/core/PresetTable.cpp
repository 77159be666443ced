#include "corvane/core/PresetTable.h"

namespace corvane {

PresetTable g_presetTable;

void ResetPresetTable() {
    for (int i = 0; i < kPresetCount; ++i)
        g_presetTable[static_cast<size_t>(i)] = PresetEntry{0, "PRESET " + std::to_string(i + 1)};
}

}  // namespace corvane
