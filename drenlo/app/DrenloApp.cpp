#include "drenlo/app/DrenloApp.h"

#include <QApplication>

#include "drenlo/app/HolvikDoc.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/ui/DrenloIcons.h"
#include "drenlo/ui/MainFrame.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Socket.h"
#include "platform/StringTable.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
const char* const kSection = "Settings";
const char* const kTargetHostEntry = "TargetHost";
const char* const kPrivateSettingEntry = "PrivateSetting";
const char* const kPathEntry = "Path";

}  // namespace

CDrenloApp* DrenloApp() {
    return dynamic_cast<CDrenloApp*>(platform::AfxGetApp());
}

CDrenloApp::CDrenloApp() : CWinApp("Drenlo") {
    RegisterDrenloStrings();
    platform::SetApplicationTitle(platform::LoadString(platform::AFX_IDS_APP_TITLE));
}

CDrenloApp::~CDrenloApp() {
    if (m_template)
        m_template->CloseAllDocuments();
    m_template.reset();
    m_pMainWnd = nullptr;
    m_comm.reset();
}

CMainFrame* CDrenloApp::GetMainFrame() const {
    return m_template ? dynamic_cast<CMainFrame*>(m_template->GetFrame()) : nullptr;
}

bool CDrenloApp::InitInstance() {
    if (!platform::AfxSocketInit()) {
        platform::AfxMessageBox(platform::LoadString(IDS_SOCKETS_INIT_FAILED),
                                platform::MB_ICONSTOP);
        return false;
    }
    QApplication::setWindowIcon(QIcon(DrenloIcon(IDI_ROOT, 32)));
    SetRegistryKey("Harnoq");
    LoadSettings();
    m_comm = std::make_unique<CQuarnComm>();
    m_comm->SetTargetHost(GetProfileString(kSection, kTargetHostEntry, kDefaultTargetHost));

    CQuarnComm* comm = m_comm.get();
    m_template = std::make_unique<platform::CSingleDocTemplate>(
        IDR_MAINFRAME, platform::LoadString(IDS_DOC_TEMPLATE),
        [] { return std::make_unique<CHolvikDoc>(); },
        [comm](platform::CCreateContext& context) -> std::unique_ptr<platform::CFrameWnd> {
            auto frame = std::make_unique<CMainFrame>(comm, context);
            if (!frame->LoadFrame(MainFrameMenu(),
                                  platform::LoadString(platform::AFX_IDS_APP_TITLE)))
                return nullptr;
            return frame;
        });
    if (m_template->OpenDocumentFile(std::string(), platform::SW_SHOW) == nullptr)
        return false;
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr)
        return false;
    m_pMainWnd = frame;
    frame->UpdateWindow();
    // No editor of our own: an empty path opens the file with the desktop's default
    // application (a terminal editor from $EDITOR would start where nobody sees it).
    m_editorPath.clear();
    frame->OnNetwork();
    return true;
}

int CDrenloApp::ExitInstance() {
    // The frame and the list hand their settings back as their windows go.
    if (m_comm)
        m_comm->AbortJobAndWait();
    if (m_template)
        m_template->CloseAllDocuments();
    m_pMainWnd = nullptr;
    SaveSettings();
    m_comm.reset();
    return CWinApp::ExitInstance();
}

int CDrenloApp::LoadSettings() {
    m_privateSetting.SetDefaults();
    m_privateSetting.Parse(GetProfileString(kSection, kPrivateSettingEntry, ""));
    m_localPath = GetProfileString(kSection, kPathEntry, platform::HomeDirectory());
    return 1;
}

void CDrenloApp::SaveSettings() {
    if (m_comm)
        WriteProfileString(kSection, kTargetHostEntry, m_comm->GetTargetHost());
    WriteProfileString(kSection, kPrivateSettingEntry, m_privateSetting.ToString());
    WriteProfileString(kSection, kPathEntry, m_localPath);
}

void CDrenloApp::GetFrameSettings(int& left, int& top, int& width, int& height) const {
    left = m_privateSetting.Get(CDrenloSettings::kLeft);
    top = m_privateSetting.Get(CDrenloSettings::kTop);
    width = m_privateSetting.Get(CDrenloSettings::kWidth);
    height = m_privateSetting.Get(CDrenloSettings::kHeight);
}

void CDrenloApp::SetFrameSettings(int left, int top, int width, int height, int treeWidth) {
    m_privateSetting.Set(CDrenloSettings::kLeft, left);
    m_privateSetting.Set(CDrenloSettings::kTop, top);
    m_privateSetting.Set(CDrenloSettings::kWidth, width);
    m_privateSetting.Set(CDrenloSettings::kHeight, height);
    m_privateSetting.Set(CDrenloSettings::kTreeWidth, treeWidth);
}

void CDrenloApp::GetListSettings(int& viewMode, int& sortKey, int& nameWidth,
                                 int& sizeWidth) const {
    viewMode = m_privateSetting.Get(CDrenloSettings::kViewMode);
    sortKey = m_privateSetting.Get(CDrenloSettings::kSortKey);
    nameWidth = m_privateSetting.Get(CDrenloSettings::kNameWidth);
    sizeWidth = m_privateSetting.Get(CDrenloSettings::kSizeWidth);
}

void CDrenloApp::SetListSettings(int viewMode, int sortKey, int nameWidth, int sizeWidth) {
    m_privateSetting.Set(CDrenloSettings::kViewMode, viewMode);
    m_privateSetting.Set(CDrenloSettings::kSortKey, sortKey);
    m_privateSetting.Set(CDrenloSettings::kNameWidth, nameWidth);
    m_privateSetting.Set(CDrenloSettings::kSizeWidth, sizeWidth);
}

}  // namespace drenlo
