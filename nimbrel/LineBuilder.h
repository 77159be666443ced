// One frame-bitmap row into the six sample buffers of a picture line, with or without the
// 51-tap horizontal filter. The frame bitmap has a 51-column margin on each side of the picture
// so the filter has real neighbours at the edges; sample k belongs to column k + 51 (column
// k / 2 + 51 for a double-width format).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nimbrel/ColourConverter.h"

namespace nimbrel {

constexpr int kTaps = 51;
constexpr int kMargin = 51;

enum class LineMode { YPbPr422, YPbPr444, Gbr };

struct FilterSettings {
    std::array<double, kTaps> yTaps{};
    std::array<double, kTaps> pbprTaps{};
    // 0: the beginning colour, 1: edge repetition, 2: the frame bitmap's own margins.
    int beginMode = 1;
    Bgr beginColour;

    // Index of the largest Y tap, the first on a tie.
    int CentreTap() const;
    // Reads the taps of `section` from the filter ini. 1/0: 0 when the section holds no tap at
    // all, since building with it would give an all-zero picture.
    static int ReadTaps(const std::string& filterIni, const std::string& section,
                        FilterSettings& out);
    // The beginning mode and colour of section "NIMBREL_FILTER".
    static void ReadBeginning(const std::string& filterIni, FilterSettings& out);
};

class LineBuilder {
public:
    using Buffers = std::array<std::vector<uint16_t>, 6>;

    // samples must be even: lines are built in pairs of sample positions.
    LineBuilder(const ColourConverter& converter, int samples, bool doubleWidth, LineMode mode);
    void SetFilter(const FilterSettings& filter) {
        m_filter = filter;
        m_filtered = true;
    }

    // False when no G, B or R file is made: a Y, Pb, Pr line then leaves the G, B and R buffers
    // as they are instead of spending half its time on samples nobody writes.
    void SetComponentsWanted(bool wanted) { m_componentsWanted = wanted; }

    // row: BGR bytes of `columns` frame columns. lastContentColumn: the last column that holds
    // picture. 1/0: 0 when the row is too narrow for the samples or the count is odd.
    int BuildLine(const uint8_t* row, int columns, int lastContentColumn, Buffers& out) const;

private:
    // Per line, the frame columns as level planes (one more entry for the beginning colour),
    // then, with the filter, the values in the order they enter the filter: the 50 left in it
    // before the first sample, then one per sample.
    struct Stretch {
        int to;
        int from;
        int length;
    };
    struct Scratch {
        std::array<std::vector<double>, 6> column;
        std::array<std::vector<double>, 6> window;
        std::array<std::vector<double>, 6> sum;
        std::vector<double> split;
        std::vector<int> source;
        std::vector<int> runEnds;
        std::vector<Stretch> stretches;
    };

    // An unfiltered line made run by run when the row is mostly runs of equal pixels; false
    // (nothing done) when it is not.
    bool BuildFromRuns(const uint8_t* row, Buffers& out) const;
    // An unfiltered single-width line from its first picture column.
    void BuildColumns(const uint8_t* first, Buffers& out) const;
    // Each pair's Pb and Pr of a 4:2:2 line: the mean of its two samples' levels.
    void StoreChromaPairs(const double* pb, const double* pr, Buffers& out) const;
    void ConvertRow(const uint8_t* row, int columns) const;
    void StorePlanes(const std::array<const double*, 6>& levels, Buffers& out) const;
    int BuildFiltered(int columns, int lastContentColumn, Buffers& out) const;

    const ColourConverter& m_converter;
    int m_samples;
    bool m_doubleWidth;
    LineMode m_mode;
    bool m_filtered = false;
    bool m_componentsWanted = true;
    FilterSettings m_filter;
    // Reused from line to line: a builder serves one build on one thread.
    mutable Scratch m_scratch;
};

}  // namespace nimbrel
