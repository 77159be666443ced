// CListCtrl: the list control, over Qt's model/view classes.
//
// Items live in one model shown by two Qt views: a list view for the icon, small-icon and
// list modes, a table-like tree view for report mode. Switching the mode (ModifyStyle with
// LVS_TYPEMASK) swaps the visible view at run time and keeps items, selection and column
// widths. Inserting costs no per-item layout, so ten thousand items fill quickly; SetRedraw
// (false) additionally holds back painting while a program refills the list.
//
// Windows behaviour the programs depend on:
//  - Item indexes are positions, 0-based; inserting or deleting shifts the later ones.
//    Item data is pointer-sized and belongs to the program: DeleteItem and DeleteAllItems
//    send LVN_DELETEITEM for every item (with its lParam) so the owner can free it.
//  - Selection and the drop-highlight are item states (LVIS_SELECTED, LVIS_DROPHILITED...).
//    Every change of an item's state, by the operator or by the program, sends
//    LVN_ITEMCHANGED (uChanged = LVIF_STATE, old and new states); no LVN_ITEMCHANGING comes
//    first, so a change cannot be refused. Items going away report LVN_DELETEITEM only.
//  - Label editing (LVS_EDITLABELS, or EditLabel from the program): LVN_BEGINLABELEDIT
//    first, a nonzero answer refuses the edit. When the edit ends LVN_ENDLABELEDIT carries
//    the typed text, or pszText == nullptr when it was cancelled (Escape, focus lost to a
//    cancel, CancelEditLabel); the control takes the new text only when the answer is
//    nonzero. EditLabel called while that notification runs restarts the edit once the
//    notification has returned, as the programs do to have a refused name typed again.
//  - SortItems calls the program's compare function with the two items' data and the
//    program's value; a negative result puts the first item first. The sort is stable.
//  - FindItem with LVFI_STRING is an exact, case-sensitive match of the whole label.
//  - Mouse notifications: NM_CLICK, NM_DBLCLK, NM_RCLICK (NMITEMACTIVATE, iItem -1 on empty
//    space), LVN_COLUMNCLICK (NMLISTVIEW, iSubItem = column), LVN_KEYDOWN (NMLVKEYDOWN) for
//    keys pressed while the list has the focus and no edit is open.
//
// Coordinates (HitTest, GetItemRect, GetMessagePos, drop points) are in the control's own
// widget. Texts are single-byte (Latin-1) as elsewhere in the layer.
//
// Operator actions for tests (ClickItem ... PressKey) go through the same paths as real
// input and return false where the operator could not act.
#pragma once

#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Notify.h"
#include "platform/Wnd.h"

class QStackedWidget;

namespace platform {

class CImageList;
namespace detail {
class ListModel;
class ListCtrlPrivate;
}  // namespace detail

// Styles. The low two bits are the view mode.
constexpr unsigned LVS_ICON = 0x0000;
constexpr unsigned LVS_REPORT = 0x0001;
constexpr unsigned LVS_SMALLICON = 0x0002;
constexpr unsigned LVS_LIST = 0x0003;
constexpr unsigned LVS_TYPEMASK = 0x0003;
constexpr unsigned LVS_SINGLESEL = 0x0004;
constexpr unsigned LVS_SHOWSELALWAYS = 0x0008;
constexpr unsigned LVS_SHAREIMAGELISTS = 0x0040;
constexpr unsigned LVS_EDITLABELS = 0x0200;
constexpr unsigned LVS_AUTOARRANGE = 0x0100;

// Item states.
constexpr unsigned LVIS_FOCUSED = 0x0001;
constexpr unsigned LVIS_SELECTED = 0x0002;
constexpr unsigned LVIS_CUT = 0x0004;
constexpr unsigned LVIS_DROPHILITED = 0x0008;

// Item fields (LVITEM::mask, NMLISTVIEW::uChanged).
constexpr unsigned LVIF_TEXT = 0x0001;
constexpr unsigned LVIF_IMAGE = 0x0002;
constexpr unsigned LVIF_PARAM = 0x0004;
constexpr unsigned LVIF_STATE = 0x0008;

// GetNextItem flags.
constexpr unsigned LVNI_ALL = 0x0000;
constexpr unsigned LVNI_FOCUSED = 0x0001;
constexpr unsigned LVNI_SELECTED = 0x0002;
constexpr unsigned LVNI_DROPHILITED = 0x0008;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;

constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

// Hit-test results.
constexpr unsigned LVHT_NOWHERE = 0x0001;
constexpr unsigned LVHT_ONITEMICON = 0x0002;
constexpr unsigned LVHT_ONITEMLABEL = 0x0004;
constexpr unsigned LVHT_ONITEM = 0x000E;

constexpr unsigned LVFI_STRING = 0x0002;

// Notification codes.
constexpr int LVN_ITEMCHANGING = -100;
constexpr int LVN_ITEMCHANGED = -101;
constexpr int LVN_INSERTITEM = -102;
constexpr int LVN_DELETEITEM = -103;
constexpr int LVN_DELETEALLITEMS = -104;
constexpr int LVN_BEGINLABELEDIT = -105;
constexpr int LVN_ENDLABELEDIT = -106;
constexpr int LVN_COLUMNCLICK = -108;
constexpr int LVN_KEYDOWN = -155;

struct LVITEM {
    unsigned mask = 0;
    int iItem = -1;
    int iSubItem = 0;
    unsigned state = 0;
    unsigned stateMask = 0;
    const char* pszText = nullptr;  // ENDLABELEDIT: the typed text, nullptr when cancelled
    int iImage = -1;
    LPARAM lParam = 0;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    unsigned uNewState;
    unsigned uOldState;
    unsigned uChanged;
    QPoint ptAction;
    LPARAM lParam;
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;  // -1: no item under the pointer
    int iSubItem;
    QPoint ptAction;
    LPARAM lParam;
};

struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};

