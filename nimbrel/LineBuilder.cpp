#include "nimbrel/LineBuilder.h"

#include <algorithm>
#include <cstring>

#include "nimbrel/IniValue.h"
#include "nimbrel/Lanes.h"

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
        // The whole value counts: "1.23456789012345678901234567e-05" cut at 31 characters
        // would weigh its column 100000 times more.
        if (IniValue::Read(filterIni, section, "FILTER_KEISU_Y_" + std::to_string(t), text)) {
            out.yTaps[t] = IniValue::ToDouble(text);
            any = true;
        }
        if (IniValue::Read(filterIni, section, "FILTER_KEISU_PBPR_" + std::to_string(t), text)) {
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

bool SameBits(double a, double b) {
    uint64_t x;
    uint64_t y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

// What one plane's filter reads: from[t] points at the values tap t weighs, sum s at from[t][s];
// sum s weighs entries oldest + stride * s through that plus 50.
struct FilterInput {
    std::array<const double*, kTaps> from;
    const double* entries;
    int entryCount;
    int stride;
    int oldest;
};

// The last index of the run of entries identical to entries[first].
int RunEnd(const double* entries, int count, int first) {
    const double value = entries[first];
    int end = first;
    // Eight at a time without stopping early, so the compiler can compare them side by side.
    while (end + 8 < count) {
        bool same = true;
        for (int i = 1; i <= 8; ++i) {
            same &= SameBits(entries[end + i], value);
        }
        if (!same) {
            break;
        }
        end += 8;
    }
    while (end + 1 < count && SameBits(entries[end + 1], value)) {
        ++end;
    }
    return end;
}

double Weigh(const double* taps, double value) {
    double acc = 0;
    for (int t = 0; t < kTaps; ++t) {
        acc += taps[t] * value;
    }
    return acc;
}

// sum[s] = taps[0] * from[0][s] + ... + taps[50] * from[50][s], added from the oldest value to
// the newest, starting from 0, like the instrument: the order decides the last bit, and with it
// samples that land on a half. Thirty-two sums at a time stay in registers, eight to a lane
// group. A tap of 0 is left out: every entry is a finite level, so its product is a zero, and
// adding a zero to a sum that started at +0 changes nothing (such a sum is never -0). Where all
// the entries under a block of sums are one value, the sums are that value weighed once, the
// same operations in the same order: flat fields and bars cost next to nothing.
NIMBREL_WIDE_LANES
void Filter(const FilterInput& in, const double* taps, int count, double* sum) {
    constexpr int kGroups = 4;
    constexpr int kBlock = kGroups * kLanes;
    int used[kTaps];
    int usedCount = 0;
    for (int t = 0; t < kTaps; ++t) {
        if (taps[t] != 0.0) {
            used[usedCount++] = t;
        }
    }
    bool weighed = false;
    double flatValue = 0;
    double flatSum = 0;
    int runEnd = -1;  // entries up to here are known to repeat the one at their run's start
    int s = 0;
    for (; s + kBlock <= count; s += kBlock) {
        const int first = in.oldest + in.stride * s;
        const int last = in.oldest + in.stride * (s + kBlock - 1) + kTaps - 1;
        if (first > runEnd) {
            runEnd = RunEnd(in.entries, in.entryCount, first);
        }
        if (runEnd >= last) {
            const double value = in.entries[first];
            if (!weighed || !SameBits(value, flatValue)) {
                flatValue = value;
                flatSum = Weigh(taps, value);
                weighed = true;
            }
            std::fill(sum + s, sum + s + kBlock, flatSum);
            continue;
        }
        Lanes acc[kGroups] = {};
        for (int u = 0; u < usedCount; ++u) {
            const int t = used[u];
            const double w = taps[t];
            const double* e = in.from[static_cast<size_t>(t)] + s;
            for (int i = 0; i < kGroups; ++i) {
                Lanes entries;
                LoadLanes(entries, e + kLanes * i);
                acc[i] += w * entries;
            }
        }
        for (int i = 0; i < kGroups; ++i) {
            StoreLanes(sum + s + kLanes * i, acc[i]);
        }
    }
    for (; s < count; ++s) {
        double acc = 0;
        for (int u = 0; u < usedCount; ++u) {
            acc += taps[used[u]] * in.from[static_cast<size_t>(used[u])][s];
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
    if (levels[kG] != nullptr) {
        m_converter.ToSamples(levels[kG], n, out[2].data());
        m_converter.ToSamples(levels[kB], n, out[3].data());
        m_converter.ToSamples(levels[kR], n, out[4].data());
    }
    switch (m_mode) {
        case LineMode::YPbPr422:
            m_converter.ToSamples(levels[kY], n, out[0].data());
            break;
        case LineMode::YPbPr444:
            m_converter.ToSamples(levels[kY], n, out[0].data());
            m_converter.ToSamples(levels[kPb], n, out[1].data());
            m_converter.ToSamples(levels[kPr], n, out[5].data());
            break;
        case LineMode::Gbr:
            out[0] = out[4];
            out[1] = out[2];
            out[5] = out[3];
            break;
    }
}

bool LineBuilder::BuildFromRuns(const uint8_t* row, Buffers& out) const {
    const int perColumn = m_doubleWidth ? 2 : 1;
    const int width = m_samples / perColumn;
    const uint8_t* first = row + 3 * kMargin;
    auto pixel = [&](int c) {
        const uint8_t* p = first + 3 * c;
        return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
    };
    // Worth it only where runs are long, 64 pixels on average: otherwise the row at a time is the
    // faster way. The runs are found in one pass that gives a busy row up as soon as it has too
    // many.
    std::vector<int>& ends = m_scratch.runEnds;
    ends.clear();
    const size_t most = static_cast<size_t>(width / 64);
    for (int c = 1; c < width;) {
        // Eight pixels at a time while each equals the one before: their bytes then equal the
        // same bytes one pixel earlier.
        if (c + 8 <= width && std::memcmp(first + 3 * c, first + 3 * (c - 1), 24) == 0) {
            c += 8;
            continue;
        }
        if (pixel(c) != pixel(c - 1)) {
            if (ends.size() >= most) {
                return false;
            }
            ends.push_back(c);
        }
        ++c;
    }
    ends.push_back(width);
    ConvertedSample previous;
    int start = 0;
    for (const int end : ends) {
        const uint8_t* p = first + 3 * start;
        const ConvertedSample level = m_converter.Convert(p[2], p[1], p[0]);
        const size_t from = static_cast<size_t>(start * perColumn);
        const size_t to = static_cast<size_t>(end * perColumn);
        auto fill = [&](int buffer, double value) {
            std::fill(out[buffer].begin() + from, out[buffer].begin() + to,
                      m_converter.ToSample(value));
        };
        if (m_componentsWanted || m_mode == LineMode::Gbr) {
            fill(2, level.g);
            fill(3, level.b);
            fill(4, level.r);
        }
        switch (m_mode) {
            case LineMode::YPbPr422: {
                fill(0, level.y);
                // A pair inside the run averages a value with itself, which is that value.
                size_t k = from;
                if (k % 2 == 1) {
                    out[1][k - 1] = m_converter.ToSample((previous.pb + level.pb) / 2);
                    out[1][k] = m_converter.ToSample((previous.pr + level.pr) / 2);
                    ++k;
                }
                const uint16_t pb = m_converter.ToSample(level.pb);
                const uint16_t pr = m_converter.ToSample(level.pr);
                for (; k + 1 < to; k += 2) {
                    out[1][k] = pb;
                    out[1][k + 1] = pr;
                }
                break;
            }
            case LineMode::YPbPr444:
                fill(0, level.y);
                fill(1, level.pb);
                fill(5, level.pr);
                break;
            case LineMode::Gbr:
                fill(0, level.r);
                fill(1, level.g);
                fill(5, level.b);
                break;
        }
        previous = level;
        start = end;
    }
    return true;
}

int LineBuilder::BuildLine(const uint8_t* row, int columns, int lastContentColumn,
                           Buffers& out) const {
    const int lastSampleColumn = (m_doubleWidth ? (m_samples - 1) / 2 : m_samples - 1) + kMargin;
    if (m_samples <= 0 || m_samples % 2 != 0 || row == nullptr || columns <= lastSampleColumn) {
        return 0;
    }
    // Every path writes every buffer the mode carries; a 4:2:2 line carries no sixth one, and
    // the G, B and R files carry it as zeros.
    for (auto& buffer : out) {
        buffer.resize(static_cast<size_t>(m_samples));
    }
    if (m_mode == LineMode::YPbPr422) {
        std::fill(out[5].begin(), out[5].end(), uint16_t{0});
    }
    if (m_filtered) {
        ConvertRow(row, columns);
        return BuildFiltered(columns, lastContentColumn, out);
    }
    if (BuildFromRuns(row, out)) {
        return 1;
    }
    if (!m_doubleWidth) {
        BuildColumns(row + 3 * kMargin, out);
        return 1;
    }
    ConvertRow(row, columns);

    const int n = m_samples;
    std::array<const double*, 6> levels;
    for (size_t p = 0; p < levels.size(); ++p) {
        const std::vector<double>& column = m_scratch.column[p];
        std::vector<double>& twice = m_scratch.window[p];
        twice.resize(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) {
            twice[static_cast<size_t>(k)] = column[static_cast<size_t>(k / 2 + kMargin)];
        }
        levels[p] = twice.data();
    }
    StorePlanes(levels, out);
    if (m_mode == LineMode::YPbPr422) {
        StoreChromaPairs(levels[kPb], levels[kPr], out);
    }
    return 1;
}

void LineBuilder::StoreChromaPairs(const double* pb, const double* pr, Buffers& out) const {
    for (int k = 0; k < m_samples; k += 2) {
        out[1][k] = m_converter.ToSample((pb[k] + pb[k + 1]) / 2);
        out[1][k + 1] = m_converter.ToSample((pr[k] + pr[k + 1]) / 2);
    }
}

void LineBuilder::BuildColumns(const uint8_t* first, Buffers& out) const {
    // The G, B and R samples depend on one byte each, so they come from a table; Y, Pb and Pr
    // only where the line carries them.
    const int n = m_samples;
    if (m_componentsWanted || m_mode == LineMode::Gbr) {
        m_converter.ToComponentSamples(first, n, out[2].data(), out[3].data(), out[4].data());
    }
    if (m_mode == LineMode::Gbr) {
        out[0] = out[4];
        out[1] = out[2];
        out[5] = out[3];
        return;
    }
    if (m_mode == LineMode::YPbPr422) {
        m_converter.ToSamples422(first, n, out[0].data(), out[1].data());
        return;
    }
    for (size_t p = kY; p <= kPr; ++p) {
        m_scratch.column[p].resize(static_cast<size_t>(n));
    }
    double* y = m_scratch.column[kY].data();
    double* pb = m_scratch.column[kPb].data();
    double* pr = m_scratch.column[kPr].data();
    m_converter.ConvertToYPbPr(first, n, y, pb, pr);
    m_converter.ToSamples(y, n, out[0].data());
    m_converter.ToSamples(pb, n, out[1].data());
    m_converter.ToSamples(pr, n, out[5].data());
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

    // Mostly the entries are frame columns one after another: copied as stretches then, except
    // for a double-width line, where each column enters twice.
    std::vector<Stretch>& stretches = m_scratch.stretches;
    stretches.clear();
    for (int j = 0; j < static_cast<int>(source.size()); ++j) {
        const int from = source[static_cast<size_t>(j)];
        if (!stretches.empty() && stretches.back().from + stretches.back().length == from &&
            stretches.back().to + stretches.back().length == j) {
            ++stretches.back().length;
        } else {
            stretches.push_back(Stretch{j, from, 1});
        }
    }
    const bool straight = stretches.size() * 8 < source.size();

    // G, B and R always; Y where the line carries it; Pb and Pr for every sample of a 4:4:4
    // line, only for the second of each pair of a 4:2:2 line, the one whose chroma it carries.
    const bool pairChroma = m_mode == LineMode::YPbPr422;
    const int planes = m_mode == LineMode::Gbr ? 3 : 6;
    const int firstPlane = m_componentsWanted || m_mode == LineMode::Gbr ? 0 : kY;
    std::array<const double*, 6> levels{};
    for (int p = firstPlane; p < planes; ++p) {
        const std::vector<double>& column = m_scratch.column[static_cast<size_t>(p)];
        std::vector<double>& window = m_scratch.window[static_cast<size_t>(p)];
        std::vector<double>& sum = m_scratch.sum[static_cast<size_t>(p)];
        const double* taps = p < kPb ? m_filter.yTaps.data() : m_filter.pbprTaps.data();
        window.resize(source.size());
        if (straight) {
            for (const Stretch& stretch : stretches) {
                std::copy_n(column.begin() + stretch.from, stretch.length,
                            window.begin() + stretch.to);
            }
        } else {
            for (size_t j = 0; j < source.size(); ++j) {
                window[j] = column[static_cast<size_t>(source[j])];
            }
        }
        FilterInput in;
        in.entries = window.data();
        in.entryCount = static_cast<int>(window.size());
        if (pairChroma && p >= kPb) {
            // Sample 2j + 1 weighs entries 2j + 1 + t: the odd entries for even taps, the even
            // ones for odd taps, each run contiguous when the entries are split in two.
            const size_t half = static_cast<size_t>(n / 2 + kTaps / 2);
            std::vector<double>& split = m_scratch.split;
            split.resize(2 * half);
            double* odd = split.data();
            double* even = split.data() + half;
            for (size_t i = 0; i < half; ++i) {
                odd[i] = window[2 * i + 1];
                even[i] = window[2 * i];
            }
            for (int t = 0; t < kTaps; ++t) {
                in.from[static_cast<size_t>(t)] = t % 2 == 0 ? odd + t / 2 : even + (t + 1) / 2;
            }
            in.stride = 2;
            in.oldest = 1;
            sum.resize(static_cast<size_t>(n / 2));
            Filter(in, taps, n / 2, sum.data());
        } else {
            for (int t = 0; t < kTaps; ++t) {
                in.from[static_cast<size_t>(t)] = window.data() + t;
            }
            in.stride = 1;
            in.oldest = 0;
            sum.resize(static_cast<size_t>(n));
            Filter(in, taps, n, sum.data());
        }
        levels[static_cast<size_t>(p)] = sum.data();
    }
    StorePlanes(levels, out);
    if (pairChroma) {
        // The filter made one Pb and one Pr per pair already.
        const double* pb = levels[kPb];
        const double* pr = levels[kPr];
        for (int k = 0; k < n; k += 2) {
            out[1][k] = m_converter.ToSample(pb[k / 2]);
            out[1][k + 1] = m_converter.ToSample(pr[k / 2]);
        }
    }
    return 1;
}

}  // namespace nimbrel
