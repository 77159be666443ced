// The command link: line framing, compound replies, failures and the status-bar services.
#include <QProgressBar>

#include "corvane/modules/common/ReplyCursor.h"
#include "platform/MessageBox.h"
#include "platform/SocketErrors.h"
#include "platform/StatusBar.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

using platform::IDOK;
using platform::MB_ICONSTOP;

class Link : public CorvaneFixture {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartReady();
    }
};

TEST_F(Link, CommandsEndWithCrLfAndOnlyQueriesAreRead) {
    ASSERT_EQ(Frame()->SendCommand("*CLS"), 1);
    std::string reply;
    ASSERT_EQ(Frame()->Query("*OPC?", reply), 1);
    EXPECT_EQ(reply, "1");
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"*CLS", "*OPC?"}));
}

TEST_F(Link, ReplyOfOnlyCrLfIsEmpty) {
    m_sim->ReplaceNextReply("\r\n");
    std::string reply = "stale";
    EXPECT_EQ(Frame()->Query("*OPC?", reply), 1);
    EXPECT_EQ(reply, "");
}

TEST_F(Link, CarriageReturnsAreDroppedAnywhere) {
    m_sim->ReplaceNextReply("a\rb\r\r;c\r\n");
    std::string reply;
    Frame()->Query("*OPC?", reply);
    EXPECT_EQ(reply, "ab;c");
}

TEST_F(Link, CompoundRepliesAreTakenFromTheFront) {
    std::string reply;
    ASSERT_EQ(Frame()->Query("*OPC?;*OPC?;:INST:CAT?", reply), 1);
    EXPECT_EQ(reply, "1;1;\"CPU:0\"");
    EXPECT_EQ(ReplyCursor::StripField(reply), 1);
    EXPECT_EQ(reply, "1;\"CPU:0\"");
}

TEST(StripField, DropsUpToAndIncludingTheFirstSemicolon) {
    std::string reply = "a;b;c";
    EXPECT_EQ(ReplyCursor::StripField(reply), 1);
    EXPECT_EQ(reply, "b;c");
    EXPECT_EQ(ReplyCursor::StripField(reply), 1);
    EXPECT_EQ(reply, "c");
    EXPECT_EQ(ReplyCursor::StripField(reply), 0);
    EXPECT_EQ(reply, "c");
    reply = "a;";
    EXPECT_EQ(ReplyCursor::StripField(reply), 1);
    EXPECT_EQ(reply, "");
}

TEST_F(Link, PeerClosingMidReplyGivesABoxAndAnEmptyReply) {
    m_sim->CloseAfterBytes(3);
    m_sim->ReplaceNextReply("partial reply\n");
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    std::string reply = "stale";
    EXPECT_EQ(Frame()->Query("*OPC?", reply), 1);
    EXPECT_EQ(reply, "");
    // A failed read leaves the link up as far as the frame knows.
    EXPECT_TRUE(Frame()->IsConnected());
}

TEST_F(Link, ConnectWhenConnectedDoesNothing) {
    const int connections = m_sim->ConnectionCount();
    Frame()->ShowStatusText("unchanged");
    EXPECT_EQ(Frame()->Connect(), 1);
    EXPECT_EQ(m_sim->ConnectionCount(), connections);
    EXPECT_EQ(PaneText(), "unchanged");
}

TEST_F(Link, OverlongLineIsAFailedReadAndTheNextReplyStaysInStep) {
    m_sim->ReplaceNextReply(std::string(1024 * 1024 + 100, 'x') + "\n");
    m_boxes.Expect("Error: WSAEMSGSIZE", MB_ICONSTOP, IDOK);
    std::string reply = "stale";
    EXPECT_EQ(Frame()->Query("*OPC?", reply), 1);
    EXPECT_EQ(reply, "");
    ASSERT_EQ(Frame()->Query("INST:CAT?", reply), 1);
    EXPECT_EQ(reply, "\"CPU:0\"");
}

TEST_F(Link, SendAfterDisconnectFailsEveryTime) {
    EXPECT_EQ(Frame()->Disconnect(), 1);
    EXPECT_FALSE(Frame()->IsConnected());
    m_boxes.Expect("Descriptor is not socket.", MB_ICONSTOP, IDOK);
    m_boxes.Expect("Descriptor is not socket.", MB_ICONSTOP, IDOK);
    std::string reply = "stale";
    EXPECT_EQ(Frame()->Query("*OPC?", reply), 0);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(Frame()->SendCommand("*CLS"), 0);
}

TEST_F(Link, SocketErrorTexts) {
    const std::vector<std::pair<int, std::string>> table{
        {10022, "Socket not bound"},
        {10035, "Error: WSAEWOULDBLOCK"},
        {10036, "Socket is blocked."},
        {10038, "Descriptor is not socket."},
        {10040, "Error: WSAEMSGSIZE"},
        {10045, "Error: WSAEOPNOTSUPP"},
        {10050, "Network sub-system invalid"},
        {10053, "Connection aborted. (Timeout, etc...)"},
        {10054, "Connection closed by foreign host."},
        {10057, "Socket is not connected."},
        {10058, "Socket is shutdown"},
        {10093, "Socket not initialized"},
        {10061, "Socket error."},
        {0, "Socket error."},
    };
    for (const auto& [code, text] : table) {
        m_boxes.Expect(text, MB_ICONSTOP, IDOK);
        platform::WSASetLastError(code);
        Frame()->ReportSocketError();
    }
    for (const platform::MessageBoxRecord& box : m_boxes.Records()) {
        EXPECT_EQ(box.caption, "Corvane");
        EXPECT_FALSE(box.beepBefore);  // Corvane never beeps
    }
}

TEST_F(Link, ProgressBarCoversPaneZeroOrItsRightQuarter) {
    platform::CStatusBar& bar = Frame()->m_wndStatusBar;
    QRect pane = bar.GetItemRect(0);
    {
        platform::CProgressCtrl progress;
        ASSERT_EQ(Frame()->CreateProgressInStatusBar(progress, platform::PBS_SMOOTH, nullptr), 1);
        EXPECT_EQ(progress.GetWidget()->geometry(), pane);
        EXPECT_EQ(progress.GetWidget()->parentWidget(), bar.GetWidget());
    }
    pane = bar.GetItemRect(0);
    platform::CProgressCtrl progress;
    ASSERT_EQ(Frame()->CreateProgressInStatusBar(progress, platform::PBS_SMOOTH, "Reading..."), 1);
    const int left = pane.left();
    const int right = pane.left() + pane.width();
    const QRect got = progress.GetWidget()->geometry();
    EXPECT_EQ(got.left(), right - (left + right) / 4);
    EXPECT_EQ(got.left() + got.width(), right);
    EXPECT_EQ(PaneText(), "Reading...");
    progress.SetRange32(0, 3);
    progress.SetStep(1);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 1);
    SaveScreenshot(Frame()->GetWidget(), "corvane_progress_in_status_bar");
}

}  // namespace
}  // namespace corvane::testing
