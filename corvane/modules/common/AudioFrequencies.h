// The audio pages' frequency list, the same on every model that has one: "Inactive" (-1 Hz),
// "Silence" (0 Hz) and 30 tones. A frequency read from a module is held as its position in
// this list; the operator's pick, and so everything sent, is in hertz.
#pragma once

namespace corvane {

constexpr int kAudioFrequencyEntries = 32;

// The position of a frequency in Hz; -1 for one the list does not hold.
int AudioFrequencyIndex(int hertz);
// The frequency in Hz at a position; -1 outside the list.
int AudioFrequencyOfIndex(int index);

}  // namespace corvane
