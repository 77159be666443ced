// The ini files Nimbrel ships with are read through the same code the program uses, so a text
// that would be cut, a tap set that would darken the picture or a format that would be refused
// at start-up is caught here rather than by the operator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "nimbrel/FormatTable.h"
#include "nimbrel/IniValue.h"
#include "nimbrel/LevelSet.h"
#include "nimbrel/LineBuilder.h"
#include "nimbrel/MainSwitches.h"
#include "nimbrel/MessageByCode.h"
#include "platform/IniFile.h"
#include "tests/nimbrel/ShippedFiles.h"

using namespace nimbrel;

namespace {

const std::string kMainIni = ShippedResourceDir() + "Nimbrel.ini";
const std::string kFilterIni = ShippedResourceDir() + "Nimbrel_Filter.ini";

std::string RawValue(const std::string& file, const std::string& section, const std::string& key) {
    platform::IniFile ini;
    std::string value;
    if (!ini.Load(file) || !ini.Find(section, key, value)) {
        return {};
    }
    return value;
}

bool ValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int more = c < 0x80         ? 0
                         : (c >> 5) == 6  ? 1
                         : (c >> 4) == 14 ? 2
                         : (c >> 3) == 30 ? 3
                                          : -1;
        if (more < 0 || i + static_cast<std::size_t>(more) >= text.size() + (more == 0 ? 1 : 0)) {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += 1 + more;
    }
    return true;
}

bool HasNonAscii(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A shipped text reaches the operator whole only when the reading rule leaves it as written.
void ExpectWholeText(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& read) {
    SCOPED_TRACE(section + "/" + key);
    const std::string raw = RawValue(file, section, key);
    ASSERT_FALSE(raw.empty());
    EXPECT_EQ(read, raw);
    EXPECT_LE(raw.size(), 255u);
    EXPECT_EQ(raw.find_first_of(";\t\r\n"), std::string::npos);
    EXPECT_TRUE(ValidUtf8(raw));
}

}  // namespace

TEST(ShippedIni, EveryMessageIsThereInBothLanguagesAndReadsWhole) {
    for (int code = 0; code < kMessageCodeCount; ++code) {
        const std::string key = MessageByCode::KeyName(code);
        const std::string english = MessageByCode::Text(code, true, kMainIni);
        const std::string other = MessageByCode::Text(code, false, kMainIni);
        ExpectWholeText(kMainIni, "NIMBREL_MSG_ENGLISH", key, english);
        ExpectWholeText(kMainIni, "NIMBREL_MSG", key, other);
        EXPECT_FALSE(HasNonAscii(english)) << key;
        EXPECT_TRUE(HasNonAscii(other)) << key << ": not translated";
    }
}

TEST(ShippedIni, SwitchesHintsAndTemporaryNames) {
    const MainSwitches switches = MainSwitches::Read(kMainIni);
    EXPECT_FALSE(switches.debug);
    EXPECT_TRUE(switches.english);
    EXPECT_TRUE(switches.toolEnabled);
    EXPECT_EQ(switches.make, (std::array<bool, 4>{true, true, true, true}));
    ExpectWholeText(kMainIni, "NIMBREL", "TOOL_CAPTION", switches.toolCaption);
    ExpectWholeText(kMainIni, "NIMBREL", "TOOL_HINT_ENGLISH", switches.toolHint);
    std::string toolHint;
    ASSERT_TRUE(IniValue::Read(kMainIni, "NIMBREL", "TOOL_HINT", toolHint));
    ExpectWholeText(kMainIni, "NIMBREL", "TOOL_HINT", toolHint);

    for (bool english : {true, false}) {
        const auto hints = MainSwitches::ReadHints(kMainIni, english);
        for (int i = 0; i < kHintCount; ++i) {
            ExpectWholeText(kMainIni, english ? "NIMBREL_HINT_ENGLISH" : "NIMBREL_HINT",
                            MainSwitches::HintKey(i), hints[i]);
        }
    }

    // Temporary files must be distinct plain names: two components sharing one file, or a
    // drive prefix and a folder that may not exist, would spoil the build.
    std::set<std::string> names;
    for (const char* field : {"1ST", "2ND"}) {
        for (const char* component : {"Y", "G", "B", "R"}) {
            std::string name;
            const std::string key = std::string("TEMP_FILE_") + field + "_" + component;
            ASSERT_TRUE(IniValue::Read(kMainIni, "NIMBREL", key, name)) << key;
            EXPECT_EQ(name.find_first_of(":/\\ "), std::string::npos) << name;
            EXPECT_TRUE(names.insert(name).second) << name << " used twice";
        }
    }
}

