#include "drenlo/ui/MainFrame.h"

#include <QMainWindow>
#include <QSplitter>

#include "drenlo/app/DrenloApp.h"
#include "drenlo/app/HolvikDoc.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/model/FileInfo.h"
#include "drenlo/model/FileType.h"
#include "drenlo/ui/CopyProgressDlg.h"
#include "drenlo/ui/FileConfirmDlg.h"
#include "drenlo/ui/SequenceFileDlg.h"
#include "drenlo/ui/ToolBarIcons.h"
#include "drenlo/ui/UiListView.h"
#include "drenlo/ui/UiTreeView.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "platform/WindowPlacement.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
constexpr int kDefaultWidth = 720;
constexpr int kDefaultHeight = 560;

platform::ToolBarTemplate MainToolBar() {
    platform::ToolBarTemplate bar{IDR_MAINFRAME, QSize(16, 15), {}};
    for (int id : {ID_PC_TO_QUARN, ID_QUARN_TO_PC, 0, ID_UP_ONE_LEVEL, 0, ID_VIEW_LARGE_ICONS,
                   ID_VIEW_SMALL_ICONS, ID_VIEW_LIST, ID_VIEW_DETAILS})
        bar.buttons.push_back({id, id == 0 ? QIcon() : ToolBarIcon(id)});
    return bar;
}
}  // namespace

CMainFrame::CMainFrame(CQuarnComm* comm, const platform::CCreateContext& context)
    : m_comm(comm), m_document(static_cast<CHolvikDoc*>(context.m_pCurrentDoc)) {
    RegisterCommands();
}

CMainFrame::~CMainFrame() {
    if (m_comm != nullptr && m_comm->GetHost() == this)
        m_comm->SetHost(nullptr);
}

