#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "InstrumentFixture.h"
#include "quarnsim/Catalog.h"
#include "quarnsim/Instrument.h"

using namespace quarnsim;
namespace fs = std::filesystem;

namespace {

class MainframeTest : public InstrumentFixture {
protected:
    MainframeTest() : InstrumentFixture({{"Tavix", 1}, {"Kintor", 3}, {"Tavix", 4}}) {}
    // An instrument without a drive.
    quarnsim::Options WithoutDrive() const {
        quarnsim::Options options = MakeOptions();
        options.root.clear();
        return options;
    }
};

}  // namespace

TEST_F(MainframeTest, FrameResetFrequenciesAnswerUnderAnySelection) {
    Options options = MakeOptions();
    options.frameResets = {{{"14.985", {}}, {"6.25", {}}, {"0.0", {}}}};
    Start(options);
    EXPECT_EQ(Run("SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?;:SENS:ROSC:FRAME3:FREQ?"),
              "14.985;6.25;0.0");
    Run("INST:SEL \"Kintor:3\"");
    EXPECT_EQ(Run("SENSE:ROSCILLATOR:FRAME2:FREQUENCY?"), "6.25");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    EXPECT_EQ(Run("SENS:ROSC:FRAME4:FREQ?;:SENS:ROSC:FRAME0:FREQ?"), ";");
    EXPECT_EQ(NextError(), "-114,\"Header suffix out of range\"");
    EXPECT_EQ(NextError(), "-114,\"Header suffix out of range\"");
    EXPECT_EQ(Run("SENS:ROSC:FRAME1:FREQ 50"), std::nullopt);  // a measured value
    EXPECT_EQ(NextError(), "-113,\"Undefined header\"");

    EXPECT_TRUE(m_instrument->SetFrameResetFrequency(3, "15"));
    EXPECT_EQ(Run("SENS:ROSC:FRAME3:FREQ?"), "15");
    for (const char* bad : {"", "abc", "59.94;1", "\"50\"", "-1", "nan", "1 0"}) {
        EXPECT_FALSE(m_instrument->SetFrameResetFrequency(3, bad)) << bad;
    }
    EXPECT_FALSE(m_instrument->SetFrameReset(4, "50", {}));
    EXPECT_FALSE(m_instrument->SetFrameReset(1, "50", {5}));
    EXPECT_EQ(m_instrument->FrameResetFrequency(3), "15");

    options.frameResets[0].usedBy = {0};
    Instrument refused(options);
    std::string error;
    EXPECT_FALSE(refused.Initialize(&error));
    EXPECT_NE(error.find("frame reset"), std::string::npos);
}

TEST_F(MainframeTest, FrameResetCatalogueFollowsConfigurationAndAudioSync) {
    Start();  // resets at 59.94, 50 and absent
    EXPECT_EQ(Run("SENS:ROSC:FRAME1:CAT?;:SENS:ROSC:FRAME2:CAT?;:SENS:ROSC:FRAME3:CAT?"), ";;");

    ASSERT_TRUE(m_instrument->SetFrameResetSlots(1, {3, 1, 3}));
    EXPECT_EQ(Run("SENS:ROSC:FRAME1:CAT?"), "\"1,3\"");

    // An audio generator whose sync follows a reset is listed for it.
    ASSERT_TRUE(m_instrument->SetModuleSetting(4, "OUTP:AUD:SYNC", "FRAME_ONE"));
    ASSERT_TRUE(m_instrument->SetModuleSetting(1, "OUTP:AUD:SYNC", "FRAME_TWO"));
    EXPECT_EQ(Run("SENS:ROSC:FRAME1:CAT?;:SENS:ROSC:FRAME2:CAT?"), "\"1,3,4\";\"1\"");
    Run("INST:SEL \"Tavix:1\";:OUTP:AUD:SYNC FREE");
    EXPECT_EQ(Run("SENS:ROSC:FRAME2:CAT?"), "");
    EXPECT_EQ(m_instrument->FrameResetCatalog(1), "\"1,3,4\"");

    // No slot uses a reset that is not there.
    ASSERT_TRUE(m_instrument->SetFrameResetFrequency(1, "0.0"));
    EXPECT_EQ(Run("SENS:ROSC:FRAME1:CAT?;:SENS:ROSC:FRAME1:FREQ?"), ";0.0");
}

