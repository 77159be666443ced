#include "MirrakFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/Profile.h"
#include "tests/support/LoopbackSimulator.h"
#include "utilities/mirrak/DuplicationRunner.h"
#include "utilities/mirrak/FtpSession.h"

namespace fs = std::filesystem;

namespace mirraktest {

RecordingWindow::RecordingWindow() {
    using platform::LPARAM;
    using platform::LRESULT;
    using platform::WPARAM;
    const auto text = [](LPARAM l) { return std::string(reinterpret_cast<const char*>(l)); };
    OnMessage(mirrak::WM_DUP_START, [this](WPARAM, LPARAM l) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_START);
        startTotal = static_cast<std::int64_t>(l);
        return 0;
    });
    OnMessage(mirrak::WM_DUP_TITLE, [this, text](WPARAM, LPARAM l) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_TITLE);
        titles.push_back(text(l));
        return 0;
    });
    OnMessage(mirrak::WM_DUP_FILE, [this, text](WPARAM, LPARAM l) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_FILE);
        files.push_back(text(l));
        if (onFile)
            onFile(files.back());
        return 0;
    });
    OnMessage(mirrak::WM_DUP_FILE_CLEAR, [this](WPARAM, LPARAM) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_FILE_CLEAR);
        return 0;
    });
    OnMessage(mirrak::WM_DUP_PATH, [this, text](WPARAM, LPARAM l) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_PATH);
        paths.push_back(text(l));
        return 0;
    });
    OnMessage(mirrak::WM_DUP_PROGRESS, [this](WPARAM, LPARAM l) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_PROGRESS);
        progress.push_back(static_cast<std::int64_t>(l));
        if (onProgress)
            onProgress();
        return 0;
    });
    OnMessage(mirrak::WM_DUP_END, [this](WPARAM w, LPARAM l) -> LRESULT {
        messages.push_back(mirrak::WM_DUP_END);
        endCode = static_cast<int>(w);
        ++endCount;
        if (l != 0)
            endText = reinterpret_cast<const char*>(l);
        return 0;
    });
}

void MirrakFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    platform::Profile::SetRootForTests(m_dir.path().toStdString() + "/profile");
    // Short enough that a test of a silent server stays quick, long enough for a loaded machine.
    mirrak::CFtpSession::SetDefaultTimeoutsMs(4000, 4000);
    mirrak::CDuplicationRunner::SetLinkTimeoutMsForTests(4000);
    m_runner = std::make_unique<mirrak::CDuplicationRunner>();
}

void MirrakFixture::TearDown() {
    m_runner.reset();
    m_source.reset();
    m_target.reset();
    mirrak::CFtpSession::SetDefaultTimeoutsMs(mirrak::CFtpSession::kDefaultTimeoutMs,
                                              mirrak::CFtpSession::kDefaultTimeoutMs);
    mirrak::CFtpSession::SetDefaultTransferAllowanceMs(
        mirrak::CFtpSession::kDefaultTransferAllowanceMs);
    platform::Profile::SetRootForTests("");
}

void MirrakFixture::StartInstruments(bool ftp) {
    fs::create_directories(SourceDrive());
    fs::create_directories(TargetDrive());
    quarnsim::Options options;
    options.ftpEnabled = ftp;
    options.ftpDataTimeoutMs = 2000;
    options.root = SourceDrive();
    m_source = testsupport::StartLoopbackSimulator(options, m_sourceAddress);
    ASSERT_TRUE(m_source);
    options.root = TargetDrive();
    do {
        m_target = testsupport::StartLoopbackSimulator(options, m_targetAddress);
        ASSERT_TRUE(m_target);
    } while (m_targetAddress == m_sourceAddress);
}

void MirrakFixture::WriteFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string MirrakFixture::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void MirrakFixture::SeedTree(int files) {
    std::mt19937 random(1234);
    const std::vector<std::string> folders = {"SIGNAL",
                                              "PICTURE",
                                              "LOGO/EMPTY",
                                              "PICTURE/SUB1",
                                              "PICTURE/SUB1/DEEP/DEEPER/DEEPEST",
                                              "SEQUENCE",
                                              "Sormet/PRESET",
                                              "SIGNAL/A B"};
    for (const std::string& folder : folders) fs::create_directories(SourceDrive() + "/" + folder);
    for (int i = 0; i < files; ++i) {
        // Empty files, one-byte files, and a few larger than a socket buffer.
        std::size_t size = (i % 50 == 0) ? 0 : (i % 97 == 1 ? 200000 : random() % 4000 + 1);
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        const std::string& folder = folders[static_cast<std::size_t>(i) % folders.size()];
        if (folder == "LOGO/EMPTY")
            continue;
        char name[32];
        std::snprintf(name, sizeof name, "F%04d.DAT", i);
        WriteFile(SourceDrive() + "/" + folder + "/" + name, bytes);
    }
    WriteFile(SourceDrive() + "/ROOT FILE.TXT", "at the top\r\n");
}

::testing::AssertionResult MirrakFixture::TargetHoldsSourceTree(int* count) const {
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(SourceDrive())) {
        const std::string relative = fs::relative(entry.path(), SourceDrive()).string();
        const fs::path other = fs::path(TargetDrive()) / relative;
        if (entry.is_directory()) {
            if (!fs::is_directory(other))
                return ::testing::AssertionFailure() << "folder missing: " << relative;
            continue;
        }
        if (!fs::is_regular_file(other))
            return ::testing::AssertionFailure() << "file missing: " << relative;
        if (ReadFile(entry.path().string()) != ReadFile(other.string()))
            return ::testing::AssertionFailure() << "file differs: " << relative;
        ++compared;
    }
    if (count != nullptr)
        *count = compared;
    return ::testing::AssertionSuccess();
}

bool MirrakFixture::PumpUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool MirrakFixture::RunCopy(RecordingWindow& window, int limitMs,
                            const std::function<void()>& afterStart) {
    mirrak::CDuplicationRunner& runner = *m_runner;
    if (!runner.StartDuplication(&window, m_sourceAddress, m_targetAddress, 1.0e6))
        return false;
    if (afterStart)
        afterStart();
    if (!PumpUntil([&] { return window.endCount > 0; }, limitMs))
        return false;
    return runner.WaitForEnd(limitMs);
}

}  // namespace mirraktest
