// The command-port exchanges of the setup-file utilities, on one connection the way they keep
// it: module catalogue, folder changes, catalogues, folders and blocks both ways.
#include <poll.h>

#include <algorithm>
#include <filesystem>

#include "FtpFixture.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class UtilityCommandTest : public FtpFixture {};

}  // namespace

TEST_F(UtilityCommandTest, ModuleCatalogueIsCommaJoinedQuotedModelAndSlot) {
    quarnsim::Options options = MakeOptions();
    options.modules = {{"Brumo", 1}, {"Sormet", 2}, {"Ulmeth", 4}};
    StartSimulator(options);
    EXPECT_EQ(m_client.Query("inst:cat?"), "\"CPU:0\",\"Brumo:1\",\"Sormet:2\",\"Ulmeth:4\"");
}

TEST_F(UtilityCommandTest, FolderChangesTakeATrailingSlashAndAMissingFolderKeepsTheOld) {
    StartSimulator();
    Write("Tavix/PRESET/MSTATE1.P00", "abc");
    EXPECT_EQ(m_client.Query("*CLS;:SYST:ERR:COUN?"), "0");
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Tavix/PRESET/\""));
    std::string listing = m_client.Query("mmem:cat?");
    EXPECT_EQ(listing.substr(listing.find(",\"")), ",\"MSTATE1.P00\",BIN,3");
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Sormet/PRESET/\""));
    EXPECT_EQ(m_client.Query("mmem:cat?"), listing);  // still the Tavix folder
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-256,\"File name not found\"");
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "0,\"No error\"");
    EXPECT_EQ(m_client.Query("mmem:cdir?"), "\"/F0:/Tavix/PRESET\"");
}

TEST_F(UtilityCommandTest, FoldersAreMadeInTheCurrentFolderAndShowInItsCatalogue) {
    StartSimulator();
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Tavix/\""));
    ASSERT_TRUE(m_client.SendLine("mmem:mdir \"EXTRA\""));
    std::string listing = m_client.Query("mmem:cat?");
    EXPECT_NE(listing.find("\"EXTRA/\""), std::string::npos) << listing;
    EXPECT_TRUE(fs::is_directory(m_root + "/Tavix/EXTRA"));
    ASSERT_TRUE(m_client.SendLine("mmem:mdir \"EXTRA\""));  // already there: an error, no harm
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-257,\"File name error;name already exists\"");
}

TEST_F(UtilityCommandTest, BlocksRoundTripAndTheirLineEndsAreConsumed) {
    StartSimulator();
    std::string file = Pattern(40000) + "\r\n";
    ASSERT_TRUE(m_client.Send("mmem:data \"/F0:/CPU/PRESET/MSTATE.P04\",#540002" + file + "\r\n"));
    // The next line is read as a command of its own, not as the rest of the block.
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
    EXPECT_EQ(Read("CPU/PRESET/MSTATE.P04"), file);
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/CPU/PRESET/MSTATE.P04\""));
    std::string reply;
    while (reply.size() < 8 + file.size()) {
        std::string line;
        ASSERT_TRUE(m_client.ReadLine(&line));
        reply += line + "\n";
    }
    EXPECT_TRUE(reply == "#540002" + file + "\n");
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "0,\"No error\"");
}

TEST_F(UtilityCommandTest, AMissingFileAnswersAnEmptyLineAndQueuesAnError) {
    StartSimulator();
    EXPECT_EQ(m_client.Query("mmem:data? \"/F0:/CPU/PRESET/MSTATE.P12\""), "");
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-256,\"File name not found\"");
}

TEST_F(UtilityCommandTest, StoredPresetsAreFilesOnTheDrive) {
    quarnsim::Options options = MakeOptions();
    options.presets = {{2, "Bars", true}};
    StartSimulator(options);
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/CPU/PRESET/\""));
    std::string listing = m_client.Query("mmem:cat?");
    EXPECT_NE(listing.find("\"MSTATE.P02\",BIN,"), std::string::npos) << listing;
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Tavix/PRESET/\""));
    listing = m_client.Query("mmem:cat?");
    EXPECT_NE(listing.find("\"MSTATE1.P02\",BIN,"), std::string::npos) << listing;
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Kintor/PRESET/\""));
    listing = m_client.Query("mmem:cat?");
    EXPECT_NE(listing.find("\"MSTATE3.P02\",BIN,"), std::string::npos) << listing;
}

TEST_F(UtilityCommandTest, ASplitTerminatorArrivesAsASegmentOfItsOwn) {
    StartSimulator();
    Write("CPU/PRESET/MSTATE.P05", "12345");
    m_sim->SplitNextReplyTerminator(1500ms);
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/CPU/PRESET/MSTATE.P05\""));
    // The block comes whole; its line end is not there yet.
    std::string line;
    m_client.SetGuardMilliseconds(200);
    EXPECT_FALSE(m_client.ReadLine(&line));
    m_client.SetGuardMilliseconds(5000);
    ASSERT_TRUE(m_client.ReadLine(&line));
    EXPECT_EQ(line, "#1512345");
    EXPECT_EQ(m_client.Query("*OPC?"), "1");  // only the next reply splits
}

TEST_F(UtilityCommandTest, ASkewedBlockHeaderDiffersFromTheCatalogueSize) {
    StartSimulator();
    Write("CPU/PRESET/MSTATE.P06", "123456");
    m_sim->SetBlockLengthSkew("/F0:/CPU/PRESET/MSTATE.P06", 4);
    EXPECT_EQ(m_client.Query("mmem:data? \"/F0:/CPU/PRESET/MSTATE.P06\""), "#210123456");
}

TEST_F(UtilityCommandTest, CataloguesCanLeaveTheTypeFieldEmpty) {
    quarnsim::Options options = MakeOptions();
    options.catalogTypeFields = false;
    StartSimulator(options);
    Write("Tavix/PRESET/MSTATE1.P00", "abc");
    fs::create_directories(m_root + "/Tavix/PRESET/SUB");
    ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Tavix/PRESET/\""));
    std::string listing = m_client.Query("mmem:cat?");
    EXPECT_EQ(listing.substr(listing.find(",\"")), ",\"SUB/\",,0,\"MSTATE1.P00\",,3");
}

TEST_F(UtilityCommandTest, AnEmptyFolderIsListedWithOrWithoutACommaAfterItsCounts) {
    for (bool comma : {false, true}) {
        SCOPED_TRACE(comma);
        m_client.Close();
        if (m_sim)
            m_sim->Stop();
        quarnsim::Options options = MakeOptions();
        options.emptyCatalogComma = comma;
        StartSimulator(options);
        Write("Tavix/PRESET/MSTATE1.P00", "abc");
        ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Kintor/PRESET/\""));
        const std::string empty = m_client.Query("mmem:cat?");
        const std::string counts = comma ? empty.substr(0, empty.size() - 1) : empty;
        EXPECT_EQ(empty, counts + (comma ? "," : "")) << empty;
        EXPECT_EQ(counts.find_first_not_of("0123456789,"), std::string::npos) << empty;
        EXPECT_EQ(std::count(counts.begin(), counts.end(), ','), 1) << empty;
        // A folder with entries never ends with a comma.
        ASSERT_TRUE(m_client.SendLine("mmem:cdir \"/F0:/Tavix/PRESET/\""));
        const std::string listing = m_client.Query("mmem:cat?");
        EXPECT_EQ(listing.substr(listing.find(",\"")), ",\"MSTATE1.P00\",BIN,3");
    }
}
