#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "InstrumentFixture.h"
#include "quarnsim/Instrument.h"

using namespace quarnsim;
namespace fs = std::filesystem;

namespace {

class FileCommandTest : public InstrumentFixture {
protected:
    FileCommandTest() : InstrumentFixture({{"Tavix", 1}, {"Oltra", 2}}) {}
    // The error query in the utilities' lower-case form.
    std::string NextError() { return Run("stat:que:next?").value_or("<none>"); }
};

}  // namespace

TEST_F(FileCommandTest, ListingInTheUtilitysLowerCaseForm) {
    Start();
    Write("Oltra/PICTURE/A.PIC", std::string(123, 'p'));
    Write("Oltra/PICTURE/Wide 16:9-x.PIC", "12");
    fs::create_directories(m_root + "/Oltra/PICTURE/SUB");
    EXPECT_EQ(Run("mmem:cdir \"/F0:/Oltra/PICTURE\""), std::nullopt);
    EXPECT_EQ(Run("mmem:cdir?"), "\"/F0:/Oltra/PICTURE\"");
    std::string listing = Run("mmem:cat?").value_or("");
    size_t quote = listing.find('"');
    ASSERT_NE(quote, std::string::npos);
    EXPECT_EQ(listing.substr(quote),
              "\"SUB/\",DIR,0,\"A.PIC\",BIN,123,\"Wide^16`c9`hx.PIC\",BIN,2");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    // An empty folder lists the two counts only; a new connection starts at the root.
    EXPECT_EQ(Run("mmem:cdir \"SUB\""), std::nullopt);
    std::string empty = Run("mmem:cat?").value_or("\"");
    EXPECT_EQ(empty.find('"'), std::string::npos) << empty;
    EXPECT_EQ(Session().folder, "/F0:/");
}

TEST_F(FileCommandTest, FoldersAreMadeAndRemovedOnlyWhenThatIsSafe) {
    Start();
    Run("mmem:cdir \"/F0:/Tavix\"");
    EXPECT_EQ(Run("mmem:mdir \"/F0:/Tavix/New Folder\""), std::nullopt);
    EXPECT_TRUE(fs::is_directory(m_root + "/Tavix/New Folder"));
    Run("mmem:mdir \"/F0:/Tavix/New^Folder\"");  // escaped form of the same name
    EXPECT_EQ(NextError(), "-257,\"File name error;name already exists\"");
    Run("mmem:mdir \"/F0:/Tavix/Nowhere/X\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("mmem:mdir \"SIGNAL/SUB\"");  // relative to the current folder
    EXPECT_TRUE(fs::is_directory(m_root + "/Tavix/SIGNAL/SUB"));

    Write("Tavix/SIGNAL/SUB/X.CMP", "x");
    Run("mmem:rdir \"/F0:/Tavix/SIGNAL/SUB\"");
    EXPECT_EQ(NextError(), "-250,\"Mass storage error;folder not empty\"");
    Run("mmem:del \"/F0:/Tavix/SIGNAL/SUB\"");
    EXPECT_EQ(NextError(), "-250,\"Mass storage error;folder not empty\"");
    EXPECT_TRUE(Exists("Tavix/SIGNAL/SUB/X.CMP"));
    Run("mmem:rdir \"/F0:/Tavix/SIGNAL/SUB/X.CMP\"");  // a file is no folder
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    EXPECT_TRUE(Exists("Tavix/SIGNAL/SUB/X.CMP"));

    Run("mmem:del:all \"/F0:/Tavix/SIGNAL\"");
    EXPECT_TRUE(fs::is_directory(m_root + "/Tavix/SIGNAL"));
    EXPECT_TRUE(fs::is_empty(m_root + "/Tavix/SIGNAL"));
    Run("mmem:rdir \"/F0:/Tavix/New Folder\"");
    Run("mmem:del \"/F0:/Tavix/SIGNAL\"");  // empty folders go with a plain delete too
    EXPECT_FALSE(Exists("Tavix/New Folder"));
    EXPECT_FALSE(Exists("Tavix/SIGNAL"));
    EXPECT_EQ(NextError(), "0,\"No error\"");

    // The drive itself stays whatever is asked.
    for (const char* line : {"mmem:rdir \"/F0:/\"", "mmem:del \"/F0:/\"", "mmem:del:all \"/F0:/\"",
                             "mmem:del:all \"/F0:/..\""}) {
        Run(line);
        EXPECT_EQ(NextError(), "-257,\"File name error\"") << line;
    }
    EXPECT_TRUE(fs::is_directory(m_root + "/CPU/PRESET"));
}

