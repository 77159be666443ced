// Time of one 1920 x 1080 picture build (1080 59i, the shipped ini files) through Nimbrel's
// engine, for three pictures: colour bars, uniform noise and a photo-like picture of smooth
// gradients with sharp edges. Each is built without and with the filter, as the whole build and
// as the main file alone, and its samples are made alone, without settings or files; every
// figure runs alternately with libswscale converting the same bitmap in this process to 10-bit
// 4:2:2 (BT.709, TV range), when the bench was linked with it. Both sides of the samples alone
// write the same bytes: 16-bit samples in the machine's own byte order, the picture file's order
// being put on by the file writing the whole build times. The file writing a build does is timed
// on its own as the floor under the build's figures. One core each side.
#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchStats.h"
#include "nimbrel/BuildProgress.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/FormatTable.h"
#include "nimbrel/LineBuilder.h"
#include "nimbrel/PictureBuild.h"
#include "platform/Bitmap.h"
#include "platform/Numbers.h"

#if defined(QUARN_HAVE_SWSCALE)
extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}
#endif

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRounds = 9;

class Quiet : public nimbrel::BuildProgress {
public:
    void ShowProgress(int) override {}
    bool StepProgress(int) override { return true; }
    void HideProgress() override {}
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// Colour bars over the top two thirds, a horizontal ramp of every channel below.
platform::Bitmap Bars() {
    static const uint8_t bars[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                       {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    platform::Bitmap picture;
    picture.Create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (y < 2 * kHeight / 3) {
                const uint8_t* bar = bars[x * 8 / kWidth];
                picture.SetPixel(x, y, bar[0], bar[1], bar[2]);
            } else {
                const auto v = static_cast<uint8_t>(x * 255 / (kWidth - 1));
                picture.SetPixel(x, y, v, static_cast<uint8_t>(255 - v), v);
            }
        }
    }
    return picture;
}

// Every byte drawn uniformly: no two neighbours alike, the worst case for run-length shortcuts.
platform::Bitmap Noise() {
    platform::Bitmap picture;
    picture.Create(kWidth, kHeight);
    uint64_t state = 0x9E3779B97F4A7C15u;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = picture.Row(y);
        for (int i = 0; i < 3 * kWidth; ++i) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            row[i] = static_cast<uint8_t>(state >> 32);
        }
    }
    return picture;
}

uint8_t Byte(double v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

// A landscape: a sky graded from top to horizon, a shaded sun, rolling hills, a house with
// windows and a road. Gradients change a little from pixel to pixel, outlines cut sharply.
platform::Bitmap PhotoLike() {
    platform::Bitmap picture;
    picture.Create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double fx = double(x) / kWidth;
            const double fy = double(y) / kHeight;
            const double horizon = 620 + 70 * std::sin(x / 170.0) + 30 * std::sin(x / 47.0);
            double r = 0;
            double g = 0;
            double b = 0;
            const double sunX = x - 1450.0;
            const double sunY = y - 230.0;
            const double sun = std::sqrt(sunX * sunX + sunY * sunY);
            if (y < horizon) {
                r = 40 + 170 * fy + 25 * fx;
                g = 90 + 140 * fy + 10 * fx;
                b = 200 + 50 * fy;
                if (sun < 130) {
                    r = 255;
                    g = 250 - 60 * sun / 130;
                    b = 220 - 110 * sun / 130;
                }
            } else {
                const double depth = (y - horizon) / (kHeight - horizon + 1);
                r = 30 + 60 * fx + 40 * depth;
                g = 110 + 70 * depth - 30 * fx;
                b = 35 + 20 * depth;
                const double roadCentre = 960 + (y - 640) * 0.9;
                const double roadHalf = 20 + (y - 640) * 0.35;
                if (std::abs(x - roadCentre) < roadHalf) {
                    r = g = b = 95 + 50 * depth;
                }
            }
            if (x >= 260 && x < 720 && y >= 480 && y < 900) {
                r = 180 - 60 * (x - 260) / 460.0;
                g = 150 - 50 * (x - 260) / 460.0;
                b = 120 - 40 * (x - 260) / 460.0;
                const int wx = (x - 260) % 115;
                const int wy = (y - 480) % 140;
                if (wx > 30 && wx < 90 && wy > 35 && wy < 105) {
                    r = 30 + 40 * (wy - 35) / 70.0;
                    g = 40 + 40 * (wy - 35) / 70.0;
                    b = 70 + 60 * (wy - 35) / 70.0;
                }
            }
            picture.SetPixel(x, y, Byte(r), Byte(g), Byte(b));
        }
    }
    return picture;
}

