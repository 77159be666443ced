// CUiListView: the contents of one instrument folder: its subfolders and files with name,
// size and a type icon, in four view modes, sorted by name or size either way.
//
// Names show as the instrument means them (escapes resolved); each item's data keeps the
// listed form, which is what goes back into paths, and a typed name is escaped before it is
// sent.
//
// Each item owns a copy of its CFileInfo (the item data), freed when the item goes. The view
// renames, deletes and creates folders in place, opens a folder on double-click (through the
// tree, so tree and list stay in step), and accepts drops: PC files are sent to the instrument
// folder under the pointer, an instrument path dropped as text is copied (or moved) there.
//
// Names typed by the operator are checked before anything is sent: a name the instrument
// cannot carry, or one that would reach into another folder ('/', '\\', "." and ".."), is
// refused and the edit opens again. After a new folder or a rename the folder is listed
// again, so the list shows what the instrument did rather than what was asked. Drops are
// refused while a copy job runs or without a link, and a text drop must be one instrument
// path ("/F0:/..." with a name after its last '/').
//
// The view also receives the copy jobs' messages (TransferEvents.h) and drives their steps.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/DropTarget.h"
#include "platform/ImageList.h"
#include "platform/ListView.h"

namespace drenlo {

class CFileInfo;
class CQuarnComm;

class CUiListView : public platform::CListView {
public:
    static constexpr const char* kRoot = "/F0:/";

    CUiListView();
    ~CUiListView() override;

    // Wiring, done by the main frame before the first listing.
    void SetComm(CQuarnComm* comm) { m_comm = comm; }
    void SetTreeHooks(std::function<void()> refreshSelected,
                      std::function<void(const std::string&)> selectChildFolder);
    void SetListSettings(int viewMode, int sortKey, int nameWidth, int sizeWidth);
    void GetListSettings(int& viewMode, int& sortKey, int& nameWidth, int& sizeWidth) const;

    int OnCreate() override;
    platform::BOOL OnNotify(int code, void* record, platform::LRESULT* result) override;
    void DestroyWindow() override;

    void ShowFolder(const std::string& folder);
    void RefreshFolder() { ShowFolder(m_folder); }
    const std::string& GetFolder() const { return m_folder; }
    void SetViewMode(int mode);
    int GetViewMode() const { return m_viewMode; }
    void SortBy(int key);
    int GetSortKey() const { return m_sortKey; }
    int GetSelectedName(int start, std::string& name, int filesOnly) const;
    int IsFirstSelectedFolder() const;
    const std::string* NextFolderItemName(int& index) const;
    int GetNextSelectedItem(int start, const CFileInfo*& item) const;
    int DeleteSelection();
    void NewFolder();
    void OpenItem(int index);
    void UpdateItemTexts();
    void CopyOrMoveOnInstrument(const std::string& source, const std::string& target,
                                unsigned effect);
    // Rename of the first selected item (the frame's Rename command).
    void RenameSelected();
    void OnTransferDone(platform::WPARAM changed);

    // The order of two items for a sort key (1 name, 2 size, negative: reversed).
    static int CompareItems(const CFileInfo& item1, const CFileInfo& item2, int key);
    // A name the operator typed for a folder or file: one the instrument can carry and that
    // stays in this folder.
    static bool IsAcceptableTypedName(const std::string& name);
    // A dropped text that names one instrument file or folder the instrument's commands and
    // listings can carry (every part a transportable name).
    static bool IsInstrumentPathText(const std::string& text);
    // A dropped text aimed at the instrument (it starts at the root). The drag is taken so the
    // drop can say why a path it cannot use is refused.
    static bool IsInstrumentDropText(const std::string& text);
    // At a text drop: 1 when the path can be used, else the stop box and 0 (nothing is sent).
    static bool AcceptDroppedPathText(const std::string& text);

    platform::CDropTarget& GetDropTarget() { return m_dropTarget; }

private:
    const CFileInfo* ItemInfo(int index) const;
    int AppendItem(const CFileInfo& info);
    static int ImageOf(const CFileInfo& info);
    void SortNow();
    void ReadColumnWidths();
    void OnEndLabelEdit(platform::NMLVDISPINFO* info);
    void ShowContextMenu(int item);
    unsigned OnDragOver(const platform::DropData& data, QPoint point);
    bool OnDrop(const platform::DropData& data, unsigned effect, QPoint point);
    void SetDropItem(int item);
    bool CanStartJob() const;
    std::string ChildPath(const std::string& name) const;

    CQuarnComm* m_comm = nullptr;
    std::function<void()> m_refreshTree;
    std::function<void(const std::string&)> m_selectChildFolder;
    std::string m_folder;
    int m_viewMode = 0;
    int m_sortKey = 1;
    int m_columnWidth[2] = {200, 110};
    int m_newFolderPending = 0;
    int m_dropItem = -1;
    platform::CDropTarget m_dropTarget;
    platform::CImageList m_largeImages;
    platform::CImageList m_smallImages;
};

}  // namespace drenlo
