// The video format table: what the documents send and the pages check is derived from it, so
// a wrong code, family or limit here is a wrong command or a wrong question at the instrument.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "corvane/modules/video/VideoFormats.h"

namespace corvane::testing {
namespace {

constexpr VideoModel kModels[] = {VideoModel::Oltra, VideoModel::Yarlo, VideoModel::Sormet,
                                  VideoModel::Ulmeth};

TEST(VideoFormats, NamesCodesAndKeywordsAreUniqueAndFindTheirOwnRow) {
    for (VideoModel model : kModels) {
        std::set<std::string_view> names, keywords;
        std::set<int> codes;
        for (const VideoFormat& f : VideoFormats(model)) {
            EXPECT_TRUE(names.insert(f.name).second) << f.name;
            EXPECT_TRUE(codes.insert(f.code).second) << f.name;
            EXPECT_EQ(FindFormatByName(model, f.name), &f);
            EXPECT_EQ(FindFormatByCode(model, f.code), &f);
            EXPECT_EQ(FormatCode(model, f.name), f.code);
            if (!f.keyword.empty()) {
                EXPECT_TRUE(keywords.insert(f.keyword).second) << f.keyword;
                EXPECT_EQ(FindFormatByKeyword(model, f.keyword), &f);
                EXPECT_EQ(FormatKeyword(model, f.code), f.keyword);
            }
        }
    }
}

TEST(VideoFormats, SerialCodesArePositionsInTheFormatLists) {
    for (VideoModel model : {VideoModel::Sormet, VideoModel::Ulmeth}) {
        const auto rows = VideoFormats(model);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].code, static_cast<int>(i)) << rows[i].name;
            EXPECT_FALSE(rows[i].keyword.empty()) << rows[i].name;
        }
    }
    EXPECT_EQ(VideoFormats(VideoModel::Ulmeth).size(), 20u);
    EXPECT_EQ(VideoFormats(VideoModel::Yarlo).size(), 36u);
}

struct Lookup {
    VideoModel model;
    const char* name;
    int code;
    int family;
    int lines;
    double bound;  // seconds
    double step;   // seconds
};

// Known rows of each model and the fallbacks of names a catalogue may carry that no model
// lists; the HD bounds are one line period.
TEST(VideoFormats, CodesFamiliesAndTimingByName) {
    const Lookup cases[] = {
        {VideoModel::Sormet, "525-143", 0, kClockNoHd, 525, 63.55556363e-6, 69.84127871e-9},
        {VideoModel::Sormet, "625-270", 2, kClockNoHd, 1250, 64e-6, 18.51851852e-9},
        {VideoModel::Sormet, "525 x", -1, kClockNoHd, 525, 63.55556363e-6, 18.51851852e-9},
        {VideoModel::Ulmeth, "1080 59.94i", 1, kClock7418, 562, 2200 * 13.454558909e-9,
         13.454558909e-9},
        {VideoModel::Ulmeth, "720 25p", 17, kClock7425, 375, 3960 * 13.468013468e-9,
         13.468013468e-9},
        {VideoModel::Ulmeth, "720 29.97p", 16, kClock7418, 375, 3300 * 13.454558909e-9,
         13.454558909e-9},
        {VideoModel::Ulmeth, "720 24p", 18, kClock7425, 375, 4125 * 13.468013468e-9,
         13.468013468e-9},
        {VideoModel::Ulmeth, "1080 61i", 0, kClockNoHd, 562, 2200 * 13.468013468e-9,
         13.468013468e-9},
        {VideoModel::Oltra, "NTSC", 1, kClock7425, 525, 63.55556363e-6, 18.51851852e-9},
        {VideoModel::Oltra, "PAL-1", 14, kClock7425, 1250, 64e-6, 18.51851852e-9},
        {VideoModel::Oltra, "525 Beta", 2, kClock7425, 262, 63.555556e-6, 13.468013468e-9},
        {VideoModel::Oltra, "625 PVW", 24, kClock7425, 312, 64e-6, 13.468013468e-9},
        {VideoModel::Oltra, "PVW", 3, kClockNoHd, 562, 2200 * 13.468013468e-9, 13.468013468e-9},
        {VideoModel::Oltra, "525i Other", 2, kClock7425, 262, 63.555556e-6, 13.468013468e-9},
        {VideoModel::Oltra, "625x", 2, kClock7425, 312, 64e-6, 13.468013468e-9},
        {VideoModel::Oltra, "SECAM", 2, kClockNoHd, 562, 2200 * 13.468013468e-9, 13.468013468e-9},
        {VideoModel::Yarlo, "1080 59i YPbPr", 32, kClock7418, 562, 2200 * 13.454558909e-9,
         13.454558909e-9},
        {VideoModel::Yarlo, "720 50p GBR", 5, kClock7425, 375, 1980 * 13.468013468e-9,
         13.468013468e-9},
        {VideoModel::Yarlo, "1080 24sF YPbPr", 35, kClock7425, 562, 2750 * 13.468013468e-9,
         13.468013468e-9},
        {VideoModel::Yarlo, "1080 23sF GBR", 9, kClock7418, 562, 2750 * 13.454558909e-9,
         13.454558909e-9},
        {VideoModel::Yarlo, "", 33, kClockNoHd, 562, 2640 * 13.468013468e-9, 13.468013468e-9},
    };
    for (const Lookup& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatCode(c.model, c.name), c.code);
        EXPECT_EQ(FormatClockFamily(c.model, c.name), c.family);
        const FormatTiming t = FormatTimingOf(c.model, c.name);
        EXPECT_EQ(t.lines, c.lines);
        EXPECT_NEAR(t.delayBound, c.bound, 1e-14);
        EXPECT_NEAR(t.step, c.step, 1e-17);
    }
}

