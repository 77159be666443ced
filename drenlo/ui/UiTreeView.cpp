#include "drenlo/ui/UiTreeView.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

#include "drenlo/comm/InstrumentNames.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/model/FileInfo.h"
#include "drenlo/ui/DrenloIcons.h"
#include "drenlo/ui/UiListView.h"
#include "platform/CatalogItem.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/WaitCursor.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

using platform::HTREEITEM;

namespace {
constexpr platform::LPARAM kLoaded = 1;
constexpr int kPlaceholderImage = 0;
constexpr int kFolderImage = 2;
constexpr int kFolderOpenImage = 3;
constexpr int kRootImage = 4;
constexpr int kRootSelectedImage = 5;

void Stop(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

std::string Replace(std::string text, const std::string& what, const std::string& with) {
    const size_t at = text.find(what);
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}
}  // namespace

CUiTreeView::CUiTreeView()
    : CTreeView(platform::TVS_HASBUTTONS | platform::TVS_HASLINES | platform::TVS_LINESATROOT |
                platform::TVS_EDITLABELS | platform::TVS_SHOWSELALWAYS) {}

CUiTreeView::~CUiTreeView() = default;

int CUiTreeView::OnCreate() {
    m_images.Create(16, 16, platform::ILC_MASK, 40, 16);
    for (int id : {IDI_PLACEHOLDER, IDI_PLACEHOLDER_SELECTED, IDI_FOLDER, IDI_FOLDER_OPEN, IDI_ROOT,
                   IDI_ROOT_SELECTED})
        m_images.Add(DrenloIcon(id, 16));
    platform::CTreeCtrl& tree = GetTreeCtrl();
    tree.SetImageList(&m_images);
    m_dropTarget.Register(&tree, tree.Viewport());
    m_dropTarget.SetDragOverHandler(
        [this](const platform::DropData& data, QPoint point) { return OnDragOver(data, point); });
    m_dropTarget.SetDragLeaveHandler([this] { SetDropItem(nullptr); });
    m_dropTarget.SetDropHandler([this](const platform::DropData& data, unsigned effect, QPoint) {
        return OnDrop(data, effect);
    });
    return 0;
}

std::string CUiTreeView::ItemPath(HTREEITEM item) const {
    const platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == nullptr || item == m_rootItem || !tree.IsValidItem(item))
        return CUiListView::kRoot;
    std::string path = ListedName(item);
    for (HTREEITEM parent = tree.GetParentItem(item); parent != nullptr && parent != m_rootItem;
         parent = tree.GetParentItem(parent))
        path = ListedName(parent) + "/" + path;
    return CUiListView::kRoot + path;
}

std::string CUiTreeView::ListedName(HTREEITEM item) const {
    const auto found = m_listedNames.find(item);
    return found != m_listedNames.end() ? found->second : GetTreeCtrl().GetItemText(item);
}

bool CUiTreeView::IsFixedFolder(HTREEITEM item) const {
    const platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == nullptr || !tree.IsValidItem(item))
        return true;
    return item == m_rootItem || tree.GetParentItem(item) == m_rootItem;
}

HTREEITEM CUiTreeView::FindChild(HTREEITEM parent, const std::string& label) const {
    const platform::CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM child = tree.GetChildItem(parent); child != nullptr;
         child = tree.GetNextSiblingItem(child))
        if (tree.GetItemText(child) == label)
            return child;
    return nullptr;
}

void CUiTreeView::ForgetItem(HTREEITEM item) {
    if (item == m_clickedItem)
        m_clickedItem = nullptr;
    if (item == m_dropItem)
        m_dropItem = nullptr;
    if (item == m_rootItem)
        m_rootItem = nullptr;
    m_listedNames.erase(item);
}

void CUiTreeView::ClearTree() {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    m_clearing = 1;
    tree.SetRedraw(false);
    tree.DeleteAllItems();
    tree.SetRedraw(true);
    m_clearing = 0;
    m_rootItem = nullptr;
    m_clickedItem = nullptr;
    m_dropItem = nullptr;
    m_listedNames.clear();
}

