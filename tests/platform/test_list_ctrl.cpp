// The list control: items and their data, modes, columns, selection notifications, the
// label-edit protocol, the sort callback and the delete notifications that free item data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "platform/ImageList.h"
#include "platform/LabelEditDelegate.h"
#include "platform/ListCtrl.h"
#include "platform/ListView.h"

using namespace platform;

namespace {

// An owner that records every notification and answers label edits as the test says.
class Owner : public CWnd {
public:
    Owner() {
        AttachWidget(new QWidget);
        GetWidget()->resize(400, 300);
    }
    ~Owner() override { delete GetWidget(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(hdr->code);
        switch (hdr->code) {
            case LVN_BEGINLABELEDIT:
                return refuseEdit ? 1 : 0;
            case LVN_ENDLABELEDIT: {
                auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
                endTexts.push_back(info->item.pszText == nullptr ? "<cancel>" : info->item.pszText);
                if (onEnd)
                    onEnd(info->item.iItem);
                return takeText ? 1 : 0;
            }
            case LVN_DELETEITEM:
                deleted.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->lParam);
                return 0;
            case LVN_DELETEALLITEMS:
                return suppressPerItem ? 1 : 0;
            case LVN_ITEMCHANGED: {
                auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
                if (((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) != 0)
                    selectionChanges.push_back({nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0});
                return 0;
            }
            case LVN_COLUMNCLICK:
                columnsClicked.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
                return 0;
            case NM_RCLICK:
            case NM_DBLCLK:
                activated.push_back(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem);
                return 0;
            case LVN_KEYDOWN:
                keys.push_back(reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey);
                return 0;
            default:
                return 0;
        }
    }
    int Count(int code) const {
        return static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }

    std::vector<int> codes;
    std::vector<std::string> endTexts;
    std::vector<LPARAM> deleted;
    std::vector<std::pair<int, bool>> selectionChanges;
    std::vector<int> columnsClicked;
    std::vector<int> activated;
    std::vector<unsigned> keys;
    std::function<void(int)> onEnd;
    bool refuseEdit = false;
    bool takeText = true;
    bool suppressPerItem = false;
};

struct ListFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(1, list.Create(LVS_REPORT | LVS_EDITLABELS, owner.GetWidget(), 42, &owner));
        list.GetWidget()->resize(400, 300);
        owner.GetWidget()->show();
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 200);
        list.InsertColumn(1, "Size", LVCFMT_RIGHT, 110);
    }
    void Fill(const std::vector<std::string>& names) {
        for (size_t i = 0; i < names.size(); ++i) {
            const int at = list.InsertItem(static_cast<int>(i), names[i]);
            list.SetItemData(at, static_cast<LPARAM>(100 + i));
            list.SetItemText(at, 1, std::to_string(i * 10));
        }
    }
    Owner owner;
    CListCtrl list;
};

void Pump() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

TEST_F(ListFixture, ItemsKeepTextsDataAndImagesByPosition) {
    Fill({"A.PIC", "B.DNL", "C"});
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(1, list.InsertItem(1, "middle", 4));
    EXPECT_EQ("middle", list.GetItemText(1, 0));
    EXPECT_EQ(4, list.GetItemImage(1));
    EXPECT_EQ("B.DNL", list.GetItemText(2, 0));
    EXPECT_EQ(101, list.GetItemData(2)) << "later items shift";
    EXPECT_EQ("10", list.GetItemText(2, 1));
    EXPECT_EQ(4, list.InsertItem(99, "past the end")) << "an index past the end appends";
    EXPECT_EQ("", list.GetItemText(1, 1)) << "a sub-item never written reads empty";
    EXPECT_EQ("", list.GetItemText(17, 0));
    EXPECT_FALSE(list.SetItemText(0, 5, "no such column"));
    EXPECT_EQ(0, list.GetItemData(-1));
    EXPECT_EQ(-1, list.InsertItem(-1, "negative"));
}

