#include "tests/drenlo/test_ui_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QThread>
#include <fstream>
#include <sstream>

#include "platform/Profile.h"
#include "resources/drenlo/Resource.h"
#include "tests/support/LoopbackSimulator.h"
#include "tests/support/WaitUntil.h"

namespace drenlo::testing {

namespace {
const char* const kSection = "Settings";

}  // namespace

void DrenloFixture::SetUp() {
    ASSERT_TRUE(m_temp.isValid());
    platform::Profile::SetRootForTests(m_temp.filePath("settings").toStdString());
    m_pcFolder = m_temp.filePath("pc").toStdString();
    m_instrumentRoot = m_temp.filePath("instrument").toStdString();
    QDir().mkpath(QString::fromStdString(m_pcFolder));
    WriteSetting("Path", m_pcFolder);
    m_previousAnswerer = platform::SetFileDialogAnswerer(
        [this](const platform::FileDialogRecord& record, std::vector<std::string>& chosen) {
            m_fileDialogs.push_back(record);
            if (m_fileAnswers.empty()) {
                ADD_FAILURE() << "unexpected file dialog: " << record.title;
                return false;
            }
            chosen = m_fileAnswers.front();
            m_fileAnswers.pop_front();
            return !chosen.empty();
        });
}

void DrenloFixture::TearDown() {
    if (m_app && m_app->GetComm() != nullptr)
        m_app->GetComm()->AbortJobAndWait();
    m_app.reset();
    if (m_sim)
        m_sim->Stop();
    platform::SetFileDialogAnswerer(m_previousAnswerer);
    EXPECT_TRUE(m_fileAnswers.empty()) << "file dialogs that never came";
}

void DrenloFixture::StartSimulator() {
    const std::string root = m_instrumentRoot;
    for (const char* folder :
         {"Tavix/SIGNAL", "Tavix/PICTURE", "Tavix/EMPTY", "Tavix/SIGNAL/OLD", "Oltra/LOGO"})
        QDir().mkpath(QString::fromStdString(root + "/" + folder));
    WriteFile(root + "/Tavix/SIGNAL/BARS-100.CMP", std::string(3000, 'b'));
    WriteFile(root + "/Tavix/SIGNAL/Ramp Y.CMP", std::string(100, 'r'));
    WriteFile(root + "/Tavix/SIGNAL/ZONE.PIC", std::string(20000, 'z'));
    WriteFile(root + "/Tavix/SIGNAL/A.DNL", std::string(10, 'a'));
    WriteFile(root + "/Tavix/SIGNAL/LINE UP.PST", std::string(500, 'p'));
    WriteFile(root + "/Tavix/PICTURE/TESTCARD.PIC", std::string(150000, 't'));
    WriteFile(root + "/Oltra/LOGO/HARNOQ.LGO", std::string(700, 'l'));
    quarnsim::Options options;
    options.root = root;
    options.emptyCatalogComma = m_emptyCatalogComma;
    m_sim = testsupport::StartLoopbackSimulator(options, m_address);
    ASSERT_NE(m_sim, nullptr) << "no loopback address to bind the simulator on";
    WriteSetting("TargetHost", m_address);
}

void DrenloFixture::WriteSetting(const std::string& key, const std::string& value) {
    platform::Profile("Harnoq", "Drenlo").WriteString(kSection, key, value);
}

std::string DrenloFixture::ReadSetting(const std::string& key) {
    return platform::Profile("Harnoq", "Drenlo").GetString(kSection, key, "<none>");
}

bool DrenloFixture::StartDrenlo(std::function<void(platform::CDialog&)> ethernet) {
    if (!ethernet)
        ethernet = [](platform::CDialog& dialog) { dialog.ClickButton(platform::IDOK); };
    m_dialogs.Expect(IDD_ETHERNET, std::move(ethernet));
    m_app = std::make_unique<CDrenloApp>();
    m_initResult = m_app->InitInstance();
    return m_initResult;
}

void DrenloFixture::StartConnected() {
    StartSimulator();
    ASSERT_TRUE(StartDrenlo());
    ASSERT_NE(Frame(), nullptr);
    ASSERT_TRUE(Comm()->IsConnected());
    // Label edits close when their editor loses the focus, as they do for the operator: the
    // window must be the active one for an edit to stay open.
    Frame()->Window()->activateWindow();
    Pump(10);
    TakeLines();
}

CMainFrame* DrenloFixture::Frame() const {
    return m_app ? m_app->GetMainFrame() : nullptr;
}

std::vector<std::string> DrenloFixture::TakeLines() {
    std::vector<std::string> lines = m_sim->ReceivedLines();
    m_sim->ClearLog();
    return lines;
}

int DrenloFixture::CountLines(const std::string& prefix) {
    int count = 0;
    for (const std::string& line : TakeLines())
        if (line.compare(0, prefix.size(), prefix) == 0)
            ++count;
    return count;
}

std::vector<std::string> DrenloFixture::ListNames() const {
    std::vector<std::string> names;
    const platform::CListCtrl& list = List()->GetListCtrl();
    for (int i = 0; i < list.GetItemCount(); ++i) names.push_back(list.GetItemText(i, 0));
    return names;
}

int DrenloFixture::ListIndex(const std::string& name) const {
    return List()->GetListCtrl().FindItem(name);
}

void DrenloFixture::SelectListItems(const std::vector<std::string>& names) {
    // The operator clicks into the list to select: the list becomes the active view.
    Frame()->SetActiveView(List());
    platform::CListCtrl& list = List()->GetListCtrl();
    list.SetItemState(-1, 0, platform::LVIS_SELECTED);
    for (const std::string& name : names) {
        const int index = list.FindItem(name);
        ASSERT_GE(index, 0) << name;
        list.SetItemState(index, platform::LVIS_SELECTED, platform::LVIS_SELECTED);
    }
}

std::vector<std::string> DrenloFixture::TreeChildren(platform::HTREEITEM item) const {
    std::vector<std::string> names;
    const platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    for (platform::HTREEITEM child = tree.GetChildItem(item); child != nullptr;
         child = tree.GetNextSiblingItem(child))
        names.push_back(tree.GetItemText(child));
    return names;
}

platform::HTREEITEM DrenloFixture::OpenFolder(const std::string& path) {
    platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    platform::HTREEITEM item = Tree()->GetRootFolder();
    std::string rest = path.substr(std::string(CUiListView::kRoot).size());
    while (item != nullptr && !rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string name = rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        tree.ExpandByOperator(item);
        item = Tree()->FindChild(item, name);
    }
    if (item != nullptr)
        tree.ClickItem(item);
    return item;
}

std::string DrenloFixture::InstrumentFile(const std::string& relative) const {
    return m_instrumentRoot + "/" + relative;
}

std::string DrenloFixture::PcFile(const std::string& name) const {
    return m_pcFolder + "/" + name;
}

void DrenloFixture::WriteFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary);
    out << data;
}

