// Raw component files to a picture file: lines worked out here from the conversion formulas,
// and the conversion run on real files with every check it makes.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include "nimbrel/BuildProgress.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/RawBuild.h"
#include "platform/NamedMutex.h"

using nimbrel::ColourConverter;
using nimbrel::FilterSettings;
using nimbrel::LevelSet;
using nimbrel::LineBuilder;
using nimbrel::RawBuild;
using nimbrel::RawInput;
using nimbrel::RawSwitches;

namespace {

// Three rows of big-endian 16-bit samples.
struct RawRows {
    explicit RawRows(int samples) : bytes(3, std::vector<uint8_t>(2 * samples)) {}
    void Set(int row, int k, unsigned value) {
        bytes[row][2 * k] = static_cast<uint8_t>(value >> 8);
        bytes[row][2 * k + 1] = static_cast<uint8_t>(value & 0xFF);
    }
    const uint8_t* const* Pointers() {
        pointers[0] = bytes[0].data();
        pointers[1] = bytes[1].data();
        pointers[2] = bytes[2].data();
        return pointers;
    }
    std::vector<std::vector<uint8_t>> bytes;
    const uint8_t* pointers[3] = {};
};

// Rec. 709 on 10-bit narrow levels with 1023 as the full scale of the input.
struct Hd10 {
    double y, pb, pr;
};
Hd10 Hd(double r, double g, double b) {
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    return {64 + 876 * y / 1023, 512 + 896 * ((b - y) / 1.8556) / 1023,
            512 + 896 * ((r - y) / 1.5748) / 1023};
}

long Round(double v) {
    return std::lround(std::nearbyint(v));
}

}  // namespace

TEST(RawLine, GbrInputIsConvertedWithTenBitFullScale) {
    constexpr int kSamples = 6;
    RawRows rows(kSamples);
    // G, B, R per sample: white, blue, and a few mid values.
    const unsigned gbr[kSamples][3] = {{1023, 1023, 1023}, {0, 1023, 0},    {300, 700, 100},
                                       {512, 12, 900},     {1000, 1000, 5}, {0, 0, 0}};
    for (int k = 0; k < kSamples; ++k) {
        for (int c = 0; c < 3; ++c) {
            rows.Set(c, k, gbr[k][c]);
        }
    }
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), kSamples, out),
              1);
    // White and the RP 219 blue of HD bars.
    EXPECT_EQ(out[0][0], 940);
    EXPECT_EQ(out[0][1], 127);
    for (int k = 0; k < kSamples; k += 2) {
        const Hd10 a = Hd(gbr[k][2], gbr[k][0], gbr[k][1]);
        const Hd10 b = Hd(gbr[k + 1][2], gbr[k + 1][0], gbr[k + 1][1]);
        EXPECT_EQ(out[0][k], Round(a.y)) << k;
        EXPECT_EQ(out[0][k + 1], Round(b.y)) << k;
        EXPECT_EQ(out[1][k], Round((a.pb + b.pb) / 2)) << k;
        EXPECT_EQ(out[1][k + 1], Round((a.pr + b.pr) / 2)) << k;
        EXPECT_EQ(out[5][k], 0);
    }
    // The pair white + blue: Pb (512 + 960) / 2, Pr (512 + 471) / 2 from the bar values.
    EXPECT_EQ(out[1][0], 736);
    EXPECT_EQ(out[1][1], 491);
}

TEST(RawLine, SdFamilyUsesRec601) {
    RawRows rows(2);
    rows.Set(1, 0, 1023);  // pure blue, then black
    const ColourConverter converter(LevelSet{}, false, true, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), 2, out),
              1);
    // Blue in SD: Y 163.864, Pb 959.734784, Pr 439.171328; black: 64/512/512.
    EXPECT_EQ(out[0][0], 164);
    EXPECT_EQ(out[0][1], 64);
    EXPECT_EQ(out[1][0], Round((959.734784 + 512) / 2));
    EXPECT_EQ(out[1][1], Round((439.171328 + 512) / 2));
}