void CUiTreeView::FillRoot() {
    ClearTree();
    if (m_comm == nullptr)
        return;
    platform::CTreeCtrl& tree = GetTreeCtrl();
    tree.SetRedraw(false);
    m_rootItem = tree.InsertItem(m_comm->GetRootText(), kRootImage, kRootSelectedImage);
    tree.InsertItem(kPlaceholder, kPlaceholderImage, kPlaceholderImage, m_rootItem);
    ExpandFolder(m_rootItem);
    tree.Expand(m_rootItem, platform::TVE_EXPAND);
    tree.SelectItem(m_rootItem);
    tree.SetItemState(m_rootItem, platform::TVIS_BOLD, platform::TVIS_BOLD);
    tree.SetRedraw(true);
}

void CUiTreeView::InsertFolder(HTREEITEM parent, const std::string& listed) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM child = tree.InsertItem(platform::UnescapeInstrumentName(listed), kFolderImage,
                                      kFolderOpenImage, parent, platform::TVI_SORT);
    if (child == nullptr)
        return;
    m_listedNames[child] = listed;
    tree.InsertItem(kPlaceholder, kPlaceholderImage, kPlaceholderImage, child);
}

void CUiTreeView::RestorePlaceholder(HTREEITEM item) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    tree.SetItemData(item, 0);
    if (tree.GetChildItem(item) == nullptr)
        tree.InsertItem(kPlaceholder, kPlaceholderImage, kPlaceholderImage, item);
}

void CUiTreeView::ExpandFolder(HTREEITEM item) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == nullptr || !tree.IsValidItem(item) || (tree.GetItemData(item) & kLoaded) != 0)
        return;
    platform::CWaitCursor wait;
    const std::string path = ItemPath(item);
    if (m_listView != nullptr && path == m_listView->GetFolder()) {
        // The list shows this folder already; its folder items are the subfolders.
        if (HTREEITEM first = tree.GetChildItem(item))
            tree.DeleteItem(first);
        tree.SetItemData(item, kLoaded);
        int index = -1;
        while (const std::string* name = m_listView->NextFolderItemName(index))
            InsertFolder(item, *name);
        return;
    }
    if (m_comm == nullptr || !m_comm->IsConnected())
        return;
    CFileInfo entry;
    const int any = m_comm->ReadDirectory(path, entry);
    // A failed read closes the link; an empty folder leaves it open. Only a listing that
    // worked may take the placeholder away, or the folder could never be opened again.
    if (!any && !m_comm->IsConnected()) {
        m_comm->ClearCatalogReply();
        return;
    }
    if (HTREEITEM first = tree.GetChildItem(item))
        tree.DeleteItem(first);
    tree.SetItemData(item, kLoaded);
    if (any) {
        do {
            if (entry.IsFolder())
                InsertFolder(item, entry.GetName());
        } while (m_comm->ParseCatalogEntries(entry));
    }
    m_comm->ClearCatalogReply();
}

void CUiTreeView::ResetChildren(HTREEITEM item) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == nullptr || !tree.IsValidItem(item) || (tree.GetItemData(item) & kLoaded) == 0)
        return;
    tree.SetItemData(item, 0);
    while (HTREEITEM child = tree.GetChildItem(item)) tree.DeleteItem(child);
}

void CUiTreeView::ReloadFolder(HTREEITEM item) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == nullptr || !tree.IsValidItem(item))
        return;
    tree.SetRedraw(false);
    ResetChildren(item);
    ExpandFolder(item);
    if ((tree.GetItemData(item) & kLoaded) == 0)
        RestorePlaceholder(item);
    tree.SetRedraw(true);
}

void CUiTreeView::RefreshSelected() {
    ReloadFolder(GetTreeCtrl().GetSelectedItem());
}

void CUiTreeView::SelectChildFolder(const std::string& listed) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM selected = tree.GetSelectedItem();
    if (selected == nullptr)
        return;
    ExpandFolder(selected);
    tree.Expand(selected, platform::TVE_EXPAND);
    for (HTREEITEM child = tree.GetChildItem(selected); child != nullptr;
         child = tree.GetNextSiblingItem(child)) {
        if (ListedName(child) == listed) {
            tree.SelectItem(child);
            return;
        }
    }
}

