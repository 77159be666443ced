// Files through the link: what goes on the wire, what the instrument or the PC holds
// afterwards, and that no failure leaves a partial file that looks whole.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <string>

#include "LinkFixture.h"
#include "RecordingPeer.h"
#include "platform/MessageBox.h"

namespace utilities::testing {
namespace {

using platform::IDOK;
using platform::MB_ICONHAND;
using platform::MB_ICONSTOP;

using DownloadTest = LinkFixture;
using UploadTest = LinkFixture;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

TEST_F(DownloadTest, A32768ByteFileIsOneHeaderOneBlockAndALineEnd) {
    const std::string bytes = Pattern(32768);
    const std::string pc = PcPath("MSTATE.P03");
    WriteFile(pc, bytes);
    RecordingPeer peer;
    ASSERT_TRUE(peer.Start());
    ASSERT_EQ(m_link.Connect(peer.Address()), 1);
    EXPECT_EQ(m_link.DownloadFile(pc, "/F0:/CPU/PRESET/MSTATE.P03", 32768), 1);
    m_link.Disconnect();
    EXPECT_EQ(peer.WaitForClose(),
              "mmem:data \"/F0:/CPU/PRESET/MSTATE.P03\",#532768" + bytes + "\r\n");
}

TEST_F(DownloadTest, AnEmptyFileIsAnEmptyBlock) {
    const std::string pc = PcPath("empty");
    WriteFile(pc, "");
    RecordingPeer peer;
    ASSERT_TRUE(peer.Start());
    ASSERT_EQ(m_link.Connect(peer.Address()), 1);
    EXPECT_EQ(m_link.DownloadFile(pc, "/F0:/a", 0), 1);
    m_link.Disconnect();
    EXPECT_EQ(peer.WaitForClose(), "mmem:data \"/F0:/a\",#10\r\n");
}

TEST_F(DownloadTest, TheInstrumentHoldsTheFileByteForByte) {
    ConnectLink();
    const std::string bytes = Pattern(70000);  // more than two chunks
    const std::string pc = PcPath("MSTATE1.P07");
    WriteFile(pc, bytes);
    QDir().mkpath(QString::fromStdString(DrivePath("Tavix/PRESET")));
    ASSERT_EQ(m_link.DownloadFile(pc, "/F0:/Tavix/PRESET/MSTATE1.P07", 70000), 1);
    // A reply to a query afterwards shows the block and its line end were taken whole.
    ASSERT_EQ(m_link.SendCommand("*opc?"), 1);
    EXPECT_EQ(m_link.ReceiveLine(), "1");
    EXPECT_EQ(ReadFile(DrivePath("Tavix/PRESET/MSTATE1.P07")), bytes);
}

TEST_F(DownloadTest, FilesThatCannotBeSentWholeAreRefusedBeforeAnythingIsSent) {
    RecordingPeer peer;
    ASSERT_TRUE(peer.Start());
    ASSERT_EQ(m_link.Connect(peer.Address()), 1);

    const std::string missing = PcPath("missing");
    m_boxes.Expect("Can not open file : " + Quoted(missing), MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.DownloadFile(missing, "/F0:/a", 10), 0);

    // A folder opens for reading on POSIX, but has no bytes to send.
    const std::string folder = PcPath("folder");
    QDir().mkpath(QString::fromStdString(folder));
    m_boxes.Expect("Can not open file : " + Quoted(folder), MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.DownloadFile(folder, "/F0:/a", 0), 0);

    // The file changed since the caller took its size.
    const std::string changed = PcPath("changed");
    WriteFile(changed, Pattern(120));
    m_boxes.Expect("Can not read file : " + Quoted(changed), MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.DownloadFile(changed, "/F0:/a", 100), 0);

    // 10^9 bytes need ten size digits, which a one-digit count cannot announce. The file is
    // sparse, so it costs no disk.
    const std::string huge = PcPath("huge");
    const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 1000000000), 0);
    ::close(fd);
    m_boxes.Expect("Can not read file : " + Quoted(huge), MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.DownloadFile(huge, "/F0:/a", 1000000000), 0);