TEST(RawLine, YPbPrInputIsTakenAsLevelsAndHeldToTenBits) {
    constexpr int kSamples = 4;
    RawRows rows(kSamples);
    const unsigned y[kSamples] = {100, 65535, 1023, 1024};
    const unsigned pb[kSamples] = {501, 502, 2000, 0};
    const unsigned pr[kSamples] = {300, 301, 40000, 1023};
    for (int k = 0; k < kSamples; ++k) {
        rows.Set(0, k, y[k]);
        rows.Set(1, k, pb[k]);
        rows.Set(2, k, pr[k]);
    }
    // The levels must not matter: nothing is converted.
    const ColourConverter converter(LevelSet{800, 100, 900, 100, 500, 900, 100, 500}, false, false,
                                    1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::YPbPr, nullptr, RawSwitches{},
                                     rows.Pointers(), kSamples, out),
              1);
    EXPECT_EQ(out[0][0], 100);
    EXPECT_EQ(out[0][1], 1023);
    EXPECT_EQ(out[0][2], 1023);
    EXPECT_EQ(out[0][3], 1023);
    // Means of the pairs; 501.5, 300.5 and 511.5 are ties and go to the even neighbour.
    EXPECT_EQ(out[1][0], 502);  // (501 + 502) / 2 = 501.5
    EXPECT_EQ(out[1][1], 300);  // 300.5
    EXPECT_EQ(out[1][2], 512);  // (1023 + 0) / 2 = 511.5
    EXPECT_EQ(out[1][3], 1023);
}

TEST(RawLine, GbrValuesAboveTenBitsAreHeldAtFullScale) {
    RawRows rows(2);
    for (int c = 0; c < 3; ++c) {
        rows.Set(c, 0, 65535);
        rows.Set(c, 1, 1024);
    }
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), 2, out),
              1);
    EXPECT_EQ(out[0][0], 940);
    EXPECT_EQ(out[0][1], 940);
    EXPECT_EQ(out[1][0], 512);
    EXPECT_EQ(out[1][1], 512);
}

TEST(RawLine, RefusesSwitchesMissingRowsAndOddCounts) {
    RawRows rows(4);
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    for (int s = 0; s < 4; ++s) {
        RawSwitches switches;
        bool* flags[] = {&switches.doubleWidth, &switches.ycbcr444, &switches.gbrOutput,
                         &switches.twelveBit};
        *flags[s] = true;
        EXPECT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, switches,
                                         rows.Pointers(), 4, out),
                  0)
            << s;
    }
    const uint8_t* missing[3] = {rows.bytes[0].data(), nullptr, rows.bytes[2].data()};
    EXPECT_EQ(
        RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{}, missing, 4, out),
        0);
    EXPECT_EQ(
        RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{}, nullptr, 4, out),
        0);
    EXPECT_EQ(RawBuild::BuildRawLine(converter, RawInput::Gbr, nullptr, RawSwitches{},
                                     rows.Pointers(), 3, out),
              0);
}

