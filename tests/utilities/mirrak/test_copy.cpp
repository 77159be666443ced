// The duplication worker between two simulated instruments.
#include <QElapsedTimer>
#include <filesystem>

#include "MirrakFixture.h"
#include "tests/support/BoxScript.h"
#include "utilities/mirrak/DuplicationRunner.h"
#include "utilities/mirrak/FtpSession.h"

namespace fs = std::filesystem;

namespace mirraktest {

namespace {

class CopyTest : public MirrakFixture {};

TEST_F(CopyTest, CopiesNestedFoldersAndHundredsOfFilesByteForByte) {
    StartInstruments();
    SeedTree(300);
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window, 120000));
    EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
    EXPECT_EQ(window.endCount, 1);
    int files = 0;
    EXPECT_TRUE(TargetHoldsSourceTree(&files));
    EXPECT_GT(files, 250);
    EXPECT_TRUE(fs::is_directory(TargetDrive() + "/LOGO/EMPTY"));
    EXPECT_EQ(window.messages.front(), mirrak::WM_DUP_START);
    EXPECT_EQ(window.messages.back(), mirrak::WM_DUP_END);
    EXPECT_EQ(window.startTotal, 1000000);
    // Done only grows, and folders count 1024 each.
    for (std::size_t i = 1; i < window.progress.size(); ++i)
        ASSERT_GE(window.progress[i], window.progress[i - 1]);
    EXPECT_NE(std::find(window.paths.begin(), window.paths.end(),
                        "From 'PICTURE/SUB1/ ... /DEEPEST' to 'DEEPEST'"),
              window.paths.end());
    EXPECT_EQ(boxes.Records().size(), 0u);
    // Nothing on the target is deleted: a file only the target has stays.
    WriteFile(TargetDrive() + "/SIGNAL/ONLY.TGT", "keep");
    RecordingWindow again;
    ASSERT_TRUE(RunCopy(again));
    EXPECT_EQ(again.endCode, mirrak::kDupDone);
    EXPECT_EQ(ReadFile(TargetDrive() + "/SIGNAL/ONLY.TGT"), "keep");
}

TEST_F(CopyTest, ListingsListenBeforePortAndCountTheirPortsUp) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/ONE.DAT", "1");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupDone);
    std::vector<std::string> ports;
    std::vector<std::string> lists;
    for (const std::string& line : m_source->FtpCommands()) {
        if (line.rfind("PORT ", 0) == 0)
            ports.push_back(line);
        if (line.rfind("LIST ", 0) == 0)
            lists.push_back(line);
    }
    ASSERT_GE(lists.size(), 2u);
    EXPECT_EQ(lists.front(), "LIST /F0:/");
    // Listings take consecutive data ports; file copies send the target's passive address.
    int listings = 0;
    int previous = -1;
    for (const std::string& port : ports) {
        int h1, h2, h3, h4, p1, p2;
        ASSERT_EQ(std::sscanf(port.c_str(), "PORT %d,%d,%d,%d,%d,%d", &h1, &h2, &h3, &h4, &p1, &p2),
                  6);
        const std::string host = std::to_string(h1) + "." + std::to_string(h2) + "." +
                                 std::to_string(h3) + "." + std::to_string(h4);
        if (host == m_targetAddress)
            continue;
        const int number = p1 * 256 + p2;
        EXPECT_GE(number, 5002);
        if (previous > 0 && previous != 65535) {
            EXPECT_EQ(number, previous + 1);
        }
        previous = number;
        ++listings;
    }
    EXPECT_EQ(listings, static_cast<int>(lists.size()));
    const std::vector<std::string> stored = m_target->FtpCommands();
    EXPECT_NE(std::find(stored.begin(), stored.end(), "STOR /F0:/SIGNAL/ONE.DAT"), stored.end());
}

