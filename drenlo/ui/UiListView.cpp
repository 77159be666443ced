#include "drenlo/ui/UiListView.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QThread>
#include <cstring>

#include "drenlo/comm/ErrorBox.h"
#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/model/FileInfo.h"
#include "drenlo/model/FileType.h"
#include "drenlo/transfer/TransferEvents.h"
#include "drenlo/ui/DrenloIcons.h"
#include "platform/CatalogItem.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/WaitCursor.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

using platform::LPARAM;
using platform::WPARAM;

namespace {
constexpr int kIconIds[] = {IDI_FOLDER, IDI_FILE_OTHER, IDI_PRESET,  IDI_DOWNLOAD,
                            IDI_LOGO,   IDI_SEQUENCE,   IDI_PICTURE, IDI_SIGNAL};
constexpr const char* kNewFolder = "New Folder";
constexpr int kLastNewFolderNumber = 255;

void Stop(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

// The context menus are tracked here and their command goes to the main window, as the
// frame's own menu commands do.
void AddMenuItems(QMenu& menu, const std::vector<platform::MenuItemTemplate>& items) {
    for (const platform::MenuItemTemplate& item : items) {
        if (!item.items.empty()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item.text));
            AddMenuItems(*sub, item.items);
        } else if (item.id == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(QString::fromStdString(item.text))->setData(item.id);
        }
    }
}

void SleepOnUiThread(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

int CompareUpper(const std::string& a, const std::string& b) {
    const int r = std::strcmp(a.c_str(), b.c_str());  // strcmp compares as unsigned char
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}
}  // namespace

CUiListView::CUiListView() : CListView(platform::LVS_ICON | platform::LVS_SHOWSELALWAYS) {
    OnMessage(WM_TRANSFER_DONE, [this](WPARAM changed, LPARAM) {
        OnTransferDone(changed);
        return 0;
    });
    OnMessage(WM_DOWNLOAD_NEXT, [this](WPARAM w, LPARAM) {
        if (m_comm)
            m_comm->DownloadNext(w);
        return 0;
    });
    OnMessage(WM_DOWNLOAD_DONE, [this](WPARAM w, LPARAM) {
        if (!m_comm)
            return 0;
        m_comm->OnWorkerDone();
        SleepOnUiThread(500);
        m_comm->Pause();
        PostMessage(WM_DOWNLOAD_NEXT, w);
        return 0;
    });
    OnMessage(WM_UPLOAD_NEXT, [this](WPARAM, LPARAM) {
        if (m_comm)
            m_comm->UploadNext();
        return 0;
    });
    OnMessage(WM_UPLOAD_DONE, [this](WPARAM, LPARAM) {
        if (!m_comm)
            return 0;
        m_comm->OnWorkerDone();
        SleepOnUiThread(100);
        PostMessage(WM_UPLOAD_NEXT);
        return 0;
    });
}

CUiListView::~CUiListView() {
    // The items own their CFileInfo; deleting them hands each back through LVN_DELETEITEM.
    if (GetListCtrl().IsWindow())
        GetListCtrl().DeleteAllItems();
}

void CUiListView::SetTreeHooks(std::function<void()> refreshSelected,
                               std::function<void(const std::string&)> selectChildFolder) {
    m_refreshTree = std::move(refreshSelected);
    m_selectChildFolder = std::move(selectChildFolder);
}

void CUiListView::SetListSettings(int viewMode, int sortKey, int nameWidth, int sizeWidth) {
    m_viewMode = (viewMode >= 0 && viewMode <= 3) ? viewMode : 0;
    m_sortKey = (sortKey == 1 || sortKey == -1 || sortKey == 2 || sortKey == -2) ? sortKey : 1;
    m_columnWidth[0] = nameWidth > 0 ? nameWidth : 200;
    m_columnWidth[1] = sizeWidth > 0 ? sizeWidth : 110;
}

void CUiListView::GetListSettings(int& viewMode, int& sortKey, int& nameWidth,
                                  int& sizeWidth) const {
    viewMode = m_viewMode;
    sortKey = m_sortKey;
    nameWidth = m_columnWidth[0];
    sizeWidth = m_columnWidth[1];
}