    for (const platform::UINT beep : m_beeps) EXPECT_EQ(beep, MB_ICONHAND);
    EXPECT_EQ(m_beeps.size(), 4u);
    EXPECT_TRUE(m_link.IsConnected());
    m_link.Disconnect();
    EXPECT_EQ(peer.WaitForClose(), "");
}

TEST_F(DownloadTest, AnInstrumentThatStopsReadingTimesOutWithItsOwnText) {
    // Far more than the socket queues hold; sparse, so it costs no disk.
    const std::string pc = PcPath("big");
    const int fd = ::open(pc.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 64 * 1024 * 1024), 0);
    ::close(fd);
    RecordingPeer peer;
    ASSERT_TRUE(peer.StartDeaf());
    ASSERT_EQ(m_link.Connect(peer.Address()), 1);
    m_link.SetReceiveTimeoutMs(300);
    m_boxes.Expect("Connection timed out.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.DownloadFile(pc, "/F0:/a", 64 * 1024 * 1024), 0);
    EXPECT_EQ(m_beeps, std::vector<platform::UINT>{platform::MB_ICONEXCLAMATION});
    EXPECT_FALSE(m_link.IsConnected()) << "the instrument would read what follows as the block";
}

TEST_F(UploadTest, AFileArrivesWholeUnderItsName) {
    ConnectLink();
    const std::string bytes = Pattern(40000);
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P05"), bytes);
    const std::string pc = PcPath("MSTATE.P05");
    ASSERT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P05", pc, 40000), 1);
    EXPECT_EQ(ReadFile(pc), bytes);
    EXPECT_FALSE(Exists(pc + ".part"));
    EXPECT_EQ(m_sim->ReceivedLines().back(), "mmem:data? \"/F0:/CPU/PRESET/MSTATE.P05\"");
    ASSERT_EQ(m_link.SendCommand("*opc?"), 1);
    EXPECT_EQ(m_link.ReceiveLine(), "1");
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(UploadTest, OnlyTheListedSizeIsWrittenAndTheNextReplyStartsClean) {
    ConnectLink();
    const std::string bytes = Pattern(100);
    m_sim->ReplaceNextReply("#3100" + bytes + "more bytes\r\n");
    const std::string pc = PcPath("MSTATE.P01");
    ASSERT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P01", pc, 100), 1);
    EXPECT_EQ(ReadFile(pc), bytes);
    ASSERT_EQ(m_link.SendCommand("*opc?"), 1);
    EXPECT_EQ(m_link.ReceiveLine(), "1");
}

TEST_F(UploadTest, ALateLineEndIsReadWithItsBlock) {
    ConnectLink();
    const std::string bytes = Pattern(3000);
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P02"), bytes);
    m_sim->SplitNextReplyTerminator(std::chrono::milliseconds(400));
    const std::string pc = PcPath("MSTATE.P02");
    ASSERT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P02", pc, 3000), 1);
    EXPECT_EQ(ReadFile(pc), bytes);
    // Without reading the late line end, it would be this query's reply.
    m_sim->SetReplyOverride("mmem:cat?", "1,2,\"MSTATE.P02\",,3000");
    EXPECT_EQ(*m_link.ReadCatalog("/F0:/CPU/PRESET/"), "1,2,\"MSTATE.P02\",,3000");
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(UploadTest, AHeaderThatDisagreesWithTheCatalogueFailsAndLeavesNothing) {
    ConnectLink();
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P04"), Pattern(500));
    const std::string pc = PcPath("MSTATE.P04");
    WriteFile(pc, "older backup");
    // Listed shorter than the block: the old rule would have cut the file and passed it.
    m_boxes.Expect("Can not receive correctry : \"/F0:/CPU/PRESET/MSTATE.P04\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P04", pc, 400), 0);
    EXPECT_EQ(ReadFile(pc), "older backup");
    EXPECT_FALSE(Exists(pc + ".part"));
    EXPECT_EQ(m_beeps, std::vector<platform::UINT>{MB_ICONHAND});

    // Announced longer than it is: the old rule would have waited for bytes never sent.
    m_link.Disconnect();
    ASSERT_EQ(m_link.Connect(m_address), 1);
    m_sim->SetBlockLengthSkew("/F0:/CPU/PRESET/MSTATE.P04", 10);
    m_boxes.Expect("Can not receive correctry : \"/F0:/CPU/PRESET/MSTATE.P04\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P04", pc, 500), 0);
    EXPECT_EQ(ReadFile(pc), "older backup");
    EXPECT_FALSE(Exists(pc + ".part"));
}