TEST(ShippedIni, FormatsReadAsIntendedWithTheClassicSetFirst) {
    for (bool english : {true, false}) {
        FormatTable table;
        table.Read(kMainIni, english);
        EXPECT_TRUE(table.Skipped().empty()) << table.Skipped().front();
        const auto& formats = table.Formats();
        const auto builtIn = FormatTable::BuiltIn();
        ASSERT_EQ(formats.size(), 12u);
        // The first eight are the classic set in its order, so the default choice (item 7,
        // "1080 59i") and saved indexes mean the same with or without the file.
        for (std::size_t i = 0; i < builtIn.size(); ++i) {
            SCOPED_TRACE(builtIn[i].caption);
            EXPECT_EQ(formats[i].caption, builtIn[i].caption);
            EXPECT_EQ(formats[i].width, builtIn[i].width);
            EXPECT_EQ(formats[i].height, builtIn[i].height);
            EXPECT_EQ(formats[i].FormatWord(), builtIn[i].FormatWord());
            EXPECT_EQ(formats[i].family, builtIn[i].family);
            EXPECT_EQ(formats[i].blackLines, builtIn[i].blackLines);
            EXPECT_EQ(formats[i].filterSection, builtIn[i].filterSection);
            EXPECT_FALSE(formats[i].doubleWidth || formats[i].ycbcr444 || formats[i].twelveBit ||
                         formats[i].showGbrCheck);
        }
        struct Variant {
            const char* caption;
            uint16_t word;
            bool showGbr;
            const char* filter;
        };
        const Variant variants[] = {
            {"1080 59i 4:4:4", 0x0500, false, "NIMBREL_FILTER_FULLBAND"},
            {"1080 59i 12bit", 0x0900, false, "NIMBREL_FILTER_ULMETH"},
            {"1080 59i GBR", 0x0500, true, "NIMBREL_FILTER_FULLBAND"},
            {"1080 23p 4:4:4 12bit", 0x4D03, false, "NIMBREL_FILTER_FULLBAND"},
        };
        for (std::size_t i = 0; i < 4; ++i) {
            const PictureFormat& f = formats[8 + i];
            SCOPED_TRACE(f.caption);
            EXPECT_EQ(f.caption, variants[i].caption);
            EXPECT_EQ(f.width, 1920);
            EXPECT_EQ(f.height, 1080);
            EXPECT_EQ(f.FormatWord(), variants[i].word);
            EXPECT_EQ(f.showGbrCheck, variants[i].showGbr);
            EXPECT_EQ(f.filterSection, variants[i].filter);
            EXPECT_FALSE(f.doubleWidth);
        }
        for (const PictureFormat& f : formats) {
            EXPECT_FALSE(f.hint.empty()) << f.caption;
            EXPECT_EQ(HasNonAscii(f.hint), !english) << f.caption;
            // A leading blank would set the caption out of line with the others in the menu.
            EXPECT_NE(f.caption.front(), ' ') << f.caption;
        }
    }
}

