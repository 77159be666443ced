// The link against the simulator: listings, every file command, refusals, the reply timer.
#include <chrono>
#include <filesystem>

#include "drenlo/comm/ErrorBox.h"
#include "tests/drenlo/test_comm_fixture.h"

namespace drenlo::testing {
namespace {

namespace fs = std::filesystem;
using platform::IDOK;
using platform::MB_ICONSTOP;

class LinkTest : public CommFixture {};

TEST_F(LinkTest, ListsAFolderWithEscapedNamesAndFolders) {
    WriteFile(InstrumentFile("PICS/a.pic"), "123");
    WriteFile(InstrumentFile("PICS/my file-1.pic"), "12345");
    fs::create_directories(InstrumentFile("PICS/SUB"));
    StartSimulator();
    m_sim->SetMemoryBytes(1000, 2000);
    ConnectLink();
    CFileInfo item;
    std::vector<CFileInfo> items;
    for (int more = m_comm->ReadDirectory("/F0:/PICS", item); more;
         more = m_comm->ParseCatalogEntries(item)) {
        items.push_back(item);
    }
    ASSERT_EQ(items.size(), 3u);
    std::vector<std::string> names;
    for (const CFileInfo& i : items) names.push_back(i.GetName() + (i.IsFolder() ? "/" : ""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"SUB/", "a.pic", "my^file`h1.pic"}));
    EXPECT_EQ(g_objectCount, 3);
    EXPECT_EQ(g_totalSize, 8u);
    m_comm->ShowListStatus();
    EXPECT_EQ(m_host->m_objects, "3 object[s]");
    EXPECT_EQ(m_host->m_sizes, "8 bytes [Memory free: 1.95KB]");
    // The listed form goes back into commands as it is.
    EXPECT_EQ(m_comm->DeleteRemoteFile("/F0:/PICS/my^file`h1.pic"), 1);
    EXPECT_EQ(m_comm->IsDirectoryEmpty("/F0:/PICS/SUB"), CQuarnComm::kFolderEmpty);
    EXPECT_FALSE(Exists(InstrumentFile("PICS/my file-1.pic")));
}

TEST_F(LinkTest, CountsOfZeroKeepTheLastGoodValues) {
    fs::create_directories(InstrumentFile("EMPTY"));
    StartSimulator();
    ConnectLink();
    m_sim->SetMemoryBytes(1000, 2000);
    CFileInfo item;
    EXPECT_EQ(m_comm->ReadDirectory("/F0:/EMPTY", item), 0);  // nothing listed
    EXPECT_EQ(g_objectCount, 0);
    EXPECT_EQ(g_freeBytes, 2000);
    m_sim->SetMemoryBytes(0, 0);
    m_comm->ReadDirectory("/F0:/EMPTY", item);
    EXPECT_EQ(g_usedBytes, 1000);
    EXPECT_EQ(g_freeBytes, 2000);
}

TEST_F(LinkTest, FileAndFolderCommandsWithTheInstrumentsRefusals) {
    WriteFile(InstrumentFile("A/x.pic"), "x");
    WriteFile(InstrumentFile("A/y.pic"), "y");
    StartSimulator();
    ConnectLink();
    EXPECT_EQ(m_comm->MakeDirectory("/F0:/A/NEW"), 1);
    EXPECT_EQ(m_comm->MoveRemoteFile("/F0:/A/x.pic", "/F0:/A/NEW/x.pic"), 1);
    EXPECT_EQ(m_comm->CopyRemoteFile("/F0:/A/y.pic", "/F0:/A/NEW/y.pic"), 1);
    std::string line;
    EXPECT_EQ(m_comm->ReadNextError(line), 1);  // also waits for the commands to be done
    EXPECT_EQ(line.substr(0, 1), "0");
    EXPECT_TRUE(fs::is_directory(InstrumentFile("A/NEW")));
    EXPECT_TRUE(Exists(InstrumentFile("A/NEW/x.pic")));
    EXPECT_TRUE(Exists(InstrumentFile("A/NEW/y.pic")));
    EXPECT_EQ(m_comm->IsDirectoryEmpty("/F0:/A/NEW"), CQuarnComm::kFolderNotEmpty);

    // A non-empty folder is refused; the refusal waits in the error queue.
    EXPECT_EQ(m_comm->RemoveRemoteDirectory("/F0:/A/NEW"), 1);
    ASSERT_EQ(m_comm->ReadNextError(line), 1);
    EXPECT_NE(line.substr(0, 1), "0") << line;
    EXPECT_TRUE(Exists(InstrumentFile("A/NEW")));
    EXPECT_EQ(m_comm->DeleteAll("/F0:/A/NEW"), 1);
    EXPECT_EQ(m_comm->RemoveRemoteDirectory("/F0:/A/NEW"), 1);
    EXPECT_EQ(m_comm->DeleteRemoteFile("/F0:/A/y.pic"), 1);
    m_comm->ReadNextError(line);
    EXPECT_FALSE(Exists(InstrumentFile("A/NEW")));
    EXPECT_FALSE(Exists(InstrumentFile("A/y.pic")));

    m_sim->ClearLog();
    EXPECT_EQ(m_comm->MoveRemoteFile("/F0:/A/z", "/F0:/A/z"), 1);  // nothing sent
    EXPECT_EQ(m_comm->LoadPresetFile("a.pst"), 1);
    EXPECT_EQ(m_comm->LoadSequenceFile("a.seq"), 1);
    EXPECT_EQ(m_comm->LoadLogoFile("a.lgo"), 1);
    EXPECT_EQ(m_comm->LoadDownloadFile("a.dnl"), 1);
    // A name that would end the quoted argument early is never sent.
    EXPECT_EQ(m_comm->DeleteRemoteFile("/F0:/A/a\"\r\nmmem:del:all \"/F0:/"), 0);
    m_comm->ReadNextError(line);
    const std::vector<std::string> lines = m_sim->ReceivedLines();
    EXPECT_EQ(lines,
              (std::vector<std::string>{"mmem:load:pres \"a.pst\"", "mmem:load:macr \"a.seq\"",
                                        "mmem:load:logo \"a.lgo\"", "mmem:load:down \"a.dnl\"",
                                        "stat:que:next?"}));
}

TEST_F(LinkTest, IdentityNeedsUsr) {
    StartSimulator();
    ConnectLink();
    m_sim->SetReplyOverride("*idn?", "Harnoq,Quarn,USR123,2.1");
    EXPECT_EQ(m_comm->ReadIdentity(), 1);
    m_sim->SetReplyOverride("*idn?", "Harnoq,Quarn,0,2.1");
    EXPECT_EQ(m_comm->ReadIdentity(), 0);
}

TEST_F(LinkTest, AReplyThatNeverComesIsCutOffAndTheLinkClosed) {
    StartSimulator();
    ConnectLink();
    m_sim->DelayNextReply(std::chrono::milliseconds(3000));
    m_boxes.Expect("Socket error.", MB_ICONSTOP, IDOK);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(m_comm->IsDirectoryEmpty("/F0:/"), CQuarnComm::kFolderUnknown);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(1900));
    EXPECT_TRUE(m_boxes.Records().back().beepBefore);
    // The late reply can never be read as the answer to the next query.
    EXPECT_EQ(m_comm->IsConnected(), 0);
    std::string reply;
    EXPECT_EQ(m_comm->Query("*idn?", reply), 0);
    EXPECT_EQ(m_comm->Connect(), 1);
    m_sim->SetReplyOverride("*idn?", "USR");
    EXPECT_EQ(m_comm->ReadIdentity(), 1);
}