std::string DrenloFixture::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool DrenloFixture::Exists(const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
}

std::vector<std::string> DrenloFixture::PcFolderNames() const {
    std::vector<std::string> names;
    for (const QString& name :
         QDir(QString::fromStdString(m_pcFolder)).entryList(QDir::Files | QDir::Hidden))
        names.push_back(name.toStdString());
    return names;
}

void DrenloFixture::AnswerFileDialogs(std::vector<std::vector<std::string>> answers) {
    for (auto& answer : answers) m_fileAnswers.push_back(std::move(answer));
}

bool DrenloFixture::WaitForJobEnd(int seconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
        if (!Comm()->IsJobActive() && Comm()->IsConnected()) {
            // The list is relisted after the reconnect, in the same handler.
            QCoreApplication::processEvents();
            // The job's last bytes have no reply: the instrument has taken them when it has
            // done with every connection but the list's.
            return testsupport::WaitUntil([this] { return m_sim->OpenConnectionCount() <= 1; });
        }
    }
    return false;
}

void DrenloFixture::Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

void DrenloFixture::SaveScreenshot(QWidget* widget, const std::string& name) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    widget->grab().save(QString(QUARN_SCREENSHOT_DIR) + "/" + QString::fromStdString(name) +
                        ".png");
}

}  // namespace drenlo::testing