TEST_F(FileCommandTest, DeleteMoveAndCopyRefuseWhatWouldLoseData) {
    Start();
    Write("Tavix/LOGO/A.LGO", "logo-a");
    Write("Tavix/LOGO/B.LGO", "logo-b");
    Run("mmem:del \"/F0:/Tavix/LOGO/NONE.LGO\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");

    Run("mmem:move \"/F0:/Tavix/LOGO/A.LGO\",\"/F0:/Tavix/LOGO/B.LGO\"");
    EXPECT_EQ(NextError(), "-257,\"File name error;name already exists\"");
    Run("mmem:copy \"/F0:/Tavix/LOGO/A.LGO\", \"/F0:/Tavix/LOGO/B.LGO\"");
    EXPECT_EQ(NextError(), "-257,\"File name error;name already exists\"");
    EXPECT_EQ(Read("Tavix/LOGO/B.LGO"), "logo-b");

    Run("mmem:move \"/F0:/Tavix/LOGO/A.LGO\",\"/F0:/Tavix/LOGO/A`h1.LGO\"");
    EXPECT_EQ(Read("Tavix/LOGO/A-1.LGO"), "logo-a");
    EXPECT_FALSE(Exists("Tavix/LOGO/A.LGO"));
    Run("mmem:copy \"/F0:/Tavix/LOGO/A-1.LGO\", \"/F0:/Oltra/LOGO/C.LGO\"");
    EXPECT_EQ(Read("Oltra/LOGO/C.LGO"), "logo-a");
    EXPECT_EQ(Read("Tavix/LOGO/A-1.LGO"), "logo-a");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    // Folders move and copy whole, but never into themselves.
    Run("mmem:copy \"/F0:/Tavix/LOGO\", \"/F0:/Tavix/LOGO2\"");
    EXPECT_EQ(Read("Tavix/LOGO2/B.LGO"), "logo-b");
    Run("mmem:move \"/F0:/Tavix/LOGO\",\"/F0:/Tavix/LOGO/INNER\"");
    EXPECT_EQ(NextError(), "-257,\"File name error\"");
    Run("mmem:move \"/F0:/Tavix/NONE\",\"/F0:/Tavix/X\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("mmem:move \"/F0:/Tavix/LOGO/B.LGO\",\"/F0:/Tavix/NOWHERE/B.LGO\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("mmem:move \"/F0:/Tavix/LOGO/B.LGO\"");
    EXPECT_EQ(NextError(), "-109,\"Missing parameter\"");
    EXPECT_EQ(Read("Tavix/LOGO/B.LGO"), "logo-b");
}

TEST_F(FileCommandTest, HostileNamesStayInsideTheDrive) {
    Start();
    // A folder beside the drive that an escaping name would reach; it goes again at the end.
    const std::string outside = m_root + "/../outside-" + fs::path(m_root).filename().string();
    fs::create_directories(outside);
    for (const char* line :
         {"mmem:mdir \"/F0:/Tavix/a`sb\"", "mmem:mdir \"/F0:/Tavix/a\tb\"",
          "mmem:data \"/F0:/Tavix/a*b\",#11x", "mmem:mdir \"\"", "mmem:mdir #13abc"}) {
        Run(line);
        std::string error = NextError();
        EXPECT_TRUE(error.rfind("-257,", 0) == 0 || error.rfind("-104,", 0) == 0)
            << line << " -> " << error;
    }
    // ".." is folded at the root, so it can only name something inside the drive.
    Run("mmem:data \"/F0:/../../X.PIC\",#11x");
    EXPECT_EQ(Read("X.PIC"), "x");
    EXPECT_TRUE(fs::is_empty(outside));
    fs::remove_all(outside);
}

