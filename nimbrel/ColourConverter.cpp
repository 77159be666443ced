#include "nimbrel/ColourConverter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "nimbrel/Lanes.h"

namespace nimbrel {

namespace {

// The weights of R, G and B in the luma sum: Rec. 709, then Rec. 601.
constexpr double kLumaWeights[2][3] = {{0.2126, 0.7152, 0.0722}, {0.299, 0.587, 0.114}};

// What turns a luma sum and the B and R values into Y, Pb and Pr levels.
struct LevelScale {
    bool standardDefinition;
    const double* lumaWeights;  // R, G, B
    double black;
    double ySpan;
    double pbZero;
    double pbSpan;
    double prZero;
    double prSpan;
    double fullScale;
};

// One block of a row's pixels on their way to levels. Lanes past the block's pixels start as
// zeros and later hold an earlier block's values: always finite, computed and never used.
struct LevelBlock {
    static constexpr int kSize = 256;
    double luma[kSize] = {};
    double blue[kSize] = {};
    double red[kSize] = {};
    double y[kSize] = {};
    double pb[kSize] = {};
    double pr[kSize] = {};
};

LevelScale ScaleOf(const LevelSet& levels, bool standardDefinition, double fullScale) {
    return LevelScale{standardDefinition,
                      kLumaWeights[standardDefinition ? 1 : 0],
                      double(levels.yBlack),
                      double(levels.yWhite) - levels.yBlack,
                      double(levels.pbZero),
                      double(levels.pbPlus) - levels.pbMinus,
                      double(levels.prZero),
                      double(levels.prPlus) - levels.prMinus,
                      fullScale};
}

// A level this close to a half may round differently from its exact value when it was made
// `quick` by LaneLevels. Those are off by a few units in the last place, under 1e-10 for any
// level a 16-bit sample can hold; the margin is far wider than that.
constexpr double kNearHalf = 1e-6;

// y, pb and pr of eight pixels from their luma sums and B and R values, each lane in Convert's
// order of operations. The divisions are most of a row's cost, and eight of them go at once
// where the processor can. `quick` multiplies by each divisor's reciprocal instead, for a
// fraction of the cost: only for levels rounded at once and checked against kNearHalf.
inline void LaneLevels(const LevelScale& k, bool quick, const Lanes& l, const Lanes& bb,
                       const Lanes& rr, Lanes& y, Lanes& pb, Lanes& pr) {
    Lanes blue;
    Lanes red;
    if (k.standardDefinition) {
        blue = 0.564 * (bb - l);
        red = 0.713 * (rr - l);
    } else if (quick) {
        blue = (bb - l) * (1.0 / 1.8556);
        red = (rr - l) * (1.0 / 1.5748);
    } else {
        blue = (bb - l) / 1.8556;
        red = (rr - l) / 1.5748;
    }
    if (quick) {
        const double perFullScale = 1.0 / k.fullScale;
        y = k.black + k.ySpan * l * perFullScale;
        pb = k.pbZero + k.pbSpan * blue * perFullScale;
        pr = k.prZero + k.prSpan * red * perFullScale;
    } else {
        y = k.black + k.ySpan * l / k.fullScale;
        pb = k.pbZero + k.pbSpan * blue / k.fullScale;
        pr = k.prZero + k.prSpan * red / k.fullScale;
    }
}

// ColourConverter::Round of eight levels into out. `nearest` keeps, lane by lane, the largest
// distance of a level from its nearest whole number: within kNearHalf of 0.5, a quick level's
// sample is in doubt. A level held at 0 or the maximum is never in doubt: the exact level lies
// within far less than kNearHalf of it, so it is held to the same sample.
inline void RoundLanes(const Lanes& level, double maximum, uint16_t* out, Lanes& nearest) {
    using Whole = int __attribute__((vector_size(32)));
    using Samples = uint16_t __attribute__((vector_size(16)));
    constexpr double kShift = 6755399441055744.0;
    const Lanes zero = {};
    const Lanes top = zero + maximum;
    Lanes held = level > zero ? level : zero;
    held = held < top ? held : top;
    const Lanes rounded = (held + kShift) - kShift;
    Lanes off = held - rounded;
    off = off < zero ? -off : off;
    nearest = off > nearest ? off : nearest;
    const Samples samples =
        __builtin_convertvector(__builtin_convertvector(rounded, Whole), Samples);
    std::memcpy(out, &samples, sizeof samples);
}

// The exact LaneLevels of `count` pixels (a multiple of kLanes).
NIMBREL_WIDE_LANES
void LevelsOf(const LevelScale& k, const double* luma, const double* b, const double* r, int count,
              double* y, double* pb, double* pr) {
    for (int i = 0; i < count; i += kLanes) {
        Lanes levelY;
        Lanes levelPb;
        Lanes levelPr;
        Lanes l;
        LoadLanes(l, luma + i);
        Lanes bb;
        LoadLanes(bb, b + i);
        Lanes rr;
        LoadLanes(rr, r + i);
        LaneLevels(k, false, l, bb, rr, levelY, levelPb, levelPr);
        StoreLanes(y + i, levelY);
        StoreLanes(pb + i, levelPb);
        StoreLanes(pr + i, levelPr);
    }
}

// The samples of the levels, eight at a time; returns how many were made (the whole lanes of
// `count`).
NIMBREL_WIDE_LANES
int RoundLevels(const double* levels, int count, double maximum, uint16_t* out) {
    Lanes unused = {};
    int i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        Lanes level;
        LoadLanes(level, levels + i);
        RoundLanes(level, maximum, out + i, unused);
    }
    return i;
}

using ByteLanes = uint8_t __attribute__((vector_size(16)));

// One colour channel of eight pixels of B, G, R bytes as lanes: `first` holds the sixteen bytes
// that start with pixel 0, `second` the sixteen that end with pixel 7, so that the eight pixels
// are read without a byte past them. Byte shuffles within 16 bytes are single instructions
// everywhere; wider ones are not.
template <int kChannel>
inline void ChannelLanes(const ByteLanes& first, const ByteLanes& second, Lanes& out) {
    using Quad = int __attribute__((vector_size(16)));
    using Eight = int __attribute__((vector_size(32)));
    constexpr int z = 16;  // a byte of the zero vector
    constexpr int c = kChannel;
    const ByteLanes zero = {};
    const ByteLanes low = __builtin_shufflevector(first, zero, c, z, z, z, c + 3, z, z, z, c + 6, z,
                                                  z, z, c + 9, z, z, z);
    const ByteLanes high = __builtin_shufflevector(second, zero, c + 4, z, z, z, c + 7, z, z, z,
                                                   c + 10, z, z, z, c + 13, z, z, z);
    const Eight values = __builtin_shufflevector(Quad(low), Quad(high), 0, 1, 2, 3, 4, 5, 6, 7);
    out = __builtin_convertvector(values, Lanes);
}

// The luma sums and the B and R values of eight pixels of B, G, R bytes. Each sum is the one the
// byte tables' terms give: the same products of a weight and a byte, added in the same order.
inline void PixelLanes(const LevelScale& k, const uint8_t* bgr, Lanes& luma, Lanes& b, Lanes& r) {
    ByteLanes first;
    ByteLanes second;
    std::memcpy(&first, bgr, sizeof first);
    std::memcpy(&second, bgr + 3 * kLanes - sizeof second, sizeof second);
    Lanes g;
    ChannelLanes<0>(first, second, b);
    ChannelLanes<1>(first, second, g);
    ChannelLanes<2>(first, second, r);
    luma = k.lumaWeights[0] * r + k.lumaWeights[1] * g + k.lumaWeights[2] * b;
}

// The Y samples and the 4:2:2 pairs (each pair's Pb mean, then its Pr mean, each
// (first + second) / 2 as the scalar formula has it) of `count` pixels of B, G, R bytes, count a
// multiple of kLanes. False when `quick` made a level whose sample is in doubt.
NIMBREL_WIDE_LANES
bool Samples422Of(const LevelScale& k, bool quick, const uint8_t* bgr, int count, double maximum,
                  uint16_t* y, uint16_t* pairs) {
    Lanes nearest = {};
    for (int i = 0; i < count; i += kLanes) {
        Lanes luma;
        Lanes blue;
        Lanes red;
        PixelLanes(k, bgr + 3 * static_cast<size_t>(i), luma, blue, red);
        Lanes levelY;
        Lanes levelPb;
        Lanes levelPr;
        LaneLevels(k, quick, luma, blue, red, levelY, levelPb, levelPr);
        const Lanes pair = (__builtin_shufflevector(levelPb, levelPr, 0, 8, 2, 10, 4, 12, 6, 14) +
                            __builtin_shufflevector(levelPb, levelPr, 1, 9, 3, 11, 5, 13, 7, 15)) /
                           2;
        RoundLanes(levelY, maximum, y + i, nearest);
        RoundLanes(pair, maximum, pairs + i, nearest);
    }
    bool clear = true;
    for (int j = 0; j < kLanes; ++j) {
        clear = clear && nearest[j] <= 0.5 - kNearHalf;
    }
    return !quick || clear;
}

}  // namespace