int CMainFrame::OnCreate() {
    if (CFrameWnd::OnCreate() == -1)
        return -1;
    if (!m_wndToolBar->CreateEx(this, platform::TBSTYLE_FLAT,
                                platform::CBRS_TOP | platform::CBRS_GRIPPER |
                                    platform::CBRS_TOOLTIPS | platform::CBRS_FLYBY |
                                    platform::CBRS_SIZE_DYNAMIC) ||
        !m_wndToolBar->LoadToolBar(MainToolBar()))
        return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(
            {platform::ID_SEPARATOR, ID_INDICATOR_OBJECTS, ID_INDICATOR_SIZES}))
        return -1;
    m_wndStatusBar.SetPaneInfo(0, platform::ID_SEPARATOR, platform::SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneInfo(1, ID_INDICATOR_OBJECTS, platform::SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneInfo(2, ID_INDICATOR_SIZES, platform::SBPS_STRETCH, 0);
    m_wndToolBar->EnableDocking(platform::CBRS_ALIGN_ANY);
    if (!OnCreateClient())
        return -1;
    PlaceWindow();
    if (CDrenloApp* app = DrenloApp())
        m_pcFolder = app->GetLocalPath();
    if (m_comm != nullptr)
        m_comm->SetHost(this);
    ShowIdleMessage();
    return 0;
}

int CMainFrame::OnCreateClient() {
    CDrenloApp* app = DrenloApp();
    if (!m_wndSplitter.CreateStatic(this, 1, 2))
        return 0;
    auto tree = std::make_unique<CUiTreeView>();
    auto list = std::make_unique<CUiListView>();
    CUiTreeView* treeView = tree.get();
    CUiListView* listView = list.get();
    if (app != nullptr) {
        int mode, key, nameWidth, sizeWidth;
        app->GetListSettings(mode, key, nameWidth, sizeWidth);
        listView->SetListSettings(mode, key, nameWidth, sizeWidth);
    }
    treeView->SetComm(m_comm);
    treeView->SetListView(listView);
    listView->SetComm(m_comm);
    listView->SetTreeHooks(
        [treeView] { treeView->RefreshSelected(); },
        [treeView](const std::string& name) { treeView->SelectChildFolder(name); });
    const int treeWidth = app != nullptr ? app->GetTreeWidth() : 200;
    if (!m_wndSplitter.CreateView(0, 0, std::move(tree), QSize(treeWidth, 50), m_document))
        return 0;
    if (!m_wndSplitter.CreateView(0, 1, std::move(list), QSize(0, 0), m_document))
        return 0;
    m_treeView = treeView;
    m_listView = listView;
    if (m_document != nullptr) {
        m_document->m_treeView = treeView;
        m_document->m_listView = listView;
    }
    SetActiveView(listView);
    return 1;
}

void CMainFrame::PlaceWindow() {
    if (Window() == nullptr)
        return;
    int left = -1, top = -1, width = kDefaultWidth, height = kDefaultHeight;
    if (CDrenloApp* app = DrenloApp())
        app->GetFrameSettings(left, top, width, height);
    const QRect stored(left, top, width, height);
    // A rectangle from a monitor that has gone, or of no size, would leave the window out of
    // sight: the default size, centred, stands in.
    if ((left < 0 && top < 0) || !platform::RectFitsScreen(stored)) {
        if (width < 100 || height < 60 || !platform::RectFitsScreen(QRect(0, 0, width, height)))
            width = kDefaultWidth, height = kDefaultHeight;
        MoveWindow(0, 0, width, height);
        CenterWindow();
        return;
    }
    MoveWindow(left, top, width, height);
}

void CMainFrame::OnUpdateFrameTitle() {
    if (QMainWindow* window = Window())
        window->setWindowTitle(
            QString::fromStdString(platform::LoadString(platform::AFX_IDS_APP_TITLE)));
}

bool CMainFrame::OnClose() {
    // The worker reads the link's members and posts to the progress dialog: both must
    // outlive it.
    if (m_comm != nullptr && m_comm->IsJobActive())
        m_comm->AbortJobAndWait();
    return CFrameWnd::OnClose();
}

void CMainFrame::DestroyWindow() {
    if (IsWindow() && !m_settingsHandedBack) {
        m_settingsHandedBack = true;
        if (m_comm != nullptr && m_comm->IsJobActive())
            m_comm->AbortJobAndWait();
        if (CDrenloApp* app = DrenloApp()) {
            const QRect rect = platform::GetWindowRect(this);
            int treeWidth = 0, minimum = 0;
            m_wndSplitter.GetColumnInfo(0, treeWidth, minimum);
            app->SetFrameSettings(rect.left(), rect.top(), rect.width(), rect.height(), treeWidth);
            app->SetLocalPath(m_pcFolder);
            if (m_listView != nullptr) {
                int mode, key, nameWidth, sizeWidth;
                m_listView->DestroyWindow();
                m_listView->GetListSettings(mode, key, nameWidth, sizeWidth);
                app->SetListSettings(mode, key, nameWidth, sizeWidth);
            }
        }
        // The drop targets' filters live in the views' widgets, which go with the window.
        if (m_treeView != nullptr)
            m_treeView->GetDropTarget().Revoke();
        if (m_listView != nullptr)
            m_listView->GetDropTarget().Revoke();
        if (m_progressDlg && m_progressDlg->IsWindow())
            m_progressDlg->DestroyWindow();
        if (m_comm != nullptr && m_comm->GetHost() == this)
            m_comm->SetHost(nullptr);
        m_wndToolBar.reset();
    }
    CFrameWnd::DestroyWindow();
}

platform::LRESULT CMainFrame::WindowProc(platform::UINT message, platform::WPARAM wParam,
                                         platform::LPARAM lParam) {
    if (message == platform::WM_SETTINGCHANGE) {
        const platform::LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        OnSettingChange();
        return result;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::OnSettingChange() {
    if (m_listView != nullptr)
        m_listView->UpdateItemTexts();
}

bool CMainFrame::IsConnected() const {
    return m_comm != nullptr && m_comm->IsConnected();
}

bool CMainFrame::CanStartJob() const {
    return IsConnected() && !m_comm->IsJobActive();
}

bool CMainFrame::ListIsActive() const {
    return GetActiveView() == m_listView || GetActiveView() == nullptr;
}

// --- ICommHost ---------------------------------------------------------------------------

void CMainFrame::OnConnectFailed() {
    if (m_listView != nullptr)
        m_listView->GetListCtrl().DeleteAllItems();
    if (m_treeView != nullptr)
        m_treeView->ClearTree();
}

void CMainFrame::SetListStatusTexts(const std::string& objects, const std::string& sizes) {
    m_objectText = objects;
    m_sizeText = sizes;
    m_wndStatusBar.SetPaneText(1, objects);
    m_wndStatusBar.SetPaneText(2, sizes);
}

platform::CWnd* CMainFrame::GetListView() {
    return m_listView;
}

std::string CMainFrame::GetListFolder() {
    return m_listView != nullptr ? m_listView->GetFolder() : std::string();
}

int CMainFrame::ListHasItem(const std::string& listed) {
    if (m_listView == nullptr)
        return 0;
    const platform::CListCtrl& list = m_listView->GetListCtrl();
    for (int i = 0; i < list.GetItemCount(); ++i) {
        const auto* info = reinterpret_cast<const CFileInfo*>(list.GetItemData(i));
        if (info != nullptr && info->GetName() == listed)
            return 1;
    }
    return 0;
}

int CMainFrame::ConfirmFile(int fileType, const std::string& fileName) {
    std::unique_ptr<CFileConfirmDlg> dialog;
    switch (fileType) {
        case kFileDownload:
            dialog = std::make_unique<CDownloadFileDlg>(this);
            break;
        case kFileLogo:
            dialog = std::make_unique<CLogoFileDlg>(this);
            break;
        case kFileSequence: {
            CDrenloApp* app = DrenloApp();
            dialog =
                std::make_unique<CSequenceFileDlg>(app ? app->m_editorPath : std::string(), this);
            break;
        }
        case kFilePicture:
            dialog = std::make_unique<CPictureFileDlg>(this);
            break;
        case kFileSignal:
            dialog = std::make_unique<CSignalFileDlg>(this);
            break;
        default:
            dialog = std::make_unique<CPresetFileDlg>(this);
            break;
    }
    dialog->SetText(fileName);
    return dialog->DoModal();
}

ICopyProgress* CMainFrame::CreateProgressDialog() {
    if (m_progressDlg && m_progressDlg->IsWindow())
        m_progressDlg->DestroyWindow();
    CQuarnComm* comm = m_comm;
    m_progressDlg = std::make_unique<CCopyProgressDlg>([comm] {
        if (comm != nullptr)
            comm->CancelTransfer();
    });
    if (!m_progressDlg->Create(this)) {
        m_progressDlg.reset();
        return nullptr;
    }
    m_progressDlg->SetNotifyWindow(m_listView);
    return m_progressDlg.get();
}

}  // namespace drenlo
