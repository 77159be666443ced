// The link and the copy jobs against a simulated instrument, with a stand-in for the windows.
//
// FakeHost plays the list view and the progress dialog the way the real ones answer the job's
// messages (with shorter pauses between files), and records what they were told. Every
// message box must be expected through m_boxes.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drenlo/comm/CommHost.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/transfer/TransferEvents.h"
#include "platform/Wnd.h"
#include "quarnsim/Simulator.h"
#include "tests/support/BoxScript.h"

namespace drenlo::testing {

// A window with a widget of its own, so posted messages reach it.
class TestWindow : public platform::CWnd {
public:
    TestWindow();
    ~TestWindow() override;
};

class FakeHost : public ICommHost, public ICopyProgress {
public:
    explicit FakeHost(CQuarnComm& comm);

    // ICommHost
    void OnConnectFailed() override { ++m_connectFailures; }
    void SetListStatusTexts(const std::string& objects, const std::string& sizes) override {
        m_objects = objects;
        m_sizes = sizes;
    }
    platform::CWnd* GetListView() override { return &m_listView; }
    std::string GetListFolder() override { return m_listFolder; }
    int ListHasItem(const std::string& listed) override;
    int ConfirmFile(int fileType, const std::string& fileName) override;
    ICopyProgress* CreateProgressDialog() override;
    // ICopyProgress
    platform::CWnd* GetProgressWindow() override { return &m_progress; }
    void StartProgress(const std::string& fileName, std::uint64_t total,
                       const std::string& directionText, int show) override;

    CQuarnComm& m_comm;
    TestWindow m_listView;
    TestWindow m_progress;
    std::string m_listFolder;
    std::vector<std::string> m_listNames;
    int m_confirmAnswer = platform::IDOK;
    std::vector<std::pair<int, std::string>> m_confirmed;  // type, name
    std::vector<std::string> m_started;                    // file names with counters
    std::vector<std::string> m_directions;
    std::vector<std::uint64_t> m_progressReports;
    int m_fullReports = 0;
    int m_connectFailures = 0;
    int m_dialogsCreated = 0;
    std::string m_objects, m_sizes;
    bool m_jobDone = false;
    platform::WPARAM m_refresh = 0;
    // Called with the bytes moved on each progress report (for Cancel in mid-copy).
    std::function<void(std::uint64_t)> m_onProgress;
    // Called when a file's worker reports done, before the next file starts.
    std::function<void()> m_onFileDone;
};

class CommFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void StartSimulator(bool demoFiles = false);
    // Connects the link; the simulator must be running.
    void ConnectLink();
    // Runs the event loop until the job has ended (WM_TRANSFER_DONE reached the dialog).
    bool WaitForJobEnd(int seconds = 120);

    std::string InstrumentFile(const std::string& relative) const;  // path on disk
    std::string PcFile(const std::string& name) const;
    static void WriteFile(const std::string& path, const std::string& data);
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);
    static std::string Pattern(size_t size, unsigned seed);
    // Names in the PC folder (temporary files would show here).
    std::vector<std::string> PcFolderNames() const;

    QTemporaryDir m_temp;
    std::string m_address;
    std::string m_instrumentRoot;
    std::string m_pcFolder;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    testsupport::BoxScript m_boxes;
    std::unique_ptr<CQuarnComm> m_comm;
    std::unique_ptr<FakeHost> m_host;
};

}  // namespace drenlo::testing