// The picture in a frame bitmap with the background margins the build wants on both sides.
platform::Bitmap Framed(const platform::Bitmap& picture) {
    platform::Bitmap frame;
    frame.Create(kWidth + 2 * nimbrel::kMargin, kHeight);
    frame.CopyRect(nimbrel::kMargin, 0, picture, 0, 0, kWidth, kHeight);
    return frame;
}

// Seconds of one whole build (settings read, files written, fields merged), its output dropped.
double TimeBuild(const std::string& folder, const nimbrel::PictureBuildInput& input) {
    nimbrel::CFileMakeInfo job(folder);
    Quiet progress;
    const auto start = bench::Clock::now();
    const int code = nimbrel::RunPictureBuild(job, input, progress);
    const double seconds = bench::SecondsSince(start);
    nimbrel::DropOutputs(job);
    if (code != 0) {
        std::fprintf(stderr, "build failed with code %d\n", code);
        std::exit(1);
    }
    return seconds;
}

// Seconds of the samples alone: every row of the frame through a line builder with the build's
// levels and 4:2:2 layout, the Y and the Pb/Pr samples kept in a whole picture as the library's
// conversion keeps its planes; no settings read, no file written.
double TimeConversion(const platform::Bitmap& frame, std::vector<uint16_t>& picture) {
    const nimbrel::ColourConverter converter(nimbrel::LevelSet{}, false, false);
    nimbrel::LineBuilder builder(converter, kWidth, false, nimbrel::LineMode::YPbPr422);
    builder.SetComponentsWanted(false);  // Y, Pb and Pr only, like the library's planes
    nimbrel::LineBuilder::Buffers line;
    picture.resize(size_t{2} * kWidth * kHeight);
    const auto start = bench::Clock::now();
    for (int y = 0; y < kHeight; ++y) {
        if (builder.BuildLine(frame.Row(y), frame.Width(), frame.Width() - 1, line) != 1) {
            std::fprintf(stderr, "line %d not built\n", y);
            std::exit(1);
        }
        uint16_t* to = picture.data() + size_t{2} * kWidth * static_cast<size_t>(y);
        std::copy(line[0].begin(), line[0].end(), to);
        std::copy(line[1].begin(), line[1].end(), to + kWidth);
    }
    return bench::SecondsSince(start);
}