// The target's command port and its FTP server work apart: a folder made over the one must be
// there before the first file reaches the other, however late the instrument gets to it.
TEST_F(CopyTest, FilesGoIntoANewFolderOnlyOnceTheTargetHasMadeIt) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "aaaa");
    WriteFile(SourceDrive() + "/SIGNAL/B.DAT", "bb");
    WriteFile(SourceDrive() + "/SIGNAL/DEEP/C.DAT", "c");
    // Every command line reaches the target's command port 100 ms or more after it was sent.
    m_target->SetReceivePacing(4, std::chrono::milliseconds(25));
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
    EXPECT_TRUE(TargetHoldsSourceTree());
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, AFileTheSourceAnswersNotFoundIsLeftOutAndNamedNotCountedAsCopied) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "aaaa");
    WriteFile(SourceDrive() + "/SIGNAL/B.DAT", "bbbb");
    m_source->FtpReplaceNextReply("RETR", "550 No such file.");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupIncomplete);
    std::string first;
    for (const std::string& line : m_source->FtpCommands()) {
        if (line.rfind("RETR ", 0) == 0) {
            first = line.substr(5);
            break;
        }
    }
    ASSERT_FALSE(first.empty());
    EXPECT_NE(window.endText.find("1 entry was not copied"), std::string::npos) << window.endText;
    EXPECT_NE(window.endText.find(first + " (not found)"), std::string::npos) << window.endText;
    EXPECT_FALSE(fs::exists(TargetDrive() + first.substr(4)));
    // The files after it still go across, on a target session that was started again.
    EXPECT_EQ(ReadFile(TargetDrive() + "/SIGNAL/B.DAT"), "bbbb");
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, AFileTheTargetDoesNotStoreIsNamedAsSuch) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "aaaa");
    // The target claims the folder, so none is made, and its STOR finds no folder.
    m_target->SetReplyOverride("mmem:cat?", "0,1000000,\"SIGNAL/\",,0");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupIncomplete);
    EXPECT_NE(window.endText.find("/F0:/SIGNAL/A.DAT (the target did not store it)"),
              std::string::npos)
        << window.endText;
    EXPECT_FALSE(fs::exists(TargetDrive() + "/SIGNAL/A.DAT"));
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, AServerThatNeverOpensTheDataConnectionTimesOutAndTheRetryCopies) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "aaaa");
    m_source->FtpWithholdNextDataConnection();
    testsupport::BoxScript boxes;
    boxes.ExpectAny(platform::IDOK).ExpectAny(platform::IDOK);
    RecordingWindow window;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(RunCopy(window, 30000));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
    EXPECT_EQ(ReadFile(TargetDrive() + "/SIGNAL/A.DAT"), "aaaa");
    ASSERT_GE(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Error: cannot Accept");
}