struct NMLVKEYDOWN {
    NMHDR hdr;
    unsigned wVKey;  // VK_ codes (Notify.h)
    unsigned flags;
};

// Compare function of SortItems: the two items' data and the program's value.
using PFNLVCOMPARE = int (*)(LPARAM item1, LPARAM item2, LPARAM sortData);

class CListCtrl : public CWnd {
public:
    CListCtrl();
    ~CListCtrl() override;

    // Creates the control inside `parent`. Notifications go to `owner` (WM_NOTIFY); without
    // one, to the CWnd of `parent`. 1/0.
    int Create(unsigned style, QWidget* parent, int id, CWnd* owner = nullptr);
    int GetDlgCtrlID() const { return m_id; }

    unsigned GetStyle() const { return m_style; }
    // Changes the style; a new LVS_TYPEMASK value switches the view mode at once.
    void ModifyStyle(unsigned remove, unsigned add);

    // The image list is not owned (it must outlive the control). Returns the previous one.
    CImageList* SetImageList(CImageList* images, int which);
    CImageList* GetImageList(int which) const;

    // Columns (report mode). Width -1: fit the heading. Returns the column's index or -1.
    int InsertColumn(int column, const std::string& heading, int format = LVCFMT_LEFT,
                     int width = -1);
    bool DeleteColumn(int column);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    bool SetColumnWidth(int column, int width);

    // Items. InsertItem returns the new item's index, or -1.
    int GetItemCount() const;
    int InsertItem(int item, const std::string& text, int image = -1);
    int InsertItem(const LVITEM& item);  // mask: LVIF_TEXT, LVIF_IMAGE, LVIF_PARAM, LVIF_STATE
    bool DeleteItem(int item);
    bool DeleteAllItems();
    bool SetItemText(int item, int subItem, const std::string& text);
    std::string GetItemText(int item, int subItem) const;
    bool SetItemData(int item, LPARAM data);
    LPARAM GetItemData(int item) const;
    bool SetItemImage(int item, int image);
    int GetItemImage(int item) const;

    // States. SetItemState with item -1 applies to every item.
    bool SetItemState(int item, unsigned state, unsigned mask);
    unsigned GetItemState(int item, unsigned mask) const;
    // The next item after `start` (-1: from the beginning) with the flags' states.
    int GetNextItem(int start, unsigned flags) const;
    int GetSelectedCount() const;
    std::vector<int> GetSelectedItems() const;

    bool SortItems(PFNLVCOMPARE compare, LPARAM sortData);
    bool SortItems(const std::function<int(LPARAM, LPARAM)>& compare);
    // Exact, case-sensitive label search from the item after `start`; -1 when none.
    int FindItem(const std::string& text, int start = -1) const;

    int HitTest(const QPoint& point, unsigned* flags = nullptr) const;
    QRect GetItemRect(int item) const;
    bool EnsureVisible(int item, bool partialOk = false);
    // Where the last mouse notification happened.
    QPoint GetMessagePos() const { return m_messagePos; }

    // Label editing. EditLabel returns false when the edit was refused or not possible.
    bool EditLabel(int item);
    bool IsEditingLabel() const;
    int GetEditItem() const;
    void CancelEditLabel();

    void SetRedraw(bool redraw);
    void RedrawItems(int first, int last);

    // Operator actions. Modifiers: Qt::ControlModifier / Qt::ShiftModifier extend a
    // multiple selection.
    bool ClickItem(int item, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool DoubleClickItem(int item);
    bool RightClickItem(int item);  // -1: on empty space
    bool ClickColumn(int column);
    bool PressKey(unsigned virtualKey);
    // Types into the open label edit and ends it with Enter (commit) or Escape (cancel).
    bool TypeLabel(const std::string& text, bool commit = true);

    // The Qt view showing the current mode (the list view or the report view).
    QWidget* ActiveView() const;
    // The widget that receives drops and mouse input in the current mode.
    QWidget* ActiveViewport() const;

private:
    friend class detail::ListCtrlPrivate;
    friend class detail::ListModel;
    LRESULT Notify(int code, void* record);
    void ApplyMode();

    std::unique_ptr<detail::ListCtrlPrivate> d;
    unsigned m_style = 0;
    int m_id = 0;
    CWnd* m_owner = nullptr;
    QPoint m_messagePos;
};

}  // namespace platform
