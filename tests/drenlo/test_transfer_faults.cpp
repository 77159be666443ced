// Copies that go wrong or are cancelled at awkward moments: the job ends cleanly, the PC's
// existing files stay as they were and no temporary file is left behind.
#include <sys/stat.h>

#include <QTimer>
#include <filesystem>

#include "drenlo/comm/InstrumentNames.h"
#include "tests/drenlo/test_comm_fixture.h"

namespace drenlo::testing {
namespace {

namespace fs = std::filesystem;
using platform::IDCANCEL;
using platform::IDOK;
using platform::MB_ICONSTOP;

// Cancels the job the moment a file's progress starts, i.e. before its worker has connected.
class CancellingHost : public FakeHost {
public:
    using FakeHost::FakeHost;
    void StartProgress(const std::string& fileName, std::uint64_t total,
                       const std::string& directionText, int show) override {
        FakeHost::StartProgress(fileName, total, directionText, show);
        m_comm.CancelTransfer();
    }
};

class TransferFaultTest : public CommFixture {
protected:
    void SetUp() override {
        CommFixture::SetUp();
        fs::create_directories(InstrumentFile("DST"));
        fs::create_directories(InstrumentFile("SRC"));
    }
    // Queues files of the instrument's SRC folder with the sizes the listing gave.
    void QueueListed(const std::vector<std::pair<std::string, std::uint64_t>>& listed) {
        CTransferQueue& queue = m_comm->GetUploadQueue();
        queue.ClearTransferQueue();
        queue.SetTransferTarget("/F0:/SRC");
        for (const auto& [name, size] : listed) {
            queue.AddTransferItem(CFileInfo(name, size, FileTime{0}, 0), PcFile(name));
        }
    }
    void QueueUpload(const std::vector<std::string>& names) {
        std::vector<std::pair<std::string, std::uint64_t>> listed;
        for (const std::string& name : names) {
            listed.emplace_back(name, fs::file_size(InstrumentFile("SRC/" + name)));
        }
        QueueListed(listed);
    }
    static unsigned Mode(const std::string& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return 0;
        return info.st_mode & 07777;
    }
};

// ---- PC to instrument ----

TEST_F(TransferFaultTest, AnExistingNameAfterAnEntryThatDoesNotReadIsStillFound) {
    WriteFile(PcFile("a.pic"), "new");
    WriteFile(InstrumentFile("DST/a.pic"), "old");
    StartSimulator();
    ConnectLink();
    // The first entry's size does not read; the name the copy would overwrite comes after it.
    m_sim->ReplaceNextReply("10,1000,\"b.pic\",,x12,\"a.pic\",,3\n");
    m_boxes.Expect("This file already exists : \"a.pic\"", platform::MB_OKCANCEL | MB_ICONSTOP,
                   IDCANCEL);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a.pic")}, "/F0:/DST"), 0);
    EXPECT_EQ(m_comm->IsJobActive(), 0);
    EXPECT_EQ(ReadFile(InstrumentFile("DST/a.pic")), "old");
    // A folder of that name blocks it the same way; a longer name containing it does not.
    m_sim->ReplaceNextReply("10,1000,\"a.pic/\",,0\n");
    m_boxes.Expect("This file already exists : \"a.pic\"", platform::MB_OKCANCEL | MB_ICONSTOP,
                   IDCANCEL);
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a.pic")}, "/F0:/DST"), 0);
    m_sim->ReplaceNextReply("10,1000,\"xa.pic\",,3,\"a.pic2\",,3\n");
    m_host->m_confirmAnswer = IDCANCEL;  // got as far as the confirmation: no clash was seen
    EXPECT_EQ(m_comm->CheckDownload({PcFile("a.pic")}, "/F0:/DST"), 0);
    EXPECT_EQ(m_host->m_confirmed.size(), 1u);
    EXPECT_EQ(ReadFile(InstrumentFile("DST/a.pic")), "old");
}

TEST_F(TransferFaultTest, CancelBeforeTheWorkerConnectsSendsNothing) {
    WriteFile(PcFile("a.pic"), Pattern(200000, 11));
    WriteFile(PcFile("b.pic"), "b");
    StartSimulator();
    ConnectLink();
    m_host = std::make_unique<CancellingHost>(*m_comm);
    m_comm->SetHost(m_host.get());
    ASSERT_EQ(m_comm->CheckDownload({PcFile("a.pic"), PcFile("b.pic")}, "/F0:/DST"), 1);
    ASSERT_TRUE(WaitForJobEnd(20));
    EXPECT_EQ(m_host->m_started.size(), 1u);
    EXPECT_FALSE(Exists(InstrumentFile("DST/a.pic")));
    EXPECT_FALSE(Exists(InstrumentFile("DST/b.pic")));
    EXPECT_EQ(m_host->m_fullReports, 0);
    EXPECT_TRUE(m_boxes.Records().empty());
    EXPECT_EQ(m_comm->IsJobActive(), 0);
}

TEST_F(TransferFaultTest, CancelAroundTheConnectAndHeaderSendEndsTheJob) {
    // Cancel lands at different points of the worker's start: before, during or just after
    // the connect and the command header. Whatever it meets, nothing completes on the
    // instrument and the operator's Cancel shows no error.
    // Larger than the loopback's socket buffers, so the block cannot be handed over whole
    // before the Cancel comes.
    const std::string data = Pattern(16 * 1024 * 1024, 12);
    StartSimulator();
    for (const int delay : {0, 1, 3, 10}) {
        SCOPED_TRACE(delay);
        const std::string name = "a" + std::to_string(delay) + ".pic";
        WriteFile(PcFile(name), data);
        WriteFile(PcFile("b.pic"), "b");
        if (!m_comm->IsConnected())
            ConnectLink();
        m_host->m_jobDone = false;
        m_host->m_started.clear();
        m_sim->SetReceivePacing(4096, std::chrono::milliseconds(20));
        ASSERT_EQ(m_comm->CheckDownload({PcFile(name), PcFile("b.pic")}, "/F0:/DST"), 1);
        QTimer::singleShot(delay, [this] {
            m_comm->CancelTransfer();
            // What reached the instrument before the Cancel is taken in at once, so the job's
            // connection is over soon after the job.
            m_sim->SetReceivePacing(0, std::chrono::milliseconds(0));
        });
        ASSERT_TRUE(WaitForJobEnd(20));
        EXPECT_EQ(m_host->m_started.size(), 1u);
        EXPECT_EQ(m_host->m_fullReports, 0);
        EXPECT_FALSE(Exists(InstrumentFile("DST/" + name)));
        EXPECT_FALSE(Exists(InstrumentFile("DST/b.pic")));
        EXPECT_TRUE(m_boxes.Records().empty());
    }
}

// ---- instrument to PC ----

TEST_F(TransferFaultTest, InstrumentToPcFourMebibytesByteForByte) {
    const std::string data = Pattern(4 * 1024 * 1024 + 3, 13);
    WriteFile(InstrumentFile("SRC/big.pic"), data);
    StartSimulator();
    ConnectLink();
    QueueUpload({"big.pic"});
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_TRUE(ReadFile(PcFile("big.pic")) == data);
    EXPECT_EQ(m_host->m_fullReports, 1);
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"big.pic"}));
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TransferFaultTest, NewPcFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
    WriteFile(InstrumentFile("SRC/new.pic"), "new");
    WriteFile(InstrumentFile("SRC/old.pic"), "newer");
    WriteFile(PcFile("old.pic"), "older");
    ASSERT_EQ(::chmod(PcFile("old.pic").c_str(), 0604), 0);
    StartSimulator();
    ConnectLink();
    QueueUpload({"new.pic", "old.pic"});
    const mode_t saved = ::umask(027);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    const bool ended = WaitForJobEnd();
    ::umask(saved);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ReadFile(PcFile("new.pic")), "new");
    EXPECT_EQ(ReadFile(PcFile("old.pic")), "newer");
    EXPECT_EQ(Mode(PcFile("new.pic")), 0640u);
    EXPECT_EQ(Mode(PcFile("old.pic")), 0604u);
}

