// Copies both ways against the simulator: exact bytes, several files, Cancel, dropped
// connections, wrong headers; the PC's existing files survive every failure.
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <thread>

#include "drenlo/comm/ErrorBox.h"
#include "drenlo/model/FileType.h"
#include "tests/drenlo/test_comm_fixture.h"

namespace drenlo::testing {
namespace {

namespace fs = std::filesystem;
using platform::IDCANCEL;
using platform::IDOK;
using platform::MB_ICONSTOP;

class TransferTest : public CommFixture {
protected:
    void SetUp() override {
        CommFixture::SetUp();
        fs::create_directories(InstrumentFile("DST"));
    }
    // Queues instrument files of folder SRC for a copy to the PC folder.
    void QueueUpload(const std::vector<std::string>& names) {
        CTransferQueue& queue = m_comm->GetUploadQueue();
        queue.ClearTransferQueue();
        queue.SetTransferTarget("/F0:/SRC");
        for (const std::string& name : names) {
            const auto size = fs::file_size(InstrumentFile("SRC/" + name));
            queue.AddTransferItem(CFileInfo(name, size, FileTime{0}, 0), PcFile(name));
        }
    }
};

TEST_F(TransferTest, PcToInstrumentSeveralFilesByteForByte) {
    const std::string big = Pattern(3 * 1024 * 1024 + 17, 1);
    WriteFile(PcFile("big.pic"), big);
    WriteFile(PcFile("b.seq"), Pattern(70000, 2));
    WriteFile(PcFile("empty.lgo"), "");
    StartSimulator();
    ConnectLink();
    ASSERT_EQ(m_comm->CheckDownload({PcFile("big.pic"), PcFile("b.seq"), PcFile("empty.lgo")},
                                    "/F0:/DST"),
              1);
    EXPECT_EQ(m_comm->IsJobActive(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(m_comm->IsJobActive(), 0);
    EXPECT_EQ(m_host->m_refresh, 1u);
    EXPECT_EQ(ReadFile(InstrumentFile("DST/big.pic")), big);
    EXPECT_EQ(ReadFile(InstrumentFile("DST/b.seq")), Pattern(70000, 2));
    EXPECT_TRUE(Exists(InstrumentFile("DST/empty.lgo")));
    EXPECT_EQ(m_host->m_started,
              (std::vector<std::string>{"big.pic   [1/3]", "b.seq   [2/3]", "empty.lgo   [3/3]"}));
    EXPECT_EQ(m_host->m_confirmed.size(), 3u);
    EXPECT_EQ(m_host->m_confirmed[1].first, kFileSequence);
    EXPECT_EQ(m_host->m_fullReports, 3);
}

TEST_F(TransferTest, PcToInstrumentRefusalsBeforeAnythingIsSent) {
    WriteFile(PcFile("a.pic"), "abc");
    WriteFile(InstrumentFile("DST/a.pic"), "old");
    fs::create_directories(PcFile("folder.pic"));
    {
        std::FILE* f = std::fopen(PcFile("huge.pic").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
        fs::resize_file(PcFile("huge.pic"), 1000000000);  // sparse
    }
    StartSimulator();
    ConnectLink();
    m_sim->SetMemoryBytes(10, 1);
    // Existing name in the catalogue: OK skips it, nothing left.
    m_boxes.Expect("This file already exists : \"a.pic\"", platform::MB_OKCANCEL | MB_ICONSTOP,
                   IDOK);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a.pic")}, "/F0:/DST"), 0);
    m_boxes.Expect("File not found : \"" + PcFile("folder.pic") + "\"", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("folder.pic")}, "/F0:/DST"), 0);
    m_boxes.ExpectAny(IDOK);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("huge.pic")}, "/F0:/DST"), 0);
    EXPECT_NE(m_boxes.Records().back().text.find("too large"), std::string::npos);
    // Job total against the free memory: equal is allowed, one byte more is not.
    m_sim->SetMemoryBytes(10, 2);
    m_boxes.Expect("Insufficient memory free space in Quarn.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a.pic")}, "/F0:/"), 0);
    m_boxes.Expect("This file name cannot be used on the Quarn : \"a,b.pic\"", MB_ICONSTOP, IDOK);
    WriteFile(PcFile("a,b.pic"), "x");
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a,b.pic")}, "/F0:/"), 0);
    EXPECT_EQ(m_host->m_dialogsCreated, 0);
    EXPECT_EQ(ReadFile(InstrumentFile("DST/a.pic")), "old");
    m_sim->SetMemoryBytes(10, 3);
    m_host->m_confirmAnswer = IDCANCEL;  // the operator cancels the confirmation
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a.pic")}, "/F0:/"), 0);
    EXPECT_EQ(m_comm->IsJobActive(), 0);
}

TEST_F(TransferTest, DownloadFileUsesTheLoadHeadWithoutAName) {
    WriteFile(PcFile("x.dnl"), "DNLDATA");
    StartSimulator();
    ConnectLink();
    ASSERT_EQ(m_comm->CheckDownload({PcFile("x.dnl")}, "/F0:/DST"), 1);
    ASSERT_TRUE(WaitForJobEnd());
    const auto loads = m_sim->Loads();
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_FALSE(Exists(InstrumentFile("DST/x.dnl")));
}

