#include "corvane/core/CorvaneApp.h"

#include <QApplication>
#include <QIcon>

#include "corvane/core/MainFrame.h"
#include "corvane/core/QuarnDoc.h"
#include "corvane/core/QuarnView.h"
#include "corvane/modules/ModelRegistry.h"
#include "platform/Dialog.h"
#include "platform/DocTemplate.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/Socket.h"
#include "platform/StringTable.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/QuarnForm.h"
#include "resources/corvane/Resource.h"

// The resources live in a static library; they are registered by hand, from the global
// namespace, as Qt requires.
static void InitCorvaneResources() {
    Q_INIT_RESOURCE(corvane);
}

namespace corvane {

namespace {
const char* const kSection = "Settings";
const char* const kTargetHostEntry = "TargetHost";
const char* const kPlacementEntry = "PrivateSetting";
}  // namespace

CCorvaneApp* CorvaneApp() {
    return static_cast<CCorvaneApp*>(platform::AfxGetApp());
}

CCorvaneApp::CCorvaneApp() : CWinApp("Corvane") {
    RegisterCorvaneStrings();
    RegisterQuarnFormStrings();
    RegisterModuleStrings();
    platform::SetApplicationTitle(platform::LoadString(platform::AFX_IDS_APP_TITLE));
    OnCommandId(platform::ID_APP_ABOUT, [this] { OnAppAbout(); });
}

CCorvaneApp::~CCorvaneApp() {
    // The documents go before the frame whose tables they clear.
    CloseAllDocuments();
    if (m_mainFrame)
        m_mainFrame->DestroyWindow();
    m_pMainWnd = nullptr;
}

CMainFrame* CCorvaneApp::GetMainFrame() const {
    return m_mainFrame.get();
}

bool CCorvaneApp::InitInstance() {
    if (!platform::AfxSocketInit()) {
        platform::AfxMessageBox(platform::LoadString(IDS_SOCKETS_INIT_FAILED),
                                platform::MB_ICONSTOP);
        return false;
    }
    InitCorvaneResources();
    QApplication::setWindowIcon(QIcon(ApplicationIconPath()));
    SetRegistryKey("Harnoq");
    LoadSettings();
    RegisterDocTemplates();

    m_mainFrame = std::make_unique<CMainFrame>();
    if (!m_mainFrame->LoadFrame(MainFrameMenu(),
                                platform::LoadString(platform::AFX_IDS_APP_TITLE))) {
        m_mainFrame.reset();
        return false;
    }
    m_pMainWnd = m_mainFrame.get();
    m_mainFrame->ShowWindow(true);
    m_mainFrame->UpdateWindow();

    platform::CWaitCursor wait;
    if (m_mainFrame->RunConnectSequence()) {
        m_mainFrame->BuildOpenModuleMenu();
        m_mainFrame->BuildPresetMenus();
        return true;
    }
    // The sequence has shown its message; without a main window the program ends.
    m_mainFrame->ShowWindow(false);
    m_mainFrame->DestroyWindow();
    return true;
}

int CCorvaneApp::ExitInstance() {
    WriteProfileString(kSection, kTargetHostEntry, m_targetHost);
    return CWinApp::ExitInstance();
}

void CCorvaneApp::LoadSettings() {
    m_targetHost = GetProfileString(kSection, kTargetHostEntry, kDefaultTargetHost);
    m_windowX = -1;
    m_windowY = -1;
    m_windowWidth = 720;
    m_windowHeight = 560;
    const std::string placement = GetProfileString(kSection, kPlacementEntry, "");
    int values[4] = {m_windowX, m_windowY, m_windowWidth, m_windowHeight};
    platform::ScanInts(placement.c_str(), ", ", values, 4);
    m_windowX = values[0];
    m_windowY = values[1];
    // A damaged setting must not give a window of no size; the defaults stand in.
    m_windowWidth = values[2] > 0 ? values[2] : 720;
    m_windowHeight = values[3] > 0 ? values[3] : 560;
}

void CCorvaneApp::RegisterDocTemplates() {
    // The mainframe first, then the models in catalogue order; the document names (the
    // template string's second field) equal the catalogue's model names. Models whose editor
    // window is not there yet open nothing.
    AddDocTemplate(std::make_unique<platform::CMultiDocTemplate>(
        IDR_QUARNTYPE, platform::LoadString(IDR_QUARNTYPE),
        [] { return std::make_unique<CQuarnDoc>(); },
        [] { return std::make_unique<CQuarnView>(); }));
    for (const ModelEntry& model : ModelRegistry())
        AddDocTemplate(std::make_unique<platform::CMultiDocTemplate>(
            model.docTemplateId, platform::LoadString(model.docTemplateId), model.makeDocument,
            model.makeView));
}

void CCorvaneApp::SetTargetHost(const std::string& host) {
    m_targetHost = host;
    WriteProfileString(kSection, kTargetHostEntry, host);
}

void CCorvaneApp::GetFramePlacement(int& x, int& y, int& width, int& height) const {
    x = m_windowX;
    y = m_windowY;
    width = m_windowWidth;
    height = m_windowHeight;
}

void CCorvaneApp::SetFramePlacement(int x, int y, int width, int height) {
    m_windowX = x;
    m_windowY = y;
    m_windowWidth = width;
    m_windowHeight = height;
    WriteProfileString(kSection, kPlacementEntry,
                       platform::Format("%d, %d, %d, %d", x, y, width, height));
}

void CCorvaneApp::OnAppAbout() {
    platform::CDialog about(AboutDialogTemplate(), m_pMainWnd);
    about.DoModal();
}

}  // namespace corvane
