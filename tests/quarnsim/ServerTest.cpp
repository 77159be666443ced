#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "SimulatorFixture.h"
#include "quarnsim/LineAssembler.h"

using namespace std::chrono_literals;

namespace {

class ServerTest : public SimulatorFixture {};

}  // namespace

TEST_F(ServerTest, OneReplyLinePerLineThatHoldsQueries) {
    StartSimulator();
    EXPECT_EQ(m_client.Query("*OPC?;*OPC?"), "1;1");
    ASSERT_TRUE(m_client.SendLine("*CLS;INST:SEL \"Tavix:1\""));
    ASSERT_TRUE(m_client.SendLine("MMEM:PRES:DEL 3;"));
    EXPECT_EQ(m_client.Query("INST:SEL?"), "\"Tavix:1\"");  // nothing came for the set lines
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-256,\"File name not found\"");
    EXPECT_EQ(m_client.Query("BOGUS?"), "");
}

TEST_F(ServerTest, CarriageReturnTerminatorOnRequest) {
    quarnsim::Options options = MakeOptions();
    options.replyTerminator = "\r\n";
    StartSimulator(options);
    EXPECT_EQ(m_client.Query("*OPC?"), "1\r");
}

TEST_F(ServerTest, SelectionIsPerConnectionAndTheLogSpansConnections) {
    StartSimulator();
    TestClient second;
    ConnectClient(second);
    ASSERT_TRUE(m_client.SendLine("INST:SEL \"Kintor:3\""));
    EXPECT_EQ(m_client.Query("INST:SEL?"), "\"Kintor:3\"");
    EXPECT_EQ(second.Query("inst:sel?"), "\"CPU:0\"");
    EXPECT_EQ(m_sim->ReceivedLines(),
              (std::vector<std::string>{"INST:SEL \"Kintor:3\"", "INST:SEL?", "inst:sel?"}));
    EXPECT_EQ(m_sim->ConnectionCount(), 2);
    m_sim->ClearLog();
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
    EXPECT_EQ(m_sim->ReceivedLines(), std::vector<std::string>{"*OPC?"});
}

TEST_F(ServerTest, CloseAfterBytesCutsTheReply) {
    StartSimulator();
    m_sim->CloseAfterBytes(3);
    ASSERT_TRUE(m_client.SendLine("*IDN?"));
    std::string bytes;
    EXPECT_TRUE(m_client.ReadUntilClosed(&bytes));
    EXPECT_EQ(bytes, "Har");

    ConnectClient(m_client);
    m_sim->CloseAfterBytes(0);
    ASSERT_TRUE(m_client.SendLine("*OPC?"));
    EXPECT_TRUE(m_client.ReadUntilClosed(&bytes));
    EXPECT_EQ(bytes, "");

    ConnectClient(m_client);  // the fault is used up
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
}

TEST_F(ServerTest, DelayedReplyArrivesWhole) {
    StartSimulator();
    m_sim->DelayNextReply(50ms);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(m_client.Query("*OPC?;*OPC?"), "1;1");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
}

TEST_F(ServerTest, ReplacedRepliesGoOutAsTheyAre) {
    StartSimulator();
    m_sim->ReplaceNextReply("no terminator");
    ASSERT_TRUE(m_client.SendLine("*IDN?"));
    EXPECT_EQ(m_client.Query("*OPC?"), "no terminator1");

    std::string huge(2 * 1024 * 1024, 'A');
    m_sim->ReplaceNextReply(huge + "\n");
    EXPECT_EQ(m_client.Query("*OPC?"), huge);

    m_sim->ReplaceNextReply("\r\n");
    EXPECT_EQ(m_client.Query("*OPC?"), "\r");
}

TEST_F(ServerTest, InjectedCommandFailureOverTheWire) {
    StartSimulator();
    m_sim->FailNextCommand("MMEMory:STORe", -250, "Mass storage error");
    ASSERT_TRUE(m_client.SendLine("MMEM:STOR:PRES \"PRESET 4\""));
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-250,\"Mass storage error\"");
    EXPECT_FALSE(m_sim->PresetUsed(4));
    m_sim->PushError(-300, "Device-specific error");
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-300,\"Device-specific error\"");
}