ColourConverter::ColourConverter(const LevelSet& levels, bool twelveBit, bool standardDefinition,
                                 double fullScale)
    : m_levels(levels.Resolved(twelveBit)),
      m_twelveBit(twelveBit),
      m_standardDefinition(standardDefinition),
      m_fullScale(fullScale) {
    const double black = m_levels.yBlack;
    const double ySpan = double(m_levels.yWhite) - black;
    for (int v = 0; v < 256; ++v) {
        m_byteLevel[static_cast<size_t>(v)] = black + ySpan * double(v) / m_fullScale;
        m_byteSample[static_cast<size_t>(v)] = ToSample(m_byteLevel[static_cast<size_t>(v)]);
    }
    const double* const factors = kLumaWeights[standardDefinition ? 1 : 0];
    for (int c = 0; c < 3; ++c) {
        for (int v = 0; v < 256; ++v) {
            m_lumaTerm[c][static_cast<size_t>(v)] = factors[c] * double(v);
        }
    }
}

ConvertedSample ColourConverter::Convert(double r, double g, double b) const {
    const double black = m_levels.yBlack;
    const double ySpan = double(m_levels.yWhite) - black;
    const double pbSpan = double(m_levels.pbPlus) - m_levels.pbMinus;
    const double prSpan = double(m_levels.prPlus) - m_levels.prMinus;
    ConvertedSample out;
    out.g = black + ySpan * g / m_fullScale;
    out.b = black + ySpan * b / m_fullScale;
    out.r = black + ySpan * r / m_fullScale;
    double y = 0;
    double pb = 0;
    double pr = 0;
    if (m_standardDefinition) {
        y = 0.299 * r + 0.587 * g + 0.114 * b;
        pb = 0.564 * (b - y);
        pr = 0.713 * (r - y);
    } else {
        y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
        pb = (b - y) / 1.8556;
        pr = (r - y) / 1.5748;
    }
    out.y = black + ySpan * y / m_fullScale;
    out.pb = m_levels.pbZero + pbSpan * pb / m_fullScale;
    out.pr = m_levels.prZero + prSpan * pr / m_fullScale;
    return out;
}

