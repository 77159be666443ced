// The link's line rules, its error texts and beeps, and its bounds on a silent or closing
// instrument.
#include <chrono>
#include <string>
#include <thread>

#include "LinkFixture.h"
#include "RecordingPeer.h"
#include "platform/MessageBox.h"
#include "platform/SocketErrors.h"
#include "platform/WorkerThread.h"
#include "utilities/common/GuiWaitCursor.h"

namespace utilities::testing {
namespace {

using platform::IDOK;
using platform::MB_ICONEXCLAMATION;
using platform::MB_ICONHAND;
using platform::MB_ICONSTOP;

using LinkTest = LinkFixture;

TEST(LinkTexts, SocketErrorTextsFollowTheWindowsCodes) {
    EXPECT_EQ(CQuarnComm::SocketErrorText(10060), "Connection timed out.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(10061), "Connection refused.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(10054), "Connection reset by peer.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(10004), "Interrupted function call.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(11004), "Valid name, no data record of requested type.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(10047),
              "Address family not supported by protocol family.");
    // Codes outside the table, including one between two listed ones.
    EXPECT_EQ(CQuarnComm::SocketErrorText(10059), "Socket error.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(10107), "Socket error.");
    EXPECT_EQ(CQuarnComm::SocketErrorText(0), "Socket error.");
}

TEST(LinkTexts, CatalogueSizesAreDigitsOnly) {
    std::int64_t size = -7;
    EXPECT_TRUE(CQuarnComm::ParseSize("0", size));
    EXPECT_EQ(size, 0);
    EXPECT_TRUE(CQuarnComm::ParseSize("123456789012", size));
    EXPECT_EQ(size, 123456789012);
    for (const char* bad :
         {"", "-1", "+5", " 5", "5 ", "12a", "1e3", "0x10", "1234567890123456789"}) {
        size = -7;
        EXPECT_FALSE(CQuarnComm::ParseSize(bad, size)) << bad;
        EXPECT_EQ(size, -7) << bad;
    }
}

TEST_F(LinkTest, CommandsEndInCrLfAndRepliesLoseTheirCr) {
    RecordingPeer peer;
    ASSERT_TRUE(peer.Start("first\r\nsec\rond\n"));
    ASSERT_EQ(m_link.Connect(peer.Address()), 1);
    EXPECT_EQ(m_link.SendCommand("inst:cat?"), 1);
    EXPECT_EQ(peer.WaitForBytes(11), "inst:cat?\r\n");
    EXPECT_EQ(m_link.ReceiveLine(), "first");
    EXPECT_EQ(m_link.ReceiveLine(), "second");
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(LinkTest, ASecondConnectKeepsTheConnectionAndTakesNoCursor) {
    const int before = CGuiWaitCursor::ShownCount();
    ConnectLink();
    const int cursors = CGuiWaitCursor::ShownCount();
    EXPECT_EQ(cursors, before + 1);
    EXPECT_EQ(m_link.Connect(m_address), 1);
    EXPECT_EQ(CGuiWaitCursor::ShownCount(), cursors);
    ASSERT_EQ(m_link.SendCommand("*opc?"), 1);
    EXPECT_EQ(m_link.ReceiveLine(), "1");
    EXPECT_EQ(m_sim->ConnectionCount(), 1);
}

TEST_F(LinkTest, DisconnectTellsWhetherThereWasAConnection) {
    EXPECT_EQ(m_link.Disconnect(), 0);
    ConnectLink();
    EXPECT_EQ(m_link.Disconnect(), 1);
    EXPECT_EQ(m_link.Disconnect(), 0);
    // Mirrak's callers count on 1 either way.
    m_link.SetDisconnectAlwaysSucceeds(true);
    EXPECT_EQ(m_link.Disconnect(), 1);
}

TEST_F(LinkTest, SendsFailSilentlyWithoutAConnection) {
    EXPECT_EQ(m_link.SendCommand("*idn?"), 0);
    EXPECT_EQ(m_link.SendRaw("x"), 0);
    EXPECT_EQ(m_link.ReceiveLine(), "");
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_TRUE(m_beeps.empty());
}

TEST_F(LinkTest, ASendToAClosedPeerFailsSilentlyAndClosesTheLink) {
    ConnectLink();
    m_sim->CloseAfterReceivedBytes(1);
    // The first sends may still fit in the local queue; a later one meets the reset.
    const std::string chunk(64 * 1024, 'x');
    int attempts = 0;
    while (m_link.SendRaw(chunk) == 1 && ++attempts < 200) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_LT(attempts, 200);
    EXPECT_FALSE(m_link.IsConnected());
    EXPECT_EQ(m_link.SendCommand("*opc?"), 0);
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_TRUE(m_beeps.empty());
}

TEST_F(LinkTest, RefusedConnectShowsTheHostWithTheStopBeep) {
    ASSERT_TRUE(StartSimulator());
    m_sim->Stop();
    m_boxes.Expect("Cannot connect to \"" + m_address + "\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.Connect(m_address), 0);
    EXPECT_FALSE(m_link.IsConnected());
    EXPECT_EQ(m_beeps, std::vector<platform::UINT>{MB_ICONHAND});
    ASSERT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_TRUE(m_boxes.Records()[0].beepBefore);
}

TEST_F(LinkTest, AWorkerConnectsWithoutACursorAndItsBoxesAreAnswered) {
    ASSERT_TRUE(StartSimulator());
    m_sim->Stop();
    m_boxes.Expect("Cannot connect to \"" + m_address + "\"", MB_ICONSTOP, IDOK);
    const int cursors = CGuiWaitCursor::ShownCount();
    int result = -1;
    platform::CWorkerThread worker;
    ASSERT_TRUE(worker.Start([&] { result = m_link.Connect(m_address); }));
    ASSERT_TRUE(worker.JoinDispatching(20000));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(CGuiWaitCursor::ShownCount(), cursors);
    EXPECT_EQ(m_boxes.Pending(), 0u);
}

TEST_F(LinkTest, AClosedConnectionShowsSocketErrorWithTheExclamationBeep) {
    ConnectLink();
    m_sim->CloseAfterBytes(0);
    ASSERT_EQ(m_link.SendCommand("*idn?"), 1);
    m_boxes.Expect("Socket error.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.ReceiveLine(), "");
    EXPECT_EQ(m_beeps, std::vector<platform::UINT>{MB_ICONEXCLAMATION});
    EXPECT_FALSE(m_link.IsConnected());
}

TEST_F(LinkTest, ASilentInstrumentTimesOutAndALateReplyCannotAnswerTheNextCommand) {
    ConnectLink();
    m_link.SetReceiveTimeoutMs(300);
    m_sim->SwallowNextReply();
    ASSERT_EQ(m_link.SendCommand("*idn?"), 1);
    m_boxes.Expect("Connection timed out.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.ReceiveLine(), "");
    EXPECT_EQ(m_beeps, std::vector<platform::UINT>{MB_ICONEXCLAMATION});
    // Whatever the instrument sends later belongs to the lost exchange: the link is closed,
    // and the next command fails instead of reading it.
    EXPECT_FALSE(m_link.IsConnected());
    EXPECT_EQ(m_link.SendCommand("*idn?"), 0);
}

TEST_F(LinkTest, AReplyLineIsCappedAt16MiB) {
    ConnectLink();
    std::string reply(CQuarnComm::kMaxLineLength, 'x');
    m_sim->ReplaceNextReply(reply + "\n");
    ASSERT_EQ(m_link.SendCommand("*idn?"), 1);
    EXPECT_EQ(m_link.ReceiveLine().size(), CQuarnComm::kMaxLineLength);

    m_sim->ReplaceNextReply(reply + "y\n");
    ASSERT_EQ(m_link.SendCommand("*idn?"), 1);
    m_boxes.Expect("Message too long.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.ReceiveLine(), "");
    EXPECT_FALSE(m_link.IsConnected());
}

TEST_F(LinkTest, AbortEndsABlockedReceiveWithoutABox) {
    ConnectLink();
    m_sim->SwallowNextReply();
    ASSERT_EQ(m_link.SendCommand("*idn?"), 1);
    std::string reply = "unset";
    platform::CWorkerThread worker;
    ASSERT_TRUE(worker.Start([&] { reply = m_link.ReceiveLine(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    m_link.Abort();
    ASSERT_TRUE(worker.JoinDispatching(10000));
    EXPECT_EQ(reply, "");
    EXPECT_TRUE(m_boxes.Records().empty());
    // An aborted link stays quiet: it neither reconnects nor shows anything.
    EXPECT_EQ(m_link.Connect(m_address), 0);
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(LinkTest, DirectoryExistsFindsOnlyAFolderEntry) {
    ConnectLink();
    m_sim->SetReplyOverride("mmem:cat?", "1024,4096,\"PRESET\",,12,\"PRESETS/\",,0");
    EXPECT_EQ(m_link.DirectoryExists("/F0:/Sormet/", "PRESET"), 0);
    m_sim->SetReplyOverride("mmem:cat?", "1024,4096,\"MSTATE.P00\",,12,\"PRESET/\",,0");
    EXPECT_EQ(m_link.DirectoryExists("/F0:/Sormet/", "PRESET"), 1);
    const std::vector<std::string> lines = m_sim->ReceivedLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "mmem:cdir \"/F0:/Sormet/\"");
    EXPECT_EQ(lines.back(), "mmem:cat?");
}

TEST_F(LinkTest, MakeDirectoryChangesFolderThenMakesIt) {
    ConnectLink();
    EXPECT_EQ(m_link.MakeDirectory("/F0:/Tavix/", "NEWDIR"), 1);
    m_sim->SetReplyOverride("mmem:cat?", "");
    // A query afterwards shows both commands arrived and were taken in order.
    EXPECT_EQ(m_link.DirectoryExists("/F0:/Tavix/", "NEWDIR"), 0);
    const std::vector<std::string> lines = m_sim->ReceivedLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "mmem:cdir \"/F0:/Tavix/\"");
    EXPECT_EQ(lines[1], "mmem:mdir \"NEWDIR\"");
    m_sim->ClearReplyOverrides();
    EXPECT_EQ(m_link.DirectoryExists("/F0:/Tavix/", "NEWDIR"), 1);
}

TEST_F(LinkTest, ReadCatalogGivesTheRawLineOrNothingWithoutAConnection) {
    EXPECT_FALSE(m_link.ReadCatalog("/F0:/CPU/PRESET/").has_value());
    ConnectLink();
    m_sim->SetReplyOverride("mmem:cat?", "10,20,\"MSTATE.P03\",,100");
    const std::optional<std::string> catalogue = m_link.ReadCatalog("/F0:/CPU/PRESET/");
    ASSERT_TRUE(catalogue.has_value());
    EXPECT_EQ(*catalogue, "10,20,\"MSTATE.P03\",,100");
}

}  // namespace
}  // namespace utilities::testing