TEST_F(MainframeTest, ContrastIsAControllerSettingWithItsRange) {
    Start();
    EXPECT_EQ(Run("DISP:CONT?"), "20");
    Run("DISP:CONT 1;:INST:SEL \"Tavix:1\"");
    EXPECT_EQ(Run("DISPLAY:CONTRAST?"), "1");
    Run("DISP:CONT 40");
    EXPECT_EQ(Run("DISP:CONT?"), "40");
    for (const char* bad : {"0", "41", "-3"}) {
        Run(std::string("DISP:CONT ") + bad);
        EXPECT_EQ(NextError(), "-222,\"Data out of range\"") << bad;
    }
    Run("DISP:CONT 12.5");
    EXPECT_EQ(NextError(), "-104,\"Data type error\"");
    EXPECT_EQ(Run("DISP:CONT?"), "40");

    // It belongs to what presets keep.
    Run("MMEM:STOR:PRES \"PRESET 2\";:DISP:CONT 7");
    Run("MMEM:LOAD:PRES \"PRESET 2\"");
    EXPECT_EQ(Run("DISP:CONT?"), "40");
    EXPECT_FALSE(m_instrument->SetModuleSetting(0, "DISP:CONT", "41"));
    EXPECT_TRUE(m_instrument->SetModuleSetting(0, "display:contrast", "33"));
    EXPECT_EQ(m_instrument->ModuleSetting(0, "DISP:CONT"), "33");
}

TEST_F(MainframeTest, RootCatalogueListsTheLaidOutFoldersWithMemoryCounts) {
    Start();
    Write("CPU/PRESET/MSTATE.P01", std::string(100, 'x'));
    Write("Kintor/SIGNAL/A.CMP", std::string(23, 'y'));
    Run("INST:SEL \"Tavix:1\"");
    double total = 64.0 * 1024 * 1024;
    std::string expected = "123," + std::to_string(static_cast<long>(total) - 123) +
                           ",\"CPU/\",DIR,0,\"Kintor/\",DIR,0,\"Tavix/\",DIR,0";
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/\""), expected);
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/Kintor/SIGNAL\""),
              "123," + std::to_string(static_cast<long>(total) - 123) + ",\"A.CMP\",BIN,23");

    m_instrument->SetMemoryBytes(5000, 1e9);
    EXPECT_EQ(Run("mmem:cat? \"F0:/CPU\""), "5000,1000000000,\"PRESET/\",DIR,0");
    m_instrument->ClearMemoryBytes();
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/\"").value_or("").substr(0, 4), "123,");
}

// The used figure follows the drive whoever changes it: what a test lays out or changes on the
// disk itself shows at the very next listing, in nested folders too.
TEST_F(MainframeTest, UsedBytesFollowChangesMadeOnTheDiskAtOnce) {
    Start();
    Write("Kintor/SIGNAL/A.CMP", std::string(23, 'y'));
    auto used = [&] {
        const std::string reply = Run("MMEM:CAT? \"/F0:/CPU\"").value_or("");
        return reply.substr(0, reply.find(','));
    };
    EXPECT_EQ(used(), "23");
    struct Change {
        const char* what;
        std::function<void()> make;
        const char* used;
    };
    const Change changes[] = {
        {"a file in the root", [&] { Write("top.bin", std::string(7, 'a')); }, "30"},
        {"a file in a new nested folder",
         [&] { Write("Tavix/LOGO/deep/x.lgo", std::string(100, 'b')); }, "130"},
        {"another file in that folder, counted since",
         [&] { Write("Tavix/LOGO/deep/y.lgo", std::string(5, 'c')); }, "135"},
        {"a file grown in place",
         [&] { std::ofstream(m_root + "/Kintor/SIGNAL/A.CMP", std::ios::app) << "zz"; }, "137"},
        {"a file removed", [&] { fs::remove(m_root + "/top.bin"); }, "130"},
        {"a folder removed with its files", [&] { fs::remove_all(m_root + "/Tavix/LOGO/deep"); },
         "25"},
    };
    for (const Change& change : changes) {
        change.make();
        EXPECT_EQ(used(), change.used) << change.what;
    }
}

TEST_F(MainframeTest, RootCatalogueHoldsEntriesWithoutADrive) {
    Start(WithoutDrive());
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/\""),
              "0,67108864,\"CPU/\",DIR,0,\"Tavix/\",DIR,0,\"Kintor/\",DIR,0");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/CPU\""), "");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
}

