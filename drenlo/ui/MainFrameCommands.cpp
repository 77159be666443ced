// The main frame's menu and tool bar commands.
#include <QFileInfo>

#include "drenlo/app/DrenloApp.h"
#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/model/FileInfo.h"
#include "drenlo/model/FileType.h"
#include "drenlo/ui/AboutDlg.h"
#include "drenlo/ui/EthernetDlg.h"
#include "drenlo/ui/MainFrame.h"
#include "drenlo/ui/OptionsDlg.h"
#include "drenlo/ui/QuarnErrorDlg.h"
#include "drenlo/ui/QuarnFileDialog.h"
#include "drenlo/ui/UiListView.h"
#include "drenlo/ui/UiTreeView.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
void Stop(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}
void Inform(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONINFORMATION);
}
}  // namespace

void CMainFrame::RegisterCommands() {
    auto whenConnected = [this](platform::CCmdUI* ui) { ui->Enable(IsConnected()); };
    auto whenJobCanStart = [this](platform::CCmdUI* ui) { ui->Enable(CanStartJob()); };

    OnCommandId(ID_PC_TO_QUARN, [this] { OnPcToInstrument(); });
    OnUpdateCommand(ID_PC_TO_QUARN, whenJobCanStart);
    OnCommandId(ID_QUARN_TO_PC, [this] { OnInstrumentToPc(); });
    OnUpdateCommand(ID_QUARN_TO_PC, whenJobCanStart);
    OnCommandId(ID_NEW_FOLDER, [this] { OnNewFolder(); });
    OnUpdateCommand(ID_NEW_FOLDER, whenConnected);
    OnCommandId(ID_DELETE, [this] { OnDelete(); });
    OnUpdateCommand(ID_DELETE, whenConnected);
    OnCommandId(ID_RENAME, [this] { OnRename(); });
    OnUpdateCommand(ID_RENAME, whenConnected);
    OnCommandId(ID_REFRESH, [this] { OnRefresh(); });
    OnUpdateCommand(ID_REFRESH, whenConnected);
    OnCommandId(ID_CHECK_ERROR, [this] { OnCheckError(); });
    OnUpdateCommand(ID_CHECK_ERROR, whenConnected);
    OnCommandId(ID_UP_ONE_LEVEL, [this] { OnUpOneLevel(); });
    OnUpdateCommand(ID_UP_ONE_LEVEL, [this](platform::CCmdUI* ui) {
        const std::string folder = GetListFolder();
        ui->Enable(IsConnected() && !folder.empty() && folder != CUiListView::kRoot);
    });
    // A new address in the middle of a job would send the job's remaining files elsewhere.
    OnCommandId(ID_NETWORK, [this] { OnNetwork(); });
    OnUpdateCommand(ID_NETWORK, [this](platform::CCmdUI* ui) {
        ui->Enable(m_comm == nullptr || !m_comm->IsJobActive());
    });
    OnCommandId(ID_OPTIONS, [this] { OnOptions(); });
    OnCommandId(ID_EXPLORE, [this] { OnExplore(); });
    OnCommandId(ID_LOAD_TO_MEMORY, [this] { OnLoadToMemory(); });
    OnCommandId(ID_TREE_EXPLORER, [this] {
        if (m_treeView != nullptr && m_treeView->GetClickedItem() != nullptr)
            m_treeView->GetTreeCtrl().SelectItem(m_treeView->GetClickedItem());
    });
    OnCommandId(ID_TREE_RENAME, [this] {
        if (m_treeView != nullptr)
            m_treeView->RenameFolder(m_treeView->GetClickedItem());
    });
    OnCommandId(ID_TREE_DELETE, [this] {
        if (m_treeView != nullptr)
            m_treeView->DeleteFolder(m_treeView->GetClickedItem());
    });
    OnCommandId(platform::ID_APP_ABOUT, [this] { CAboutDlg(this).DoModal(); });

    const std::pair<int, int> modes[] = {{ID_VIEW_LARGE_ICONS, 0},
                                         {ID_VIEW_SMALL_ICONS, 2},
                                         {ID_VIEW_LIST, 3},
                                         {ID_VIEW_DETAILS, 1}};
    for (const auto& [id, mode] : modes) {
        const int m = mode;
        OnCommandId(id, [this, m] {
            if (m_listView != nullptr)
                m_listView->SetViewMode(m);
        });
        OnUpdateCommand(id, [this, m](platform::CCmdUI* ui) {
            ui->Enable(true);
            ui->SetCheck(m_listView != nullptr && m_listView->GetViewMode() == m ? 1 : 0);
        });
    }
    OnCommandId(ID_SORT_BY_NAME, [this] {
        if (m_listView != nullptr)
            m_listView->SortBy(1);
    });
    OnCommandId(ID_SORT_BY_SIZE, [this] {
        if (m_listView != nullptr)
            m_listView->SortBy(2);
    });
}