int CUiListView::OnCreate() {
    platform::CListCtrl& list = GetListCtrl();
    list.ModifyStyle(platform::LVS_TYPEMASK,
                     static_cast<unsigned>(m_viewMode) | platform::LVS_EDITLABELS);
    m_largeImages.Create(32, 32, platform::ILC_MASK, 1, 4);
    m_smallImages.Create(16, 16, platform::ILC_MASK, 1, 4);
    for (int id : kIconIds) {
        m_largeImages.Add(DrenloIcon(id, 32));
        m_smallImages.Add(DrenloIcon(id, 16));
    }
    list.SetImageList(&m_largeImages, platform::LVSIL_NORMAL);
    list.SetImageList(&m_smallImages, platform::LVSIL_SMALL);
    list.InsertColumn(0, "Name", platform::LVCFMT_LEFT, m_columnWidth[0]);
    list.InsertColumn(1, "Size", platform::LVCFMT_RIGHT, m_columnWidth[1]);
    m_dropTarget.Register(&list, list.ActiveViewport());
    m_dropTarget.SetDragOverHandler(
        [this](const platform::DropData& data, QPoint point) { return OnDragOver(data, point); });
    m_dropTarget.SetDragLeaveHandler([this] { SetDropItem(-1); });
    m_dropTarget.SetDropHandler([this](const platform::DropData& data, unsigned effect,
                                       QPoint point) { return OnDrop(data, effect, point); });
    SortNow();
    return 0;
}

void CUiListView::DestroyWindow() {
    ReadColumnWidths();
    m_dropTarget.Revoke();
    if (GetListCtrl().IsWindow())
        GetListCtrl().DeleteAllItems();
    CListView::DestroyWindow();
}

void CUiListView::ReadColumnWidths() {
    if (m_viewMode != 1 || !GetListCtrl().IsWindow())
        return;
    m_columnWidth[0] = GetListCtrl().GetColumnWidth(0);
    m_columnWidth[1] = GetListCtrl().GetColumnWidth(1);
}

const CFileInfo* CUiListView::ItemInfo(int index) const {
    if (index < 0 || index >= GetListCtrl().GetItemCount())
        return nullptr;
    return reinterpret_cast<const CFileInfo*>(GetListCtrl().GetItemData(index));
}

int CUiListView::ImageOf(const CFileInfo& info) {
    if (info.IsFolder())
        return 0;
    switch (info.GetFileType()) {
        case kFilePreset:
            return 2;
        case kFileDownload:
            return 3;
        case kFileLogo:
            return 4;
        case kFileSequence:
            return 5;
        case kFilePicture:
            return 6;
        case kFileSignal:
            return 7;
        default:
            return 1;
    }
}

int CUiListView::AppendItem(const CFileInfo& info) {
    platform::CListCtrl& list = GetListCtrl();
    auto copy = std::make_unique<CFileInfo>(info);
    platform::LVITEM item;
    item.mask = platform::LVIF_TEXT | platform::LVIF_IMAGE | platform::LVIF_PARAM;
    item.iItem = list.GetItemCount();
    // The operator reads the name the instrument means; the item data keeps the listed form
    // that goes back into commands.
    const std::string text = platform::UnescapeInstrumentName(copy->GetName());
    item.pszText = text.c_str();
    item.iImage = ImageOf(info);
    item.lParam = reinterpret_cast<LPARAM>(copy.get());
    const int index = list.InsertItem(item);
    if (index < 0)
        return -1;
    CFileInfo* owned = copy.release();
    if (!owned->IsFolder()) {
        std::string size;
        owned->GetSizeText(size);
        list.SetItemText(index, 1, size);
    }
    return index;
}