TEST_F(MainframeTest, ListingEscapesNamesAndLeavesOutNamesItCannotCarry) {
    Start();
    Write("Tavix/LOGO/my-logo 2.LGO", "abc");
    Write("Tavix/LOGO/a`b.LGO", "");
    Write("Tavix/LOGO/sub folder/x", "");
    for (const char* unlisted : {"x,y.LGO", "q\"uote", "hat^.LGO", "semi;colon", "tab\tname"}) {
        Write(std::string("Tavix/LOGO/") + unlisted, "zz");
    }
    fs::create_symlink("/etc", m_root + "/Tavix/LOGO/link");
    m_instrument->SetMemoryBytes(1, 2);
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/Tavix/LOGO\""),
              "1,2,\"sub^folder/\",DIR,0,\"a``b.LGO\",BIN,0,\"my`hlogo^2.LGO\",BIN,3");

    // Names come back escaped as they were listed; plain spellings work as well.
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/Tavix/LOGO/sub^folder\""), "1,2,\"x\",BIN,0");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/Tavix/LOGO/sub folder\""), "1,2,\"x\",BIN,0");
    EXPECT_EQ(NextError(), "0,\"No error\"");
}

TEST_F(MainframeTest, CatalogueArgumentsThatAreNoFolder) {
    Start();
    Write("CPU/file.txt", "x");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/Nowhere\""), "");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/CPU/file.txt\""), "");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/CPU`sPRESET\""), "");  // a '/' cannot be in a name
    EXPECT_EQ(NextError(), "-257,\"File name error\"");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/CPU/a`cb\""), "");  // a ':' can, but there is none
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    // ".." never climbs above the drive.
    std::string root = Run("MMEM:CAT? \"/F0:/\"").value_or("<none>");
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/../..\""), root);
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/\",\"/F0:/CPU\""), "");
    EXPECT_EQ(NextError(), "-108,\"Parameter not allowed\"");
    EXPECT_EQ(Run("MMEM:CAT? #13abc"), "");
    EXPECT_EQ(NextError(), "-104,\"Data type error\"");
}

TEST_F(MainframeTest, CurrentFolderMovesOnlyWithChangeFolder) {
    Start();
    Write("Kintor/SIGNAL/A.CMP", "1234");
    m_instrument->SetMemoryBytes(0, 0);
    EXPECT_EQ(Run("MMEM:CDIR?"), "\"/F0:/\"");
    Run("mmem:cdir \"/F0:/Kintor/SIGNAL\"");
    EXPECT_EQ(Run("mmem:cat?"), "0,0,\"A.CMP\",BIN,4");
    // The folder given with the query does not move the current one.
    EXPECT_EQ(Run("MMEM:CAT? \"/F0:/\"").value_or("").find("\"CPU/\""), 4u);
    EXPECT_EQ(Run("MMEM:CDIR?;:MMEM:CAT?"), "\"/F0:/Kintor/SIGNAL\";0,0,\"A.CMP\",BIN,4");

    Run("MMEM:CDIR \"..\"");
    EXPECT_EQ(Run("MMEM:CDIR?"), "\"/F0:/Kintor\"");
    EXPECT_EQ(Run("MMEM:CAT? \"SIGNAL\""), "0,0,\"A.CMP\",BIN,4");  // relative to it
    Run("MMEM:CDIR \"/F0:/Missing\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    EXPECT_EQ(Run("MMEM:CDIR?"), "\"/F0:/Kintor\"");

    Session other;  // the current folder belongs to the connection
    std::string reply;
    ASSERT_TRUE(m_instrument->ProcessLine(other, "MMEM:CDIR?", &reply));
    EXPECT_EQ(reply, "\"/F0:/\"");
}

TEST(Catalog, EscapesRoundTripThroughPaths) {
    std::string escaped;
    ASSERT_TRUE(Catalog::EscapeName("a-b:c d`e", &escaped));
    EXPECT_EQ(escaped, "a`hb`cc^d``e");
    std::string plain;
    ASSERT_TRUE(Catalog::UnescapePath("/F0:/" + escaped, &plain));
    EXPECT_EQ(plain, "/F0:/a-b:c d`e");
    for (const char* bad : {"", "a,b", "a\"b", "a^b", "a;b", "a\nb", "a\x7f"}) {
        EXPECT_FALSE(Catalog::EscapeName(bad, &escaped)) << bad;
    }
    EXPECT_FALSE(Catalog::UnescapePath("/F0:/a`sb", &plain));
    ASSERT_TRUE(Catalog::UnescapePath("x`", &plain));
    EXPECT_EQ(plain, "x");
    EXPECT_EQ(Catalog::Format(-1, 1.0 / 0.0, {{"a/b", false, 1}, {"d", true, 9}}),
              "0,0,\"a`sb\",BIN,1,\"d/\",DIR,0");
}
