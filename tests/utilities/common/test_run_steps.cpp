// The steps the backup and the restore walk with: the instrument's error queue and the
// preset file names.
#include <string>

#include "LinkFixture.h"
#include "utilities/common/ErrorQueue.h"
#include "utilities/common/PresetFiles.h"

namespace utilities::testing {
namespace {

using ErrorQueueTest = LinkFixture;

TEST_F(ErrorQueueTest, ReadsEachEntryThenTheEmptyAnswer) {
    ConnectLink();
    m_sim->PushError(-113, "Undefined header");
    m_sim->PushError(-222, "Data out of range");
    CErrorQueue queue(m_link);
    long number = 7;
    std::string reply;
    ASSERT_EQ(queue.ReadError(number, reply), 1);
    EXPECT_EQ(number, -113);
    EXPECT_NE(reply.find("Undefined header"), std::string::npos);
    EXPECT_EQ(queue.Empty(), CErrorQueue::EmptyResult::kEmptied);
    ASSERT_EQ(queue.ReadError(number, reply), 1);
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(ErrorQueueTest, AnAnswerWithoutANumberIsNoAnswer) {
    ConnectLink();
    m_sim->ReplaceNextReply("No error\r\n");
    CErrorQueue queue(m_link);
    long number = 7;
    std::string reply;
    EXPECT_EQ(queue.ReadError(number, reply), 0);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(reply, "No error");
    // Nor does an unreadable queue pass for an empty one.
    m_sim->ReplaceNextReply("\r\n");
    EXPECT_EQ(queue.Empty(), CErrorQueue::EmptyResult::kUnreadable);
}

TEST_F(ErrorQueueTest, AQueueThatNeverEmptiesIsNotTakenAsEmpty) {
    ConnectLink();
    m_sim->SetReplyOverride("syst:err?", "-350,\"Queue overflow\"");
    EXPECT_EQ(CErrorQueue(m_link).Empty(), CErrorQueue::EmptyResult::kNeverEmpty);
}

TEST(ErrorQueueOffline, WithoutAConnectionNothingReads) {
    CQuarnComm link;
    long number = 7;
    std::string reply = "old";
    EXPECT_EQ(CErrorQueue(link).ReadError(number, reply), 0);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(CErrorQueue(link).Empty(), CErrorQueue::EmptyResult::kUnreadable);
}

TEST(PresetFiles, TheControllerHasNoSlotAndModulesHaveFour) {
    auto controller = PresetFileNames("CPU");
    ASSERT_EQ(controller.size(), 15u);
    EXPECT_EQ(controller.front(), "MSTATE.P00");
    EXPECT_EQ(controller.back(), "MSTATE.P14");
    auto module = PresetFileNames("Sormet");
    ASSERT_EQ(module.size(), 60u);
    EXPECT_EQ(module[0], "MSTATE1.P00");
    EXPECT_EQ(module[14], "MSTATE1.P14");
    EXPECT_EQ(module[15], "MSTATE2.P00");
    EXPECT_EQ(module.back(), "MSTATE4.P14");
    EXPECT_EQ(InstrumentPresetFolder("Tavix"), "/F0:/Tavix/PRESET/");
    EXPECT_EQ(Quoted("/a b"), "\"/a b\"");
}

}  // namespace
}  // namespace utilities::testing