void CUiListView::ShowFolder(const std::string& folder) {
    platform::CWaitCursor wait;
    platform::CListCtrl& list = GetListCtrl();
    // An open edit belongs to the folder being left; ending it first keeps a new folder from
    // being made in the folder shown next.
    if (list.IsEditingLabel()) {
        m_newFolderPending = 0;
        list.CancelEditLabel();
    }
    m_newFolderPending = 0;
    SetDropItem(-1);
    m_folder = folder;
    list.SetRedraw(false);
    list.DeleteAllItems();
    if (m_comm != nullptr) {
        CFileInfo entry;
        if (m_comm->ReadDirectory(folder, entry)) {
            do {
                AppendItem(entry);
            } while (m_comm->ParseCatalogEntries(entry));
        }
        m_comm->ClearCatalogReply();
    }
    SortNow();
    list.SetRedraw(true);
    if (m_comm != nullptr)
        m_comm->ShowListStatus();
}

int CUiListView::CompareItems(const CFileInfo& item1, const CFileInfo& item2, int key) {
    int result;
    if (item1.IsFolder() != item2.IsFolder()) {
        result = item1.IsFolder() ? -1 : 1;
    } else if (!item1.IsFolder() && (key == 2 || key == -2) && item1.GetSize() != item2.GetSize()) {
        result = item1.GetSize() < item2.GetSize() ? -1 : 1;
    } else {
        result = CompareUpper(item1.GetUpperName(), item2.GetUpperName());
    }
    return key < 0 ? -result : result;
}

void CUiListView::SortNow() {
    const int key = m_sortKey;
    GetListCtrl().SortItems([key](LPARAM a, LPARAM b) {
        return CompareItems(*reinterpret_cast<const CFileInfo*>(a),
                            *reinterpret_cast<const CFileInfo*>(b), key);
    });
}

void CUiListView::SortBy(int key) {
    const int current = m_sortKey < 0 ? -m_sortKey : m_sortKey;
    m_sortKey = (key == current) ? -m_sortKey : key;
    SortNow();
}

void CUiListView::SetViewMode(int mode) {
    if (mode < 0 || mode > 3)
        return;
    ReadColumnWidths();
    GetListCtrl().ModifyStyle(platform::LVS_TYPEMASK,
                              static_cast<unsigned>(mode) | platform::LVS_EDITLABELS);
    m_viewMode = mode;
    // Each mode shows the items in a view of its own: drops must reach the one now showing.
    m_dropTarget.Revoke();
    m_dropTarget.Register(&GetListCtrl(), GetListCtrl().ActiveViewport());
}

int CUiListView::GetSelectedName(int start, std::string& name, int filesOnly) const {
    const int index = GetListCtrl().GetNextItem(start, platform::LVNI_SELECTED);
    const CFileInfo* info = ItemInfo(index);
    if (info == nullptr)
        return -1;
    if (filesOnly && info->IsFolder())
        return -1;
    name = info->GetName();
    return index;
}

int CUiListView::IsFirstSelectedFolder() const {
    const CFileInfo* info = ItemInfo(GetListCtrl().GetNextItem(-1, platform::LVNI_SELECTED));
    return info != nullptr && info->IsFolder() ? 1 : 0;
}

const std::string* CUiListView::NextFolderItemName(int& index) const {
    for (int i = index + 1; i < GetListCtrl().GetItemCount(); ++i) {
        const CFileInfo* info = ItemInfo(i);
        if (info != nullptr && info->IsFolder()) {
            index = i;
            return &info->GetName();
        }
    }
    index = -1;
    return nullptr;
}

int CUiListView::GetNextSelectedItem(int start, const CFileInfo*& item) const {
    const int index = GetListCtrl().GetNextItem(start, platform::LVNI_SELECTED);
    item = ItemInfo(index);
    return item != nullptr ? index : -1;
}

std::string CUiListView::ChildPath(const std::string& name) const {
    return m_folder == kRoot ? m_folder + name : m_folder + "/" + name;
}

