// The video documents' catalogue listings, path locators and setting replies, on strings.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "corvane/modules/video/CatalogListing.h"
#include "corvane/modules/video/CatalogLocators.h"
#include "corvane/modules/video/CatalogReader.h"
#include "corvane/modules/video/SettingReplies.h"
#include "platform/CatalogItem.h"

namespace corvane {
namespace {

TEST(CatalogListingTest, CountsQuotedItemsAndRefusesAnUnpairedQuote) {
    struct Case {
        const char* reply;
        int count;
    };
    const Case cases[] = {
        {"", 0},
        {"1024,4096", 0},
        {"1024,4096,\"525`h270/\",DIR,0", 1},
        {"0,0,\"A/\",DIR,0,\"B.CMP\",BIN,12,\"C.txt\",,3", 3},
        {"0,0,\"\",BIN,0", 1},
        {"0,0,\"A/\",DIR,0,\"B/", -1},
        {"\"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CatalogListing::CountQuotedItems(c.reply), c.count) << c.reply;
}

// Each step takes one name from the same listing: 'F' the next folder, otherwise the next
// name ending in that suffix; "-" stands for none.
TEST(CatalogListingTest, WalksTheEntriesInOrderAndUsesUpWhatItPasses) {
    struct Step {
        const char* suffix;  // nullptr: a folder
        const char* expected;
    };
    struct Case {
        const char* name;
        const char* reply;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"folders skip files and the counts",
         "1,2,\"F1.cmp\",BIN,3,\"SET/\",DIR,0,\"X/\",DIR,0",
         {{nullptr, "SET"}, {nullptr, "X"}, {nullptr, "-"}}},
        {"dot entries and empty names are no folders",
         "0,0,\"./\",DIR,0,\"../\",DIR,0,\"/\",DIR,0,\"REAL/\",DIR,0",
         {{nullptr, "REAL"}, {nullptr, "-"}}},
        {"suffix in any case, folders and short names never match",
         "0,0,\"mp\",BIN,1,\"cmp\",BIN,1,\"y.cmp/\",DIR,0,\"x.CmP\",BIN,1,\"Z.cmp\",BIN,1",
         {{".cmp", "x.CmP"}, {".cmp", "Z.cmp"}, {".cmp", "-"}}},
        {"a name found uses up the folder before it",
         "0,0,\"A/\",DIR,0,\"b.pic\",BIN,1,\"C/\",DIR,0",
         {{".pic", "b.pic"}, {nullptr, "C"}, {nullptr, "-"}}},
        {"an unpaired quote ends the walk",
         "0,0,\"A/\",DIR,0,\"B/",
         {{nullptr, "A"}, {nullptr, "-"}}},
        {"names keep their escapes and carets",
         "0,0,\"Ramp`hY^2`c1.cmp\",BIN,1",
         {{".cmp", "Ramp`hY^2`c1.cmp"}}},
        {"a name with a control byte is passed over",
         "0,0,\"A\rB.lgo\",BIN,1,\"OK.lgo\",BIN,1",
         {{".lgo", "OK.lgo"}, {".lgo", "-"}}},
    };
    for (const Case& c : cases) {
        CatalogListing listing(c.reply);
        for (const Step& step : c.steps) {
            const std::optional<std::string> name =
                step.suffix ? listing.NextNameWithSuffix(step.suffix) : listing.NextFolderName();
            EXPECT_EQ(name.value_or("-"), step.expected) << c.name;
        }
    }
}

TEST(CatalogListingTest, ResolvesTheInstrumentNameEscapes) {
    const std::string longName(400, 'n');
    struct Case {
        std::string listed;
        std::string shown;
    };
    const Case cases[] = {
        {"100`h75^Bars", "100-75 Bars"},
        {"a`sb`cc", "a/b:c"},
        {"`x`H", "xH"},
        {"``", "`"},
        {"end`", "end"},
        {"", ""},
        {longName + "`h", longName + "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::UnescapeInstrumentName(c.listed), c.shown) << c.listed;
}

SignalTree SampleTree() {
    SignalTree tree;
    tree.push_back({"525`h143", {{"Bars", {{"A.cmp", "A"}}}}});
    tree.push_back({"FMT",
                    {{"Empty", {}},
                     {"SET", {{"Other.cmp", "Other"}, {"NAME.cmp", "NAME"}, {"Pic.PIC", "Pic"}}}}});
    return tree;
}

TEST(CatalogLocatorTest, FindsTheActiveSignalByExactNames) {
    struct Case {
        const char* reply;
        std::optional<std::vector<int>> indices;
    };
    const SignalTree tree = SampleTree();
    const Case cases[] = {
        {"\"/FMT/SET/NAME.cmp\"", std::vector<int>{1, 1, 1}},
        {"\"/525`h143/Bars/A.cmp\"", std::vector<int>{0, 0, 0}},
        {"\"/FMT/SET/Pic.PIC\"", std::vector<int>{1, 1, 2}},
        {"\"/FMT/SET/NAME.txt\"", std::nullopt},
        {"\"/fmt/SET/NAME.cmp\"", std::nullopt},
        {"\"/FMT/Empty/NAME.cmp\"", std::nullopt},
        {"\"/FMT/SET/NAME.cmp", std::nullopt},
        {"\"/FMT/SET\"", std::nullopt},
        {"\"/FMT\"", std::nullopt},
        {"\"\"", std::nullopt},
        {"", std::nullopt},
        {"\"/FMT/SET/.cmp\"", std::nullopt},
        {"\"/FMT/SET/mp\"", std::nullopt},
        {"\"/../PICTURE/Folder/Zone.pic\"", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<SignalLocation> found = LocateSignal(c.reply, tree);
        ASSERT_EQ(found.has_value(), c.indices.has_value()) << c.reply;
        if (found) {
            EXPECT_EQ((std::vector<int>{found->format, found->set, found->signal}), *c.indices)
                << c.reply;
        }
    }
    EXPECT_FALSE(LocateSignal("\"/FMT/SET/NAME.cmp\"", SignalTree{}));
}

TEST(CatalogLocatorTest, FindsTheFramePictureAndRefusesShortReplies) {
    PictureCatalog catalog;
    catalog.folders.push_back({"a", {{"b.pic", "b"}}});
    catalog.folders.push_back({"Cards", {{"Grey.pic", "Grey"}, {"Zone`h1.pic", "Zone-1"}}});
    struct Case {
        const char* reply;
        int folder;  // -1: not found
        int file;
    };
    const Case cases[] = {
        {"\"/../PICTURE/Cards/Zone`h1.pic\"", 1, 1},
        {"\"/../PICTURE/a/b.pic\"", -1, -1},  // 21 characters
        {"\"/../PICTURE/a/b.pic\" ", 0, 0},   // 22
        {"\"/../picture/Cards/Grey.pic\"", -1, -1},
        {"\"/../PICTURES/Cards/Grey.pic\"", -1, -1},
        {"\"/../PICTURE/Cards/Grey.pic", -1, -1},
        {"\"/../PICTURE/CardsGrey.pic\"", -1, -1},
        {"\"/../PICTURE/Cards/grey.pic\"", -1, -1},
        {"\"/../PICTURE/Nowhere/Grey.pic\"", -1, -1},
        {"\"/FMT/SET/NAME.cmp\"     ", -1, -1},
    };
    for (const Case& c : cases) {
        const std::optional<PictureLocation> found = LocatePicture(c.reply, catalog);
        ASSERT_EQ(found.has_value(), c.folder >= 0) << c.reply;
        if (found) {
            EXPECT_EQ(found->folder, c.folder) << c.reply;
            EXPECT_EQ(found->file, c.file) << c.reply;
        }
    }
}

TEST(SettingRepliesTest, AudioFrequencyIndexFollowsThePagesList) {
    const std::pair<int, int> cases[] = {{-1, 0},     {0, 1},     {50, 2},     {750, 11},
                                         {1000, 13},  {9600, 26}, {20000, 31}, {49, -1},
                                         {20001, -1}, {-2, -1},   {700, -1}};
    for (const auto& [hertz, index] : cases) EXPECT_EQ(AudioFrequencyIndex(hertz), index) << hertz;
}

// Every record is turned into the same list of numbers, so one table covers all parsers.
struct ParseCase {
    const char* name;
    std::function<int(const std::string&, std::vector<double>&)> parse;
    const char* reply;
    int result;
    std::vector<double> fields;
};

std::function<int(const std::string&, std::vector<double>&)> MovingPicture() {
    return [](const std::string& reply, std::vector<double>& out) {
        MovingPictureSettings s{-9, -9, -9, -9};
        const int result = ParseMovingPictureReply(reply, s);
        out = {double(s.horizontalStep), double(s.verticalStep), double(s.period),
               double(s.random)};
        return result;
    };
}

std::function<int(const std::string&, std::vector<double>&)> LogoPosition() {
    return [](const std::string& reply, std::vector<double>& out) {
        LogoSettings s;
        s.horizontal = s.vertical = -9;
        s.state = -9;
        const int result = ParseLogoPositionReply(reply, s);
        out = {s.horizontal, s.vertical, double(s.state)};
        return result;
    };
}

std::function<int(const std::string&, std::vector<double>&)> Circle() {
    return [](const std::string& reply, std::vector<double>& out) {
        CircleSettings s{-9, -9, -9, -9};
        const int result = ParseCircleReply(reply, s);
        out = {double(s.state), double(s.diameter), double(s.horizontal), double(s.vertical)};
        return result;
    };
}

std::function<int(const std::string&, std::vector<double>&)> AudioGroup() {
    return [](const std::string& reply, std::vector<double>& out) {
        AudioGroupSettings s{-9, -9, -9, -9};
        const int result = ParseAudioGroupReply(reply, s);
        out = {double(s.state), double(s.bits), double(s.preEmphasis), double(s.sampling)};
        return result;
    };
}

std::function<int(const std::string&, std::vector<double>&)> AudioChannel() {
    return [](const std::string& reply, std::vector<double>& out) {
        AudioChannelSettings s{-9, -9, -9};
        const int result = ParseAudioChannelReply(reply, s);
        out = {double(s.amplitude), double(s.frequency), double(s.click)};
        return result;
    };
}

TEST(SettingRepliesTest, ReadsEveryAnswerAndFailsOnAMissingOne) {
    const ParseCase cases[] = {
        {"moving picture", MovingPicture(), "3;-2;5;1", 1, {3, -2, 5, 1}},
        {"moving picture truncates", MovingPicture(), "2.9;-2.9;1e1;1", 1, {2, -2, 10, 1}},
        {"no special numbers", MovingPicture(), "nan;inf;0x1A;1", 1, {0, 0, 0, 1}},
        {"moving picture short keeps what it read", MovingPicture(), "3;4", 0, {3, 4, -9, -9}},
        {"empty reply", MovingPicture(), "", 0, {0, -9, -9, -9}},
        {"logo position", LogoPosition(), "-12.5;-3.25;1", 1, {-12.5, -3.25, 1}},
        {"logo position short", LogoPosition(), "-12.5;-3.25", 0, {-12.5, -3.25, -9}},
        {"circle order", Circle(), "1;40;-7;8", 1, {1, 40, -7, 8}},
        {"audio group", AudioGroup(), "1;24;CD;NOFR", 1, {1, 24, 1, 1}},
        {"audio group words", AudioGroup(), "0;20;CCIT;ASYN", 1, {0, 20, 2, 2}},
        {"audio group off frame", AudioGroup(), "0;20;OFF;FRAM", 1, {0, 20, 0, 0}},
        {"audio group lower case", AudioGroup(), "1;20;cd;FRAM", 0, {1, 20, -9, -9}},
        {"audio group unknown sampling", AudioGroup(), "1;20;CD;SYNC", 0, {1, 20, 1, -9}},
        {"audio channel", AudioChannel(), "-12;1000;3", 1, {-12, 13, 3}},
        {"audio channel inactive", AudioChannel(), "-60;-1;0", 1, {-60, 0, 0}},
        {"audio channel off the list", AudioChannel(), "0;1001;4", 1, {0, -1, 4}},
        {"audio channel short", AudioChannel(), "0;1000", 0, {0, 13, -9}},
    };
    for (const ParseCase& c : cases) {
        std::vector<double> fields;
        EXPECT_EQ(c.parse(c.reply, fields), c.result) << c.name;
        EXPECT_EQ(fields, c.fields) << c.name;
    }
}

TEST(SettingRepliesTest, QuotedTextNeedsTwoQuotesAndKeepsAnyLength) {
    const std::string longText(1000, 't');
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\"STATION.lgo\"", "STATION.lgo"},
        {"\"\"", ""},
        {"\"a;b\";x", "a;b"},
        {"\"" + longText + "\"", longText},
        {"STATION.lgo", std::nullopt},
        {"\"open", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [reply, text] : cases) EXPECT_EQ(QuotedText(reply), text) << reply;
}

class RecordingProgress : public ICatalogProgress {
public:
    void SetRange(int, int) override { ++calls; }
    void SetStep(int) override { ++calls; }
    void StepIt() override { ++calls; }
    int calls = 0;
};

TEST(CatalogReaderTest, WithoutALinkEveryReadFailsAtOnce) {
    CCatalogReader reader;
    RecordingProgress progress;
    SignalTree tree = SampleTree();
    PictureCatalog pictures;
    pictures.folders.push_back({"a", {}});
    LogoSettings logo;
    logo.logos = {"KEEP.lgo"};
    MovingPictureSettings moving;
    TextSettings text;
    CircleSettings circle;
    AudioGroupSettings group;
    AudioChannelSettings channel;
    const std::pair<const char*, std::function<int()>> reads[] = {
        {"signal tree", [&] { return reader.ReadSignalTree(tree, &progress, 29, "/F0:/X"); }},
        {"pictures", [&] { return reader.ReadPictureCatalog(pictures, &progress, "/F0:/X"); }},
        {"logo list", [&] { return reader.ReadLogoList("/F0:/X", logo); }},
        {"moving", [&] { return reader.ReadMovingPictureSettings(moving); }},
        {"logo", [&] { return reader.ReadLogoSettings(logo); }},
        {"text", [&] { return reader.ReadTextSettings(text); }},
        {"circle", [&] { return reader.ReadCircleSettings(circle); }},
        {"group 1", [&] { return reader.ReadOutput1AudioGroup(group, 0); }},
        {"group 2", [&] { return reader.ReadOutput2AudioGroup(group, 3); }},
        {"channel 1", [&] { return reader.ReadOutput1AudioChannel(channel, 1); }},
        {"channel 2", [&] { return reader.ReadOutput2AudioChannel(channel, 16); }},
    };
    for (const auto& [name, read] : reads) EXPECT_EQ(read(), 0) << name;
    EXPECT_EQ(progress.calls, 0);
    EXPECT_TRUE(tree.empty());
    EXPECT_TRUE(pictures.folders.empty());
    EXPECT_EQ(logo.logos, std::vector<std::string>{"KEEP.lgo"});
}

}  // namespace
}  // namespace corvane