TEST_F(ListFixture, ColumnsKeepTheirWidthsAcrossModeSwitches) {
    EXPECT_EQ(2, list.GetColumnCount());
    EXPECT_EQ(200, list.GetColumnWidth(0));
    EXPECT_EQ(110, list.GetColumnWidth(1));
    EXPECT_TRUE(list.SetColumnWidth(0, 150));
    for (unsigned mode : {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT}) {
        list.ModifyStyle(LVS_TYPEMASK, mode);
        EXPECT_EQ(mode, list.GetStyle() & LVS_TYPEMASK);
    }
    EXPECT_EQ(150, list.GetColumnWidth(0));
    EXPECT_EQ(110, list.GetColumnWidth(1));
    EXPECT_EQ(0, list.GetColumnWidth(7));
}

TEST_F(ListFixture, SelectionSurvivesModeSwitchesAndReportsEveryChange) {
    Fill({"a", "b", "c", "d"});
    owner.selectionChanges.clear();
    EXPECT_TRUE(list.ClickItem(1));
    EXPECT_TRUE(list.ClickItem(3, Qt::ControlModifier));
    EXPECT_EQ((std::vector<int>{1, 3}), list.GetSelectedItems());
    list.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
    EXPECT_EQ((std::vector<int>{1, 3}), list.GetSelectedItems());
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(3, list.GetNextItem(1, LVNI_SELECTED));
    EXPECT_EQ(-1, list.GetNextItem(3, LVNI_SELECTED));
    EXPECT_TRUE(list.SetItemState(1, 0, LVIS_SELECTED));
    EXPECT_EQ(1, list.GetSelectedCount());
    const std::vector<std::pair<int, bool>> expected{{1, true}, {3, true}, {1, false}};
    EXPECT_EQ(expected, owner.selectionChanges) << "program changes are reported as well";
    EXPECT_TRUE(list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(4, list.GetSelectedCount());
}

TEST_F(ListFixture, SingleSelectionStyleKeepsOneItem) {
    list.ModifyStyle(0, LVS_SINGLESEL);
    Fill({"a", "b"});
    list.ClickItem(0);
    list.ClickItem(1, Qt::ControlModifier);
    EXPECT_EQ((std::vector<int>{1}), list.GetSelectedItems());
}

TEST_F(ListFixture, DropHighlightIsAStateOfOneItemAtATime) {
    Fill({"a", "b"});
    EXPECT_TRUE(list.SetItemState(1, LVIS_DROPHILITED, LVIS_DROPHILITED));
    EXPECT_EQ(LVIS_DROPHILITED, list.GetItemState(1, LVIS_DROPHILITED));
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_DROPHILITED));
    EXPECT_EQ(0u, list.GetItemState(1, LVIS_SELECTED)) << "the highlight is no selection";
    list.SetItemState(-1, 0, LVIS_DROPHILITED);
    EXPECT_EQ(-1, list.GetNextItem(-1, LVNI_DROPHILITED));
}

TEST_F(ListFixture, SortCallbackOrdersByItemDataAndSelectionFollows) {
    Fill({"c", "a", "b"});  // data 100, 101, 102
    list.SetItemData(0, 3);
    list.SetItemData(1, 1);
    list.SetItemData(2, 2);
    list.ClickItem(0);  // "c"
    LPARAM seenSortData = 0;
    static LPARAM* s_seen;
    s_seen = &seenSortData;
    ASSERT_TRUE(list.SortItems(
        [](LPARAM a, LPARAM b, LPARAM data) -> int {
            *s_seen = data;
            return data < 0 ? static_cast<int>(b - a) : static_cast<int>(a - b);
        },
        -2));
    EXPECT_EQ(-2, seenSortData);
    EXPECT_EQ("c", list.GetItemText(0, 0));
    EXPECT_EQ("a", list.GetItemText(2, 0));
    EXPECT_EQ((std::vector<int>{0}), list.GetSelectedItems());
    ASSERT_TRUE(list.SortItems([](LPARAM a, LPARAM b) { return static_cast<int>(a - b); }));
    EXPECT_EQ("a", list.GetItemText(0, 0));
    EXPECT_EQ("b", list.GetItemText(1, 0));
    EXPECT_EQ((std::vector<int>{2}), list.GetSelectedItems())
        << "the selection moved with its item";
    EXPECT_EQ("0", list.GetItemText(2, 1)) << "sub-items move with their item";
}