// A copy's final replies come only when the whole file has moved. The source below sends its
// file slowly, so the transfer outlasts the (shortened) reply time-out.
TEST_F(CopyTest, ACopysFinalRepliesWaitTheReplyTimeOutPlusOneAllowancePer64KiB) {
    constexpr int kReplyMs = 2000;
    constexpr int kAllowanceMs = 1500;
    struct Case {
        const char* what;
        std::size_t size;
        std::size_t chunk;
        int pauseMs;
        bool copied;  // otherwise every attempt runs out of time
    };
    const Case cases[] = {
        // 2 s + 4 x 1.5 s allowed, about 3.2 s taken.
        {"within the allowance of 4 blocks", 256 * 1024, 64 * 1024, 800, true},
        // Under one whole block: the reply time-out alone, 2 s, and about 4.5 s taken.
        {"past the allowance", 48 * 1024, 16 * 1024, 1500, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mirrak::CFtpSession::SetDefaultTimeoutsMs(kReplyMs, kReplyMs);
        mirrak::CFtpSession::SetDefaultTransferAllowanceMs(kAllowanceMs);
        StartInstruments();
        // The simulators' own waits between two chunks stay out of the way.
        m_source->SetFtpDataTimeout(std::chrono::seconds(10));
        m_target->SetFtpDataTimeout(std::chrono::seconds(10));
        std::string bytes(c.size, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        WriteFile(SourceDrive() + "/SIGNAL/SLOW.DAT", bytes);
        const auto pace = [&] {
            m_source->FtpPaceNextData(c.chunk, std::chrono::milliseconds(c.pauseMs));
        };
        std::vector<platform::MessageBoxRecord> records;
        // The listings go at full speed; each RETR is paced as it is sent.
        RecordingWindow window;
        window.onFile = [&](const std::string&) { pace(); };
        platform::MessageBoxAnswerer previous =
            platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
                records.push_back(record);
                pace();  // the retry is as slow
                return platform::IDOK;
            });
        QElapsedTimer clock;
        clock.start();
        const bool ended = RunCopy(window, 60000);
        platform::SetMessageBoxAnswerer(previous);
        ASSERT_TRUE(ended);
        std::vector<std::string> retrs;
        for (const std::string& line : m_source->FtpCommands()) {
            if (line.rfind("RETR ", 0) == 0)
                retrs.push_back(line);
        }
        if (c.copied) {
            EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
            EXPECT_EQ(retrs, std::vector<std::string>{"RETR /F0:/SIGNAL/SLOW.DAT"});
            EXPECT_TRUE(records.empty());
            EXPECT_EQ(ReadFile(TargetDrive() + "/SIGNAL/SLOW.DAT"), bytes);
            EXPECT_GT(clock.elapsed(), kReplyMs);
        } else {
            EXPECT_EQ(window.endCode, mirrak::kDupFailed);
            EXPECT_EQ(retrs.size(), 3u);
            ASSERT_EQ(records.size(), 3u);
            for (const auto& record : records)
                EXPECT_EQ(record.text, "Connection timed out. : Receive");
        }
        m_source.reset();
        m_target.reset();
        fs::remove_all(SourceDrive());
        fs::remove_all(TargetDrive());
    }
}

TEST_F(CopyTest, CancelWhileAFileMovesSlowlyReturnsAtOnce) {
    mirrak::CFtpSession::SetDefaultTransferAllowanceMs(60000);
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/SLOW.DAT", std::string(128 * 1024, 'x'));
    testsupport::BoxScript boxes;
    RecordingWindow window;
    window.onFile = [&](const std::string&) {
        m_source->FtpPaceNextData(1024, std::chrono::milliseconds(500));
    };
    QElapsedTimer clock;
    ASSERT_TRUE(RunCopy(window, 30000, [&] {
        PumpUntil([&] { return !window.files.empty(); }, 10000);
        // Let the worker reach its wait for the final replies.
        PumpUntil([] { return false; }, 1500);
        clock.start();
        m_runner->CancelDuplication();
    }));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(window.endCode, mirrak::kDupCancelled);
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, ThreeFailedListingsFailTheCopyWithEachErrorShown) {
    StartInstruments();
    m_source->FtpReplaceNextReply("LIST", "451 Local error.");
    std::vector<platform::MessageBoxRecord> records;
    // The fault clears itself after one LIST: each answered box arms it for the retry.
    platform::MessageBoxAnswerer previous =
        platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
            records.push_back(record);
            m_source->FtpReplaceNextReply("LIST", "451 Local error.");
            return platform::IDOK;
        });
    RecordingWindow window;
    const bool ended = RunCopy(window);
    platform::SetMessageBoxAnswerer(previous);
    ASSERT_TRUE(ended);
    EXPECT_EQ(window.endCode, mirrak::kDupFailed);
    ASSERT_EQ(records.size(), 3u);
    for (const auto& record : records) {
        EXPECT_EQ(record.text, "Error : 451 Local error.");
        EXPECT_EQ(record.type, platform::MB_OK | platform::MB_ICONSTOP);
        EXPECT_TRUE(record.beepBefore);
    }
}