TEST_F(TransferTest, CancelDuringADownloadEndsTheWholeJob) {
    WriteFile(PcFile("a.pic"), Pattern(2 * 1024 * 1024, 3));
    WriteFile(PcFile("b.pic"), "b");
    StartSimulator();
    ConnectLink();
    m_sim->SetReceivePacing(16384, std::chrono::milliseconds(20));
    m_host->m_onProgress = [this](std::uint64_t done) {
        if (done >= 65536) {
            m_comm->CancelTransfer();
            m_sim->SetReceivePacing(0, std::chrono::milliseconds(0));  // the rest drains at once
        }
    };
    ASSERT_EQ(m_comm->CheckDownload({PcFile("a.pic"), PcFile("b.pic")}, "/F0:/DST"), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(m_host->m_started.size(), 1u);  // the second file never started
    EXPECT_FALSE(Exists(InstrumentFile("DST/b.pic")));
    EXPECT_TRUE(m_boxes.Records().empty());  // the operator's own Cancel is no error
}

TEST_F(TransferTest, CancelBetweenFilesEndsTheJob) {
    WriteFile(PcFile("a.pic"), "a");
    WriteFile(PcFile("b.pic"), "b");
    StartSimulator();
    ConnectLink();
    m_host->m_onFileDone = [this] { m_comm->CancelTransfer(); };
    ASSERT_EQ(m_comm->CheckDownload({PcFile("a.pic"), PcFile("b.pic")}, "/F0:/DST"), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(m_host->m_started.size(), 1u);
    EXPECT_EQ(m_host->m_refresh, 1u);  // a.pic went over: relist
}

TEST_F(TransferTest, ADownloadWhoseConnectionDropsFailsTheJob) {
    // Larger than the loopback's socket buffers, so the drop reaches the sender.
    WriteFile(PcFile("a.pic"), Pattern(16 * 1024 * 1024, 4));
    WriteFile(PcFile("b.pic"), "b");
    StartSimulator();
    ConnectLink();
    m_sim->CloseAfterReceivedBytes(100000);
    m_sim->SetReceivePacing(16384, std::chrono::milliseconds(5));
    m_boxes.ExpectAny(IDOK);
    ASSERT_EQ(m_comm->CheckDownload({PcFile("a.pic"), PcFile("b.pic")}, "/F0:/DST"), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(m_host->m_started.size(), 1u);
    EXPECT_EQ(m_boxes.Pending(), 0u);
}

TEST_F(TransferTest, InstrumentToPcByteForByteReplacingAnExistingFile) {
    const std::string data = Pattern(1024 * 1024 + 5, 5);
    WriteFile(InstrumentFile("SRC/a.pic"), data);
    WriteFile(InstrumentFile("SRC/b.seq"), "hello");
    WriteFile(InstrumentFile("SRC/z.lgo"), "");
    WriteFile(PcFile("b.seq"), "old contents");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic", "b.seq", "z.lgo"});
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadFile(PcFile("a.pic")), data);
    EXPECT_EQ(ReadFile(PcFile("b.seq")), "hello");
    EXPECT_TRUE(Exists(PcFile("z.lgo")));
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic", "b.seq", "z.lgo"}));
    EXPECT_EQ(m_host->m_directions[0], "From 'Quarn:/F0:/SRC' to '" + m_pcFolder + "'");
}

TEST_F(TransferTest, AHeaderThatDisagreesWithTheListingLeavesThePcFileAlone) {
    WriteFile(InstrumentFile("SRC/a.pic"), "123456");
    WriteFile(PcFile("a.pic"), "mine");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic"});
    m_sim->SetBlockLengthSkew("/F0:/SRC/a.pic", 1);
    m_boxes.Expect("Error: Data format invalid.", MB_ICONSTOP, IDOK);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic"}));
}

TEST_F(TransferTest, AnUploadWhoseConnectionDropsLeavesNothingBehind) {
    WriteFile(InstrumentFile("SRC/a.pic"), Pattern(200000, 6));
    WriteFile(InstrumentFile("SRC/b.pic"), "b");
    WriteFile(PcFile("a.pic"), "mine");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic", "b.pic"});
    m_sim->CloseAfterBytes(50000);
    m_boxes.Expect("Connection closed by foreign host.", MB_ICONSTOP, IDOK);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic"}));  // the job ended
}

TEST_F(TransferTest, CancelDuringAnUploadLeavesNoFile) {
    WriteFile(InstrumentFile("SRC/a.pic"), Pattern(400000, 7));
    WriteFile(PcFile("a.pic"), "mine");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic"});
    m_host->m_onProgress = [this](std::uint64_t done) {
        if (done >= 65536) {
            m_comm->CancelTransfer();
            m_sim->SetReceivePacing(0, std::chrono::milliseconds(0));  // the rest drains at once
        }
    };
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic"}));
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TransferTest, CancelWhileTheReplyHasNotBegunWakesTheWorker) {
    WriteFile(InstrumentFile("SRC/a.pic"), "abc");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic"});
    m_sim->SwallowNextReply();
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    m_comm->CancelTransfer();
    ASSERT_TRUE(WaitForJobEnd(20));
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_TRUE(PcFolderNames().empty());
}

TEST_F(TransferTest, OneJobAtATime) {
    WriteFile(InstrumentFile("SRC/a.pic"), Pattern(100000, 8));
    WriteFile(PcFile("x.pic"), "x");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic"});
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    EXPECT_EQ(m_comm->StartUploadJob(), 0);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("x.pic")}, "/F0:/DST"), 0);
    m_comm->AbortJobAndWait();  // as Exit does
    EXPECT_EQ(m_comm->IsJobActive(), 0);
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"x.pic"}));
}

}  // namespace
}  // namespace drenlo::testing