TEST_F(ListFixture, FindItemIsExactAndCaseSensitive) {
    Fill({"New Folder", "new folder", "New Folder(2)"});
    EXPECT_EQ(0, list.FindItem("New Folder"));
    EXPECT_EQ(1, list.FindItem("new folder"));
    EXPECT_EQ(-1, list.FindItem("New"));
    EXPECT_EQ(-1, list.FindItem("New Folder", 0)) << "the search starts after `start`";
    EXPECT_EQ(2, list.FindItem("New Folder(2)", 0));
}

TEST_F(ListFixture, DeleteNotificationsHandEveryItemsDataBack) {
    Fill({"a", "b", "c"});
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ((std::vector<LPARAM>{101}), owner.deleted);
    EXPECT_EQ("c", list.GetItemText(1, 0));
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ((std::vector<LPARAM>{101, 100, 102}), owner.deleted);
    EXPECT_EQ(0, list.GetItemCount());
    Fill({"x"});
    owner.suppressPerItem = true;  // an owner answering DELETEALLITEMS with TRUE gets no more
    owner.deleted.clear();
    list.DeleteAllItems();
    EXPECT_TRUE(owner.deleted.empty());
}

TEST_F(ListFixture, DeletingSelectedItemsRaisesNoStateChangeForGoneItems) {
    Fill({"a", "b"});
    list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    owner.selectionChanges.clear();
    list.DeleteAllItems();
    EXPECT_TRUE(owner.selectionChanges.empty());
}

TEST_F(ListFixture, LabelEditCommitsOnlyWhenTheOwnerTakesTheText) {
    Fill({"old", "other"});
    ASSERT_TRUE(list.EditLabel(0));
    EXPECT_TRUE(list.IsEditingLabel());
    EXPECT_EQ(0, list.GetEditItem());
    ASSERT_TRUE(list.TypeLabel("new"));
    EXPECT_FALSE(list.IsEditingLabel());
    EXPECT_EQ("new", list.GetItemText(0, 0));
    owner.takeText = false;
    ASSERT_TRUE(list.EditLabel(1));
    ASSERT_TRUE(list.TypeLabel("refused"));
    EXPECT_EQ("other", list.GetItemText(1, 0));
    EXPECT_EQ((std::vector<std::string>{"new", "refused"}), owner.endTexts);
    EXPECT_EQ(2, owner.Count(LVN_BEGINLABELEDIT));
}

TEST_F(ListFixture, CancelledEditEndsOnceWithoutText) {
    Fill({"a"});
    ASSERT_TRUE(list.EditLabel(0));
    ASSERT_TRUE(list.TypeLabel("typed", false));
    EXPECT_EQ((std::vector<std::string>{"<cancel>"}), owner.endTexts);
    EXPECT_EQ("a", list.GetItemText(0, 0));
    ASSERT_TRUE(list.EditLabel(0));
    list.CancelEditLabel();
    EXPECT_EQ(2u, owner.endTexts.size());
    EXPECT_FALSE(list.IsEditingLabel());
}

TEST_F(ListFixture, RefusedBeginOpensNoEditor) {
    Fill({"root"});
    owner.refuseEdit = true;
    EXPECT_FALSE(list.EditLabel(0));
    EXPECT_FALSE(list.IsEditingLabel());
    EXPECT_TRUE(owner.endTexts.empty()) << "no end without a begin";
}