int CUiTreeView::DeleteFolder(HTREEITEM item) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == nullptr || !tree.IsValidItem(item))
        return 0;
    if (IsFixedFolder(item)) {
        Stop("Cannot remove this folder.");
        return 0;
    }
    {
        platform::CWaitCursor wait;
        const std::string question = platform::Format(
            "Are you sure you want to remove the file '%s' ?", tree.GetItemText(item).c_str());
        if (platform::MessageBox(this, question, "Confirm File Delete",
                                 platform::MB_OKCANCEL | platform::MB_ICONQUESTION) !=
            platform::IDOK)
            return 1;
    }
    if (m_comm == nullptr || m_comm->RemoveRemoteDirectory(ItemPath(item)) != 1)
        return 0;
    HTREEITEM parent = tree.GetParentItem(item);
    // The removed folder, or one under it, may be the one the list shows: the parent takes
    // the selection before the item goes, so the list never shows a folder that is gone.
    const std::string removed = ItemPath(item) + "/";
    const std::string shown = ItemPath(tree.GetSelectedItem()) + "/";
    if (shown.compare(0, removed.size(), removed) == 0)
        tree.SelectItem(parent);
    else if (parent == tree.GetSelectedItem() && m_listView != nullptr)
        m_listView->RefreshFolder();
    ReloadFolder(parent);
    return 1;
}

void CUiTreeView::RenameFolder(HTREEITEM item) {
    if (IsFixedFolder(item)) {
        Stop(platform::LoadString(IDS_CANNOT_RENAME_FOLDER));
        return;
    }
    GetTreeCtrl().EditLabel(item);
}

platform::LRESULT CUiTreeView::OnBeginLabelEdit(platform::NMTVDISPINFO* info) {
    HTREEITEM item = info->item.hItem;
    if (IsFixedFolder(item))
        return 1;
    m_oldLabel =
        info->item.pszText != nullptr ? info->item.pszText : GetTreeCtrl().GetItemText(item);
    return 0;
}

void CUiTreeView::OnEndLabelEdit(platform::NMTVDISPINFO* info) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM item = info->item.hItem;
    if (IsFixedFolder(item)) {
        Stop(platform::LoadString(IDS_CANNOT_RENAME_FOLDER));
        return;
    }
    if (m_oldLabel.empty() || info->item.pszText == nullptr)
        return;
    const std::string text = info->item.pszText;
    if (text == m_oldLabel)
        return;
    HTREEITEM parent = tree.GetParentItem(item);
    for (HTREEITEM sibling = tree.GetChildItem(parent); sibling != nullptr;
         sibling = tree.GetNextSiblingItem(sibling)) {
        if (sibling != item && tree.GetItemText(sibling) == text) {
            platform::MessageBeep(platform::MB_ICONSTOP);
            Stop(platform::LoadString(IDS_NAME_EXISTS));
            tree.EditLabel(item);
            return;
        }
    }
    if (!CUiListView::IsAcceptableTypedName(text)) {
        Stop("The name '" + text +
             "' cannot be used on the Quarn.\n\nA name must not be empty, \".\" or \"..\", "
             "and must not hold '\"', ',', ';', '/', '\\', control characters or characters "
             "beyond ASCII.");
        tree.EditLabel(item);
        return;
    }
    const std::string oldPath = ItemPath(item);
    const std::string shown = ItemPath(tree.GetSelectedItem()) + "/";
    if (tree.GetSelectedItem() != nullptr &&
        shown.compare(0, oldPath.size() + 1, oldPath + "/") == 0) {
        platform::MessageBeep(platform::MB_ICONSTOP);
        Stop(Replace(platform::LoadString(IDS_RENAME_DENIED), "%1", m_oldLabel));
        return;
    }
    std::string listed;
    ListedNameFromPcName(text, listed);
    const std::string newPath = oldPath.substr(0, oldPath.rfind('/') + 1) + listed;
    if (m_comm == nullptr || m_comm->MoveRemoteFile(oldPath, newPath) != 1)
        return;
    tree.SetItemText(item, text);
    m_listedNames[item] = listed;
    if (parent == tree.GetSelectedItem()) {
        if (m_listView != nullptr)
            m_listView->RefreshFolder();
        ReloadFolder(parent);
    }
}

void CUiTreeView::ShowContextMenu() {
    QWidget* owner = GetWidget() ? GetWidget()->window() : nullptr;
    QMenu menu(owner);
    for (const platform::MenuItemTemplate& entry : ContextMenu(IDR_TREE_MENU).items.front().items)
        if (entry.id != 0)
            menu.addAction(QString::fromStdString(entry.text))->setData(entry.id);
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == nullptr)
        return;
    if (platform::CWnd* frame = platform::CWnd::FromWidget(owner))
        frame->SendMessage(platform::WM_COMMAND, platform::MakeWParam(chosen->data().toInt(), 0));
}