TEST_F(FileCommandTest, LoadsRecordWhatWasTaken) {
    Start();
    Write("Tavix/LOGO/A.LGO", "logo");
    Write("Tavix/SIGNAL/S.SEQ", "seq");
    Write("Tavix/SIGNAL/D.DNL", "download");
    Write("Tavix/PRESET/P.PST", "preset");
    Run("mmem:cdir \"/F0:/Tavix/LOGO\"");
    Run("mmem:load:logo \"A.LGO\"");
    Run("mmem:cdir \"/F0:/Tavix/SIGNAL\"");
    Run("mmem:load:macr \"S.SEQ\";:mmem:load:down \"D.DNL\"");
    Run("mmem:load:pres \"/F0:/Tavix/PRESET/P.PST\"");
    Run("mmem:load:download #15BLOCK");
    Run("mmem:load:logo \"MISSING.LGO\"");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("mmem:load:logo #11x");
    EXPECT_EQ(NextError(), "-104,\"Data type error\"");

    auto loads = m_instrument->Loads();
    ASSERT_EQ(loads.size(), 5u);
    EXPECT_EQ(loads[0].kind, "LOGO");
    EXPECT_EQ(loads[0].path, "/F0:/Tavix/LOGO/A.LGO");
    EXPECT_EQ(loads[0].size, 4u);
    EXPECT_EQ(loads[1].kind, "MACRO");
    EXPECT_EQ(loads[2].kind, "DOWNLOAD");
    EXPECT_EQ(loads[2].path, "/F0:/Tavix/SIGNAL/D.DNL");
    EXPECT_EQ(loads[3].kind, "PRESET");
    EXPECT_EQ(loads[4].kind, "DOWNLOAD");
    EXPECT_EQ(loads[4].path, "");
    EXPECT_EQ(loads[4].data, "BLOCK");
    m_instrument->ClearLoads();
    EXPECT_TRUE(m_instrument->Loads().empty());
}

TEST_F(FileCommandTest, IdentityAndTheErrorQueueUnderBothNames) {
    Start();
    EXPECT_NE(Run("*idn?").value_or("").find("USR"), std::string::npos);
    m_instrument->PushError(-113, "Undefined header");
    m_instrument->PushError(-256, "File name not found");
    EXPECT_EQ(Run("stat:que:next?"), "-113,\"Undefined header\"");
    EXPECT_EQ(Run("STATUS:QUEUE?"), "-256,\"File name not found\"");
    EXPECT_EQ(Run("stat:que:next?"), "0,\"No error\"");
}

TEST_F(FileCommandTest, BlocksWriteAtomicallyAndReadBackWithTheirHeader) {
    Start();
    std::string binary("a\0b\r\n;\"#", 8);
    Run("mmem:data \"/F0:/Tavix/PICTURE/B.PIC\",#18" + binary);
    EXPECT_EQ(Read("Tavix/PICTURE/B.PIC"), binary);
    EXPECT_EQ(Run("mmem:data? \"/F0:/Tavix/PICTURE/B.PIC\""), "#18" + binary);
    Run("mmem:data \"/F0:/Tavix/PICTURE/B.PIC\",#10");  // an existing file is replaced
    EXPECT_EQ(Read("Tavix/PICTURE/B.PIC"), "");
    EXPECT_EQ(Run("mmem:data? \"/F0:/Tavix/PICTURE/B.PIC\""), "#10");
    EXPECT_EQ(NextError(), "0,\"No error\"");

    EXPECT_EQ(Run("mmem:data? \"/F0:/Tavix/PICTURE/NONE.PIC\""), "");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("mmem:data \"/F0:/Tavix/NOWHERE/B.PIC\",#11x");
    EXPECT_EQ(NextError(), "-256,\"File name not found\"");
    Run("mmem:data \"/F0:/Tavix/PICTURE\",#11x");  // a folder is never overwritten
    EXPECT_EQ(NextError(), "-257,\"File name error\"");
    Run("mmem:data \"/F0:/Tavix/PICTURE/C.PIC\",\"text\"");
    EXPECT_EQ(NextError(), "-104,\"Data type error\"");
    Run("mmem:data \"/F0:/Tavix/PICTURE/C.PIC\",#15abc");  // shorter than announced
    EXPECT_EQ(NextError(), "-102,\"Syntax error\"");
    EXPECT_FALSE(Exists("Tavix/PICTURE/C.PIC"));

    // The header can be made to disagree with the file, once.
    Write("Tavix/PICTURE/D.PIC", "12345");
    m_instrument->SetBlockLengthSkew("/F0:/Tavix/PICTURE/D.PIC", 2);
    EXPECT_EQ(Run("mmem:data? \"/F0:/Tavix/PICTURE/D.PIC\""), "#1712345");
    EXPECT_EQ(Run("mmem:data? \"/F0:/Tavix/PICTURE/D.PIC\""), "#1512345");
    m_instrument->SetBlockLengthSkew("/F0:/Tavix/PICTURE/D.PIC", -9);
    EXPECT_EQ(Run("mmem:data? \"/F0:/Tavix/PICTURE/D.PIC\""), "#1012345");
}

