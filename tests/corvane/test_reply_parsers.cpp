// Readers of the controller's replies, fed the shapes the instrument sends and the ones a
// broken or hostile peer could send.
#include <gtest/gtest.h>

#include "corvane/core/ReplyParsers.h"

namespace corvane {
namespace {

TEST(FirmwareReply, VersionIsTheControllersSoftwareVersion) {
    std::string version;
    ASSERT_TRUE(ParseFirmwareVersion("\"CPU:0:1.00:3.10\",\"Tavix:1:1.0:2.0\"", version));
    EXPECT_EQ(version, "3.10");
    ASSERT_TRUE(ParseFirmwareVersion("\"CPU:0:1.00:1.4\"", version));
    EXPECT_EQ(version, "1.4");
}

TEST(FirmwareReply, CountsColonsFromTheControllerItem) {
    std::string version;
    ASSERT_TRUE(ParseFirmwareVersion("\"Tavix:1:1.0:2.0\",\"CPU:0:1.00:3.10\"", version));
    EXPECT_EQ(version, "3.10");
}

TEST(FirmwareReply, UnreadableRepliesFail) {
    std::string version = "unchanged";
    EXPECT_FALSE(ParseFirmwareVersion("", version));
    EXPECT_FALSE(ParseFirmwareVersion("\"Tavix:1:1.0:2.0\"", version));  // no controller
    EXPECT_FALSE(ParseFirmwareVersion("\"CPU:0:1.00\"", version));       // no third ':'
    EXPECT_FALSE(ParseFirmwareVersion("\"CPU:0:1.00:3.10", version));    // no closing quote
    EXPECT_FALSE(ParseFirmwareVersion("\"CPU:0:1.00:\"", version));      // empty version
    EXPECT_EQ(version, "unchanged");
}

TEST(ModuleCatalog, ItemsGiveSlotAndModel) {
    std::vector<CatalogItem> items;
    ASSERT_TRUE(ParseModuleCatalog("\"CPU:0\",\"Kintor:3\",\"Tavix:1\"", items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].slot, 3);
    EXPECT_EQ(items[0].model, "Kintor");
    EXPECT_EQ(items[1].slot, 1);
    EXPECT_EQ(items[1].model, "Tavix");
}

TEST(ModuleCatalog, ControllerAloneOrEmptyMeansNoModules) {
    std::vector<CatalogItem> items{{1, "stale"}};
    EXPECT_TRUE(ParseModuleCatalog("\"CPU:0\"", items));
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(ParseModuleCatalog("", items));
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(ParseModuleCatalog("\"CPU:0\",", items));  // nothing quoted after the comma
    EXPECT_TRUE(items.empty());
}

TEST(ModuleCatalog, TakesAtMostFourItems) {
    std::vector<CatalogItem> items;
    ASSERT_TRUE(ParseModuleCatalog(
        "\"CPU:0\",\"Tavix:1\",\"Brumo:2\",\"Kintor:3\",\"Sormet:4\",\"Ulmeth:5\"", items));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3].model, "Sormet");
}

TEST(ModuleCatalog, ItemWithoutColonFails) {
    std::vector<CatalogItem> items;
    EXPECT_FALSE(ParseModuleCatalog("\"CPU:0\",\"Tavix:1\",\"garbage\"", items));
    ASSERT_EQ(items.size(), 1u);  // what came before is still read
}

TEST(ModuleCatalog, OddItemsAreReadAsTheInstrumentWroteThem) {
    std::vector<CatalogItem> items;
    // The first character is taken for the quote whatever it is.
    ASSERT_TRUE(ParseModuleCatalog("\"CPU:0\",XTavix:2\"", items));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].model, "Tavix");
    // Slot digits that run on do not overflow.
    ASSERT_TRUE(ParseModuleCatalog("\"CPU:0\",\"Tavix:99999999999999999999\"", items));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_GT(items[0].slot, 4);
    ASSERT_TRUE(ParseModuleCatalog("\"CPU:0\",\"Tavix:x\"", items));
    EXPECT_EQ(items[0].slot, 0);
}

TEST(PresetName, TextBetweenTheFirstTwoQuotes) {
    std::string name;
    ASSERT_TRUE(ParsePresetName("\"Evening News\"", name));
    EXPECT_EQ(name, "Evening News");
    ASSERT_TRUE(ParsePresetName("\"\"", name));
    EXPECT_EQ(name, "");
    EXPECT_FALSE(ParsePresetName("", name));
    EXPECT_FALSE(ParsePresetName("\"open", name));
}

TEST(PresetCatalog, MarksNumberedPresetsAndUserDefault) {
    std::array<int, kPresetCount> used{};
    int userDefault = 7;
    ASSERT_TRUE(
        ParsePresetCatalog("3,\"Evening\",7,\"Test, two\",14,\"User Default\"", used, userDefault));
    for (int i = 0; i < kPresetCount; ++i) EXPECT_EQ(used[i], (i == 2 || i == 6) ? 1 : 0) << i;
    EXPECT_EQ(userDefault, 1);
}

TEST(PresetCatalog, OnlyUserDefault) {
    std::array<int, kPresetCount> used{};
    int userDefault = 0;
    ASSERT_TRUE(ParsePresetCatalog("14,\"User Default\"", used, userDefault));
    EXPECT_EQ(userDefault, 1);
    for (int u : used) EXPECT_EQ(u, 0);
}

TEST(PresetCatalog, OtherNumbersAreIgnoredAndNoPairFails) {
    std::array<int, kPresetCount> used{};
    int userDefault = 1;
    ASSERT_TRUE(ParsePresetCatalog("0,\"x\",15,\"Power On Default\",-3,\"y\",99999999999,\"z\"",
                                   used, userDefault));
    EXPECT_EQ(userDefault, 0);
    for (int u : used) EXPECT_EQ(u, 0);
    EXPECT_FALSE(ParsePresetCatalog("", used, userDefault));
    EXPECT_FALSE(ParsePresetCatalog("3,\"unterminated", used, userDefault));
}

TEST(ErrorReply, LeadingNumber) {
    EXPECT_EQ(ErrorNumber("0,\"No error\""), 0);
    EXPECT_EQ(ErrorNumber("-113,\"Undefined header\""), -113);
    EXPECT_EQ(ErrorNumber("garbage"), 0);
}

}  // namespace
}  // namespace corvane