TEST(RawLine, FilterWeighsNeighboursWithTheEdgesRepeated) {
    constexpr int kSamples = 8;
    RawRows rows(kSamples);
    const unsigned y[kSamples] = {100, 200, 300, 400, 500, 600, 700, 800};
    for (int k = 0; k < kSamples; ++k) {
        rows.Set(0, k, y[k]);
        rows.Set(1, k, 400 + 10 * k);
        rows.Set(2, k, 600 - 10 * k);
    }
    // The largest tap at 30: tap t weighs sample k + t - 30, so tap 29 the left neighbour and
    // tap 33 the sample three to the right.
    FilterSettings filter;
    filter.yTaps[30] = 0.5;
    filter.yTaps[29] = 0.25;
    filter.yTaps[33] = 0.25;
    filter.pbprTaps[30] = 0.5;
    filter.pbprTaps[31] = 0.5;
    ASSERT_EQ(filter.CentreTap(), 30);
    const ColourConverter converter(LevelSet{}, false, false, 1023.0);
    LineBuilder::Buffers out;
    ASSERT_EQ(RawBuild::BuildRawLine(converter, RawInput::YPbPr, &filter, RawSwitches{},
                                     rows.Pointers(), kSamples, out),
              1);
    auto at = [&](int k) { return double(y[std::clamp(k, 0, kSamples - 1)]); };
    for (int k = 0; k < kSamples; ++k) {
        EXPECT_EQ(out[0][k], Round(0.25 * at(k - 1) + 0.5 * at(k) + 0.25 * at(k + 3))) << k;
    }
    EXPECT_EQ(out[0][0], 175);  // 0.25 * 100 + 0.5 * 100 + 0.25 * 400
    EXPECT_EQ(out[0][7], 775);  // 0.25 * 700 + 0.5 * 800 + 0.25 * 800
    // Chroma of a pair from its second sample: (own + right neighbour) / 2, the right edge
    // repeated.
    auto pb = [&](int k) { return 400.0 + 10 * std::clamp(k, 0, kSamples - 1); };
    auto pr = [&](int k) { return 600.0 - 10 * std::clamp(k, 0, kSamples - 1); };
    for (int k = 0; k < kSamples; k += 2) {
        EXPECT_EQ(out[1][k], Round((pb(k + 1) + pb(k + 2)) / 2)) << k;
        EXPECT_EQ(out[1][k + 1], Round((pr(k + 1) + pr(k + 2)) / 2)) << k;
    }
}

TEST(RawLine, FilteredGbrMatchesTheBitmapBuildOnPixelsBothCanHold) {
    // 341 / 1023 is 85 / 255: a raw row and a bitmap row of these values are the same picture,
    // so the raw window and the bitmap build's ring (with edge repetition) must agree sample
    // by sample.
    constexpr int kSamples = 60;
    RawRows rows(kSamples);
    std::vector<uint8_t> frame(3 * (kSamples + 102));
    for (int k = 0; k < kSamples; ++k) {
        const int g = (k * 7) % 4;
        const int b = (k * 5 + 1) % 4;
        const int r = (k * k + 2) % 4;
        rows.Set(0, k, 341 * g);
        rows.Set(1, k, 341 * b);
        rows.Set(2, k, 341 * r);
        uint8_t* p = &frame[3 * (k + nimbrel::kMargin)];
        p[0] = static_cast<uint8_t>(85 * b);
        p[1] = static_cast<uint8_t>(85 * g);
        p[2] = static_cast<uint8_t>(85 * r);
    }
    FilterSettings filter;
    const double taps[] = {-0.05, 0.1, 0.3, 0.9, 0.3, 0.1, -0.05};
    for (int i = 0; i < 7; ++i) {
        filter.yTaps[34 + i] = taps[i];
        filter.pbprTaps[33 + i] = taps[i] * 0.5;
    }
    filter.beginMode = 1;
    const LevelSet levels{};
    const ColourConverter raw(levels, false, false, 1023.0);
    const ColourConverter bitmap(levels, false, false, 255.0);
    LineBuilder::Buffers fromRaw;
    LineBuilder::Buffers fromBitmap;
    ASSERT_EQ(RawBuild::BuildRawLine(raw, RawInput::Gbr, &filter, RawSwitches{}, rows.Pointers(),
                                     kSamples, fromRaw),
              1);
    LineBuilder builder(bitmap, kSamples, false, nimbrel::LineMode::YPbPr422);
    builder.SetFilter(filter);
    ASSERT_EQ(builder.BuildLine(frame.data(), kSamples + 102, kSamples + 50, fromBitmap), 1);
    for (int k = 0; k < kSamples; ++k) {
        EXPECT_EQ(fromRaw[0][k], fromBitmap[0][k]) << k;
        EXPECT_EQ(fromRaw[1][k], fromBitmap[1][k]) << k;
    }
}

// ---- The conversion on files ----

