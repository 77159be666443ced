// 8-bit R, G, B pixels to sample levels and back. Levels stay in double until the single
// rounding of each sample, so filtered and unfiltered lines agree where the taps are trivial.
#pragma once

#include <array>
#include <cstdint>

#include "nimbrel/LevelSet.h"

// The sample rounding below needs additions that are done as written.
#if defined(__FAST_MATH__)
#error "nimbrel's sample rounding needs IEEE arithmetic: build without -ffast-math"
#endif

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
    // `count` pixels of B, G, R bytes into six planes (G, B, R, Y, Pb, Pr), each value exactly
    // what Convert gives for that pixel; a whole row at a time, so a line is converted once.
    void ConvertPixels(const uint8_t* bgr, int count, double* const planes[6]) const;
    // The Y, Pb and Pr planes alone of ConvertPixels.
    void ConvertToYPbPr(const uint8_t* bgr, int count, double* y, double* pb, double* pr) const;
    // ToSample of the G, B and R levels of `count` pixels, looked up by byte value.
    void ToComponentSamples(const uint8_t* bgr, int count, uint16_t* g, uint16_t* b,
                            uint16_t* r) const;
    // A level as a sample: rounded once, then held inside the bit depth's range so ringing of
    // a filter cannot wrap into a wrong 16-bit value.
    uint16_t ToSample(double level) const { return Round(level, Maximum()); }
    // The Y samples and the 4:2:2 Pb, Pr pairs (Pb and Pr alternating, each from the mean of the
    // pair's two levels) of `count` pixels, count even: what ToSamples of ConvertToYPbPr's
    // levels and of their pair means gives.
    void ToSamples422(const uint8_t* bgr, int count, uint16_t* y, uint16_t* pbpr) const;
    // ToSample of `count` levels.
    void ToSamples(const double* levels, int count, uint16_t* out) const;

    // The preview's inverse of two sample positions for a file layout (0 4:2:2, 1 4:4:4,
    // 2 single component, 5 G B R); out[0] and out[1] receive the pixels.
    void Inverse(int layout, const uint16_t y[2], const uint16_t c[2], const uint16_t d[2],
                 Bgr out[2]) const;
    // Levels where the inverse would divide by zero cannot make a preview.
    bool CanInvert() const { return !m_levels.Degenerate(); }

    const LevelSet& Levels() const { return m_levels; }
    bool TwelveBit() const { return m_twelveBit; }

private:
    double Maximum() const { return m_twelveBit ? 4095.0 : 1023.0; }
    static uint16_t Round(double level, double maximum) {
        // The instrument's samples were made by printing with "%.0f" and reading the digits
        // back: round to nearest with ties to even, and many SD colours fall on exact halves.
        // That is nearbyint under the default rounding mode. Done here without the library
        // call, which cannot be inlined: between 0 and the maximum, adding 1.5 * 2^52 leaves
        // no bits below the units, so the addition itself rounds the level by the current
        // mode, exactly as nearbyint would, and the subtraction is exact. Held first, so NaN
        // and everything at or below 0 give 0 and everything from the maximum up gives it.
        constexpr double kShift = 6755399441055744.0;
        double held = level > 0.0 ? level : 0.0;
        held = held < maximum ? held : maximum;
        return static_cast<uint16_t>(static_cast<int>((held + kShift) - kShift));
    }

    LevelSet m_levels;
    bool m_twelveBit;
    bool m_standardDefinition;
    double m_fullScale;
    // The G, B and R levels of each 8-bit value, the same expression as in Convert.
    std::array<double, 256> m_byteLevel{};
    // ToSample of each of those.
    std::array<uint16_t, 256> m_byteSample{};
    // Each term of Convert's luma sum for each 8-bit value, R, G and B: the products are the
    // same doubles, and adding them in the equation's order gives the same sum.
    std::array<double, 256> m_lumaTerm[3]{};
};

}  // namespace nimbrel
