// Two simulated instruments on two loopback addresses, each with a drive folder of its own,
// and a window that records what the duplication worker tells it.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Wnd.h"
#include "quarnsim/Simulator.h"
#include "utilities/mirrak/DuplicationRunner.h"

namespace mirraktest {

// Records the worker's messages; the text messages' texts are copied while the worker waits.
class RecordingWindow : public platform::CWnd {
public:
    RecordingWindow();
    std::vector<platform::UINT> messages;
    std::vector<std::string> titles;
    std::vector<std::string> files;
    std::vector<std::string> paths;
    std::vector<std::int64_t> progress;
    std::int64_t startTotal = -1;
    int endCode = -1;
    int endCount = 0;
    std::string endText;
    // Runs on each WM_DUP_PROGRESS, after it is recorded.
    std::function<void()> onProgress;
    // Runs on each WM_DUP_FILE, before the worker copies that file.
    std::function<void(const std::string&)> onFile;
};

class MirrakFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the two simulators (drives "<dir>/source/F0:" and "<dir>/target/F0:"). With
    // ftp = false their FTP servers stay off, for a peer serving "<dir>/source" and so on.
    void StartInstruments(bool ftp = true);
    static std::string Drive(const std::string& side, const QTemporaryDir& dir);
    std::string SourceDrive() const { return m_dir.path().toStdString() + "/source/F0:"; }
    std::string TargetDrive() const { return m_dir.path().toStdString() + "/target/F0:"; }
    std::string SourceFolder() const { return m_dir.path().toStdString() + "/source"; }
    std::string TargetFolder() const { return m_dir.path().toStdString() + "/target"; }

    // Nested folders with `files` files in all, of varied sizes and contents.
    void SeedTree(int files);
    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);
    // Every file under the source drive is on the target drive, byte for byte. The number of
    // files compared goes to `count`.
    ::testing::AssertionResult TargetHoldsSourceTree(int* count = nullptr) const;

    // Runs a copy through the worker, pumping events until its end message and its thread's
    // end; false when it did not end within the time.
    bool RunCopy(RecordingWindow& window, int limitMs = 60000,
                 const std::function<void()>& afterStart = {});
    static bool PumpUntil(const std::function<bool()>& done, int limitMs);

    QTemporaryDir m_dir;
    std::unique_ptr<quarnsim::Simulator> m_source;
    std::unique_ptr<quarnsim::Simulator> m_target;
    std::string m_sourceAddress;
    std::string m_targetAddress;
    std::unique_ptr<mirrak::CDuplicationRunner> m_runner;
};

}  // namespace mirraktest