void ColourConverter::ConvertPixels(const uint8_t* bgr, int count, double* const planes[6]) const {
    for (int i = 0; i < count; ++i) {
        planes[1][i] = m_byteLevel[bgr[3 * i]];
        planes[0][i] = m_byteLevel[bgr[3 * i + 1]];
        planes[2][i] = m_byteLevel[bgr[3 * i + 2]];
    }
    ConvertToYPbPr(bgr, count, planes[3], planes[4], planes[5]);
}

void ColourConverter::ToComponentSamples(const uint8_t* bgr, int count, uint16_t* g, uint16_t* b,
                                         uint16_t* r) const {
    for (int i = 0; i < count; ++i) {
        b[i] = m_byteSample[bgr[3 * i]];
        g[i] = m_byteSample[bgr[3 * i + 1]];
        r[i] = m_byteSample[bgr[3 * i + 2]];
    }
}

void ColourConverter::ConvertToYPbPr(const uint8_t* bgr, int count, double* outY, double* outPb,
                                     double* outPr) const {
    const LevelScale scale = ScaleOf(m_levels, m_standardDefinition, m_fullScale);
    // In blocks: each run of equal pixels is converted once (pictures made for a signal
    // generator are mostly flat fields, bars and steps), then the runs' values are spread back
    // over the pixels.
    constexpr int kBlock = LevelBlock::kSize;
    LevelBlock block;
    double* const luma = block.luma;
    double* const blue = block.blue;
    double* const red = block.red;
    const double* const y = block.y;
    const double* const pb = block.pb;
    const double* const pr = block.pr;
    uint32_t value[kBlock];
    int run[kBlock];
    for (int start = 0; start < count; start += kBlock) {
        const int n = count - start < kBlock ? count - start : kBlock;
        const uint8_t* p = bgr + 3 * static_cast<size_t>(start);
        int runs = 0;
        uint32_t previous = 0xFFFFFFFFu;  // no pixel has this value
        for (int i = 0; i < n; ++i) {
            const uint32_t pixel =
                p[3 * i] | uint32_t{p[3 * i + 1]} << 8 | uint32_t{p[3 * i + 2]} << 16;
            value[runs] = pixel;  // written every time, kept only when a new run starts
            runs += pixel != previous ? 1 : 0;
            previous = pixel;
            run[i] = runs - 1;
        }
        for (int i = 0; i < runs; ++i) {
            const uint32_t b = value[i] & 0xFF;
            const uint32_t g = (value[i] >> 8) & 0xFF;
            const uint32_t r = value[i] >> 16;
            luma[i] = m_lumaTerm[0][r] + m_lumaTerm[1][g] + m_lumaTerm[2][b];
            blue[i] = double(b);
            red[i] = double(r);
        }
        const int lanes = (runs + kLanes - 1) / kLanes * kLanes;
        LevelsOf(scale, luma, blue, red, lanes, block.y, block.pb, block.pr);
        if (runs == n) {
            std::memcpy(outY + start, y, sizeof(double) * static_cast<size_t>(n));
            std::memcpy(outPb + start, pb, sizeof(double) * static_cast<size_t>(n));
            std::memcpy(outPr + start, pr, sizeof(double) * static_cast<size_t>(n));
            continue;
        }
        for (int i = 0; i < n; ++i) {
            outY[start + i] = y[run[i]];
            outPb[start + i] = pb[run[i]];
            outPr[start + i] = pr[run[i]];
        }
    }
}