TEST_F(CopyTest, CancelBeforeTheFirstListingEndsAsCancelledOnly) {
    StartInstruments();
    SeedTree(20);
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window, 30000, [&] { m_runner->CancelDuplication(); }));
    EXPECT_EQ(window.endCode, mirrak::kDupCancelled);
    EXPECT_EQ(window.endCount, 1);
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, CancelInTheMiddleOfTheTreeStopsTheWalk) {
    StartInstruments();
    SeedTree(200);
    testsupport::BoxScript boxes;
    RecordingWindow window;
    window.onProgress = [&] {
        if (window.progress.size() == 30)
            m_runner->CancelDuplication();
    };
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupCancelled);
    EXPECT_EQ(window.endCount, 1);
    EXPECT_LT(window.progress.size(), 40u);
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, CancelWhileTheWorkerWaitsOnASilentServerReturnsAtOnce) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/A.DAT", "aaaa");
    m_source->SetFtpDataTimeout(std::chrono::milliseconds(20000));
    m_source->FtpWithholdNextDataConnection();
    testsupport::BoxScript boxes;
    RecordingWindow window;
    QElapsedTimer clock;
    ASSERT_TRUE(RunCopy(window, 30000, [&] {
        // Let the worker reach its wait for the data connection.
        PumpUntil([&] { return !window.titles.empty(); }, 5000);
        PumpUntil([] { return false; }, 300);
        clock.start();
        m_runner->CancelDuplication();
    }));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(window.endCode, mirrak::kDupCancelled);
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, ShutdownWhileCopyingJoinsTheWorkerWithoutDeliveringMore) {
    StartInstruments();
    SeedTree(200);
    testsupport::BoxScript boxes;
    auto window = std::make_unique<RecordingWindow>();
    mirrak::CDuplicationRunner& runner = *m_runner;
    ASSERT_TRUE(runner.StartDuplication(window.get(), m_sourceAddress, m_targetAddress, 1.0e6));
    ASSERT_TRUE(PumpUntil([&] { return window->progress.size() >= 5; }, 30000));
    // A second copy never starts beside the first.
    RecordingWindow other;
    EXPECT_EQ(runner.StartDuplication(&other, m_sourceAddress, m_targetAddress, 1.0e6), 0);
    QElapsedTimer clock;
    clock.start();
    runner.Shutdown();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(runner.IsRunning());
    const std::size_t seen = window->messages.size();
    window.reset();  // the window is gone; nothing may reach it any more
    PumpUntil([] { return false; }, 100);
    EXPECT_GT(seen, 5u);
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, NamesACommandCannotCarryAreNeverSentAndAreNamedAtTheEnd) {
    StartInstruments();
    WriteFile(SourceDrive() + "/SIGNAL/GOOD.DAT", "good");
    m_source->FtpReplaceNextListing(
        "Directory of /F0:/\r\nSize Date Time Name\r\n"
        "0 01-01-00 00:00 . <DIR>\r\n"
        "5 01-01-00 00:00 BAD\"NAME A\r\n"
        "5 01-01-00 00:00 EVIL\rDELE X A\r\n"
        "this line is not a listing line\r\n"
        "0 01-01-00 00:00 SIGNAL <DIR>\r\n");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupIncomplete);
    EXPECT_NE(window.endText.find("BAD\"NAME (the name cannot be sent)"), std::string::npos);
    EXPECT_NE(window.endText.find("EVIL\\rDELE X"), std::string::npos);
    EXPECT_NE(window.endText.find("unreadable listing line"), std::string::npos);
    EXPECT_EQ(ReadFile(TargetDrive() + "/SIGNAL/GOOD.DAT"), "good");
    for (const std::string& line : m_source->FtpCommands()) {
        EXPECT_EQ(line.find("BAD"), std::string::npos) << line;
        EXPECT_EQ(line.find("EVIL"), std::string::npos) << line;
    }
    for (const std::string& line : m_target->ReceivedLines())
        EXPECT_EQ(line.find("BAD"), std::string::npos) << line;
}

