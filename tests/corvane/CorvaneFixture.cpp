#include "tests/corvane/CorvaneFixture.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>

#include "platform/Profile.h"
#include "platform/StatusBar.h"
#include "tests/support/LoopbackSimulator.h"

namespace corvane::testing {

namespace {
const char* const kSection = "Settings";

}  // namespace

std::function<void(platform::CDialog&)> TypeAddressAndOk(const std::string& address) {
    return [address](platform::CDialog& dialog) {
        dialog.TypeIpAddress(1290, address);
        dialog.ClickButton(platform::IDOK);
    };
}

void CorvaneFixture::SetUp() {
    ASSERT_TRUE(m_temp.isValid());
    platform::Profile::SetRootForTests(m_temp.filePath("settings").toStdString());
    CCommandLink::SetTimeout(CCommandLink::kTimeout);
    CCommandLink::SetMaxReplyLine(CCommandLink::kMaxReplyLine);
}

void CorvaneFixture::TearDown() {
    m_app.reset();
    if (m_sim)
        m_sim->Stop();
    CCommandLink::SetTimeout(CCommandLink::kTimeout);
    CCommandLink::SetMaxReplyLine(CCommandLink::kMaxReplyLine);
}

void CorvaneFixture::StartSimulator(const std::vector<quarnsim::ModuleSpec>& modules,
                                    const std::function<void(quarnsim::Options&)>& adjust) {
    quarnsim::Options options;
    options.root = m_temp.filePath("instrument").toStdString();
    options.modules = modules;
    if (adjust)
        adjust(options);
    m_sim = testsupport::StartLoopbackSimulator(options, m_address);
    ASSERT_NE(m_sim, nullptr) << "no loopback address to bind the simulator on";
    WriteSetting("TargetHost", m_address);
}

void CorvaneFixture::WriteSetting(const std::string& key, const std::string& value) {
    platform::Profile("Harnoq", "Corvane").WriteString(kSection, key, value);
}

std::string CorvaneFixture::ReadSetting(const std::string& key) {
    return platform::Profile("Harnoq", "Corvane").GetString(kSection, key, "<none>");
}

void CorvaneFixture::ExpectDialog(int templateId, std::function<void(platform::CDialog&)> handler) {
    m_dialogs.Expect(templateId, std::move(handler));
}

bool CorvaneFixture::StartCorvane(std::function<void(platform::CDialog&)> ethernet) {
    if (!ethernet)
        ethernet = [](platform::CDialog& dialog) { dialog.ClickButton(platform::IDOK); };
    ExpectDialog(219, std::move(ethernet));
    m_app = std::make_unique<CCorvaneApp>();
    m_initResult = m_app->InitInstance();
    return m_initResult;
}

void CorvaneFixture::StartReady(const std::vector<quarnsim::ModuleSpec>& modules) {
    StartSimulator(modules);
    ASSERT_TRUE(StartCorvane());
    ASSERT_TRUE(MainWindowAlive());
    ASSERT_EQ(PaneText(), "Ready");
    TakeLines();
}

CMainFrame* CorvaneFixture::Frame() const {
    return m_app ? m_app->GetMainFrame() : nullptr;
}

bool CorvaneFixture::MainWindowAlive() const {
    return Frame() != nullptr && Frame()->IsWindow();
}

std::vector<std::string> CorvaneFixture::TakeLines() {
    std::vector<std::string> lines = m_sim->ReceivedLines();
    m_sim->ClearLog();
    return lines;
}

std::string CorvaneFixture::PaneText() const {
    return Frame()->m_wndStatusBar.GetPaneText(0);
}

std::vector<std::string> CorvaneFixture::SubmenuTexts(const std::string& title) const {
    std::vector<std::string> texts;
    platform::CMenu file = Frame()->GetMenu().GetSubMenu(0);
    for (int pos = 0; pos < file.GetMenuItemCount(); ++pos) {
        if (file.GetMenuString(pos) != title)
            continue;
        platform::CMenu sub = file.GetSubMenu(pos);
        for (int i = 0; i < sub.GetMenuItemCount(); ++i) texts.push_back(sub.GetMenuString(i));
    }
    return texts;
}

void CorvaneFixture::SaveScreenshot(QWidget* widget, const std::string& name) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    widget->grab().save(QString(QUARN_SCREENSHOT_DIR) + "/" + QString::fromStdString(name) +
                        ".png");
}

}  // namespace corvane::testing