// Seconds of the build's file work alone, the floor under any build: for each of `files`
// components a field-1 and a field-2 file of line records as large as the build's, written in
// the build's 256 KiB pieces, field 2 appended to field 1 in 1 MiB pieces and deleted.
double TimeFileWriting(const std::string& folder, int files) {
    const size_t record = 6 + 2 * 2 * size_t{kWidth};
    const size_t field = record * (kHeight / 2);
    std::vector<uint8_t> data(field, 0x40);
    std::vector<uint8_t> chunk(size_t{1024} * 1024);
    bool ok = true;
    auto writeAll = [&](int fd, const uint8_t* from, size_t count) {
        while (count > 0) {
            const ssize_t done = ::write(fd, from, count);
            if (done <= 0) {
                ok = false;
                return;
            }
            from += done;
            count -= static_cast<size_t>(done);
        }
    };
    const auto start = bench::Clock::now();
    for (int c = 0; c < files; ++c) {
        const std::string one = folder + "/floor1_" + std::to_string(c);
        const std::string two = folder + "/floor2_" + std::to_string(c);
        const int first = ::open(one.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        const int second = ::open(two.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        for (size_t at = 0; at < field; at += 256 * 1024) {
            const size_t part = std::min<size_t>(256 * 1024, field - at);
            writeAll(first, data.data() + at, part);
            writeAll(second, data.data() + at, part);
        }
        ::lseek(second, 0, SEEK_SET);
        ssize_t got = 0;
        while ((got = ::read(second, chunk.data(), chunk.size())) > 0) {
            writeAll(first, chunk.data(), static_cast<size_t>(got));
        }
        ok = ok && first >= 0 && second >= 0 && got == 0;
        ::close(first);
        ::close(second);
        ::unlink(two.c_str());
    }
    const double seconds = bench::SecondsSince(start);
    for (int c = 0; c < files; ++c) {
        ::unlink((folder + "/floor1_" + std::to_string(c)).c_str());
    }
    if (!ok) {
        std::fprintf(stderr, "cannot write the floor files in %s\n", folder.c_str());
        std::exit(1);
    }
    return seconds;
}

#if defined(QUARN_HAVE_SWSCALE)
// libswscale's conversion of the frame's picture to planar 10-bit 4:2:2, as ffmpeg's scale
// filter makes it by default (bicubic, one thread), to the BT.709 matrix at TV range, its samples
// in the machine's own byte order like the ones the samples alone keep: asked for the picture
// file's big-endian order it would swap every sample inside its figure while ours swaps outside.
class Swscale {
public:
    Swscale() {
        m_context = sws_getContext(kWidth, kHeight, AV_PIX_FMT_BGR24, kWidth, kHeight,
                                   AV_PIX_FMT_YUV422P10, SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (m_context == nullptr) {
            std::fprintf(stderr, "sws_getContext failed\n");
            std::exit(1);
        }
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        // RGB input is full range; the output is TV range.
        sws_setColorspaceDetails(m_context, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
        m_y.resize(size_t{kWidth} * kHeight);
        m_u.resize(size_t{kWidth / 2} * kHeight);
        m_v.resize(size_t{kWidth / 2} * kHeight);
    }
    ~Swscale() { sws_freeContext(m_context); }
    Swscale(const Swscale&) = delete;
    Swscale& operator=(const Swscale&) = delete;

    double Time(const platform::Bitmap& frame) {
        const uint8_t* source[4] = {frame.Row(0) + 3 * nimbrel::kMargin, nullptr, nullptr, nullptr};
        const int sourceStride[4] = {3 * frame.Width(), 0, 0, 0};
        uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(m_y.data()),
                              reinterpret_cast<uint8_t*>(m_u.data()),
                              reinterpret_cast<uint8_t*>(m_v.data()), nullptr};
        const int strides[4] = {2 * kWidth, kWidth, kWidth, 0};
        const auto start = bench::Clock::now();
        const int rows = sws_scale(m_context, source, sourceStride, 0, kHeight, planes, strides);
        const double seconds = bench::SecondsSince(start);
        if (rows != kHeight) {
            std::fprintf(stderr, "sws_scale made %d rows\n", rows);
            std::exit(1);
        }
        return seconds;
    }

private:
    SwsContext* m_context = nullptr;
    std::vector<uint16_t> m_y;
    std::vector<uint16_t> m_u;
    std::vector<uint16_t> m_v;
};
#endif

struct Row {
    const char* picture;
    bench::Spread side[5];  // as kWhat
    bench::Spread swscale;  // beside the samples alone
    bool compared = false;
};

const char* const kWhat[5] = {"without filter, whole build", "without filter, main file only",
                              "without filter, samples alone", "with filter, whole build",
                              "with filter, main file only"};
const char* const kGoal[5] = {"none; under 40 ms alone", "none; see the file floor", "at most 1.00",
                              "none; under 150 ms alone", "none"};

}  // namespace

int main() {
    platform::UseCNumericLocale();
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string resources = std::string(QUARN_SOURCE_DIR) + "/resources/nimbrel/";
    const std::string ini = ReadText(resources + "Nimbrel.ini");
    const std::string filterIni = ReadText(resources + "Nimbrel_Filter.ini");
    WriteText(folder + "/Nimbrel.ini", ini);
    WriteText(folder + "/Nimbrel_Filter.ini", filterIni);

    // The same build making the main file only: the samples the library's conversion makes.
    QTemporaryDir mainOnlyDir;
    const std::string mainOnly = mainOnlyDir.path().toStdString();
    std::string mainIni = ini;
    for (const char* c : {"G", "B", "R"}) {
        const std::string on = std::string("MAKE_") + c + "=ON";
        const auto at = mainIni.find(on);
        if (at == std::string::npos) {
            std::fprintf(stderr, "no %s in the shipped ini\n", on.c_str());
            return 1;
        }
        mainIni.replace(at, on.size(), std::string("MAKE_") + c + "=OFF");
    }
    WriteText(mainOnly + "/Nimbrel.ini", mainIni);
    WriteText(mainOnly + "/Nimbrel_Filter.ini", filterIni);

    nimbrel::FormatTable table;
    table.Read(folder + "/Nimbrel.ini", true);
    const auto& formats = table.Formats();
    const auto format = std::find_if(formats.begin(), formats.end(),
                                     [](const auto& f) { return f.caption == "1080 59i"; });
    if (format == formats.end()) {
        std::fprintf(stderr, "no 1080 59i format in the shipped ini\n");
        return 1;
    }

#if defined(QUARN_HAVE_SWSCALE)
    Swscale swscale;
    std::printf("libswscale %s linked: compared in-process on the same bitmap\n",
                AV_STRINGIFY(LIBSWSCALE_VERSION));
#else
    std::printf("built without libswscale (libswscale-dev not found): no comparison\n");
#endif

    struct Picture {
        const char* name;
        platform::Bitmap frame;
    };
    const Picture pictures[] = {
        {"colour bars", Framed(Bars())},
        {"uniform noise", Framed(Noise())},
        {"photo-like", Framed(PhotoLike())},
    };

    std::vector<uint16_t> converted;
    std::vector<Row> rows;
    for (const Picture& picture : pictures) {
        nimbrel::PictureBuildInput plain;
        plain.frame = &picture.frame;
        plain.leftEdge = nimbrel::kMargin;
        plain.rightMargin = nimbrel::kMargin;
        plain.format = &*format;
        nimbrel::PictureBuildInput filtered = plain;
        filtered.filterOn = true;

        auto build = [](const std::string& where, const nimbrel::PictureBuildInput& input) {
            return bench::Side{"Nimbrel", [&where, &input] { return TimeBuild(where, input); }};
        };
        const bench::Side sides[5] = {
            build(folder, plain), build(mainOnly, plain),
            bench::Side{"Nimbrel", [&] { return TimeConversion(picture.frame, converted); }},
            build(folder, filtered), build(mainOnly, filtered)};
        Row row{picture.name, {}, {}, false};
        std::printf("\n== %s, 1920 x 1080, 1080 59i ==\n", picture.name);
        for (int i = 0; i < 5; ++i) {
            const std::string label = std::string(picture.name) + ", " + kWhat[i];
#if defined(QUARN_HAVE_SWSCALE)
            const bench::Side reference{"libswscale", [&] { return swscale.Time(picture.frame); }};
            const bench::Comparison comparison = bench::CompareAlternately(
                label.c_str(), kRounds, sides[i], reference, 1e3, "ms", kGoal[i]);
            row.side[i] = comparison.ours;
            if (i == 2) {
                row.swscale = comparison.reference;
                row.compared = true;
            }
#else
            row.side[i] = bench::Measure(kRounds, sides[i].run);
            std::printf("%s: %d rounds\n", label.c_str(), kRounds);
            bench::PrintSpread("Nimbrel", row.side[i], 1e3, "ms");
#endif
        }
        rows.push_back(row);
    }

    const bench::Spread wholeFloor =
        bench::Measure(kRounds, [&] { return TimeFileWriting(folder, 4); });
    const bench::Spread mainFloor =
        bench::Measure(kRounds, [&] { return TimeFileWriting(folder, 1); });

    std::printf(
        "\nSummary, medians of %d rounds (min .. max); the machine may be shared, so the\n"
        "ratio of medians measured alternately is the figure to trust:\n",
        kRounds);
    std::printf("file writing alone, the floor of a build:\n");
    bench::PrintSpread("four components", wholeFloor, 1e3, "ms");
    bench::PrintSpread("main file", mainFloor, 1e3, "ms");
    auto print = [](const char* what, const bench::Spread& spread, const char* goal) {
        std::printf("  %-28s %7.1f ms (%.1f .. %.1f)%s\n", what, spread.median * 1e3,
                    spread.min * 1e3, spread.max * 1e3, goal);
    };
    bool met = true;
    for (const Row& row : rows) {
        std::printf("%s:\n", row.picture);
        print("whole build without filter", row.side[0], "  goal under 40 ms");
        print("main file without filter", row.side[1], "");
        print("samples alone without filter", row.side[2], "");
        print("whole build with filter", row.side[3], "  goal under 150 ms");
        print("main file with filter", row.side[4], "");
        met = met && row.side[0].median < 0.040 && row.side[3].median < 0.150;
        if (row.compared) {
            print("libswscale, same conversion", row.swscale, "");
            const double ratio = row.side[2].median / row.swscale.median;
            std::printf("  ratio samples alone / libswscale: %.2f  goal at most 1.00\n", ratio);
            std::printf("  ratio main file / libswscale: %.2f  (its file writing alone: %.2f)\n",
                        row.side[1].median / row.swscale.median,
                        mainFloor.median / row.swscale.median);
            met = met && ratio <= 1.0;
        }
    }
    std::printf("goals %s\n", met ? "met" : "NOT met");
    return 0;
}
