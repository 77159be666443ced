#include "utilities/common/UtilityApp.h"

#include <QApplication>

#include "platform/BlockingWait.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/RuntimeDirectory.h"
#include "platform/Socket.h"
#include "utilities/common/InstanceGuard.h"
#include "utilities/common/UtilityBeep.h"
#include "utilities/common/UtilityIcons.h"
#include "utilities/common/resources/CommonResource.h"

namespace utilities {

namespace {
CUtilityApp* g_app = nullptr;
}

CUtilityApp* UtilityApp() {
    return g_app;
}

CUtilityApp::CUtilityApp(UtilityTraits traits, MainDialogFactory makeDialog)
    : CWinApp(traits.name), m_traits(std::move(traits)), m_makeDialog(std::move(makeDialog)) {
    g_app = this;
}

CUtilityApp::~CUtilityApp() {
    if (g_app == this)
        g_app = nullptr;
}

bool CUtilityApp::InitInstance() {
    platform::SetApplicationTitle(m_traits.name);
    m_guard = std::make_unique<CInstanceGuard>(m_traits.LockName());
    const int acquired = m_guard->TryAcquire();
    if (acquired < 0) {
        m_noGuard = true;
        UtilityBeep(platform::MB_ICONHAND);
        platform::MessageBox(nullptr,
                             m_traits.name + " can not check for a running copy: \"" +
                                 m_guard->LockPath() + "\" can not be used as its lock file.",
                             "", platform::MB_OK | platform::MB_ICONSTOP);
        return false;
    }
    if (acquired == 0) {
        m_refused = true;
        UtilityBeep(platform::MB_ICONHAND);
        platform::MessageBox(nullptr, m_traits.RefusalText(), "",
                             platform::MB_OK | platform::MB_ICONSTOP);
        m_guard->AskHolderToRaise();
        return false;
    }
    if (!platform::AfxSocketInit()) {
        UtilityBeep(platform::MB_ICONHAND);
        platform::MessageBox(nullptr, kSocketsInitFailedText, "",
                             platform::MB_OK | platform::MB_ICONSTOP);
        return false;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        QApplication::setWindowIcon(UtilityIcon(m_traits));
    }
    SetRegistryKey(kCompany);
    ReadSettings();
    m_guard->SetRaiseHandler([this] { RaiseMainWindow(); });
    CreateOwnedObjects();
    if (m_makeDialog)
        m_dialog = m_makeDialog(*this);
    if (m_dialog) {
        m_pMainWnd = m_dialog.get();
        m_dialog->DoModal();
        m_pMainWnd = nullptr;
        m_dialog.reset();
    }
    return false;
}

int CUtilityApp::ExitInstance() {
    // A refused copy read nothing and must not overwrite what the running one keeps.
    if (HoldsInstanceGuard())
        WriteSettings();
    DeleteOwnedObjects();
    if (m_guard)
        m_guard->Release();
    return 0;
}

int CUtilityApp::Run() {
    InitInstance();
    ExitInstance();
    if (m_refused)
        return kExitRefused;
    return m_noGuard ? kExitNoGuard : kExitNormal;
}

void CUtilityApp::GetSettings(std::string& address, std::string& second) const {
    address = m_address;
    second = m_second;
}

void CUtilityApp::SetSettings(const std::string& address, const std::string& second) {
    m_address = address;
    m_second = second;
}

bool CUtilityApp::HoldsInstanceGuard() const {
    return m_guard && m_guard->IsHolder();
}

int CUtilityApp::RaiseRequests() const {
    return m_guard ? m_guard->RaiseRequests() : 0;
}

void CUtilityApp::RaiseMainWindow() {
    QWidget* widget = m_dialog ? m_dialog->GetWidget() : nullptr;
    if (widget == nullptr)
        return;
    widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void CUtilityApp::CreateOwnedObjects() {
    m_link = std::make_unique<CQuarnComm>();
}

void CUtilityApp::DeleteOwnedObjects() {
    m_link.reset();
}

void CUtilityApp::ReadSettings() {
    m_address = GetProfileString(kSection, m_traits.addressKey, m_traits.addressDefault);
    m_second = GetProfileString(kSection, m_traits.secondKey, m_traits.secondDefault);
}

void CUtilityApp::WriteSettings() {
    WriteProfileString(kSection, m_traits.addressKey, m_address);
    WriteProfileString(kSection, m_traits.secondKey, m_second);
}

int RunUtilityProgram(int argc, char* argv[],
                      const std::function<std::unique_ptr<CUtilityApp>()>& makeApp) {
    platform::EnsureRuntimeDirectory();
    QApplication application(argc, argv);
    platform::UseCNumericLocale();
    platform::InstallUiBlockingHook();
    std::unique_ptr<CUtilityApp> app = makeApp();
    return app->Run();
}

}  // namespace utilities
