#include "platform/WinApp.h"

#include <QApplication>

#include "platform/Wnd.h"

namespace platform {

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}
CWnd* AfxGetMainWnd() {
    return g_app == nullptr ? nullptr : g_app->m_pMainWnd;
}

CWinApp::CWinApp(std::string appName) : m_appName(std::move(appName)) {
    g_app = this;
}

CWinApp::~CWinApp() {
    // Documents first: their destructors may still reach the main window.
    CloseAllDocuments();
    m_templates.clear();
    if (g_app == this)
        g_app = nullptr;
}

bool CWinApp::InitInstance() {
    return true;
}
int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::RunProgram() {
    QApplication::setQuitOnLastWindowClosed(false);
    if (!InitInstance()) {
        ExitInstance();
        return 1;
    }
    int status = 0;
    if (m_pMainWnd != nullptr && m_pMainWnd->IsWindow())
        status = QApplication::exec();
    int exitStatus = ExitInstance();
    return status != 0 ? status : exitStatus;
}

void CWinApp::SetRegistryKey(const std::string& company) {
    m_profile = std::make_unique<Profile>(company, m_appName);
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue) const {
    return m_profile ? m_profile->GetString(section, entry, defaultValue) : defaultValue;
}

bool CWinApp::WriteProfileString(const std::string& section, const std::string& entry,
                                 const std::string& value) {
    return m_profile && m_profile->WriteString(section, entry, value);
}

int CWinApp::GetProfileInt(const std::string& section, const std::string& entry,
                           int defaultValue) const {
    return m_profile ? m_profile->GetInt(section, entry, defaultValue) : defaultValue;
}

bool CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) {
    return m_profile && m_profile->WriteInt(section, entry, value);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate) {
    m_templates.push_back(std::move(docTemplate));
}

bool CWinApp::SaveAllModified() {
    for (auto& t : m_templates)
        if (!t->SaveAllModified())
            return false;
    return true;
}

void CWinApp::CloseAllDocuments() {
    for (auto& t : m_templates) t->CloseAllDocuments();
}

void CWinApp::OnMainWindowDestroyed() {
    // Destroying the main window ends the program's event loop.
    QCoreApplication::quit();
}

}  // namespace platform