void CMainFrame::OnNetwork() {
    if (m_comm == nullptr || m_comm->IsJobActive())
        return;
    CQuarnComm* comm = m_comm;
    CEthernetDlg dialog(
        comm->GetTargetHost(),
        [comm](const std::string& host) {
            comm->Disconnect();
            comm->SetTargetHost(host);
            comm->Connect();
        },
        this);
    if (dialog.DoModal() != platform::IDOK || !comm->IsConnected())
        return;
    if (m_treeView != nullptr)
        m_treeView->FillRoot();
    comm->ReadIdentity();
}

void CMainFrame::OnPcToInstrument() {
    if (!CanStartJob())
        return;
    const std::string folder = GetListFolder();
    if (folder == CUiListView::kRoot) {
        Stop("Can not download to root directory.");
        return;
    }
    if (folder.empty())
        return;
    CQuarnFileDialog dialog(true, "PC to Quarn Download", this);
    dialog.SetFilterIndex(1);
    dialog.SetInitialPath(m_pcFolder);
    if (dialog.DoModal() != platform::IDOK || dialog.GetPathNames().empty())
        return;
    m_pcFolder = QFileInfo(QString::fromStdString(dialog.GetPathNames().front()))
                     .absolutePath()
                     .toStdString();
    m_comm->CheckDownload(dialog.GetPathNames(), folder);
}

void CMainFrame::OnInstrumentToPc() {
    if (!CanStartJob() || m_listView == nullptr)
        return;
    const std::string folder = GetListFolder();
    if (folder == CUiListView::kRoot) {
        Stop("Can not upload from root directory.");
        return;
    }
    std::vector<const CFileInfo*> items;
    const CFileInfo* item = nullptr;
    for (int index = m_listView->GetNextSelectedItem(-1, item); index >= 0;
         index = m_listView->GetNextSelectedItem(index, item))
        if (item != nullptr)
            items.push_back(item);
    if (items.empty()) {
        Inform("Please select a file to upload.");
        return;
    }
    for (const CFileInfo* chosen : items) {
        if (chosen->IsFolder()) {
            Inform("A folder cannot be transferred to PC.");
            return;
        }
    }
    CTransferQueue& queue = m_comm->GetUploadQueue();
    queue.ClearTransferQueue();
    queue.SetTransferTarget(folder);
    for (const CFileInfo* chosen : items) {
        // The instrument's name becomes a PC name only in a form that stays in the folder
        // the operator picks.
        const std::string pcName = PcNameFromListedName(chosen->GetName());
        if (pcName.empty()) {
            Stop("The name '" + chosen->GetName() + "' cannot be used as a PC file name.");
            queue.ClearTransferQueue();
            return;
        }
        CQuarnFileDialog dialog(false, "Quarn to PC Upload", this);
        dialog.SetFilterIndex(
            CQuarnFileDialog::FilterIndexOfType(CQuarnComm::FileTypeFromName(chosen->GetName())));
        dialog.SetInitialPath(m_pcFolder.empty() ? pcName : m_pcFolder + "/" + pcName);
        if (dialog.DoModal() != platform::IDOK || dialog.GetPathName().empty()) {
            queue.ClearTransferQueue();
            return;
        }
        m_pcFolder =
            QFileInfo(QString::fromStdString(dialog.GetPathName())).absolutePath().toStdString();
        queue.AddTransferItem(*chosen, dialog.GetPathName());
    }
    m_comm->StartUploadJob();
}