TEST_F(ServerTest, RefusedAndDroppedConnections) {
    StartSimulator();
    const std::string address = m_sim->GetOptions().address;
    // Make sure the server has taken this client's connection: one the kernel has not yet
    // queued when the listener closes would be reset with it.
    ASSERT_EQ(m_client.Query("*OPC?"), "1");
    m_sim->RefuseConnections(true);
    TestClient other;
    EXPECT_FALSE(other.Connect(address, 5000));
    EXPECT_EQ(m_client.Query("*OPC?"), "1");  // connections already made stay up
    m_sim->RefuseConnections(false);
    ASSERT_TRUE(other.Connect(address, 5000));
    EXPECT_EQ(other.Query("*OPC?"), "1");

    m_sim->SetConnectionPolicy(quarnsim::ConnectionPolicy::AcceptAndClose);
    TestClient dropped;
    ASSERT_TRUE(dropped.Connect(address, 5000));
    std::string bytes;
    EXPECT_TRUE(dropped.ReadUntilClosed(&bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(m_sim->ConnectionCount(), 3);
}

TEST_F(ServerTest, OverlongLinesAreDroppedWithAnError) {
    StartSimulator();
    std::string longLine(quarnsim::LineAssembler::kMaxLine + 10, 'A');
    ASSERT_TRUE(m_client.SendLine(longLine + "?"));
    EXPECT_EQ(m_client.Query("*OPC?"), "");  // the dropped query still gets its (empty) line
    std::string reply;
    ASSERT_TRUE(m_client.ReadLine(&reply));
    EXPECT_EQ(reply, "1");
    ASSERT_TRUE(m_client.SendLine(longLine));
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-223,\"Too much data\"");
    EXPECT_EQ(m_client.Query("SYST:ERR?"), "-223,\"Too much data\"");
    EXPECT_EQ(m_sim->ReceivedLines(),
              (std::vector<std::string>{"*OPC?", "SYST:ERR?", "SYST:ERR?"}));
}

TEST_F(ServerTest, ClientLeavingMidLineHarmsNobody) {
    StartSimulator();
    TestClient leaving;
    ConnectClient(leaving);
    ASSERT_TRUE(leaving.Send("*IDN"));
    leaving.Close();
    EXPECT_EQ(m_client.Query("*OPC?"), "1");
    EXPECT_EQ(m_sim->ReceivedLines(), std::vector<std::string>{"*OPC?"});
}

TEST_F(ServerTest, StopEndsEveryConnection) {
    StartSimulator();
    TestClient idle, midLine, waiting;
    ConnectClient(idle);
    ConnectClient(midLine);
    ConnectClient(waiting);
    ASSERT_TRUE(midLine.Send("*OPC"));
    m_sim->DelayNextReply(std::chrono::hours(1));
    ASSERT_TRUE(waiting.SendLine("*OPC?"));
    while (m_sim->ReceivedLines().empty()) std::this_thread::yield();
    m_sim->Stop();
    std::string bytes;
    for (TestClient* client : {&m_client, &idle, &midLine, &waiting}) {
        EXPECT_TRUE(client->ReadUntilClosed(&bytes));
        EXPECT_EQ(bytes, "");
    }
    TestClient late;
    EXPECT_FALSE(late.Connect(m_sim->GetOptions().address, 5000));
}

TEST_F(ServerTest, StartFailsWhenTheAddressIsTaken) {
    StartSimulator();
    quarnsim::Options options = MakeOptions();
    options.address = m_sim->GetOptions().address;
    quarnsim::Simulator second(options);
    std::string error;
    EXPECT_FALSE(second.Start(&error));
    EXPECT_NE(error.find("bind"), std::string::npos) << error;

    options.address = "not an address";
    quarnsim::Simulator third(options);
    EXPECT_FALSE(third.Start(&error));
    EXPECT_NE(error.find("bad address"), std::string::npos) << error;
}

TEST_F(ServerTest, AnInstrumentGoneSilentAtALineStillLogsWhatComesAfter) {
    StartSimulator();
    TestClient other;
    ConnectClient(other);
    m_sim->GoSilentAt("SYST:ERR?", "0,\"No");
    EXPECT_EQ(m_client.Query("*OPC?"), "1");  // another line: answered as usual
    ASSERT_TRUE(m_client.SendLine("SYST:ERR?"));
    ASSERT_TRUE(m_client.SendLine("DISP:CONT 7"));
    m_client.SetGuardMilliseconds(200);
    EXPECT_EQ(m_client.Query("*OPC?"), "<no reply>");
    EXPECT_EQ(m_sim->ReceivedLines(),
              (std::vector<std::string>{"*OPC?", "SYST:ERR?", "DISP:CONT 7", "*OPC?"}));
    EXPECT_NE(m_sim->Contrast(), 7);                        // nothing after the silence is acted on
    EXPECT_EQ(other.Query("SYST:ERR?"), "0,\"No error\"");  // used up, other connections whole
}

TEST_F(ServerTest, AnInstrumentThatStopsReadingBacksUpTheClientsSends) {
    StartSimulator();
    m_sim->StopReadingAt("*CLS");
    ASSERT_TRUE(m_client.SendLine("*CLS"));
    // Far more than the buffers between the two hold: the send cannot finish.
    const std::string block(32 << 20, 'x');
    std::atomic<bool> sent{false};
    std::thread sender([&] { sent = m_client.Send(block); });
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(sent.load());
    m_sim->Stop();  // ends the connection, and with it the blocked send
    sender.join();
    EXPECT_FALSE(sent.load());
    EXPECT_EQ(m_sim->ReceivedLines(), std::vector<std::string>{"*CLS"});
}
