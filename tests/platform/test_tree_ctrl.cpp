// The tree control: handles that never come back, walking, sorted insert, the lazy
// expansion protocol with a placeholder child, selection and label-edit notifications.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/ImageList.h"
#include "platform/TreeCtrl.h"
#include "platform/TreeView.h"

using namespace platform;

namespace {

class Owner : public CWnd {
public:
    Owner() {
        AttachWidget(new QWidget);
        GetWidget()->resize(300, 300);
    }
    ~Owner() override { delete GetWidget(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(hdr->code);
        switch (hdr->code) {
            case TVN_ITEMEXPANDING: {
                auto* nm = reinterpret_cast<NMTREEVIEW*>(lParam);
                expanding.push_back(nm->itemNew.hItem);
                return onExpanding ? onExpanding(nm->itemNew.hItem, nm->action) : 0;
            }
            case TVN_SELCHANGED: {
                auto* nm = reinterpret_cast<NMTREEVIEW*>(lParam);
                selections.push_back({nm->itemOld.hItem, nm->itemNew.hItem});
                return 0;
            }
            case TVN_BEGINLABELEDIT:
                begun.push_back(reinterpret_cast<NMTVDISPINFO*>(lParam)->item.hItem);
                return refuseEdit ? 1 : 0;
            case TVN_ENDLABELEDIT: {
                auto* nm = reinterpret_cast<NMTVDISPINFO*>(lParam);
                ended.push_back(nm->item.hItem);
                endTexts.push_back(nm->item.pszText == nullptr ? "<cancel>" : nm->item.pszText);
                return takeText ? 1 : 0;
            }
            case TVN_DELETEITEM:
                deleted.push_back(reinterpret_cast<NMTREEVIEW*>(lParam)->itemOld.lParam);
                return 0;
            default:
                return 0;
        }
    }
    int Count(int code) const {
        return static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }

    std::vector<int> codes;
    std::vector<HTREEITEM> expanding;
    std::vector<std::pair<HTREEITEM, HTREEITEM>> selections;
    std::vector<HTREEITEM> begun, ended;
    std::vector<std::string> endTexts;
    std::vector<LPARAM> deleted;
    std::function<LRESULT(HTREEITEM, unsigned)> onExpanding;
    bool refuseEdit = false;
    bool takeText = true;
};

struct TreeFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(1, tree.Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS,
                                 owner.GetWidget(), 7, &owner));
        tree.GetWidget()->resize(300, 300);
        owner.GetWidget()->show();
    }
    std::vector<std::string> Children(HTREEITEM parent) const {
        std::vector<std::string> names;
        for (HTREEITEM c = tree.GetChildItem(parent); c != nullptr; c = tree.GetNextSiblingItem(c))
            names.push_back(tree.GetItemText(c));
        return names;
    }
    Owner owner;
    CTreeCtrl tree;
};

void Pump() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

TEST_F(TreeFixture, WalksParentsChildrenAndSiblings) {
    HTREEITEM root = tree.InsertItem("Quarn [10.0.0.1]", 4, 5);
    HTREEITEM a = tree.InsertItem("A", root);
    HTREEITEM b = tree.InsertItem("B", root);
    HTREEITEM b1 = tree.InsertItem("B1", b);
    EXPECT_EQ(root, tree.GetRootItem());
    EXPECT_EQ(nullptr, tree.GetParentItem(root));
    EXPECT_EQ(root, tree.GetParentItem(a));
    EXPECT_EQ(a, tree.GetChildItem(root));
    EXPECT_EQ(b, tree.GetNextSiblingItem(a));
    EXPECT_EQ(a, tree.GetPrevSiblingItem(b));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(b));
    EXPECT_EQ(b, tree.GetParentItem(b1));
    EXPECT_TRUE(tree.ItemHasChildren(b));
    EXPECT_FALSE(tree.ItemHasChildren(a));
    EXPECT_EQ(4u, tree.GetCount());
    int image = 0, selected = 0;
    ASSERT_TRUE(tree.GetItemImage(root, image, selected));
    EXPECT_EQ(4, image);
    EXPECT_EQ(5, selected);
    EXPECT_EQ(nullptr, tree.InsertItem("orphan", a, b)) << "`after` must be a child of `parent`";
}