int CUiListView::DeleteSelection() {
    platform::CWaitCursor wait;
    if (m_folder == kRoot) {
        Stop("Cannot remove this folder.");
        return 0;
    }
    if (m_comm == nullptr)
        return 0;
    const std::string base = m_folder + "/";
    std::string name;
    const int first = GetSelectedName(-1, name, 0);
    if (first < 0)
        return 0;
    if (IsFirstSelectedFolder()) {
        const int empty = m_comm->IsDirectoryEmpty(base + name);
        if (empty == CQuarnComm::kFolderUnknown)
            return 0;  // nothing is sent on a failed read
        if (empty == CQuarnComm::kFolderNotEmpty) {
            const std::string question = "Are you sure you want to remove ALL files under '" +
                                         platform::UnescapeInstrumentName(name) + "' ?";
            if (platform::MessageBox(this, question, "Confirm Folder Delete",
                                     platform::MB_OKCANCEL | platform::MB_ICONQUESTION) !=
                platform::IDOK)
                return 0;
            if (m_comm->DeleteAll(base + name) == 1) {
                RefreshFolder();
                if (m_refreshTree)
                    m_refreshTree();
            }
            return 1;
        }
    }
    const int count = GetListCtrl().GetSelectedCount();
    std::string question, caption;
    if (count >= 2) {
        question = platform::Format("Are you sure you want to remove these %u files ?",
                                    static_cast<unsigned>(count));
        caption = "Confirm Multiple File Delete";
    } else {
        question = "Are you sure you want to remove the file '" +
                   platform::UnescapeInstrumentName(name) + "' ?";
        caption = "Confirm File Delete";
    }
    if (platform::MessageBox(this, question, caption,
                             platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
        return 0;
    wait.Restore();
    int deleted = 0;
    for (int index = first; index >= 0; index = GetSelectedName(index, name, 0)) {
        if (m_comm->DeleteRemoteFile(base + name) != 1)
            break;
        ++deleted;
    }
    if (deleted > 0) {
        RefreshFolder();
        if (m_refreshTree)
            m_refreshTree();
    }
    return 1;
}

void CUiListView::NewFolder() {
    if (m_folder == kRoot) {
        Stop("Cannot create a new folder in this place.");
        return;
    }
    platform::CListCtrl& list = GetListCtrl();
    std::string name = kNewFolder;
    for (int n = 2; list.FindItem(name) >= 0; ++n) {
        if (n > kLastNewFolderNumber) {
            Stop("Cannot create more folders.");
            return;
        }
        name = platform::Format("%s(%d)", kNewFolder, n);
    }
    std::string listed;
    ListedNameFromPcName(name, listed);
    const int index = AppendItem(CFileInfo(listed, 0, FileTime{CFileInfo::LocalNow()}, 1));
    if (index < 0)
        return;
    m_newFolderPending = 1;
    list.EnsureVisible(index);
    if (!list.EditLabel(index))
        m_newFolderPending = 0;
}

void CUiListView::RenameSelected() {
    if (m_folder == kRoot) {
        Stop(platform::LoadString(IDS_CANNOT_RENAME_FOLDER));
        return;
    }
    const int index = GetListCtrl().GetNextItem(-1, platform::LVNI_SELECTED);
    if (index < 0)
        return;
    m_newFolderPending = 0;
    GetListCtrl().EditLabel(index);
}

bool CUiListView::IsAcceptableTypedName(const std::string& name) {
    if (!IsTransportableName(name) || name == "." || name == "..")
        return false;
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos;
}

void CUiListView::OnEndLabelEdit(platform::NMLVDISPINFO* info) {
    const int pending = m_newFolderPending;
    m_newFolderPending = 0;
    const int index = info->item.iItem;
    const CFileInfo* item = ItemInfo(index);
    if (item == nullptr)
        return;
    platform::CListCtrl& list = GetListCtrl();
    const bool hasText = info->item.pszText != nullptr;
    const std::string text = hasText ? info->item.pszText : std::string();
    if (hasText) {
        const int other = list.FindItem(text);
        if (other >= 0) {
            platform::MessageBeep(platform::MB_ICONSTOP);
            Stop(
                "A file with the name you specified already exists.\n\nSpecify a different "
                "filename.");
            m_newFolderPending = pending;
            list.EditLabel(index);
            return;
        }
        if (!IsAcceptableTypedName(text)) {
            Stop("The name '" + text +
                 "' cannot be used on the Quarn.\n\nA name must not be empty, \".\" or \"..\", "
                 "and must not hold '\"', ',', ';', '/', '\\', control characters or characters "
                 "beyond ASCII.");
            m_newFolderPending = pending;
            list.EditLabel(index);
            return;
        }
    }
    std::string listed;
    if (hasText)
        ListedNameFromPcName(text, listed);
    if (item->IsFolder() && pending == 1) {
        // A cancelled edit still makes the folder, under the name it was offered with.
        const std::string name = hasText ? listed : item->GetName();
        const int made = m_comm != nullptr ? m_comm->MakeDirectory(ChildPath(name)) : 0;
        if (made == 1 && m_refreshTree)
            m_refreshTree();
        RefreshFolder();
        return;
    }
    if (!hasText || m_comm == nullptr)
        return;
    if (m_comm->MoveRemoteFile(ChildPath(item->GetName()), ChildPath(listed)) != 1)
        return;
    RefreshFolder();
    if (m_refreshTree)
        m_refreshTree();
}

void CUiListView::OpenItem(int index) {
    const CFileInfo* info = ItemInfo(index);
    if (info != nullptr && info->IsFolder() && m_selectChildFolder)
        m_selectChildFolder(info->GetName());
}

void CUiListView::UpdateItemTexts() {
    platform::CListCtrl& list = GetListCtrl();
    for (int i = 0; i < list.GetItemCount(); ++i) {
        const CFileInfo* info = ItemInfo(i);
        if (info == nullptr || info->IsFolder())
            continue;
        std::string size;
        info->GetSizeText(size);
        list.SetItemText(i, 1, size);
    }
}

bool CUiListView::IsInstrumentDropText(const std::string& text) {
    return text.rfind(kRoot, 0) == 0;
}

bool CUiListView::IsInstrumentPathText(const std::string& text) {
    if (!IsInstrumentDropText(text) || !IsQuotableArgument(text))
        return false;
    // Each part goes into "mmem:copy"/"mmem:move" and must come back in a listing: a comma, a
    // control character or a byte beyond ASCII would split or garble the command or the
    // listing, so such a path is never sent.
    size_t start = std::strlen(kRoot);
    if (start >= text.size())
        return false;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (!IsTransportableName(part) || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

bool CUiListView::AcceptDroppedPathText(const std::string& text) {
    if (IsInstrumentPathText(text))
        return true;
    ShowErrorBox(
        "The dropped text does not name a file the Quarn can copy.\n\nA name must not be "
        "empty, \".\" or \"..\", and must not hold '\"', ',', ';', control characters or "
        "characters beyond ASCII.");
    return false;
}

void CUiListView::CopyOrMoveOnInstrument(const std::string& source, const std::string& target,
                                         unsigned effect) {
    if (m_comm == nullptr || !IsInstrumentPathText(source) || !IsQuotableArgument(target))
        return;
    const std::string name = source.substr(source.rfind('/') + 1);
    const std::string destination =
        (!target.empty() && target.back() == '/') ? target + name : target + "/" + name;
    if (effect == platform::DROPEFFECT_COPY) {
        m_comm->CopyRemoteFile(source, destination);
    } else if (effect == platform::DROPEFFECT_MOVE) {
        m_comm->MoveRemoteFile(source, destination);
        RefreshFolder();
    }
}

bool CUiListView::CanStartJob() const {
    return m_comm != nullptr && m_comm->IsConnected() && !m_comm->IsJobActive();
}

void CUiListView::SetDropItem(int item) {
    platform::CListCtrl& list = GetListCtrl();
    if (m_dropItem == item)
        return;
    if (m_dropItem >= 0)
        list.SetItemState(m_dropItem, 0, platform::LVIS_DROPHILITED);
    m_dropItem = item;
    if (item >= 0)
        list.SetItemState(item, platform::LVIS_DROPHILITED, platform::LVIS_DROPHILITED);
}

unsigned CUiListView::OnDragOver(const platform::DropData& data, QPoint point) {
    if (!CanStartJob() || data.kind == platform::DropKind::None ||
        (data.kind == platform::DropKind::Text && !IsInstrumentDropText(data.text))) {
        SetDropItem(-1);
        return platform::DROPEFFECT_NONE;
    }
    const int item = GetListCtrl().HitTest(point);
    const CFileInfo* info = ItemInfo(item);
    if (info != nullptr && info->IsFolder()) {
        SetDropItem(item);
        return platform::DROPEFFECT_COPY;
    }
    SetDropItem(-1);
    if (item < 0 && !m_folder.empty() && m_folder != kRoot)
        return platform::DROPEFFECT_COPY;
    return platform::DROPEFFECT_NONE;
}

bool CUiListView::OnDrop(const platform::DropData& data, unsigned effect, QPoint point) {
    if (OnDragOver(data, point) == platform::DROPEFFECT_NONE)
        return false;
    SetForegroundWindow();
    const CFileInfo* info = ItemInfo(m_dropItem);
    const std::string target = info != nullptr ? ChildPath(info->GetName()) : m_folder;
    SetDropItem(-1);
    if (data.kind == platform::DropKind::Text && !AcceptDroppedPathText(data.text))
        return false;
    if (data.kind == platform::DropKind::Files)
        m_comm->CheckDownload(data.files, target);
    else
        CopyOrMoveOnInstrument(data.text, target, effect);
    return true;
}

void CUiListView::ShowContextMenu(int item) {
    if (m_comm == nullptr || !m_comm->IsConnected())
        return;
    const CFileInfo* info = ItemInfo(item);
    const int menuId = info == nullptr    ? IDR_LIST_BACKGROUND_MENU
                       : info->IsFolder() ? IDR_LIST_FOLDER_MENU
                                          : IDR_LIST_FILE_MENU;
    QWidget* owner = GetWidget() ? GetWidget()->window() : nullptr;
    QMenu menu(owner);
    AddMenuItems(menu, ContextMenu(menuId).items.front().items);
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == nullptr)
        return;
    if (platform::CWnd* frame = platform::CWnd::FromWidget(owner))
        frame->SendMessage(platform::WM_COMMAND, platform::MakeWParam(chosen->data().toInt(), 0));
}

void CUiListView::OnTransferDone(WPARAM changed) {
    if (m_comm == nullptr)
        return;
    m_comm->Disconnect();
    if (changed == 1) {
        platform::CWaitCursor wait;
        GetListCtrl().DeleteAllItems();
        GetListCtrl().UpdateWindow();
        SleepOnUiThread(500);
    }
    m_comm->Connect();
    if (changed == 1)
        ShowFolder(m_folder);
}

platform::BOOL CUiListView::OnNotify(int code, void* record, platform::LRESULT* result) {
    *result = 0;
    switch (code) {
        case platform::LVN_COLUMNCLICK:
            SortBy(static_cast<platform::NMLISTVIEW*>(record)->iSubItem + 1);
            return platform::TRUE;
        case platform::LVN_BEGINLABELEDIT: {
            auto* info = static_cast<platform::NMLVDISPINFO*>(record);
            *result = (m_folder == kRoot || ItemInfo(info->item.iItem) == nullptr) ? 1 : 0;
            return platform::TRUE;
        }
        case platform::LVN_ENDLABELEDIT:
            OnEndLabelEdit(static_cast<platform::NMLVDISPINFO*>(record));
            return platform::TRUE;
        case platform::LVN_DELETEITEM:
            delete reinterpret_cast<CFileInfo*>(static_cast<platform::NMLISTVIEW*>(record)->lParam);
            return platform::TRUE;
        case platform::NM_DBLCLK:
            OpenItem(static_cast<platform::NMITEMACTIVATE*>(record)->iItem);
            return platform::TRUE;
        case platform::NM_RCLICK:
            ShowContextMenu(static_cast<platform::NMITEMACTIVATE*>(record)->iItem);
            return platform::TRUE;
        case platform::LVN_KEYDOWN: {
            const unsigned key = static_cast<platform::NMLVKEYDOWN*>(record)->wVKey;
            // The same rule as the Delete command's enable state: with the link closed (a
            // job runs, or a time-out dropped it) nothing could be sent after the question.
            if (key == platform::VK_DELETE && CanStartJob())
                DeleteSelection();
            if (key == platform::VK_RETURN)
                OpenItem(GetListCtrl().GetNextItem(-1, platform::LVNI_SELECTED));
            return platform::TRUE;
        }
        default:
            return platform::FALSE;
    }
}

}  // namespace drenlo
