// 8-bit R, G, B pixels to sample levels and back. Levels stay in double until the single
// rounding of each sample, so filtered and unfiltered lines agree where the taps are trivial.
#pragma once

#include <cstdint>

#include "nimbrel/LevelSet.h"

namespace nimbrel {

// One pixel as levels: G, B, R on the Y scale, then Y, Pb, Pr.
struct ConvertedSample {
    double g = 0;
    double b = 0;
    double r = 0;
    double y = 0;
    double pb = 0;
    double pr = 0;
};

struct Bgr {
    uint8_t b = 0;
    uint8_t g = 0;
    uint8_t r = 0;
    bool operator==(const Bgr&) const = default;
};

class ColourConverter {
public:
    // standardDefinition picks the Rec. 601 equations of the NTSC and PAL family, otherwise
    // Rec. 709. fullScale is 255 for bitmaps, 1023 for raw component input.
    ColourConverter(const LevelSet& levels, bool twelveBit, bool standardDefinition,
                    double fullScale = 255.0);

    ConvertedSample Convert(double r, double g, double b) const;
    // A level as a sample: rounded once, then held inside the bit depth's range so ringing of
    // a filter cannot wrap into a wrong 16-bit value.
    uint16_t ToSample(double level) const;

    // The preview's inverse of two sample positions for a file layout (0 4:2:2, 1 4:4:4,
    // 2 single component, 5 G B R); out[0] and out[1] receive the pixels.
    void Inverse(int layout, const uint16_t y[2], const uint16_t c[2], const uint16_t d[2],
                 Bgr out[2]) const;
    // Levels where the inverse would divide by zero cannot make a preview.
    bool CanInvert() const { return !m_levels.Degenerate(); }

    const LevelSet& Levels() const { return m_levels; }
    bool TwelveBit() const { return m_twelveBit; }

private:
    LevelSet m_levels;
    bool m_twelveBit;
    bool m_standardDefinition;
    double m_fullScale;
};

}  // namespace nimbrel