TEST_F(TreeFixture, SortedInsertFollowsTheControlsAlphabeticalOrder) {
    HTREEITEM root = tree.InsertItem("root");
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA2", "Beta"})
        tree.InsertItem(name, root, TVI_SORT);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "ALPHA2", "beta", "Beta", "gamma"}),
              Children(root));
    tree.InsertItem("first", root, TVI_FIRST);
    EXPECT_EQ("first", Children(root).front());
}

TEST_F(TreeFixture, HandlesOfDeletedItemsAreNeverReused) {
    HTREEITEM root = tree.InsertItem("root");
    HTREEITEM folder = tree.InsertItem("folder", root);
    HTREEITEM child = tree.InsertItem("child", folder);
    tree.SetItemData(folder, 11);
    tree.SetItemData(child, 12);
    ASSERT_TRUE(tree.DeleteItem(folder));
    EXPECT_EQ((std::vector<LPARAM>{12, 11}), owner.deleted) << "children are reported first";
    EXPECT_FALSE(tree.IsValidItem(folder));
    EXPECT_FALSE(tree.IsValidItem(child));
    // New items never take the stale handles, so a kept handle cannot reach them.
    for (int i = 0; i < 50; ++i) {
        HTREEITEM fresh = tree.InsertItem("new", root);
        EXPECT_NE(folder, fresh);
        EXPECT_NE(child, fresh);
    }
    EXPECT_EQ("", tree.GetItemText(folder));
    EXPECT_FALSE(tree.SetItemText(folder, "x"));
    EXPECT_FALSE(tree.SelectItem(child));
    EXPECT_FALSE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_FALSE(tree.EditLabel(folder));
    EXPECT_EQ(nullptr, tree.GetParentItem(child));
    EXPECT_EQ(nullptr, tree.InsertItem("under a stale parent", folder));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_FALSE(tree.IsValidItem(root));
    EXPECT_EQ(0u, tree.GetCount());
}

TEST_F(TreeFixture, OperatorExpansionAsksFirstSoThePlaceholderCanBeReplaced) {
    HTREEITEM root = tree.InsertItem("root");
    HTREEITEM folder = tree.InsertItem("folder", root);
    tree.InsertItem("DUMY", folder);
    tree.Expand(root, TVE_EXPAND);
    owner.expanding.clear();
    owner.codes.clear();
    owner.onExpanding = [&](HTREEITEM item, unsigned action) -> LRESULT {
        if (action == TVE_EXPAND && item == folder &&
            tree.GetItemText(tree.GetChildItem(folder)) == "DUMY") {
            tree.DeleteItem(tree.GetChildItem(folder));
            tree.InsertItem("SUB2", folder, TVI_SORT);
            tree.InsertItem("SUB1", folder, TVI_SORT);
        }
        return 0;
    };
    ASSERT_TRUE(tree.ExpandByOperator(folder));
    EXPECT_EQ((std::vector<HTREEITEM>{folder}), owner.expanding);
    EXPECT_EQ((std::vector<std::string>{"SUB1", "SUB2"}), Children(folder));
    EXPECT_EQ(TVIS_EXPANDED, tree.GetItemState(folder, TVIS_EXPANDED));
    EXPECT_EQ(1, owner.Count(TVN_ITEMEXPANDED));
    Pump();
    EXPECT_FALSE(tree.GetItemRect(tree.GetChildItem(folder)).isEmpty()) << "the children show";
    ASSERT_TRUE(tree.ExpandByOperator(folder, false));
    EXPECT_EQ(0u, tree.GetItemState(folder, TVIS_EXPANDED));
}