TEST(VideoFormats, EveryDelaySpinRangeFitsSixteenBits) {
    for (VideoModel model : kModels)
        for (const VideoFormat& f : VideoFormats(model)) {
            EXPECT_GT(f.timing.StepCount(), 0) << f.name;
            EXPECT_LE(f.timing.StepCount(), 32767) << f.name;
        }
}

TEST(VideoFormats, UlmethFamiliesMatchTheBlackPageRuleAndTheKeywordClassifier) {
    // The 1/1.001 rates are the 74.18 MHz family: codes 1, 4, 6, 9, 11, 13, 16, 19.
    const std::set<int> slow{1, 4, 6, 9, 11, 13, 16, 19};
    for (const VideoFormat& f : VideoFormats(VideoModel::Ulmeth)) {
        EXPECT_EQ(f.family, slow.count(f.code) ? kClock7418 : kClock7425) << f.name;
        EXPECT_EQ(HdClockFamily(std::string(f.keyword)), f.family) << f.keyword;
    }
}

TEST(VideoFormats, LoadsAnnounceTheFamilyOfKnownHdFoldersOnly) {
    EXPECT_EQ(FolderClockFamily(VideoModel::Ulmeth, "1080 59.94i"), kClock7418);
    EXPECT_EQ(FolderClockFamily(VideoModel::Ulmeth, "720 25p"), kClock7425);
    EXPECT_EQ(FolderClockFamily(VideoModel::Ulmeth, "720 24p"), 0);
    EXPECT_EQ(FolderClockFamily(VideoModel::Ulmeth, "1080 59.94I"), 0);
    EXPECT_EQ(FolderClockFamily(VideoModel::Sormet, "525-270"), 0);
}

TEST(VideoFormats, KeywordsOutsideTheTableFindNothing) {
    EXPECT_EQ(FormatKeyword(VideoModel::Ulmeth, 20), "");
    EXPECT_EQ(FormatKeyword(VideoModel::Ulmeth, -1), "");
    EXPECT_EQ(FormatKeyword(VideoModel::Oltra, 1), "");
    EXPECT_EQ(FindFormatByKeyword(VideoModel::Sormet, "D1_PAL")->code, 2);
    EXPECT_EQ(FindFormatByKeyword(VideoModel::Sormet, "D1_NTSC "), nullptr);
    EXPECT_EQ(FindFormatByKeyword(VideoModel::Ulmeth, ""), nullptr);
    EXPECT_EQ(FindFormatByKeyword(VideoModel::Ulmeth, "hd1080_60i"), nullptr);
}

}  // namespace
}  // namespace corvane::testing
