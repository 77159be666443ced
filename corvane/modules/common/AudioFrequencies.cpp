#include "corvane/modules/common/AudioFrequencies.h"

#include <array>
#include <cstddef>

namespace corvane {

namespace {

constexpr std::array<int, kAudioFrequencyEntries> kFrequencies{
    -1,   0,    50,   100,  150,  200,   250,   300,   400,   500,  600,
    750,  800,  1000, 1200, 1500, 1600,  2000,  2400,  3000,  3200, 4000,
    4800, 5000, 6000, 8000, 9600, 10000, 12000, 15000, 16000, 20000};

}  // namespace

int AudioFrequencyIndex(int hertz) {
    for (size_t i = 0; i < kFrequencies.size(); ++i)
        if (kFrequencies[i] == hertz)
            return static_cast<int>(i);
    return -1;
}

int AudioFrequencyOfIndex(int index) {
    if (index < 0 || index >= kAudioFrequencyEntries)
        return -1;
    return kFrequencies[static_cast<size_t>(index)];
}

}  // namespace corvane
