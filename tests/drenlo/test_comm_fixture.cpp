#include "tests/drenlo/test_comm_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "drenlo/comm/InstrumentNames.h"
#include "tests/support/LoopbackSimulator.h"
#include "tests/support/WaitUntil.h"

namespace drenlo::testing {

namespace fs = std::filesystem;

namespace {

void Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

TestWindow::TestWindow() {
    AttachWidget(new QWidget);
}

TestWindow::~TestWindow() {
    delete GetWidget();
}

FakeHost::FakeHost(CQuarnComm& comm) : m_comm(comm) {
    // The list view's part of the job, with the pauses shortened.
    m_listView.OnMessage(WM_DOWNLOAD_NEXT, [this](platform::WPARAM w, platform::LPARAM) {
        return static_cast<platform::LRESULT>(m_comm.DownloadNext(w));
    });
    m_listView.OnMessage(WM_DOWNLOAD_DONE, [this](platform::WPARAM w, platform::LPARAM) {
        m_comm.OnWorkerDone();
        if (m_onFileDone)
            m_onFileDone();
        Sleep(20);
        m_listView.PostMessage(WM_DOWNLOAD_NEXT, w);
        return platform::LRESULT{0};
    });
    m_listView.OnMessage(WM_UPLOAD_NEXT, [this](platform::WPARAM, platform::LPARAM) {
        return static_cast<platform::LRESULT>(m_comm.UploadNext());
    });
    m_listView.OnMessage(WM_UPLOAD_DONE, [this](platform::WPARAM, platform::LPARAM) {
        m_comm.OnWorkerDone();
        if (m_onFileDone)
            m_onFileDone();
        Sleep(20);
        m_listView.PostMessage(WM_UPLOAD_NEXT, 0);
        return platform::LRESULT{0};
    });
    m_progress.OnMessage(WM_TRANSFER_PROGRESS, [this](platform::WPARAM, platform::LPARAM l) {
        m_progressReports.push_back(static_cast<std::uint64_t>(l));
        if (m_onProgress)
            m_onProgress(static_cast<std::uint64_t>(l));
        return platform::LRESULT{0};
    });
    m_progress.OnMessage(WM_TRANSFER_FULL, [this](platform::WPARAM, platform::LPARAM) {
        ++m_fullReports;
        return platform::LRESULT{0};
    });
    m_progress.OnMessage(WM_TRANSFER_DONE, [this](platform::WPARAM w, platform::LPARAM) {
        m_jobDone = true;
        m_refresh = w;
        return platform::LRESULT{0};
    });
}

int FakeHost::ListHasItem(const std::string& listed) {
    return std::find(m_listNames.begin(), m_listNames.end(), listed) != m_listNames.end() ? 1 : 0;
}

int FakeHost::ConfirmFile(int fileType, const std::string& fileName) {
    m_confirmed.emplace_back(fileType, fileName);
    return m_confirmAnswer;
}

ICopyProgress* FakeHost::CreateProgressDialog() {
    ++m_dialogsCreated;
    m_jobDone = false;
    return this;
}

void FakeHost::StartProgress(const std::string& fileName, std::uint64_t total,
                             const std::string& directionText, int show) {
    (void)total;
    (void)show;
    m_started.push_back(fileName);
    m_directions.push_back(directionText);
}

void CommFixture::SetUp() {
    ASSERT_TRUE(m_temp.isValid());
    m_instrumentRoot = m_temp.filePath("instrument").toStdString();
    m_pcFolder = m_temp.filePath("pc").toStdString();
    fs::create_directories(m_instrumentRoot);
    fs::create_directories(m_pcFolder);
    g_catalogReply.Clear();
    g_objectCount = 0;
    g_totalSize = 0;
    g_usedBytes = 0;
    g_freeBytes = 0;
    m_comm = std::make_unique<CQuarnComm>();
    m_host = std::make_unique<FakeHost>(*m_comm);
    m_comm->SetHost(m_host.get());
}

void CommFixture::TearDown() {
    m_comm->AbortJobAndWait();
    m_comm->Disconnect();
    // Messages the job posted last must not outlive the windows they were meant for.
    QCoreApplication::processEvents();
    m_comm.reset();
    m_host.reset();
    if (m_sim)
        m_sim->Stop();
}

void CommFixture::StartSimulator(bool demoFiles) {
    quarnsim::Options options;
    options.root = m_instrumentRoot;
    options.demoFiles = demoFiles;
    m_sim = testsupport::StartLoopbackSimulator(options, m_address);
    ASSERT_NE(m_sim, nullptr) << "no loopback address to bind the simulator on";
    m_comm->SetTargetHost(m_address);
}

void CommFixture::ConnectLink() {
    ASSERT_EQ(m_comm->Connect(), 1);
}

bool CommFixture::WaitForJobEnd(int seconds) {
    QElapsedTimer timer;
    timer.start();
    while (!m_host->m_jobDone && timer.elapsed() < seconds * 1000LL) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    // A job ends once its last bytes are sent, with no reply to wait for: the instrument has
    // taken them when it has done with the job's connections.
    return m_host->m_jobDone && testsupport::WaitUntil([this] {
               return m_sim->OpenConnectionCount() <= (m_comm->IsConnected() ? 1 : 0);
           });
}

std::string CommFixture::InstrumentFile(const std::string& relative) const {
    return m_instrumentRoot + "/" + relative;
}

std::string CommFixture::PcFile(const std::string& name) const {
    return m_pcFolder + "/" + name;
}

void CommFixture::WriteFile(const std::string& path, const std::string& data) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << data;
}

std::string CommFixture::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    return data.str();
}

bool CommFixture::Exists(const std::string& path) {
    return fs::exists(path);
}

std::string CommFixture::Pattern(size_t size, unsigned seed) {
    std::string data(size, '\0');
    std::mt19937 generator(seed);
    for (char& c : data) c = static_cast<char>(generator() & 0xFF);
    return data;
}

std::vector<std::string> CommFixture::PcFolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_pcFolder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace drenlo::testing