void CMainFrame::OnNewFolder() {
    if (!IsConnected() || m_listView == nullptr)
        return;
    SetActiveView(m_listView);
    m_listView->NewFolder();
}

void CMainFrame::OnDelete() {
    if (m_listView == nullptr || m_treeView == nullptr)
        return;
    int done = 0;
    if (GetActiveView() == m_treeView)
        done = m_treeView->DeleteFolder(m_treeView->GetTreeCtrl().GetSelectedItem());
    else
        done = m_listView->DeleteSelection();
    if (done == 1) {
        m_listView->ShowFolder(m_listView->GetFolder());
        m_treeView->RefreshSelected();
    }
}

void CMainFrame::OnRename() {
    if (m_listView == nullptr || m_treeView == nullptr)
        return;
    if (GetActiveView() == m_treeView) {
        m_treeView->RenameFolder(m_treeView->GetTreeCtrl().GetSelectedItem());
        return;
    }
    if (m_listView->GetFolder() == CUiListView::kRoot) {
        Stop(platform::LoadString(IDS_CANNOT_RENAME_FOLDER));
        return;
    }
    m_listView->RenameSelected();
}

void CMainFrame::OnRefresh() {
    // The list first: the tree takes the subfolders of the folder the list shows from the
    // list, so the other order would reload the tree from the old listing.
    if (m_listView != nullptr)
        m_listView->ShowFolder(m_listView->GetFolder());
    if (m_treeView != nullptr)
        m_treeView->RefreshSelected();
}

void CMainFrame::OnUpOneLevel() {
    if (m_treeView == nullptr)
        return;
    platform::CTreeCtrl& tree = m_treeView->GetTreeCtrl();
    platform::HTREEITEM selected = tree.GetSelectedItem();
    platform::HTREEITEM parent = selected != nullptr ? tree.GetParentItem(selected) : nullptr;
    if (parent != nullptr)
        tree.SelectItem(parent);
}

void CMainFrame::OnLoadToMemory() {
    const CFileInfo* file = nullptr;
    if (m_listView != nullptr) {
        const CFileInfo* item = nullptr;
        for (int index = m_listView->GetNextSelectedItem(-1, item); index >= 0;
             index = m_listView->GetNextSelectedItem(index, item))
            if (item != nullptr && !item->IsFolder()) {
                file = item;
                break;
            }
    }
    const int type = file != nullptr ? file->GetFileType() : 0;
    if (type != kFilePreset && type != kFileSequence && type != kFileLogo &&
        type != kFileDownload) {
        Stop("Please select a correct Quarn file.");
        return;
    }
    // The load names the file alone; the instrument finds it in its current folder, which
    // listings elsewhere may have moved since this folder was shown.
    const std::string folder = GetListFolder();
    if (!IsQuotableArgument(folder) || !m_comm->SendCommand("mmem:cdir \"" + folder + "\""))
        return;
    const std::string& name = file->GetName();
    switch (type) {
        case kFilePreset:
            m_comm->LoadPresetFile(name);
            break;
        case kFileSequence:
            m_comm->LoadSequenceFile(name);
            break;
        case kFileLogo:
            m_comm->LoadLogoFile(name);
            break;
        default:
            m_comm->LoadDownloadFile(name);
            break;
    }
}

void CMainFrame::OnCheckError() {
    CQuarnComm* comm = m_comm;
    CQuarnErrorDlg dialog(
        [comm](std::string& reply) {
            return comm != nullptr && comm->IsConnected() && comm->ReadNextError(reply) != 0;
        },
        this);
    dialog.DoModal();
}

void CMainFrame::OnOptions() {
    CDrenloApp* app = DrenloApp();
    COptionsDlg dialog(app != nullptr ? app->m_editorPath : std::string(), this);
    if (dialog.DoModal() == platform::IDOK && app != nullptr)
        app->m_editorPath = dialog.GetEditorPath();
}

void CMainFrame::OnExplore() {
    if (m_listView == nullptr || GetActiveView() != m_listView)
        return;
    m_listView->OpenItem(m_listView->GetListCtrl().GetNextItem(-1, platform::LVNI_SELECTED));
}

}  // namespace drenlo
