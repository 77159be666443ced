// Drenlo's "PrivateSetting" text as a damaged or hand-edited settings file could hold it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "drenlo/app/DrenloSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    drenlo::CDrenloSettings settings;
    settings.Parse(std::string(reinterpret_cast<const char*>(data), size));
    // What is written back must read back the same: the value survives a save and a start.
    const std::string written = settings.ToString();
    drenlo::CDrenloSettings again;
    again.Parse(written);
    if (again.ToString() != written)
        __builtin_trap();
    // A window or pane never starts without a size.
    if (settings.Get(drenlo::CDrenloSettings::kWidth) <= 0 ||
        settings.Get(drenlo::CDrenloSettings::kHeight) <= 0)
        __builtin_trap();
    return 0;
}
