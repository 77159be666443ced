// The module catalogue as the backup and the restore read it: which models are installed, and
// which sit in slots 1 to 4.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "utilities/common/ModuleCatalog.h"

namespace utilities {
namespace {

using Slots = std::array<std::string, 4>;

TEST(ModuleCatalog, SlotModelsFromTheAddresses) {
    EXPECT_EQ(CModuleCatalog("\"CPU:0\",\"Brumo:1\",\"Sormet:3\"").SlotModels(),
              (Slots{"Brumo", "---", "Sormet", "---"}));
    EXPECT_EQ(CModuleCatalog("\"CPU:0\"").SlotModels(), (Slots{"---", "---", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("").SlotModels(), (Slots{"---", "---", "---", "---"}));
    // Slots outside 1 to 4 are not shown; the controller is not shown.
    EXPECT_EQ(CModuleCatalog("\"Tavix:7\",\"Oltra:-1\",\"Yarlo:4\"").SlotModels(),
              (Slots{"---", "---", "---", "Yarlo"}));
}

TEST(ModuleCatalog, OnlyTheFirstFiveAddressesCount) {
    EXPECT_EQ(CModuleCatalog("\"CPU:0\",\"A:1\",\"B:2\",\"C:3\",\"D:4\",\"E:1\"").SlotModels(),
              (Slots{"A", "B", "C", "D"}));
    EXPECT_EQ(CModuleCatalog("\"X:1\",\"X:1\",\"X:1\",\"X:1\",\"X:1\",\"Y:2\"").SlotModels(),
              (Slots{"X", "---", "---", "---"}));
}

TEST(ModuleCatalog, HostileTextsEndTheWalkCleanly) {
    // A missing ':' ends the walk; so does a missing ','.
    EXPECT_EQ(CModuleCatalog("\"Brumo:2\",\"Sormet\"").SlotModels(),
              (Slots{"---", "Brumo", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("\"Brumo:2\"\"Tavix:3\"").SlotModels(),
              (Slots{"---", "Brumo", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("\"Brumo:").SlotModels(), (Slots{"---", "---", "---", "---"}));
    EXPECT_EQ(CModuleCatalog("\"").SlotModels(), (Slots{"---", "---", "---", "---"}));
    std::string longName(5000, 'M');
    EXPECT_EQ(CModuleCatalog("\"" + longName + ":1\"").SlotModels()[0], longName);
}

TEST(ModuleCatalog, InstalledMeansNamedExactly) {
    CModuleCatalog catalog("\"CPU:0\",\"Brumo:1\",\"Sormetx:3\",\"ulmeth:2\"");
    EXPECT_TRUE(catalog.IsInstalled("CPU"));
    EXPECT_TRUE(catalog.IsInstalled("Brumo"));
    EXPECT_FALSE(catalog.IsInstalled("Sormet"));
    EXPECT_FALSE(catalog.IsInstalled("Ulmeth"));
    EXPECT_FALSE(catalog.IsInstalled("Bru"));
    // A longer name or another case is another model.
    CModuleCatalog other("\"CPU:0\",\"Brumo:1\",\"Sormet2:3\",\"tavix:4\"");
    EXPECT_TRUE(other.IsInstalled("Brumo"));
    EXPECT_FALSE(other.IsInstalled("Sormet"));
    EXPECT_FALSE(other.IsInstalled("Tavix"));
    // The controller is always there, even when the reply does not say so.
    EXPECT_TRUE(CModuleCatalog("").IsInstalled("CPU"));
    // An address without its colon names nothing.
    EXPECT_FALSE(CModuleCatalog("\"Brumo").IsInstalled("Brumo"));
    EXPECT_TRUE(CModuleCatalog("\"Ulmeth:2\"").IsInstalled("Ulmeth"));
    EXPECT_EQ(CModuleCatalog::Models().front(), std::string("CPU"));
    EXPECT_EQ(CModuleCatalog::Models().size(), 9u);
}

}  // namespace
}  // namespace utilities
