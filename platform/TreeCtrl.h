// CTreeCtrl: the tree control, over Qt's model/view classes.
//
// Items are addressed by handles (HTREEITEM). A handle stays valid until its item is deleted
// and is never given out again afterwards, so a handle kept across a reload is simply
// unknown to the control: every call with it fails harmlessly (null, 0, false, "") instead
// of reaching another item.
//
// Windows behaviour the programs depend on:
//  - InsertItem with TVI_SORT puts the item among its siblings in the control's alphabetical
//    order (case-insensitive); TVI_FIRST and TVI_LAST as usual; or after a given sibling.
//  - Each item has an image pair: the normal image, and the one drawn while it is selected.
//  - States: TVIS_BOLD, TVIS_SELECTED, TVIS_DROPHILITED, TVIS_EXPANDED.
//  - Lazy loading: when the operator expands an item, TVN_ITEMEXPANDING (action TVE_EXPAND)
//    is sent before the children show; the owner may delete a placeholder child and insert
//    the real ones in its handler, or answer nonzero to refuse. TVN_ITEMEXPANDED follows.
//    Collapsing sends the pair with TVE_COLLAPSE. Expand() from the program sends the pair
//    only the first time an item is expanded (TVIS_EXPANDEDONCE), as Windows did.
//  - Selection: TVN_SELCHANGED (NMTREEVIEW with the old and new item) for every change, the
//    operator's (action TVC_BYMOUSE / TVC_BYKEYBOARD) or the program's (TVC_UNKNOWN). No
//    TVN_SELCHANGING is sent: a selection cannot be refused.
//  - Label editing (TVS_EDITLABELS, or EditLabel from the program): TVN_BEGINLABELEDIT
//    names the edited item; nonzero refuses. TVN_ENDLABELEDIT names the same item, with
//    pszText nullptr when cancelled; the control takes the text only when the answer is
//    nonzero. EditLabel during that notification restarts the edit after it returns.
//  - Deleting an item sends TVN_DELETEITEM for it and each descendant (children first), so
//    the owner can free item data and drop handles it kept.
//  - Mouse: NM_CLICK, NM_DBLCLK, NM_RCLICK (plain NMHDR; GetMessagePos gives the point),
//    TVN_KEYDOWN (NMTVKEYDOWN) for keys while the tree has the focus and no edit is open.
//
// Coordinates are in the control's own widget. Texts are single-byte (Latin-1).
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Notify.h"
#include "platform/Wnd.h"

namespace platform {

class CImageList;
namespace detail {
class TreeModel;
class TreeCtrlPrivate;
}  // namespace detail

struct TreeItemTag;
using HTREEITEM = TreeItemTag*;

inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST =
    reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFD));

// Styles.
constexpr unsigned TVS_HASBUTTONS = 0x0001;
constexpr unsigned TVS_HASLINES = 0x0002;
constexpr unsigned TVS_LINESATROOT = 0x0004;
constexpr unsigned TVS_EDITLABELS = 0x0008;
constexpr unsigned TVS_SHOWSELALWAYS = 0x0020;

// States.
constexpr unsigned TVIS_SELECTED = 0x0002;
constexpr unsigned TVIS_DROPHILITED = 0x0008;
constexpr unsigned TVIS_BOLD = 0x0010;
constexpr unsigned TVIS_EXPANDED = 0x0020;
constexpr unsigned TVIS_EXPANDEDONCE = 0x0040;

// Expand actions.
constexpr unsigned TVE_COLLAPSE = 0x0001;
constexpr unsigned TVE_EXPAND = 0x0002;
constexpr unsigned TVE_TOGGLE = 0x0003;

// Selection causes.
constexpr unsigned TVC_UNKNOWN = 0x0000;
constexpr unsigned TVC_BYMOUSE = 0x0001;
constexpr unsigned TVC_BYKEYBOARD = 0x0002;

// Select kinds.
constexpr unsigned TVGN_CARET = 0x0009;
constexpr unsigned TVGN_DROPHILITE = 0x0008;

// Hit-test results.
constexpr unsigned TVHT_NOWHERE = 0x0001;
constexpr unsigned TVHT_ONITEMICON = 0x0002;
constexpr unsigned TVHT_ONITEMLABEL = 0x0004;
constexpr unsigned TVHT_ONITEMINDENT = 0x0008;
constexpr unsigned TVHT_ONITEMBUTTON = 0x0010;
constexpr unsigned TVHT_ONITEMRIGHT = 0x0020;
constexpr unsigned TVHT_ONITEM = 0x0046;

constexpr int TVSIL_NORMAL = 0;