bool CUiTreeView::CanStartJob() const {
    return m_comm != nullptr && m_comm->IsConnected() && !m_comm->IsJobActive();
}

void CUiTreeView::SetDropItem(HTREEITEM item) {
    platform::CTreeCtrl& tree = GetTreeCtrl();
    if (item == m_dropItem)
        return;
    m_dropItem = item;
    tree.SelectDropTarget(item);
}

unsigned CUiTreeView::OnDragOver(const platform::DropData& data, QPoint point) {
    HTREEITEM item = GetTreeCtrl().HitTest(point);
    const bool usable =
        data.kind == platform::DropKind::Files ||
        (data.kind == platform::DropKind::Text && CUiListView::IsInstrumentDropText(data.text));
    if (item == nullptr || item == m_rootItem || !usable || !CanStartJob()) {
        SetDropItem(nullptr);
        return platform::DROPEFFECT_NONE;
    }
    SetDropItem(item);
    return platform::DROPEFFECT_COPY;
}

bool CUiTreeView::OnDrop(const platform::DropData& data, unsigned effect) {
    SetForegroundWindow();
    HTREEITEM target = m_dropItem;
    SetDropItem(nullptr);
    // The job guard is asked again: a job may have started while the pointer was resting.
    if (target == nullptr || !GetTreeCtrl().IsValidItem(target) || !CanStartJob())
        return false;
    const std::string folder = ItemPath(target);
    if (data.kind == platform::DropKind::Files) {
        m_comm->CheckDownload(data.files, folder);
        return true;
    }
    if (data.kind == platform::DropKind::Text && m_listView != nullptr) {
        if (!CUiListView::AcceptDroppedPathText(data.text))
            return false;
        m_listView->CopyOrMoveOnInstrument(data.text, folder, effect);
        return true;
    }
    return false;
}

platform::BOOL CUiTreeView::OnNotify(int code, void* record, platform::LRESULT* result) {
    *result = 0;
    platform::CTreeCtrl& tree = GetTreeCtrl();
    switch (code) {
        case platform::NM_CLICK:
            m_clickedItem = tree.HitTest(tree.GetMessagePos());
            return platform::TRUE;
        case platform::NM_RCLICK:
            m_clickedItem = tree.HitTest(tree.GetMessagePos());
            if (m_clickedItem != nullptr)
                ShowContextMenu();
            return platform::TRUE;
        case platform::TVN_SELCHANGED: {
            auto* info = static_cast<platform::NMTREEVIEW*>(record);
            if (m_clearing == 0 && m_listView != nullptr && info->itemNew.hItem != nullptr)
                m_listView->ShowFolder(ItemPath(info->itemNew.hItem));
            return platform::TRUE;
        }
        case platform::TVN_ITEMEXPANDING:
        case platform::TVN_ITEMEXPANDED: {
            auto* info = static_cast<platform::NMTREEVIEW*>(record);
            if ((info->action & platform::TVE_EXPAND) != 0 && m_clearing == 0)
                ExpandFolder(info->itemNew.hItem);
            return platform::TRUE;
        }
        case platform::TVN_DELETEITEM:
            ForgetItem(static_cast<platform::NMTREEVIEW*>(record)->itemOld.hItem);
            return platform::TRUE;
        case platform::TVN_BEGINLABELEDIT:
            *result = OnBeginLabelEdit(static_cast<platform::NMTVDISPINFO*>(record));
            return platform::TRUE;
        case platform::TVN_ENDLABELEDIT:
            OnEndLabelEdit(static_cast<platform::NMTVDISPINFO*>(record));
            return platform::TRUE;
        case platform::TVN_KEYDOWN:
            // Only when the Delete command itself is enabled: nothing could be sent otherwise.
            if (static_cast<platform::NMTVKEYDOWN*>(record)->wVKey == platform::VK_DELETE &&
                CanStartJob())
                DeleteFolder(tree.GetSelectedItem());
            return platform::TRUE;
        default:
            return platform::FALSE;
    }
}

}  // namespace drenlo