namespace {

using nimbrel::CFileMakeInfo;
using nimbrel::PictureFormat;
using nimbrel::RawJob;

class ScriptedProgress : public nimbrel::BuildProgress {
public:
    void ShowProgress(int kind) override { shown.push_back(kind); }
    bool StepProgress(int percent) override {
        ++steps;
        lastPercent = percent;
        return steps != cancelAtStep;
    }
    void HideProgress() override { ++hidden; }

    std::vector<int> shown;
    int hidden = 0;
    int steps = 0;
    int lastPercent = -1;
    int cancelAtStep = -1;  // the step (1-based) that answers Cancel
};

class ScriptedPrompts : public nimbrel::RawBuildPrompts {
public:
    void ShowMessage(int code) override { messages.push_back(code); }
    bool Confirm(int code, const std::string& fileName) override {
        questions.emplace_back(code, fileName);
        return answer;
    }

    std::vector<int> messages;
    std::vector<std::pair<int, std::string>> questions;
    bool answer = true;
};

struct Records {
    uint16_t word = 0;
    std::vector<std::vector<uint16_t>> lines;
    bool ended = false;
};

// A record file read with nothing but the layout: id, length, payload, big-endian.
Records ReadRecords(const std::string& path) {
    Records out;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    size_t at = 0;
    while (at + 6 <= bytes.size()) {
        const unsigned id = bytes[at] << 8 | bytes[at + 1];
        const size_t length = size_t{bytes[at + 2]} << 24 | size_t{bytes[at + 3]} << 16 |
                              size_t{bytes[at + 4]} << 8 | bytes[at + 5];
        at += 6;
        if (at + length > bytes.size()) {
            break;
        }
        if (id == 0x0032 && length == 2) {
            out.word = static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
        } else if (id == 0x0072) {
            std::vector<uint16_t> line(length / 2);
            for (size_t i = 0; i < line.size(); ++i) {
                line[i] = static_cast<uint16_t>(bytes[at + 2 * i] << 8 | bytes[at + 2 * i + 1]);
            }
            out.lines.push_back(std::move(line));
        } else if (id == 0x0FFF) {
            out.ended = at == bytes.size();
        }
        at += length;
    }
    return out;
}

PictureFormat Hd1080(bool progressive, int blackLines) {
    PictureFormat f;
    f.caption = progressive ? "1080 23p" : "1080 59i";
    f.width = 1920;
    f.height = 1080;
    f.misc = progressive ? 3 : 0;
    f.progressive = progressive;
    f.blackLines = blackLines;
    f.family = 2;
    return f;
}

class RawConvert : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path().toStdString();
        m_work = m_root + "/work";
        std::filesystem::create_directory(m_work);
        // The build lock lives in the runtime folder: a folder of this test's own keeps
        // parallel tests from refusing each other.
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_savedRuntime = runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
        setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
        m_job = std::make_unique<CFileMakeInfo>(m_work);
        m_raw.inputs = {m_root + "/y.raw", m_root + "/pb.raw", m_root + "/pr.raw"};
        m_raw.output = m_root + "/out.pic";
        m_raw.format = Hd1080(false, 0);
    }
    void TearDown() override {
        if (m_savedRuntime) {
            setenv("XDG_RUNTIME_DIR", m_savedRuntime->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

    // Each input file holds value(plane, line, sample).
    template <typename Value>
    void WriteInputs(Value value, uint64_t extraBytes = 0) {
        std::vector<char> bytes(RawBuild::kFileSize + extraBytes);
        for (int plane = 0; plane < 3; ++plane) {
            for (int l = 0; l < RawBuild::kLines; ++l) {
                for (int k = 0; k < RawBuild::kWidth; ++k) {
                    const unsigned v = value(plane, l, k);
                    const size_t at = (size_t{1920} * l + k) * 2;
                    bytes[at] = static_cast<char>(v >> 8);
                    bytes[at + 1] = static_cast<char>(v & 0xFF);
                }
            }
            std::ofstream(m_raw.inputs[plane], std::ios::binary).write(bytes.data(), bytes.size());
        }
    }
    void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // What the folders hold besides what the test put there: temporary files left behind.
    std::vector<std::string> Leftovers() {
        std::vector<std::string> names;
        for (const auto& folder : {m_root, m_work}) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                const std::string name = entry.path().filename().string();
                if (name != "work" && name != "Nimbrel.ini" && name != "Nimbrel_Filter.ini" &&
                    name.find(".raw") == std::string::npos && name != "out.pic" &&
                    name.find(".lock") == std::string::npos) {
                    names.push_back(name);
                }
            }
        }
        return names;
    }
    int Convert() { return RawBuild::ExecConvert(m_raw, *m_job, m_progress, m_prompts); }

    QTemporaryDir m_dir;
    std::string m_root;
    std::string m_work;
    std::optional<std::string> m_savedRuntime;
    std::unique_ptr<CFileMakeInfo> m_job;
    RawJob m_raw;
    ScriptedProgress m_progress;
    ScriptedPrompts m_prompts;
};