TEST_F(ListFixture, EditLabelFromTheEndNotificationRestartsTheEdit) {
    Fill({"name", "taken"});
    owner.takeText = false;
    int restarts = 0;
    owner.onEnd = [&](int item) {
        if (restarts++ == 0) {
            EXPECT_TRUE(list.EditLabel(item));
        }
    };
    ASSERT_TRUE(list.EditLabel(0));
    ASSERT_TRUE(list.TypeLabel("taken"));
    Pump();
    EXPECT_TRUE(list.IsEditingLabel()) << "the refused name is typed again";
    EXPECT_EQ(0, list.GetEditItem());
    ASSERT_TRUE(list.TypeLabel("fine"));
    EXPECT_EQ((std::vector<std::string>{"taken", "fine"}), owner.endTexts);
}

TEST_F(ListFixture, EditedItemDeletedByTheOwnerEndsTheEditSafely) {
    Fill({"a", "b"});
    owner.onEnd = [&](int item) { list.DeleteItem(item); };
    ASSERT_TRUE(list.EditLabel(0));
    ASSERT_TRUE(list.TypeLabel("x"));
    EXPECT_EQ(1, list.GetItemCount());
    EXPECT_EQ("b", list.GetItemText(0, 0)) << "the text went nowhere else";
}

TEST(LabelEditText, CharactersBeyondLatin1NeverPassAsPlainBytes) {
    using platform::detail::LabelEditDelegate;
    EXPECT_EQ("A.PIC", LabelEditDelegate::ProgramText("A.PIC"));
    EXPECT_EQ("caf\xE9", LabelEditDelegate::ProgramText(QString::fromUtf8("caf\u00e9")));
    // A euro sign must not turn into '?' (a plain character a name check might let through).
    EXPECT_EQ("x\xE2\x82\xAC", LabelEditDelegate::ProgramText(QString::fromUtf8("x\u20ac")));
}

TEST_F(ListFixture, MouseAndKeyNotificationsNameTheItem) {
    Fill({"a", "b"});
    Pump();
    EXPECT_TRUE(list.DoubleClickItem(1));
    EXPECT_TRUE(list.RightClickItem(0));
    EXPECT_TRUE(list.RightClickItem(-1));
    EXPECT_EQ((std::vector<int>{1, 0, -1}), owner.activated);
    EXPECT_EQ((std::vector<int>{0}), list.GetSelectedItems()) << "a right click selects its item";
    EXPECT_TRUE(list.ClickColumn(1));
    EXPECT_EQ((std::vector<int>{1}), owner.columnsClicked);
    EXPECT_TRUE(list.PressKey(VK_DELETE));
    EXPECT_TRUE(list.PressKey(VK_RETURN));
    EXPECT_EQ((std::vector<unsigned>{VK_DELETE, VK_RETURN}), owner.keys);
    list.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
    EXPECT_FALSE(list.ClickColumn(1)) << "no headings outside report mode";
}

TEST_F(ListFixture, HitTestFindsTheItemUnderAPointInEveryMode) {
    Fill({"first", "second", "third"});
    for (unsigned mode : {LVS_REPORT, LVS_ICON, LVS_SMALLICON, LVS_LIST}) {
        list.ModifyStyle(LVS_TYPEMASK, mode);
        Pump();
        for (int item = 0; item < 3; ++item) {
            const QRect rect = list.GetItemRect(item);
            ASSERT_FALSE(rect.isEmpty()) << "mode " << mode;
            unsigned flags = 0;
            EXPECT_EQ(item, list.HitTest(rect.center(), &flags)) << "mode " << mode;
            EXPECT_EQ(LVHT_ONITEM, flags);
        }
        unsigned flags = 0;
        EXPECT_EQ(-1, list.HitTest(QPoint(395, 295), &flags));
        EXPECT_EQ(LVHT_NOWHERE, flags);
    }
}