TEST_F(UploadTest, MalformedHeadersAndSizesAreRefused) {
    ConnectLink();
    const std::string pc = PcPath("x");
    const std::string text = "Can not receive correctry : \"/F0:/x\"";
    // A negative size is refused before anything is asked.
    m_boxes.Expect(text, MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/x", pc, -1), 0);
    EXPECT_TRUE(m_sim->ReceivedLines().empty());

    m_sim->ReplaceNextReply("#x100\r\n");
    m_boxes.Expect(text, MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/x", pc, 100), 0);

    ASSERT_EQ(m_link.Connect(m_address), 1);
    m_sim->ReplaceNextReply("#31x0\r\n");
    m_boxes.Expect(text, MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/x", pc, 100), 0);
    EXPECT_FALSE(Exists(pc));
    EXPECT_FALSE(Exists(pc + ".part"));
}

TEST_F(UploadTest, AReplyThatIsNoBlockFailsSilentlyAndKeepsTheLinkInStep) {
    ConnectLink();
    const std::string pc = PcPath("gone");
    // A missing file is answered with an empty line.
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P09", pc, 10), 0);
    m_sim->ReplaceNextReply("error text\r\n");
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P09", pc, 10), 0);
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_FALSE(Exists(pc));
    ASSERT_EQ(m_link.SendCommand("*opc?"), 1);
    EXPECT_EQ(m_link.ReceiveLine(), "1");
}

TEST_F(UploadTest, AnEmptyFileNeedsAnEmptyBlock) {
    ConnectLink();
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P06"), "");
    const std::string pc = PcPath("MSTATE.P06");
    ASSERT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P06", pc, 0), 1);
    EXPECT_TRUE(Exists(pc));
    EXPECT_EQ(ReadFile(pc), "");
    // Listed empty while the instrument holds bytes.
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P07"), "abc");
    m_boxes.Expect("Can not receive correctry : \"/F0:/CPU/PRESET/MSTATE.P07\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P07", PcPath("MSTATE.P07"), 0), 0);
    EXPECT_FALSE(Exists(PcPath("MSTATE.P07")));
}

TEST_F(UploadTest, AConnectionLostMidBlockRemovesThePartialFile) {
    ConnectLink();
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P08"), Pattern(5000));
    const std::string pc = PcPath("MSTATE.P08");
    m_sim->CloseAfterBytes(2000);
    m_boxes.Expect("Socket error.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P08", pc, 5000), 0);
    EXPECT_FALSE(Exists(pc));
    EXPECT_FALSE(Exists(pc + ".part"));
    EXPECT_FALSE(m_link.IsConnected());
}

TEST_F(UploadTest, AStalledBlockTimesOut) {
    ConnectLink();
    m_link.SetReceiveTimeoutMs(300);
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P10"), Pattern(5000));
    const std::string pc = PcPath("MSTATE.P10");
    m_sim->StallNextReplyAfter(1000);
    m_boxes.Expect("Connection timed out.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P10", pc, 5000), 0);
    EXPECT_FALSE(Exists(pc));
    EXPECT_FALSE(Exists(pc + ".part"));
}

TEST_F(UploadTest, AnUnwritableTargetIsNamed) {
    ConnectLink();
    WriteFile(DrivePath("CPU/PRESET/MSTATE.P11"), Pattern(10));
    const std::string pc = PcPath("no/such/folder/MSTATE.P11");
    m_boxes.Expect("Can not create file : " + Quoted(pc), MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_link.UploadFile("/F0:/CPU/PRESET/MSTATE.P11", pc, 10), 0);
}

}  // namespace
}  // namespace utilities::testing
