#include "utilities/mirrak/MirrakApp.h"

#include "utilities/mirrak/DuplicationRunner.h"
#include "utilities/mirrak/FtpSession.h"
#include "utilities/mirrak/MirrakDlg.h"

namespace mirrak {

CMirrakApp::CMirrakApp()
    : CUtilityApp(utilities::UtilityTraits::Mirrak(), [](utilities::CUtilityApp& app) {
          return std::unique_ptr<platform::CDialog>(new CMirrakDlg(static_cast<CMirrakApp&>(app)));
      }) {}

CMirrakApp::~CMirrakApp() {
    DeleteOwnedObjects();
}

void CMirrakApp::CreateSessions() {
    if (!m_source)
        m_source = std::make_unique<CFtpSession>();
    if (!m_target)
        m_target = std::make_unique<CFtpSession>();
}

void CMirrakApp::DeleteSessions() {
    m_source.reset();
    m_target.reset();
}

void CMirrakApp::GetSessions(CFtpSession*& first, CFtpSession*& second) const {
    first = m_source.get();
    second = m_target.get();
}

void CMirrakApp::CreateLink() {
    if (!m_link) {
        m_link = std::make_unique<utilities::CQuarnComm>();
        m_link->SetDisconnectAlwaysSucceeds(true);
    }
}

void CMirrakApp::DeleteLink() {
    m_link.reset();
}

CDuplicationRunner& CMirrakApp::GetRunner() {
    if (!m_runner)
        m_runner = std::make_unique<CDuplicationRunner>();
    return *m_runner;
}

void CMirrakApp::CreateOwnedObjects() {
    GetRunner();
}

void CMirrakApp::DeleteOwnedObjects() {
    // The runner first: its worker is stopped and joined before anything else goes.
    m_runner.reset();
    DeleteSessions();
    DeleteLink();
}

}  // namespace mirrak