TEST_F(TreeFixture, RefusedExpansionStaysClosed) {
    HTREEITEM folder = tree.InsertItem("folder");
    tree.InsertItem("DUMY", folder);
    owner.onExpanding = [](HTREEITEM, unsigned) -> LRESULT { return 1; };
    tree.ExpandByOperator(folder);
    EXPECT_EQ(0u, tree.GetItemState(folder, TVIS_EXPANDED));
    EXPECT_EQ(0, owner.Count(TVN_ITEMEXPANDED));
    EXPECT_FALSE(tree.Expand(folder, TVE_EXPAND));
}

TEST_F(TreeFixture, ProgramExpansionNotifiesOnlyTheFirstTime) {
    HTREEITEM folder = tree.InsertItem("folder");
    tree.InsertItem("child", folder);
    EXPECT_TRUE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_TRUE(tree.Expand(folder, TVE_COLLAPSE));
    EXPECT_TRUE(tree.Expand(folder, TVE_TOGGLE));
    EXPECT_EQ(1, owner.Count(TVN_ITEMEXPANDING));
    EXPECT_EQ(TVIS_EXPANDED | TVIS_EXPANDEDONCE,
              tree.GetItemState(folder, TVIS_EXPANDED | TVIS_EXPANDEDONCE));
}

TEST_F(TreeFixture, ExpandingHandlerThatReloadsTheTreeLeavesNoDanglingItem) {
    HTREEITEM folder = tree.InsertItem("folder");
    tree.InsertItem("DUMY", folder);
    owner.onExpanding = [&](HTREEITEM, unsigned) -> LRESULT {
        tree.DeleteAllItems();
        tree.InsertItem("fresh");
        return 0;
    };
    tree.ExpandByOperator(folder);
    EXPECT_EQ((std::vector<std::string>{"fresh"}), Children(TVI_ROOT));
    EXPECT_EQ(0, owner.Count(TVN_ITEMEXPANDED));
}

TEST_F(TreeFixture, SelectionChangesNameOldAndNewItem) {
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM b = tree.InsertItem("b");
    HTREEITEM b1 = tree.InsertItem("b1", b);
    EXPECT_TRUE(tree.ClickItem(a));
    EXPECT_TRUE(tree.SelectItem(b1));
    EXPECT_EQ(b1, tree.GetSelectedItem());
    EXPECT_EQ(TVIS_EXPANDED, tree.GetItemState(b, TVIS_EXPANDED)) << "selecting opens the parents";
    EXPECT_EQ(TVIS_SELECTED, tree.GetItemState(b1, TVIS_SELECTED));
    EXPECT_EQ(0u, tree.GetItemState(a, TVIS_SELECTED));
    using Change = std::pair<HTREEITEM, HTREEITEM>;
    EXPECT_EQ((std::vector<Change>{{nullptr, a}, {a, b1}}), owner.selections);
}

TEST_F(TreeFixture, BoldAndDropHighlightAreStates) {
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM b = tree.InsertItem("b");
    EXPECT_TRUE(tree.SetItemState(a, TVIS_BOLD, TVIS_BOLD));
    EXPECT_EQ(TVIS_BOLD, tree.GetItemState(a, TVIS_BOLD));
    EXPECT_TRUE(tree.SelectDropTarget(a));
    EXPECT_TRUE(tree.SelectDropTarget(b));
    EXPECT_EQ(b, tree.GetDropHilightItem());
    EXPECT_EQ(0u, tree.GetItemState(a, TVIS_DROPHILITED)) << "one drop target at a time";
    tree.DeleteItem(b);
    EXPECT_EQ(nullptr, tree.GetDropHilightItem());
}