unsigned Flat(int plane, int, int) {
    return plane == 0 ? 500 : 512;
}

}  // namespace

TEST_F(RawConvert, InterlacedFormatWritesHalfTheLinesToEachField) {
    // Line l carries l / 2 and whether it is odd, so the file shows where each line went.
    WriteInputs([](int plane, int l, int k) -> unsigned {
        if (plane != 0) {
            return 512;
        }
        return k % 2 == 0 ? l / 2 : (l % 2 == 1 ? 900 : 100);
    });
    m_raw.format.blackLines = 2;
    // Names left from a bitmap build with every component made must not bring G, B and R back.
    ASSERT_TRUE(m_job->LoadTempFileNames());
    ASSERT_EQ(Convert(), 0);
    EXPECT_TRUE(m_prompts.messages.empty());
    EXPECT_EQ(m_progress.shown, std::vector<int>{2});
    EXPECT_EQ(m_progress.hidden, 1);
    EXPECT_EQ(m_progress.steps, 1080);
    EXPECT_EQ(m_progress.lastPercent, 1079 * 100 / 1080);

    const Records file = ReadRecords(m_raw.output);
    EXPECT_EQ(file.word, 0x0100);  // 4:2:2 Y'PbPr, 10-bit, HD, interlaced, format code 0
    EXPECT_TRUE(file.ended);
    ASSERT_EQ(file.lines.size(), 2u + 540 + 2 + 540);
    for (size_t i = 0; i < file.lines.size(); ++i) {
        ASSERT_EQ(file.lines[i].size(), 2u * 1920) << i;
    }
    for (size_t black : {0u, 1u, 542u, 543u}) {
        EXPECT_EQ(file.lines[black][0], 64) << black;
        EXPECT_EQ(file.lines[black][1920], 512) << black;
    }
    for (int i = 0; i < 540; ++i) {
        const auto& first = file.lines[2 + i];
        const auto& second = file.lines[544 + i];
        ASSERT_EQ(first[0], i);
        ASSERT_EQ(first[1], 100);
        ASSERT_EQ(second[0], i);
        ASSERT_EQ(second[1], 900);
    }
    // Only the main file is made, and nothing temporary is left.
    for (const char* sibling : {"/out_G.pic", "/out_B.pic", "/out_R.pic"}) {
        EXPECT_FALSE(std::filesystem::exists(m_root + sibling)) << sibling;
    }
    EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
}