void ColourConverter::ToSamples422(const uint8_t* bgr, int count, uint16_t* outY,
                                   uint16_t* outPbPr) const {
    const LevelScale scale = ScaleOf(m_levels, m_standardDefinition, m_fullScale);
    const double maximum = Maximum();
    // In blocks, first from the quick levels; a block where one of them lies too near a half to
    // tell its sample is done again from the exact ones (SD bars land on exact halves). The
    // samples go straight out; pixels short of a whole lane go through room of their own, the
    // lanes past them black, whose levels are whole numbers and never in doubt.
    constexpr int kBlock = 256;
    const int whole = count / kLanes * kLanes;
    for (int start = 0; start < whole; start += kBlock) {
        const int n = whole - start < kBlock ? whole - start : kBlock;
        const uint8_t* p = bgr + 3 * static_cast<size_t>(start);
        for (const bool quick : {true, false}) {
            if (Samples422Of(scale, quick, p, n, maximum, outY + start, outPbPr + start)) {
                break;
            }
        }
    }
    if (whole < count) {
        const size_t left = static_cast<size_t>(count - whole);
        uint8_t tail[3 * kLanes] = {};
        uint16_t ySamples[kLanes];
        uint16_t pairSamples[kLanes];
        std::memcpy(tail, bgr + 3 * static_cast<size_t>(whole), 3 * left);
        for (const bool quick : {true, false}) {
            if (Samples422Of(scale, quick, tail, kLanes, maximum, ySamples, pairSamples)) {
                break;
            }
        }
        std::memcpy(outY + whole, ySamples, sizeof(uint16_t) * left);
        std::memcpy(outPbPr + whole, pairSamples, sizeof(uint16_t) * left);
    }
}

void ColourConverter::ToSamples(const double* levels, int count, uint16_t* out) const {
    const double maximum = Maximum();
    for (int i = RoundLevels(levels, count, maximum, out); i < count; ++i) {
        out[i] = Round(levels[i], maximum);
    }
}

void ColourConverter::Inverse(int layout, const uint16_t y[2], const uint16_t c[2],
                              const uint16_t d[2], Bgr out[2]) const {
    if (!CanInvert()) {
        out[0] = out[1] = Bgr{};
        return;
    }
    const double black = m_levels.yBlack;
    const double ySpan = double(m_levels.yWhite) - black;
    const double pbSpan = double(m_levels.pbPlus) - m_levels.pbMinus;
    const double prSpan = double(m_levels.prPlus) - m_levels.prMinus;
    auto toByte = [](double value) {
        if (std::isnan(value)) {
            return uint8_t{0};
        }
        return static_cast<uint8_t>(std::nearbyint(std::clamp(value, 0.0, 255.0)));
    };
    auto scaleY = [&](uint16_t value) { return (double(value) - black) * 255.0 / ySpan; };
    for (int n = 0; n < 2; ++n) {
        double r = 0;
        double g = 0;
        double b = 0;
        if (layout == 0 || layout == 1) {
            const double yy = scaleY(y[n]);
            const uint16_t pbSample = layout == 0 ? c[0] : c[n];
            const uint16_t prSample = layout == 0 ? c[1] : d[n];
            const double pb = (double(pbSample) - m_levels.pbZero) * 255.0 / pbSpan;
            const double pr = (double(prSample) - m_levels.prZero) * 255.0 / prSpan;
            if (m_standardDefinition) {
                r = yy + pr * 1.4025245441795232;
                b = yy + pb * 1.7730496453900711;
                g = (yy - 0.114 * b - 0.299 * r) * 1.7035775127768314438;
            } else {
                r = yy + pr * 1.5748;
                b = yy + pb * 1.8556;
                g = (yy - 0.0722 * b - 0.2126 * r) * 1.398210290827740596;
            }
        } else if (layout == 5) {
            g = scaleY(y[n]);
            b = scaleY(c[n]);
            r = scaleY(d[n]);
        } else {
            r = g = b = scaleY(y[n]);
        }
        out[n] = Bgr{toByte(b), toByte(g), toByte(r)};
    }
}

}  // namespace nimbrel