TEST_F(TreeFixture, LabelEditNamesTheEditedItemNotTheSelectedOne) {
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM b = tree.InsertItem("b");
    tree.ClickItem(a);
    ASSERT_TRUE(tree.EditLabel(b));
    EXPECT_EQ(b, tree.GetEditItem());
    ASSERT_TRUE(tree.TypeLabel("bee"));
    EXPECT_EQ((std::vector<HTREEITEM>{b}), owner.begun);
    EXPECT_EQ((std::vector<HTREEITEM>{b}), owner.ended);
    EXPECT_EQ("bee", tree.GetItemText(b));
    EXPECT_EQ("a", tree.GetItemText(a));
    owner.takeText = false;
    ASSERT_TRUE(tree.EditLabel(a));
    ASSERT_TRUE(tree.TypeLabel("refused"));
    EXPECT_EQ("a", tree.GetItemText(a));
    ASSERT_TRUE(tree.EditLabel(a));
    tree.CancelEditLabel();
    EXPECT_EQ("<cancel>", owner.endTexts.back());
    owner.refuseEdit = true;
    EXPECT_FALSE(tree.EditLabel(a));
}

TEST_F(TreeFixture, HitTestAndMouseNotifications) {
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM b = tree.InsertItem("b");
    Pump();
    unsigned flags = 0;
    EXPECT_EQ(b, tree.HitTest(tree.GetItemRect(b).center(), &flags));
    EXPECT_EQ(TVHT_ONITEM, flags);
    EXPECT_EQ(nullptr, tree.HitTest(QPoint(5, 290), &flags));
    EXPECT_EQ(TVHT_NOWHERE, flags);
    EXPECT_TRUE(tree.RightClickItem(a));
    EXPECT_EQ(a, tree.HitTest(tree.GetMessagePos()));
    EXPECT_EQ(1, owner.Count(NM_RCLICK));
    EXPECT_TRUE(tree.PressKey(VK_DELETE));
    EXPECT_EQ(1, owner.Count(TVN_KEYDOWN));
}

TEST(TreeViewScreenshot, FoldersWithImagePairsAndBoldRoot) {
    CImageList images;
    images.Create(16, 16, ILC_COLOR4 | ILC_MASK, 40, 16);
    const QColor colours[] = {Qt::lightGray,         Qt::gray,     QColor(230, 190, 60),
                              QColor(250, 220, 110), Qt::darkCyan, Qt::cyan};
    for (const QColor& colour : colours) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setBrush(colour);
        p.drawRect(1, 3, 13, 10);
        p.end();
        images.Add(pixmap);
    }
    Owner owner;
    CTreeView view;
    ASSERT_TRUE(view.Create(owner.GetWidget()));
    view.GetWidget()->resize(220, 200);
    CTreeCtrl& tree = view.GetTreeCtrl();
    tree.SetImageList(&images);
    HTREEITEM root = tree.InsertItem("Quarn [127.0.0.2]", 4, 5);
    tree.SetItemState(root, TVIS_BOLD, TVIS_BOLD);
    for (const char* name : {"PICTURE", "PRESET", "LOGO", "SEQUENCE"}) {
        HTREEITEM folder = tree.InsertItem(name, 2, 3, root, TVI_SORT);
        tree.InsertItem("DUMY", 0, 1, folder);
    }
    tree.Expand(root, TVE_EXPAND);
    tree.SelectItem(tree.GetChildItem(root));
    owner.GetWidget()->show();
    Pump();
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    EXPECT_TRUE(view.GetWidget()->grab().toImage().save(QUARN_SCREENSHOT_DIR "/tree_view.png"));
}

TEST(TreeCtrlLifetime, CallsAfterTheWindowWentFailHarmlessly) {
    Owner owner;
    CTreeCtrl tree;
    ASSERT_EQ(1, tree.Create(TVS_HASBUTTONS, owner.GetWidget(), 1, &owner));
    HTREEITEM root = tree.InsertItem("root");
    delete tree.GetWidget();
    EXPECT_FALSE(tree.IsValidItem(root));
    EXPECT_FALSE(tree.DeleteItem(root));
    EXPECT_EQ(nullptr, tree.InsertItem("x"));
    EXPECT_EQ(nullptr, tree.GetSelectedItem());
    EXPECT_EQ(nullptr, tree.HitTest(QPoint(1, 1)));
    EXPECT_FALSE(tree.EditLabel(root));
}