TEST_F(RawConvert, GbrFilesGiveTheSamplesOfTheConversion) {
    auto value = [](int plane, int l, int k) -> unsigned {
        return static_cast<unsigned>((l * 37 + k * (plane + 3) * 11 + plane * 300) % 1024);
    };
    WriteInputs(value);
    m_raw.input = RawInput::Gbr;
    m_raw.format = Hd1080(true, -1);
    ASSERT_EQ(Convert(), 0);
    const Records file = ReadRecords(m_raw.output);
    EXPECT_EQ(file.word, 0x4103);  // progressive, format code 3
    ASSERT_EQ(file.lines.size(), 1080u);
    for (int l : {0, 1, 539, 1079}) {
        for (int k : {0, 2, 958, 1918}) {
            const Hd10 a = Hd(value(2, l, k), value(0, l, k), value(1, l, k));
            const Hd10 b = Hd(value(2, l, k + 1), value(0, l, k + 1), value(1, l, k + 1));
            const auto& line = file.lines[l];
            EXPECT_EQ(line[k], Round(a.y)) << l << "/" << k;
            EXPECT_EQ(line[k + 1], Round(b.y)) << l << "/" << k;
            EXPECT_EQ(line[1920 + k], Round((a.pb + b.pb) / 2)) << l << "/" << k;
            EXPECT_EQ(line[1920 + k + 1], Round((a.pr + b.pr) / 2)) << l << "/" << k;
        }
    }
}

TEST_F(RawConvert, YPbPrFilesAreCopiedAsLevelsAndHeldToTenBits) {
    WriteInputs([](int plane, int l, int k) -> unsigned {
        if (plane == 0) {
            return k == 5 ? 65535 : static_cast<unsigned>((l + k) % 1024);
        }
        return plane == 1 ? 300 : 700;
    });
    m_raw.format = Hd1080(true, 0);
    ASSERT_EQ(Convert(), 0);
    const Records file = ReadRecords(m_raw.output);
    ASSERT_EQ(file.lines.size(), 1080u);
    EXPECT_EQ(file.lines[10][0], 10);
    EXPECT_EQ(file.lines[10][1000], (10 + 1000) % 1024);
    EXPECT_EQ(file.lines[10][5], 1023);
    EXPECT_EQ(file.lines[10][1920], 300);
    EXPECT_EQ(file.lines[10][1921], 700);
}

TEST_F(RawConvert, AFileOfAnotherSizeIsRefusedAndNothingIsLeft) {
    WriteInputs(Flat);
    std::ofstream(m_raw.inputs[1], std::ios::binary | std::ios::app) << 'x';
    EXPECT_EQ(Convert(), 43);
    EXPECT_EQ(m_prompts.messages, std::vector<int>{43});
    EXPECT_EQ(m_progress.hidden, 1);
    EXPECT_FALSE(std::filesystem::exists(m_raw.output));
    EXPECT_TRUE(Leftovers().empty());

    std::filesystem::resize_file(m_raw.inputs[1], RawBuild::kFileSize - 1);
    EXPECT_EQ(Convert(), 43);
}

TEST_F(RawConvert, PathsAreCheckedInOrderBeforeAnythingIsWritten) {
    WriteInputs(Flat);
    RawJob job = m_raw;
    job.inputs[2].clear();
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 38);
    job = m_raw;
    job.output.clear();
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 38);
    job = m_raw;
    job.inputs[1] = m_root + "/missing.raw";
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 39);
    job.inputs[1] = m_work;  // a folder is no input file
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 39);
    job = m_raw;
    job.format = PictureFormat{};  // no Format item to take it from
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 6);
    EXPECT_EQ(m_prompts.messages, (std::vector<int>{38, 38, 39, 39, 6}));
    EXPECT_TRUE(m_progress.shown.empty());
}

TEST_F(RawConvert, OnePathTwiceIsRefusedHoweverItIsWritten) {
    WriteInputs(Flat);
    const std::string before = ReadText(m_raw.inputs[0]);
    // The output is the Y input: asked about replacing it first, then refused.
    RawJob job = m_raw;
    job.output = job.inputs[0];
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 40);
    ASSERT_EQ(m_prompts.questions.size(), 1u);
    EXPECT_EQ(m_prompts.questions[0], std::make_pair(46, job.inputs[0]));

    // The same file under other names: relative, through "..", a link, a hard link.
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(m_root);
    job = m_raw;
    job.inputs[0] = "./y.raw";
    job.output = "y.raw";
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 40);
    job.output = "work/../y.raw";
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 40);
    std::filesystem::current_path(saved);
    std::filesystem::create_symlink(m_raw.inputs[2], m_root + "/link.raw");
    job = m_raw;
    job.inputs[1] = m_root + "/link.raw";
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 40);
    std::filesystem::create_hard_link(m_raw.inputs[0], m_root + "/hard.pic");
    job = m_raw;
    job.output = m_root + "/hard.pic";
    EXPECT_EQ(RawBuild::ExecConvert(job, *m_job, m_progress, m_prompts), 40);

    EXPECT_EQ(m_prompts.messages, (std::vector<int>{40, 40, 40, 40, 40}));
    EXPECT_TRUE(m_progress.shown.empty());
    EXPECT_EQ(ReadText(m_raw.inputs[0]), before);
}