TEST_F(ListFixture, TenThousandItemsFillAndSortWithoutAnyLoss) {
    list.SetRedraw(false);
    for (int i = 0; i < 10000; ++i) {
        const int at = list.InsertItem(i, "FILE" + std::to_string(i) + ".PIC", i % 8);
        list.SetItemData(at, 10000 - i);
        list.SetItemText(at, 1, std::to_string(i));
    }
    list.SetRedraw(true);
    ASSERT_EQ(10000, list.GetItemCount());
    list.SortItems([](LPARAM a, LPARAM b) { return a < b ? -1 : (a > b ? 1 : 0); });
    EXPECT_EQ("FILE9999.PIC", list.GetItemText(0, 0));
    EXPECT_EQ("9999", list.GetItemText(0, 1));
    EXPECT_EQ("FILE0.PIC", list.GetItemText(9999, 0));
    for (unsigned mode : {LVS_ICON, LVS_LIST}) {
        list.ModifyStyle(LVS_TYPEMASK, mode);
        Pump();
        EXPECT_EQ(0, list.HitTest(list.GetItemRect(0).center()));
    }
}

TEST(ListViewScreenshot, EveryModeWithIcons) {
    CImageList large, small;
    large.Create(32, 32);
    small.Create(16, 16);
    const QColor colours[] = {Qt::darkYellow, Qt::darkBlue, Qt::darkGreen, Qt::darkRed};
    for (const QColor& colour : colours) {
        for (CImageList* images : {&large, &small}) {
            QPixmap pixmap(images->GetImageSize());
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setBrush(colour);
            p.drawRoundedRect(pixmap.rect().adjusted(1, 1, -2, -2), 3, 3);
            p.end();
            images->Add(pixmap);
        }
    }
    Owner owner;
    CListView view(LVS_REPORT);
    ASSERT_TRUE(view.Create(owner.GetWidget()));
    view.GetWidget()->resize(420, 220);
    CListCtrl& list = view.GetListCtrl();
    list.SetImageList(&large, LVSIL_NORMAL);
    list.SetImageList(&small, LVSIL_SMALL);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    list.InsertColumn(1, "Size", LVCFMT_RIGHT, 110);
    const char* names[] = {"PICTURE/", "DEMO.PIC",    "BOOT.DNL",
                           "LOGO.LGO", "MSTATE1.P01", "SEQ.SEQ"};
    for (int i = 0; i < 6; ++i) {
        list.InsertItem(i, names[i], i % 4);
        list.SetItemText(i, 1, i == 0 ? "" : std::to_string(1024 * i) + " KB");
    }
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_DROPHILITED, LVIS_DROPHILITED);
    owner.GetWidget()->show();
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    for (unsigned mode : {LVS_REPORT, LVS_ICON, LVS_SMALLICON, LVS_LIST}) {
        list.ModifyStyle(LVS_TYPEMASK, mode);
        Pump();
        const QImage image = view.GetWidget()->grab().toImage();
        EXPECT_TRUE(image.save(QString(QUARN_SCREENSHOT_DIR "/list_mode_%1.png").arg(mode)));
    }
}

TEST(ListCtrlLifetime, CallsAfterTheWindowWentFailHarmlessly) {
    Owner owner;
    CListCtrl list;
    ASSERT_EQ(1, list.Create(LVS_REPORT, owner.GetWidget(), 1, &owner));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    list.InsertItem(0, "a");
    delete list.GetWidget();  // the frame closed; the program object lives on
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(0, list.GetColumnWidth(0));
    EXPECT_EQ(-1, list.InsertItem(0, "b"));
    EXPECT_FALSE(list.EditLabel(0));
    EXPECT_EQ(-1, list.HitTest(QPoint(1, 1)));
    list.RedrawItems(0, 5);
    list.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
    EXPECT_TRUE(list.GetSelectedItems().empty());
}