TEST(ShippedIni, LevelsOnlyForTheTypesWhoseValuesAreKnown) {
    const LevelSet tenBit{940, 64, 960, 64, 512, 960, 64, 512};
    const LevelSet twelveBit{3280, 1516, 2930, 1166, 2048, 2930, 1166, 2048};
    auto same = [](const LevelSet& a, const LevelSet& b) {
        return a.yWhite == b.yWhite && a.yBlack == b.yBlack && a.pbPlus == b.pbPlus &&
               a.pbMinus == b.pbMinus && a.pbZero == b.pbZero && a.prPlus == b.prPlus &&
               a.prMinus == b.prMinus && a.prZero == b.prZero;
    };
    for (int set = 0; set <= 5; ++set) {
        SCOPED_TRACE(set);
        LevelSet levels;
        bool found = false;
        ASSERT_EQ(LevelSet::Read(kMainIni, set, levels, found), 1);
        EXPECT_EQ(found, set <= 1);
        if (set == 0) {
            EXPECT_TRUE(same(levels, tenBit));
        }
        if (set == 1) {
            EXPECT_TRUE(same(levels, twelveBit));
        }
    }
    // No other level section under any spelling: a guessed set of values would make files
    // that claim a level type they do not carry.
    std::ifstream in(kMainIni, std::ios::binary);
    std::string line;
    std::set<std::string> sections;
    while (std::getline(in, line)) {
        std::string upper = line;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (upper.rfind("[NIMBREL_SCALE", 0) == 0) {
            sections.insert(upper.substr(0, upper.find(']') + 1));
        }
    }
    EXPECT_EQ(sections, (std::set<std::string>{"[NIMBREL_SCALE_10]", "[NIMBREL_SCALE_12_TYPE1]"}));

    // And so every shipped 12-bit format names a type that has its levels.
    FormatTable table;
    table.Read(kMainIni, true);
    for (const PictureFormat& f : table.Formats()) {
        if (f.twelveBit) {
            EXPECT_EQ(f.scale, 1) << f.caption;
        }
    }
}

TEST(ShippedIni, EveryNamedFilterIsALowPassOfUnityGainCentredOnTap25) {
    FormatTable table;
    table.Read(kMainIni, true);
    std::set<std::string> sections{"NIMBREL_FILTER_NTSC", "NIMBREL_FILTER_PAL",
                                   "NIMBREL_FILTER_ULMETH"};
    for (const PictureFormat& f : table.Formats()) sections.insert(f.filterSection);
    for (const PictureFormat& f : FormatTable::BuiltIn()) sections.insert(f.filterSection);
    ASSERT_EQ(sections.size(), 4u);

    for (const std::string& section : sections) {
        SCOPED_TRACE(section);
        FilterSettings filter;
        ASSERT_EQ(FilterSettings::ReadTaps(kFilterIni, section, filter), 1);
        EXPECT_EQ(filter.CentreTap(), 25);
        for (const auto* taps : {&filter.yTaps, &filter.pbprTaps}) {
            double sum = 0;
            double alternating = 0;
            for (int t = 0; t < kTaps; ++t) {
                sum += (*taps)[t];
                alternating += (t % 2 == 0 ? 1 : -1) * (*taps)[t];
                EXPECT_EQ((*taps)[t], (*taps)[50 - t]) << "tap " << t;
                if (t != 25) {
                    EXPECT_LT((*taps)[t], (*taps)[25]) << "tap " << t;
                }
            }
            EXPECT_NEAR(sum, 1.0, 1e-12);
            // A low-pass: the Nyquist frequency is strongly attenuated.
            EXPECT_LT(std::fabs(alternating), 0.05);
        }
        // Chroma of 4:2:2 is half-band; its taps pass half the band (odd taps around the
        // centre vanish), whereas the full-band set keeps them.
        const bool halfBand = section != "NIMBREL_FILTER_FULLBAND";
        EXPECT_EQ(std::fabs(filter.pbprTaps[23]) < 1e-12, halfBand);
        // Each value is whole within the 31 characters the reader takes.
        for (int t = 0; t < kTaps; ++t) {
            for (const char* prefix : {"FILTER_KEISU_Y_", "FILTER_KEISU_PBPR_"}) {
                const std::string raw = RawValue(kFilterIni, section, prefix + std::to_string(t));
                EXPECT_FALSE(raw.empty());
                EXPECT_LE(raw.size(), 31u) << prefix << t;
            }
        }
    }
    FilterSettings beginning;
    FilterSettings::ReadBeginning(kFilterIni, beginning);
    EXPECT_EQ(beginning.beginMode, 1);
}