TEST_F(RawConvert, NoToReplacingTheOutputEndsQuietly) {
    WriteInputs(Flat);
    WriteFile(m_raw.output, "old picture");
    m_prompts.answer = false;
    EXPECT_EQ(Convert(), RawBuild::kStoppedByOperator);
    EXPECT_TRUE(m_prompts.messages.empty());
    EXPECT_TRUE(m_progress.shown.empty());
    EXPECT_EQ(ReadText(m_raw.output), "old picture");
}

TEST_F(RawConvert, CancelLeavesTheOldOutputAndNoTemporaryFile) {
    WriteInputs(Flat);
    WriteFile(m_raw.output, "old picture");
    for (int step : {1, 600}) {
        m_progress.cancelAtStep = step;
        m_progress.steps = 0;
        EXPECT_EQ(Convert(), 24) << step;
        EXPECT_EQ(ReadText(m_raw.output), "old picture");
        EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
    }
    EXPECT_EQ(m_prompts.messages, (std::vector<int>{24, 24}));
    EXPECT_EQ(m_progress.hidden, 2);
}

TEST_F(RawConvert, ReplacesAnOldOutputWhenAllowed) {
    WriteInputs(Flat);
    WriteFile(m_raw.output, "old picture");
    m_raw.format = Hd1080(true, 0);
    ASSERT_EQ(Convert(), 0);
    EXPECT_EQ(m_prompts.questions.size(), 1u);
    const Records file = ReadRecords(m_raw.output);
    ASSERT_EQ(file.lines.size(), 1080u);
    EXPECT_EQ(file.lines[0][0], 500);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RawConvert, FilterWithoutTapsIsRefusedAfterItsWarning) {
    WriteInputs(Flat);
    m_raw.filterOn = true;
    m_raw.format.filterSection = "NIMBREL_FILTER_NONE";
    EXPECT_EQ(Convert(), 20);
    EXPECT_EQ(m_prompts.messages, (std::vector<int>{36, 20}));
    EXPECT_FALSE(std::filesystem::exists(m_raw.output));
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RawConvert, FilterTapsFromTheIniAreApplied) {
    // Y: a three-tap smoothing around tap 25; chroma passed through.
    std::string ini = "[NIMBREL_FILTER_TEST]\n";
    for (int t = 0; t < 51; ++t) {
        const double y = t == 25 ? 0.5 : (t == 24 || t == 26) ? 0.25 : 0.0;
        ini += "FILTER_KEISU_Y_" + std::to_string(t) + "=" + std::to_string(y) + "\n";
        ini += "FILTER_KEISU_PBPR_" + std::to_string(t) + "=" + (t == 25 ? "1.0" : "0") + "\n";
    }
    WriteFile(m_work + "/Nimbrel_Filter.ini", ini);
    m_job = std::make_unique<CFileMakeInfo>(m_work);
    WriteInputs([](int plane, int, int k) -> unsigned {
        return plane == 0 ? (k % 2 == 0 ? 200 : 600) : 512;
    });
    m_raw.filterOn = true;
    m_raw.format = Hd1080(true, 0);
    m_raw.format.filterSection = "NIMBREL_FILTER_TEST";
    ASSERT_EQ(Convert(), 0);
    const Records file = ReadRecords(m_raw.output);
    ASSERT_EQ(file.lines.size(), 1080u);
    EXPECT_EQ(file.lines[7][0], 300);     // 0.75 * 200 + 0.25 * 600, the left edge repeated
    EXPECT_EQ(file.lines[7][1], 400);     // 0.25 * 200 + 0.5 * 600 + 0.25 * 200
    EXPECT_EQ(file.lines[7][2], 400);     // 0.25 * 600 + 0.5 * 200 + 0.25 * 600
    EXPECT_EQ(file.lines[7][1919], 500);  // 0.25 * 200 + 0.75 * 600, the right edge repeated
}

