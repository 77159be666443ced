#include "nimbrel/ColourConverter.h"

#include <algorithm>
#include <cmath>

namespace nimbrel {

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
    const double black = m_levels.yBlack;
    const double ySpan = double(m_levels.yWhite) - black;
    const double pbSpan = double(m_levels.pbPlus) - m_levels.pbMinus;
    const double prSpan = double(m_levels.prPlus) - m_levels.prMinus;
    const double pbZero = m_levels.pbZero;
    const double prZero = m_levels.prZero;
    const double fullScale = m_fullScale;
    // In blocks: each run of equal pixels is converted once (pictures made for a signal
    // generator are mostly flat fields, bars and steps, and the divisions below are the cost),
    // then the runs' values are spread back over the pixels. The equations run over plain
    // arrays the compiler can vectorise; each value keeps Convert's order of operations.
    constexpr int kBlock = 256;
    uint32_t value[kBlock];
    double y[kBlock];
    double pb[kBlock];
    double pr[kBlock];
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
        auto channel = [&](int i, int shift) { return double((value[i] >> shift) & 0xFF); };
        if (m_standardDefinition) {
            for (int i = 0; i < runs; ++i) {
                const double b = channel(i, 0);
                const double g = channel(i, 8);
                const double r = channel(i, 16);
                const double luma = 0.299 * r + 0.587 * g + 0.114 * b;
                const double blue = 0.564 * (b - luma);
                const double red = 0.713 * (r - luma);
                y[i] = black + ySpan * luma / fullScale;
                pb[i] = pbZero + pbSpan * blue / fullScale;
                pr[i] = prZero + prSpan * red / fullScale;
            }
        } else {
            for (int i = 0; i < runs; ++i) {
                const double b = channel(i, 0);
                const double g = channel(i, 8);
                const double r = channel(i, 16);
                const double luma = 0.2126 * r + 0.7152 * g + 0.0722 * b;
                const double blue = (b - luma) / 1.8556;
                const double red = (r - luma) / 1.5748;
                y[i] = black + ySpan * luma / fullScale;
                pb[i] = pbZero + pbSpan * blue / fullScale;
                pr[i] = prZero + prSpan * red / fullScale;
            }
        }
        double* outG = planes[0] + start;
        double* outB = planes[1] + start;
        double* outR = planes[2] + start;
        double* outY = planes[3] + start;
        double* outPb = planes[4] + start;
        double* outPr = planes[5] + start;
        for (int i = 0; i < n; ++i) {
            outB[i] = m_byteLevel[p[3 * i]];
            outG[i] = m_byteLevel[p[3 * i + 1]];
            outR[i] = m_byteLevel[p[3 * i + 2]];
            outY[i] = y[run[i]];
            outPb[i] = pb[run[i]];
            outPr[i] = pr[run[i]];
        }
    }
}

void ColourConverter::ToSamples(const double* levels, int count, uint16_t* out) const {
    const double maximum = Maximum();
    for (int i = 0; i < count; ++i) {
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