TEST_F(FileCommandTest, AFullDriveRefusesNewDataAndKeepsTheOldFile) {
    Options options;
    options.root = m_root;
    options.memoryCapacity = 100;
    Start(options);
    Write("CPU/OLD.PIC", std::string(60, 'o'));
    Run("mmem:data \"/F0:/CPU/NEW.PIC\",#241" + std::string(41, 'n'));
    EXPECT_EQ(NextError(), "-254,\"Media full\"");
    EXPECT_FALSE(Exists("CPU/NEW.PIC"));
    Run("mmem:data \"/F0:/CPU/OLD.PIC\",#3150" + std::string(150, 'r'));  // replaces its 60
    EXPECT_EQ(NextError(), "-254,\"Media full\"");
    EXPECT_EQ(Read("CPU/OLD.PIC"), std::string(60, 'o'));
    Run("mmem:data \"/F0:/CPU/OLD.PIC\",#240" + std::string(40, 'r'));
    Run("mmem:data \"/F0:/CPU/NEW.PIC\",#250" + std::string(50, 'n'));
    EXPECT_EQ(NextError(), "0,\"No error\"");
    Run("mmem:copy \"/F0:/CPU/OLD.PIC\", \"/F0:/CPU/COPY.PIC\"");
    EXPECT_EQ(NextError(), "-254,\"Media full\"");
    EXPECT_FALSE(Exists("CPU/COPY.PIC"));
}

TEST_F(FileCommandTest, DemoDriveHasFilesOfEveryTypeAndKeepsChangedOnes) {
    Options options;
    options.root = m_root;
    options.modules = {{"Tavix", 1}, {"Oltra", 2}};
    ApplyDemo(options);
    Write("Oltra/LOGO/HARNOQ.LGO", "mine");
    Start(options);
    for (const char* file :
         {"Tavix/SIGNAL/BARS-100.CMP", "Tavix/SIGNAL/MULTIBURST.DNL", "Tavix/SIGNAL/TONE SWEEP.SEQ",
          "Tavix/PICTURE/WIDE 16:9.PIC", "Oltra/PRESET/STUDIO-A.PST", "CPU/PRESET/MSTATE.P01"}) {
        EXPECT_TRUE(fs::is_regular_file(m_root + "/" + file)) << file;
    }
    EXPECT_EQ(fs::file_size(m_root + "/Tavix/PICTURE/TESTCARD.PIC"), 150000u);
    EXPECT_EQ(Read("Oltra/LOGO/HARNOQ.LGO"), "mine");
    std::string listing = Run("mmem:cat? \"/F0:/Tavix/PICTURE\"").value_or("");
    EXPECT_NE(listing.find("\"WIDE^16`c9.PIC\",BIN,40000"), std::string::npos) << listing;
}