TEST_F(LinkTest, ADroppedConnectionIsAFailedListingNotAnEmptyFolder) {
    WriteFile(InstrumentFile("B/x.pic"), "x");
    StartSimulator();
    ConnectLink();
    m_sim->CloseAfterBytes(5);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_comm->IsDirectoryEmpty("/F0:/B"), CQuarnComm::kFolderUnknown);
    EXPECT_EQ(m_comm->IsConnected(), 0);
    CFileInfo item;
    EXPECT_EQ(m_comm->ReadDirectory("/F0:/B", item), 0);  // closed: fails without a box
}

TEST_F(LinkTest, AnOverlongReplyIsAFailedRead) {
    StartSimulator();
    ConnectLink();
    m_sim->ReplaceNextReply(std::string(CQuarnComm::kMaxReplyLine + 10, 'x') + "\n");
    m_boxes.Expect("Error: WSAEMSGSIZE", MB_ICONSTOP, IDOK);
    std::string reply;
    EXPECT_EQ(m_comm->Query("*idn?", reply), 0);
    EXPECT_TRUE(reply.empty());
}

TEST_F(LinkTest, ConnectFailureEmptiesTheViews) {
    m_comm->SetTargetHost("127.0.0.1");
    StartSimulator();
    m_sim->RefuseConnections(true);
    m_boxes.Expect("Cannot connect to \"" + m_address + "\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_comm->Connect(), 0);
    EXPECT_EQ(m_host->m_connectFailures, 1);
    EXPECT_EQ(m_comm->GetRootText(), "Quarn [" + m_address + "]");
}

}  // namespace
}  // namespace drenlo::testing
