// CMainFrame: Drenlo's single-document explorer window: the folder tree on the left and the
// folder's contents on the right in a static splitter, with the tool bar, the status bar and
// every menu command. It is the windows' side of the link (ICommHost): it shows the listing
// texts in the status bar, asks the per-type confirmation of a PC-to-instrument copy and
// makes the copy progress dialog.
//
// One copy job runs at a time: while one runs, Network and every command that starts a job
// are disabled, and closing the window (Exit or the close box) cancels the job and waits for
// its worker before anything is torn down. The timer handler acts on the link's reply timer
// (id 1) alone, so no other timer can cut a reply short.
#pragma once

#include <memory>
#include <string>

#include "drenlo/comm/CommHost.h"
#include "platform/FrameWnd.h"
#include "platform/SingleDocTemplate.h"
#include "platform/SplitterWnd.h"
#include "platform/StatusBar.h"
#include "platform/ToolBar.h"

namespace drenlo {

class CCopyProgressDlg;
class CHolvikDoc;
class CQuarnComm;
class CUiListView;
class CUiTreeView;

class CMainFrame : public platform::CFrameWnd, public ICommHost {
public:
    CMainFrame(CQuarnComm* comm, const platform::CCreateContext& context);
    ~CMainFrame() override;

    int OnCreate() override;
    bool OnClose() override;
    void DestroyWindow() override;
    platform::LRESULT WindowProc(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;
    void OnUpdateFrameTitle() override;

    CUiTreeView* TreeView() const { return m_treeView; }
    CUiListView* ListView() const { return m_listView; }
    CCopyProgressDlg* ProgressDialog() const { return m_progressDlg.get(); }

    // Commands.
    void OnNetwork();
    void OnPcToInstrument();
    void OnInstrumentToPc();
    void OnNewFolder();
    void OnDelete();
    void OnRename();
    void OnRefresh();
    void OnUpOneLevel();
    void OnLoadToMemory();
    void OnCheckError();
    void OnOptions();
    void OnExplore();
    // The operator's locale changed (WM_SETTINGCHANGE on Windows).
    void OnSettingChange();

    // ICommHost.
    void OnConnectFailed() override;
    void SetListStatusTexts(const std::string& objects, const std::string& sizes) override;
    platform::CWnd* GetListView() override;
    std::string GetListFolder() override;
    int ListHasItem(const std::string& listed) override;
    int ConfirmFile(int fileType, const std::string& fileName) override;
    ICopyProgress* CreateProgressDialog() override;

    platform::CSplitterWnd m_wndSplitter;
    // Destroyed before the window goes: the bar's idle timer lives in the window's widgets.
    std::unique_ptr<platform::CToolBar> m_wndToolBar = std::make_unique<platform::CToolBar>();
    platform::CStatusBar m_wndStatusBar;
    std::string m_pcFolder;
    std::string m_objectText;
    std::string m_sizeText;

private:
    int OnCreateClient();
    void PlaceWindow();
    void RegisterCommands();
    bool IsConnected() const;
    bool CanStartJob() const;
    bool ListIsActive() const;

    CQuarnComm* m_comm;
    CHolvikDoc* m_document;
    CUiTreeView* m_treeView = nullptr;
    CUiListView* m_listView = nullptr;
    std::unique_ptr<CCopyProgressDlg> m_progressDlg;
    bool m_settingsHandedBack = false;
};

}  // namespace drenlo
