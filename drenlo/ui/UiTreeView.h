// CUiTreeView: the folder tree of the connected instrument, rooted at "/F0:/".
//
// Subfolders are read only when a folder is first expanded: until then the folder carries one
// placeholder child, so the control shows an expand button. A folder counts as loaded only
// after a listing that worked; a failed one (the link was closed, a reply never came) puts the
// placeholder back so a later expansion tries again. Selecting a folder shows it in the list
// view. When the folder to expand is the one the list already shows, its subfolders are taken
// from the list instead of a second listing.
//
// Renames act on the item the label edit names, never on a remembered one, and the handles
// kept between events (the clicked item, the drop highlight) are forgotten as soon as their
// item goes, so a command after a reload never reaches another folder. The root and the model
// folders directly under it cannot be renamed or removed; the model folders take drops.
// A renamed name is checked as typed names are in the list (nothing is sent for a name the
// instrument cannot carry), and drops are refused while a copy job runs or without a link.
#pragma once

#include <map>
#include <string>

#include "platform/DropTarget.h"
#include "platform/ImageList.h"
#include "platform/TreeView.h"

namespace drenlo {

class CQuarnComm;
class CUiListView;

class CUiTreeView : public platform::CTreeView {
public:
    static constexpr const char* kPlaceholder = "DUMY";

    CUiTreeView();
    ~CUiTreeView() override;

    // Wiring, done by the main frame before the first connection.
    void SetComm(CQuarnComm* comm) { m_comm = comm; }
    void SetListView(CUiListView* list) { m_listView = list; }

    int OnCreate() override;
    platform::BOOL OnNotify(int code, void* record, platform::LRESULT* result) override;

    std::string ItemPath(platform::HTREEITEM item) const;
    void ClearTree();
    void FillRoot();
    void ExpandFolder(platform::HTREEITEM item);
    void ResetChildren(platform::HTREEITEM item);
    void ReloadFolder(platform::HTREEITEM item);
    void RefreshSelected();
    // `listed`: the folder's name as the instrument lists it.
    void SelectChildFolder(const std::string& listed);
    // 1 when done or asked (Cancel included), 0 when refused or the instrument refused.
    int DeleteFolder(platform::HTREEITEM item);
    // The label edit of a folder, refused with a message for the root and the model folders.
    void RenameFolder(platform::HTREEITEM item);
    // The root or a folder directly under it (the instrument's model folders).
    bool IsFixedFolder(platform::HTREEITEM item) const;

    platform::HTREEITEM GetRootFolder() const { return m_rootItem; }
    platform::HTREEITEM GetClickedItem() const { return m_clickedItem; }
    void SetClickedItem(platform::HTREEITEM item) { m_clickedItem = item; }
    // The child of `parent` with exactly this label (the unescaped name), or null.
    platform::HTREEITEM FindChild(platform::HTREEITEM parent, const std::string& label) const;
    platform::CDropTarget& GetDropTarget() { return m_dropTarget; }

private:
    bool CanStartJob() const;
    void InsertFolder(platform::HTREEITEM parent, const std::string& listed);
    std::string ListedName(platform::HTREEITEM item) const;
    void RestorePlaceholder(platform::HTREEITEM item);
    void ForgetItem(platform::HTREEITEM item);
    platform::LRESULT OnBeginLabelEdit(platform::NMTVDISPINFO* info);
    void OnEndLabelEdit(platform::NMTVDISPINFO* info);
    void ShowContextMenu();
    unsigned OnDragOver(const platform::DropData& data, QPoint point);
    bool OnDrop(const platform::DropData& data, unsigned effect);
    void SetDropItem(platform::HTREEITEM item);

    CQuarnComm* m_comm = nullptr;
    CUiListView* m_listView = nullptr;
    platform::HTREEITEM m_rootItem = nullptr;
    platform::HTREEITEM m_clickedItem = nullptr;
    platform::HTREEITEM m_dropItem = nullptr;
    std::string m_oldLabel;
    int m_clearing = 0;
    platform::CDropTarget m_dropTarget;
    platform::CImageList m_images;
    // The listed form of each folder's name (its label shows the name unescaped), which is
    // what goes back into paths.
    std::map<platform::HTREEITEM, std::string> m_listedNames;
};

}  // namespace drenlo
