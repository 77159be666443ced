// A second, deliberately plain computation of a picture file, written from the record layout
// and the conversion equations rather than from the builder, so a full build can be compared
// with it byte for byte. It favours the obvious over the fast: the filter is a real 51-entry
// ring, shifted and filled exactly as the ring is described, and the file is assembled record
// by record in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {
class Bitmap;
}

namespace reference {

class ReferenceModel {
public:
    struct Levels {
        int yWhite, yBlack, pbPlus, pbMinus, pbZero, prPlus, prMinus, prZero;
        static Levels TenBit() { return {940, 64, 960, 64, 512, 960, 64, 512}; }
        static Levels TwelveBitType1() { return {3280, 1516, 2930, 1166, 2048, 2930, 1166, 2048}; }
    };
    struct Format {
        int width = 0;  // pixels; samples per line are twice as many with doubleWidth
        int height = 0;
        int misc = 0;
        bool progressive = false;
        bool standardDefinition = false;  // the NTSC and PAL family: Rec. 601 equations
        bool doubleWidth = false;
        bool ycbcr444 = false;
        bool twelveBit = false;
        int scale = 1;
        int blackLines = 0;
        bool gbrOutput = false;  // the check box, for a format that shows it
    };
    struct Filter {
        std::array<double, 51> y{};
        std::array<double, 51> c{};
        int beginMode = 1;  // 0 beginning colour, 1 edge repetition, 2 the frame's own margins
        int beginR = 0, beginG = 0, beginB = 0;
    };
    // Six levels of one pixel, before rounding.
    struct Levels6 {
        double g, b, r, y, pb, pr;
    };
    using Buffers = std::array<std::vector<uint16_t>, 6>;

    // filter: nullptr builds unfiltered lines.
    ReferenceModel(const Format& format, const Levels& levels, const Filter* filter);

    Levels6 Convert(int r, int g, int b) const;
    // Rounded to nearest, ties to even, and held to the sample range (NaN gives 0).
    uint16_t Sample(double level) const;
    int Samples() const { return m_format.doubleWidth ? 2 * m_format.width : m_format.width; }

    // The six buffers of one frame row (B, G, R bytes, `columns` wide); valid while the model is.
    const Buffers& Line(const uint8_t* row, int columns, int leftEdge, int rightMargin) const;

    // Word of a component's file (0 main, 1 G, 2 B, 3 R).
    uint16_t ComponentWord(int component) const;
    // The whole component file for a frame bitmap of (width + 102) x height.
    std::vector<uint8_t> File(int component, const platform::Bitmap& frame, int leftEdge,
                              int rightMargin) const;

private:
    Buffers BlackLine() const;
    Buffers UnfilteredLine(const uint8_t* row, int columns) const;
    Buffers FilteredLine(const uint8_t* row, int columns, int leftEdge, int rightMargin) const;
    Levels6 Column(const uint8_t* row, int columns, int column) const;
    void AppendLine(std::vector<uint8_t>& out, int component, const Buffers& line) const;

    Format m_format;
    Levels m_levels;
    bool m_filtered;
    Filter m_filter;
    // Many rows of a test picture repeat; a row's buffers are computed once.
    mutable std::unordered_map<std::string, Buffers> m_lineCache;
};

}  // namespace reference