TEST_F(TransferFaultTest, CancelInThePauseBetweenFilesKeepsTheFirstAndTouchesNoOther) {
    WriteFile(InstrumentFile("SRC/a.pic"), "first");
    WriteFile(InstrumentFile("SRC/b.pic"), "second");
    WriteFile(PcFile("b.pic"), "mine");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic", "b.pic"});
    m_host->m_onFileDone = [this] { m_comm->CancelTransfer(); };
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(m_host->m_started.size(), 1u);
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "first");
    EXPECT_EQ(ReadFile(PcFile("b.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic", "b.pic"}));
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TransferFaultTest, CancelWhileTheReplyTricklesInLeavesThePcFileAlone) {
    WriteFile(InstrumentFile("SRC/a.pic"), Pattern(300000, 14));
    WriteFile(PcFile("a.pic"), "mine");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic"});
    // The header arrives a byte at a time, then the reply stops part way through the data.
    m_sim->SetReplyPacing(1, std::chrono::milliseconds(5));
    m_sim->StallNextReplyAfter(40);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    QTimer::singleShot(400, [this] { m_comm->CancelTransfer(); });
    ASSERT_TRUE(WaitForJobEnd(20));
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic"}));
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(TransferFaultTest, ABlockShorterThanTheListingIsRefused) {
    WriteFile(InstrumentFile("SRC/a.pic"), "123456");
    WriteFile(PcFile("a.pic"), "mine");
    StartSimulator();
    ConnectLink();
    QueueUpload({"a.pic"});
    m_sim->SetBlockLengthSkew("/F0:/SRC/a.pic", -1);
    m_boxes.Expect("Error: Data format invalid.", MB_ICONSTOP, IDOK);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic"}));
}

TEST_F(TransferFaultTest, AnInstrumentFileThatWentMissingLeavesThePcFileAlone) {
    WriteFile(PcFile("gone.pic"), "mine");
    StartSimulator();
    ConnectLink();
    // Listed with five bytes, but the instrument answers with an empty block.
    QueueListed({{"gone.pic", 5}});
    m_sim->ReplaceNextReply("#10");
    m_boxes.Expect("Error: Data format invalid.", MB_ICONSTOP, IDOK);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(ReadFile(PcFile("gone.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"gone.pic"}));

    // No answer at all: the operator gives up waiting.
    m_host->m_jobDone = false;
    QueueListed({{"gone.pic", 5}});
    m_sim->SwallowNextReply();
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    QTimer::singleShot(300, [this] { m_comm->CancelTransfer(); });
    ASSERT_TRUE(WaitForJobEnd(20));
    EXPECT_EQ(ReadFile(PcFile("gone.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"gone.pic"}));
    EXPECT_EQ(m_boxes.Records().size(), 1u);  // only the first failure's
}

TEST_F(TransferFaultTest, AnInstrumentNameThatCannotBeQuotedIsReportedAsSuch) {
    WriteFile(PcFile("a.pic"), "mine");
    StartSimulator();
    ConnectLink();
    CTransferQueue& queue = m_comm->GetUploadQueue();
    queue.ClearTransferQueue();
    queue.SetTransferTarget("/F0:/SRC");
    queue.AddTransferItem(CFileInfo("a\"b.pic", 3, FileTime{0}, 0), PcFile("a.pic"));
    m_boxes.Expect("File not open : \"Quarn:/F0:/SRC/a\"b.pic\"", MB_ICONSTOP, IDOK);
    ASSERT_EQ(m_comm->StartUploadJob(), 1);
    ASSERT_TRUE(WaitForJobEnd(20));
    EXPECT_EQ(ReadFile(PcFile("a.pic")), "mine");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"a.pic"}));
}

}  // namespace
}  // namespace drenlo::testing