// Item fields.
constexpr unsigned TVIF_TEXT = 0x0001;
constexpr unsigned TVIF_IMAGE = 0x0002;
constexpr unsigned TVIF_PARAM = 0x0004;
constexpr unsigned TVIF_STATE = 0x0008;
constexpr unsigned TVIF_HANDLE = 0x0010;
constexpr unsigned TVIF_SELECTEDIMAGE = 0x0020;

// Notification codes.
constexpr int TVN_SELCHANGING = -401;
constexpr int TVN_SELCHANGED = -402;
constexpr int TVN_ITEMEXPANDING = -405;
constexpr int TVN_ITEMEXPANDED = -406;
constexpr int TVN_DELETEITEM = -409;
constexpr int TVN_BEGINLABELEDIT = -410;
constexpr int TVN_ENDLABELEDIT = -411;
constexpr int TVN_KEYDOWN = -412;

struct TVITEM {
    unsigned mask = 0;
    HTREEITEM hItem = nullptr;
    unsigned state = 0;
    unsigned stateMask = 0;
    const char* pszText = nullptr;  // ENDLABELEDIT: the typed text, nullptr when cancelled
    int iImage = -1;
    int iSelectedImage = -1;
    LPARAM lParam = 0;
};

struct NMTREEVIEW {
    NMHDR hdr;
    unsigned action;  // TVE_ for expansion, TVC_ for selection
    TVITEM itemOld;
    TVITEM itemNew;
    QPoint ptDrag;
};

struct NMTVDISPINFO {
    NMHDR hdr;
    TVITEM item;
};

struct NMTVKEYDOWN {
    NMHDR hdr;
    unsigned wVKey;
    unsigned flags;
};

class CTreeCtrl : public CWnd {
public:
    CTreeCtrl();
    ~CTreeCtrl() override;

    // Creates the control inside `parent`; notifications go to `owner` (default: the CWnd of
    // `parent`). 1/0.
    int Create(unsigned style, QWidget* parent, int id, CWnd* owner = nullptr);
    int GetDlgCtrlID() const { return m_id; }
    unsigned GetStyle() const { return m_style; }

    // Not owned; must outlive the control. Returns the previous list.
    CImageList* SetImageList(CImageList* images, int which = TVSIL_NORMAL);

    HTREEITEM InsertItem(const std::string& text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(const std::string& text, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    bool DeleteItem(HTREEITEM item);
    bool DeleteAllItems();
    // True while the handle names an item of this control.
    bool IsValidItem(HTREEITEM item) const;

    unsigned GetCount() const;
    HTREEITEM GetRootItem() const;                  // the first top-level item
    HTREEITEM GetParentItem(HTREEITEM item) const;  // null for top-level items
    HTREEITEM GetChildItem(HTREEITEM item) const;   // the first child; TVI_ROOT: first top-level
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    bool ItemHasChildren(HTREEITEM item) const;

    std::string GetItemText(HTREEITEM item) const;
    bool SetItemText(HTREEITEM item, const std::string& text);
    LPARAM GetItemData(HTREEITEM item) const;
    bool SetItemData(HTREEITEM item, LPARAM data);
    bool GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    bool SetItemImage(HTREEITEM item, int image, int selectedImage);
    unsigned GetItemState(HTREEITEM item, unsigned mask) const;
    bool SetItemState(HTREEITEM item, unsigned state, unsigned mask);

    HTREEITEM GetSelectedItem() const;
    bool SelectItem(HTREEITEM item);             // null clears the selection
    bool Select(HTREEITEM item, unsigned code);  // TVGN_CARET or TVGN_DROPHILITE
    bool SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    HTREEITEM GetDropHilightItem() const;
    bool Expand(HTREEITEM item, unsigned code);
    bool EnsureVisible(HTREEITEM item);

    HTREEITEM HitTest(const QPoint& point, unsigned* flags = nullptr) const;
    QRect GetItemRect(HTREEITEM item) const;
    QPoint GetMessagePos() const { return m_messagePos; }

    bool EditLabel(HTREEITEM item);
    bool IsEditingLabel() const;
    HTREEITEM GetEditItem() const;
    void CancelEditLabel();

    void SetRedraw(bool redraw);

    // Operator actions for tests; false where the operator could not act.
    bool ClickItem(HTREEITEM item);
    bool DoubleClickItem(HTREEITEM item);
    bool RightClickItem(HTREEITEM item);  // null: empty space
    bool ExpandByOperator(HTREEITEM item, bool expand = true);
    bool PressKey(unsigned virtualKey);
    bool TypeLabel(const std::string& text, bool commit = true);

    QWidget* Viewport() const;

private:
    friend class detail::TreeCtrlPrivate;
    friend class detail::TreeModel;
    LRESULT Notify(int code, void* record);

    std::unique_ptr<detail::TreeCtrlPrivate> d;
    unsigned m_style = 0;
    int m_id = 0;
    CWnd* m_owner = nullptr;
    QPoint m_messagePos;
};

}  // namespace platform