TEST_F(RawConvert, AnotherBuildHoldingTheLockRefusesWithNothingTouched) {
    WriteInputs(Flat);
    WriteFile(m_raw.output, "old picture");
    platform::NamedMutex other("Nimbrel");
    ASSERT_EQ(other.TryLock(), 1);
    EXPECT_EQ(Convert(), 37);
    EXPECT_EQ(m_prompts.messages, std::vector<int>{37});
    EXPECT_TRUE(m_progress.shown.empty());
    EXPECT_EQ(ReadText(m_raw.output), "old picture");
}

TEST_F(RawConvert, BuildOnAJobOfAnotherShapeReportsTheLastFailureNamed) {
    WriteInputs(Flat);
    auto run = [&](long lines, long width) {
        m_job->SetSize(lines, width);
        return RawBuild::Run(*m_job, m_raw, m_progress);
    };
    EXPECT_EQ(run(0, 1920), 12);
    EXPECT_EQ(run(0, 0), 13);
    EXPECT_EQ(run(1035, 1920), 18);
    EXPECT_EQ(run(1080, 1280), 19);
    // Both fields named alike: the temporary names fail, and that is named last.
    WriteFile(m_work + "/Nimbrel.ini",
              "[NIMBREL]\nTEMP_FILE_1ST_Y=same.ddd\nTEMP_FILE_2ND_Y=same.ddd\n");
    m_job = std::make_unique<CFileMakeInfo>(m_work);
    m_job->SetFormatWord(m_raw.format.FormatWord());
    EXPECT_EQ(run(0, 0), 15);
    EXPECT_EQ(run(1080, 1920), 15);
    EXPECT_EQ(m_progress.steps, 0);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RawConvert, TwelveBitLevelsOfTheMainIniAreNotUsedButTenBitOnesAre) {
    // The raw tool writes 10-bit files: the 10-bit section applies, as in a bitmap build.
    WriteFile(m_work + "/Nimbrel.ini",
              "[NIMBREL_SCALE_10]\nY_WHITE_LEVEL=900\nY_BLACK_LEVEL=100\n"
              "[NIMBREL_SCALE_12_TYPE1]\nY_WHITE_LEVEL=4000\n");
    m_job = std::make_unique<CFileMakeInfo>(m_work);
    WriteInputs([](int plane, int, int k) -> unsigned {
        return plane == 0 ? (k < 960 ? 1023 : 0) : 0;  // green, then black
    });
    m_raw.input = RawInput::Gbr;
    m_raw.format = Hd1080(true, 1);
    ASSERT_EQ(Convert(), 0);
    const Records file = ReadRecords(m_raw.output);
    ASSERT_EQ(file.lines.size(), 1081u);
    EXPECT_EQ(file.lines[0][0], 100);  // the black line at the section's black level
    EXPECT_EQ(file.lines[1][0], Round(100 + 800 * 0.7152));
    EXPECT_EQ(file.lines[1][1919], 100);
}

TEST_F(RawConvert, ACommitThatFailsLeavesNoTemporaryFile) {
    WriteInputs(Flat);
    m_raw.output = m_root + "/no such folder/out.pic";
    EXPECT_EQ(Convert(), 11);
    EXPECT_EQ(m_prompts.messages, std::vector<int>{11});
    EXPECT_EQ(m_progress.hidden, 1);
    EXPECT_TRUE(Leftovers().empty()) << Leftovers().front();
}
