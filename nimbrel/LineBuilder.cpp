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

namespace {

enum Plane { kG, kB, kR, kY, kPb, kPr };

void Round(const ColourConverter& converter, const double* levels, int count, uint16_t* out) {
    for (int i = 0; i < count; ++i) {
        out[i] = converter.ToSample(levels[i]);
    }
}

// sum[s] = taps[0] * window[s] + ... + taps[50] * window[s + 50], added from the oldest value to
// the newest, starting from 0, like the instrument: the order decides the last bit, and with it
// samples that land on a half. Eight samples at a time keep their sums in registers.
void Filter(const double* window, const double* taps, int count, double* sum) {
    constexpr int kLanes = 8;
    int s = 0;
    for (; s + kLanes <= count; s += kLanes) {
        double acc[kLanes] = {};
        for (int t = 0; t < kTaps; ++t) {
            const double w = taps[t];
            const double* e = window + s + t;
            for (int i = 0; i < kLanes; ++i) {
                acc[i] += w * e[i];
            }
        }
        for (int i = 0; i < kLanes; ++i) {
            sum[s + i] = acc[i];
        }
    }
    for (; s < count; ++s) {
        double acc = 0;
        for (int t = 0; t < kTaps; ++t) {
            acc += taps[t] * window[s + t];
        }
        sum[s] = acc;
    }
}

}  // namespace

void LineBuilder::ConvertRow(const uint8_t* row, int columns) const {
    std::array<double*, 6> planes;
    for (size_t p = 0; p < planes.size(); ++p) {
        m_scratch.column[p].resize(static_cast<size_t>(columns) + 1);
        planes[p] = m_scratch.column[p].data();
    }
    m_converter.ConvertPixels(row, columns, planes.data());
    const Bgr& begin = m_filter.beginColour;
    const uint8_t beginPixel[3] = {begin.b, begin.g, begin.r};
    for (auto& plane : planes) {
        plane += columns;
    }
    m_converter.ConvertPixels(beginPixel, 1, planes.data());
}

void LineBuilder::StorePlanes(const std::array<const double*, 6>& levels, Buffers& out) const {
    const int n = m_samples;
    Round(m_converter, levels[kG], n, out[2].data());
    Round(m_converter, levels[kB], n, out[3].data());
    Round(m_converter, levels[kR], n, out[4].data());
    switch (m_mode) {
        case LineMode::YPbPr422:
            Round(m_converter, levels[kY], n, out[0].data());
            break;
        case LineMode::YPbPr444:
            Round(m_converter, levels[kY], n, out[0].data());
            Round(m_converter, levels[kPb], n, out[1].data());
            Round(m_converter, levels[kPr], n, out[5].data());
            break;
        case LineMode::Gbr:
            out[0] = out[4];
            out[1] = out[2];
            out[5] = out[3];
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
    ConvertRow(row, columns);
    if (m_filtered) {
        return BuildFiltered(columns, lastContentColumn, out);
    }

    const int n = m_samples;
    std::array<const double*, 6> levels;
    for (size_t p = 0; p < levels.size(); ++p) {
        const std::vector<double>& column = m_scratch.column[p];
        if (!m_doubleWidth) {
            levels[p] = column.data() + kMargin;
            continue;
        }
        std::vector<double>& twice = m_scratch.window[p];
        twice.resize(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) {
            twice[static_cast<size_t>(k)] = column[static_cast<size_t>(k / 2 + kMargin)];
        }
        levels[p] = twice.data();
    }
    StorePlanes(levels, out);
    if (m_mode == LineMode::YPbPr422) {
        const double* pb = levels[kPb];
        const double* pr = levels[kPr];
        for (int k = 0; k < n; k += 2) {
            out[1][k] = m_converter.ToSample((pb[k] + pb[k + 1]) / 2);
            out[1][k + 1] = m_converter.ToSample((pr[k] + pr[k + 1]) / 2);
        }
    }
    return 1;
}

int LineBuilder::BuildFiltered(int columns, int lastContentColumn, Buffers& out) const {
    const int n = m_samples;
    const int beginEntry = columns;  // where ConvertRow put the beginning colour
    const int mode = m_filter.beginMode;
    lastContentColumn = std::clamp(lastContentColumn, 0, columns - 1);
    auto frameColumn = [&](int c) { return std::clamp(c, 0, columns - 1); };
    // Columns past the picture are what the beginning mode says, so both edges are treated
    // alike.
    auto entering = [&](int c) {
        if (c > lastContentColumn) {
            if (mode == 0) {
                return beginEntry;
            }
            if (mode == 1) {
                c = lastContentColumn;
            }
        }
        return frameColumn(c);
    };

    // What the filter holds before the first sample, then the columns entering it.
    std::array<int, kTaps> ring;
    for (int u = 0; u < kTaps; ++u) {
        if (mode == 2) {
            ring[u] = frameColumn(m_doubleWidth ? 25 + (u + 1) / 2 : u);
        } else if (mode == 0) {
            ring[u] = beginEntry;
        } else {
            ring[u] = frameColumn(kMargin);
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
    // The first sample pushes out the oldest value; the other 50 stay for it.
    std::vector<int>& source = m_scratch.source;
    source.resize(static_cast<size_t>(kTaps - 1 + n));
    std::copy(ring.begin() + 1, ring.end(), source.begin());
    for (int s = 0; s < n; ++s) {
        const int column = (m_doubleWidth ? s / 2 : s) + kMargin;
        source[static_cast<size_t>(kTaps - 1 + s)] = entering(column + enteringOffset);
    }

    // G, B and R always; Y, Pb and Pr only where the line carries them.
    const int planes = m_mode == LineMode::Gbr ? 3 : 6;
    std::array<const double*, 6> levels{};
    for (int p = 0; p < planes; ++p) {
        const std::vector<double>& column = m_scratch.column[static_cast<size_t>(p)];
        std::vector<double>& window = m_scratch.window[static_cast<size_t>(p)];
        window.resize(source.size());
        for (size_t j = 0; j < source.size(); ++j) {
            window[j] = column[static_cast<size_t>(source[j])];
        }
        std::vector<double>& sum = m_scratch.sum[static_cast<size_t>(p)];
        sum.resize(static_cast<size_t>(n));
        const double* taps = p < kPb ? m_filter.yTaps.data() : m_filter.pbprTaps.data();
        Filter(window.data(), taps, n, sum.data());
        levels[static_cast<size_t>(p)] = sum.data();
    }
    StorePlanes(levels, out);
    if (m_mode == LineMode::YPbPr422) {
        // The pair's chroma is the second sample's, filtered.
        const double* pb = levels[kPb];
        const double* pr = levels[kPr];
        for (int k = 0; k < n; k += 2) {
            out[1][k] = m_converter.ToSample(pb[k + 1]);
            out[1][k + 1] = m_converter.ToSample(pr[k + 1]);
        }
    }
    return 1;
}

}  // namespace nimbrel