TEST_F(CopyTest, AFolderListingWithOnlyItsHeadersFailsTheCopy) {
    StartInstruments();
    m_source->FtpReplaceNextListing("Directory of /F0:/\r\nSize Date Time Name\r\n");
    for (int i = 0; i < 2; ++i)
        m_source->FtpReplaceNextListing("Directory of /F0:/\r\nSize Date Time Name\r\n");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupFailed);
}

TEST_F(CopyTest, DotEntriesCountAFolderEachAndCopyNothing) {
    StartInstruments();
    WriteFile(SourceDrive() + "/A.DAT", "aaaa");
    m_source->FtpReplaceNextListing(
        "Directory of /F0:/\r\nSize Date Time Name\r\n"
        "0 01-01-00 00:00 . <DIR>\r\n"
        "0 01-01-00 00:00 .. <DIR>\r\n"
        "4 01-01-00 00:00 A.DAT A\r\n");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
    EXPECT_EQ(window.progress, (std::vector<std::int64_t>{1024, 2048, 2052}));
    EXPECT_EQ(window.files, std::vector<std::string>{"A.DAT"});
    EXPECT_EQ(ReadFile(TargetDrive() + "/A.DAT"), "aaaa");
}

TEST_F(CopyTest, ALastListingLineWithoutItsLineEndIsCopiedNotDropped) {
    StartInstruments();
    WriteFile(SourceDrive() + "/A.DAT", "aaaa");
    WriteFile(SourceDrive() + "/B.DAT", "bb");
    m_source->FtpReplaceNextListing(
        "Directory of /F0:/\r\nSize Date Time Name\r\n"
        "4 01-01-00 00:00 A.DAT A\r\n"
        "2 01-01-00 00:00 B.DAT A");
    testsupport::BoxScript boxes;
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupDone) << window.endText;
    EXPECT_EQ(ReadFile(TargetDrive() + "/A.DAT"), "aaaa");
    EXPECT_EQ(ReadFile(TargetDrive() + "/B.DAT"), "bb");
    // Blanks after the last line end are no entry.
    m_source->FtpReplaceNextListing(
        "Directory of /F0:/\r\nSize Date Time Name\r\n"
        "4 01-01-00 00:00 A.DAT A\r\n \r");
    RecordingWindow again;
    ASSERT_TRUE(RunCopy(again));
    EXPECT_EQ(again.endCode, mirrak::kDupDone) << again.endText;
    EXPECT_EQ(again.files, std::vector<std::string>{"A.DAT"});
    EXPECT_EQ(boxes.Records().size(), 0u);
}

TEST_F(CopyTest, FoldersNestedPastTheLimitFailInsteadOfRecursingForEver) {
    StartInstruments();
    std::string deep = SourceDrive();
    for (int i = 0; i < 34; ++i) deep += "/D";
    fs::create_directories(deep);
    testsupport::BoxScript boxes;
    boxes.ExpectAny(platform::IDOK);
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupFailed);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_NE(boxes.Records()[0].text.find("nest too deeply"), std::string::npos);
    EXPECT_EQ(boxes.Records()[0].type, platform::MB_OK | platform::MB_ICONSTOP);
    EXPECT_TRUE(boxes.Records()[0].beepBefore);
}

TEST_F(CopyTest, AnUnreachableTargetFailsBeforeAnythingIsCopied) {
    StartInstruments();
    m_target->Stop();
    testsupport::BoxScript boxes;
    boxes.ExpectAny(platform::IDOK);
    RecordingWindow window;
    ASSERT_TRUE(RunCopy(window));
    EXPECT_EQ(window.endCode, mirrak::kDupFailed);
    EXPECT_EQ(window.startTotal, -1);
    ASSERT_EQ(boxes.Records().size(), 1u);
    EXPECT_EQ(boxes.Records()[0].text, "Connection refused. : Connect");
}

}  // namespace

}  // namespace mirraktest
