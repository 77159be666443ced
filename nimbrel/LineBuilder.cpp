#include "nimbrel/LineBuilder.h"

#include <algorithm>

#include "nimbrel/IniValue.h"

namespace nimbrel {

int FilterSettings::CentreTap() const {
    return static_cast<int>(std::max_element(yTaps.begin(), yTaps.end()) - yTaps.begin());
}

int FilterSettings::ReadTaps(const std::string& filterIni, const std::string& section,
                             FilterSettings& out) {
    bool any = false;
    for (int t = 0; t < kTaps; ++t) {
        std::string text;
        out.yTaps[t] = 0.0;
        out.pbprTaps[t] = 0.0;
        if (IniValue::Read(filterIni, section, "FILTER_KEISU_Y_" + std::to_string(t), text, 32)) {
            out.yTaps[t] = IniValue::ToDouble(text);
            any = true;
        }
        if (IniValue::Read(filterIni, section, "FILTER_KEISU_PBPR_" + std::to_string(t), text,
                           32)) {
            out.pbprTaps[t] = IniValue::ToDouble(text);
            any = true;
        }
    }
    return any ? 1 : 0;
}

void FilterSettings::ReadBeginning(const std::string& filterIni, FilterSettings& out) {
    std::string text;
    IniValue::Read(filterIni, "NIMBREL_FILTER", "BEGINING_SAMPLES", text);
    out.beginMode = text == "INI" ? 0 : text == "BACKCOLOR" ? 2 : 1;
    auto level = [&](const char* key) {
        std::string value;
        const long read =
            IniValue::Read(filterIni, "NIMBREL_FILTER", key, value) ? IniValue::ToLong(value) : 0;
        return static_cast<uint8_t>(std::clamp(read, 0L, 255L));
    };
    out.beginColour =
        Bgr{level("BEGINING_SAMPLE_B"), level("BEGINING_SAMPLE_G"), level("BEGINING_SAMPLE_R")};
}

LineBuilder::LineBuilder(const ColourConverter& converter, int samples, bool doubleWidth,
                         LineMode mode)
    : m_converter(converter), m_samples(samples), m_doubleWidth(doubleWidth), m_mode(mode) {}

ConvertedSample LineBuilder::ConvertColumn(const uint8_t* row, int columns, int column) const {
    column = std::clamp(column, 0, columns - 1);
    const uint8_t* p = row + 3 * column;
    return m_converter.Convert(p[2], p[1], p[0]);
}

void LineBuilder::Store(int k, const ConvertedSample& s, Buffers& out) const {
    out[2][k] = m_converter.ToSample(s.g);
    out[3][k] = m_converter.ToSample(s.b);
    out[4][k] = m_converter.ToSample(s.r);
    switch (m_mode) {
        case LineMode::YPbPr422:
            out[0][k] = m_converter.ToSample(s.y);
            out[5][k] = 0;
            break;
        case LineMode::YPbPr444:
            out[0][k] = m_converter.ToSample(s.y);
            out[1][k] = m_converter.ToSample(s.pb);
            out[5][k] = m_converter.ToSample(s.pr);
            break;
        case LineMode::Gbr:
            out[0][k] = out[4][k];
            out[1][k] = out[2][k];
            out[5][k] = out[3][k];
            break;
    }
}

int LineBuilder::BuildLine(const uint8_t* row, int columns, int lastContentColumn,
                           Buffers& out) const {
    const int lastSampleColumn = (m_doubleWidth ? (m_samples - 1) / 2 : m_samples - 1) + kMargin;
    if (m_samples <= 0 || m_samples % 2 != 0 || row == nullptr || columns <= lastSampleColumn) {
        return 0;
    }
    for (auto& buffer : out) {
        buffer.assign(static_cast<size_t>(m_samples), 0);
    }
    auto column = [&](int k) { return (m_doubleWidth ? k / 2 : k) + kMargin; };

    if (!m_filtered) {
        for (int k = 0; k < m_samples; k += 2) {
            const ConvertedSample a = ConvertColumn(row, columns, column(k));
            const ConvertedSample b = ConvertColumn(row, columns, column(k + 1));
            Store(k, a, out);
            Store(k + 1, b, out);
            if (m_mode == LineMode::YPbPr422) {
                out[1][k] = m_converter.ToSample((a.pb + b.pb) / 2);
                out[1][k + 1] = m_converter.ToSample((a.pr + b.pr) / 2);
            }
        }
        return 1;
    }

    const Bgr& begin = m_filter.beginColour;
    const ConvertedSample beginSample = m_converter.Convert(begin.r, begin.g, begin.b);
    lastContentColumn = std::clamp(lastContentColumn, 0, columns - 1);
    // Columns past the picture are what the beginning mode says, so both edges are treated
    // alike.
    auto entering = [&](int c) {
        if (c > lastContentColumn) {
            if (m_filter.beginMode == 0) {
                return beginSample;
            }
            if (m_filter.beginMode == 1) {
                c = lastContentColumn;
            }
        }
        return ConvertColumn(row, columns, c);
    };

    std::array<ConvertedSample, kTaps> ring;
    for (int u = 0; u < kTaps; ++u) {
        if (m_filter.beginMode == 2) {
            ring[u] = ConvertColumn(row, columns, m_doubleWidth ? 25 + (u + 1) / 2 : u);
        } else if (m_filter.beginMode == 0) {
            ring[u] = beginSample;
        } else {
            ring[u] = ConvertColumn(row, columns, kMargin);
        }
    }
    const int offset = kTaps - 1 - m_filter.CentreTap();
    if (offset != 0) {
        std::copy(ring.begin() + offset, ring.end(), ring.begin());
        for (int i = 0; i < offset; ++i) {
            ring[kTaps - offset + i] = entering(kMargin + (m_doubleWidth ? i / 2 : i));
        }
    }
    const int enteringOffset = m_doubleWidth ? offset / 2 : offset;
    ConvertedSample outputs[2];
    for (int k = 0; k < m_samples; k += 2) {
        for (int n = 0; n < 2; ++n) {
            const int s = k + n;
            const int newest = s % kTaps;
            ring[newest] = entering(column(s) + enteringOffset);
            ConvertedSample sum;
            for (int t = 0; t < kTaps; ++t) {
                const ConvertedSample& v = ring[(newest + 1 + t) % kTaps];
                const double yt = m_filter.yTaps[t];
                const double ct = m_filter.pbprTaps[t];
                sum.g += yt * v.g;
                sum.b += yt * v.b;
                sum.r += yt * v.r;
                sum.y += yt * v.y;
                sum.pb += ct * v.pb;
                sum.pr += ct * v.pr;
            }
            outputs[n] = sum;
            Store(s, sum, out);
        }
        if (m_mode == LineMode::YPbPr422) {
            out[1][k] = m_converter.ToSample(outputs[1].pb);
            out[1][k + 1] = m_converter.ToSample(outputs[1].pr);
        }
    }
    return 1;
}

}  // namespace nimbrel
