// Drenlo's window against the simulator: start-up, the tree loaded on demand, the list in
// every mode and order, escaped names and refresh.
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>

#include "platform/StatusBar.h"
#include "resources/drenlo/Resource.h"
#include "tests/drenlo/test_ui_fixture.h"

namespace drenlo::testing {
namespace {

using Browse = DrenloFixture;

TEST_F(Browse, StartUpAsksForTheAddressAndShowsTheRootOfTheInstrument) {
    StartSimulator();
    ASSERT_TRUE(StartDrenlo());
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(m_dialogs.Shown(), std::vector<int>{IDD_ETHERNET});
    EXPECT_EQ(Frame()->Window()->windowTitle().toStdString(), "Drenlo");
    EXPECT_EQ(Frame()->Window()->size(), QSize(720, 560));
    platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    ASSERT_NE(Tree()->GetRootFolder(), nullptr);
    EXPECT_EQ(tree.GetItemText(Tree()->GetRootFolder()), "Quarn [" + m_address + "]");
    EXPECT_EQ(tree.GetSelectedItem(), Tree()->GetRootFolder());
    EXPECT_NE(tree.GetItemState(Tree()->GetRootFolder(), platform::TVIS_BOLD), 0u);
    EXPECT_EQ(TreeChildren(Tree()->GetRootFolder()),
              (std::vector<std::string>{"CPU", "Oltra", "Tavix"}));
    EXPECT_EQ(List()->GetFolder(), "/F0:/");
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"CPU", "Oltra", "Tavix"}));
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(1), "3 object[s]");
    bool identity = false;
    for (const std::string& line : TakeLines()) identity = identity || line == "*idn?";
    EXPECT_TRUE(identity);
}

TEST_F(Browse, CancelledAddressLeavesDrenloRunningWithTheLinkCommandsGreyed) {
    StartSimulator();
    ASSERT_TRUE(
        StartDrenlo([](platform::CDialog& dialog) { dialog.ClickButton(platform::IDCANCEL); }));
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->IsWindow());
    EXPECT_FALSE(Comm()->IsConnected());
    EXPECT_EQ(Tree()->GetTreeCtrl().GetCount(), 0u);
    for (int id : {ID_PC_TO_QUARN, ID_QUARN_TO_PC, ID_NEW_FOLDER, ID_DELETE, ID_RENAME, ID_REFRESH,
                   ID_CHECK_ERROR, ID_UP_ONE_LEVEL})
        EXPECT_FALSE(Frame()->IsCommandEnabled(id)) << id;
    for (int id :
         {ID_VIEW_LARGE_ICONS, ID_VIEW_SMALL_ICONS, ID_VIEW_LIST, ID_VIEW_DETAILS, ID_SORT_BY_NAME,
          ID_SORT_BY_SIZE, ID_NETWORK, ID_OPTIONS, platform::ID_APP_ABOUT})
        EXPECT_TRUE(Frame()->IsCommandEnabled(id)) << id;
    EXPECT_TRUE(TakeLines().empty());
}

TEST_F(Browse, FoldersAreReadWhenFirstExpandedAndOnlyOnce) {
    StartConnected();
    platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    ASSERT_NE(tavix, nullptr);
    // Not read yet: a placeholder child gives the expand button.
    EXPECT_EQ(TreeChildren(tavix), std::vector<std::string>{CUiTreeView::kPlaceholder});
    EXPECT_TRUE(TakeLines().empty());
    tree.ExpandByOperator(tavix);
    EXPECT_EQ(TreeChildren(tavix), (std::vector<std::string>{"EMPTY", "PICTURE", "SIGNAL"}));
    EXPECT_EQ(CountLines("mmem:cat?"), 1);
    tree.ExpandByOperator(tavix, false);
    tree.ExpandByOperator(tavix);
    EXPECT_EQ(CountLines("mmem:cat?"), 0);
    // A folder without subfolders loses its expand button once read.
    platform::HTREEITEM empty = Tree()->FindChild(tavix, "EMPTY");
    tree.ExpandByOperator(empty);
    EXPECT_TRUE(TreeChildren(empty).empty());
}

TEST_F(Browse, ExpandingTheFolderTheListShowsReadsNoListing) {
    StartConnected();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    Tree()->GetTreeCtrl().SelectItem(tavix);
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix");
    EXPECT_EQ(CountLines("mmem:cat?"), 1);
    Tree()->GetTreeCtrl().ExpandByOperator(tavix);
    EXPECT_EQ(CountLines("mmem:cat?"), 0);
    EXPECT_EQ(TreeChildren(tavix), (std::vector<std::string>{"EMPTY", "PICTURE", "SIGNAL"}));
}

TEST_F(Browse, AFailedListingKeepsTheFolderExpandableForALaterTry) {
    StartConnected();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    m_sim->SwallowNextReply();
    m_boxes.ExpectAny(platform::IDOK);  // the link's socket error
    Tree()->GetTreeCtrl().ExpandByOperator(tavix);
    EXPECT_EQ(TreeChildren(tavix), std::vector<std::string>{CUiTreeView::kPlaceholder});
    ASSERT_FALSE(Comm()->IsConnected());
    ASSERT_EQ(Comm()->Connect(), 1);
    Tree()->GetTreeCtrl().ExpandByOperator(tavix, false);
    Tree()->ExpandFolder(tavix);
    EXPECT_EQ(TreeChildren(tavix), (std::vector<std::string>{"EMPTY", "PICTURE", "SIGNAL"}));
}

TEST_F(Browse, TheListShowsTheFolderWithEscapedNamesSizesAndSortsBothWays) {
    StartConnected();
    ASSERT_NE(OpenFolder("/F0:/Tavix/SIGNAL"), nullptr);
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix/SIGNAL");
    // Names stay in the instrument's listed form: that is what goes back into commands.
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"OLD", "A.DNL", "BARS-100.CMP", "LINE UP.PST",
                                                     "Ramp Y.CMP", "ZONE.PIC"}));
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(1), "6 object[s]");
    platform::CListCtrl& list = List()->GetListCtrl();
    EXPECT_EQ(list.GetItemText(ListIndex("OLD"), 1), "");
    EXPECT_FALSE(list.GetItemText(ListIndex("ZONE.PIC"), 1).empty());

    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_DETAILS));  // the column headers show
    ASSERT_TRUE(list.ClickColumn(0));  // the current key again: reversed, folders last
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"ZONE.PIC", "Ramp Y.CMP", "LINE UP.PST",
                                                     "BARS-100.CMP", "A.DNL", "OLD"}));
    ASSERT_TRUE(list.ClickColumn(1));  // by size, smallest first
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"OLD", "A.DNL", "Ramp Y.CMP", "LINE UP.PST",
                                                     "BARS-100.CMP", "ZONE.PIC"}));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_SORT_BY_SIZE));
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"ZONE.PIC", "BARS-100.CMP", "LINE UP.PST",
                                                     "Ramp Y.CMP", "A.DNL", "OLD"}));
    EXPECT_EQ(List()->GetSortKey(), -2);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_SORT_BY_NAME));
    EXPECT_EQ(List()->GetSortKey(), 1);
    EXPECT_EQ(ListNames().front(), "OLD");
}

// An empty folder's listing in either form the instrument uses shows an empty folder with the
// memory it lists; a listing that does not begin with two numbers shows nothing of it either,
// but its memory figures are not taken.
struct EmptyListingCase {
    const char* name;
    bool comma;         // the simulator's own listing, in this form
    const char* reply;  // or this reply instead; null: the simulator's
    bool reads;
};

void PrintTo(const EmptyListingCase& listing, std::ostream* out) {
    *out << listing.name;
}

class EmptyFolder : public DrenloFixture, public ::testing::WithParamInterface<EmptyListingCase> {};

TEST_P(EmptyFolder, ShowsNoItemsAndTheListedMemoryOnlyWhenTheListingReads) {
    m_emptyCatalogComma = GetParam().comma;
    StartConnected();
    m_sim->SetMemoryBytes(1000, 2000);
    platform::HTREEITEM tavix = OpenFolder("/F0:/Tavix");
    ASSERT_NE(tavix, nullptr);
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(2), "0 bytes [Memory free: 1.95KB]");
    m_sim->SetMemoryBytes(2000, 3 * 1048576.0);
    if (GetParam().reply != nullptr)
        m_sim->SetReplyOverride("mmem:cat?", GetParam().reply);
    Tree()->GetTreeCtrl().ExpandByOperator(tavix);
    platform::HTREEITEM empty = Tree()->FindChild(tavix, "EMPTY");
    ASSERT_NE(empty, nullptr);

    Tree()->GetTreeCtrl().ClickItem(empty);

    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix/EMPTY");
    EXPECT_TRUE(ListNames().empty());
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(1), "0 object[s]");
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(2),
              GetParam().reads ? "0 bytes [Memory free: 3.00MB]" : "0 bytes [Memory free: 1.95KB]");
    Tree()->GetTreeCtrl().ExpandByOperator(empty);
    EXPECT_TRUE(TreeChildren(empty).empty());
    EXPECT_TRUE(Comm()->IsConnected());
}

INSTANTIATE_TEST_SUITE_P(ListingForms, EmptyFolder,
                         ::testing::Values(EmptyListingCase{"CountsAlone", false, nullptr, true},
                                           EmptyListingCase{"CountsAndAComma", true, nullptr, true},
                                           EmptyListingCase{"OneCount", false, "2000", false},
                                           EmptyListingCase{"OneCountAndAComma", false, "2000,",
                                                            false},
                                           EmptyListingCase{"NoNumbers", false, "x,y,", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Browse, NamesWithEscapesShowAsMeantAndStillReachTheirFolder) {
    StartSimulator();
    QDir().mkpath(QString::fromStdString(InstrumentFile("Tavix/MY CLIPS-2/SUB")));
    WriteFile(InstrumentFile("Tavix/MY CLIPS-2/A B.PIC"), "ab");
    ASSERT_TRUE(StartDrenlo());
    Tree()->GetTreeCtrl().SelectItem(Tree()->FindChild(Tree()->GetRootFolder(), "Tavix"));
    ASSERT_GE(ListIndex("MY CLIPS-2"), 0);
    TakeLines();
    List()->GetListCtrl().DoubleClickItem(ListIndex("MY CLIPS-2"));
    // The path goes out in the listed form the instrument gave.
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix/MY^CLIPS`h2");
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"SUB", "A B.PIC"}));
    platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), "MY CLIPS-2");
    tree.ExpandByOperator(tree.GetSelectedItem());
    EXPECT_EQ(TreeChildren(tree.GetSelectedItem()), std::vector<std::string>{"SUB"});
    tree.SelectItem(tree.GetChildItem(tree.GetSelectedItem()));
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix/MY^CLIPS`h2/SUB");
}

TEST_F(Browse, EveryViewModeFromTheMenuAndTheToolBarIsChecked) {
    StartConnected();
    const std::pair<int, int> modes[] = {{ID_VIEW_DETAILS, 1},
                                         {ID_VIEW_SMALL_ICONS, 2},
                                         {ID_VIEW_LIST, 3},
                                         {ID_VIEW_LARGE_ICONS, 0}};
    for (const auto& [id, mode] : modes) {
        ASSERT_TRUE(Frame()->m_wndToolBar->ClickButton(id)) << id;
        EXPECT_EQ(List()->GetViewMode(), mode);
        Frame()->m_wndToolBar->UpdateButtons();
        EXPECT_TRUE(Frame()->m_wndToolBar->IsButtonChecked(id));
        EXPECT_EQ(ListNames(), (std::vector<std::string>{"CPU", "Oltra", "Tavix"}));
    }
}

TEST_F(Browse, OpeningAFolderInTheListSelectsItInTheTreeAndUpGoesBack) {
    StartConnected();
    List()->GetListCtrl().DoubleClickItem(ListIndex("Tavix"));
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix");
    EXPECT_EQ(Tree()->GetTreeCtrl().GetItemText(Tree()->GetTreeCtrl().GetSelectedItem()), "Tavix");
    List()->GetListCtrl().DoubleClickItem(ListIndex("SIGNAL"));
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix/SIGNAL");
    Frame()->m_wndToolBar->UpdateButtons();
    EXPECT_TRUE(Frame()->m_wndToolBar->IsButtonEnabled(ID_UP_ONE_LEVEL));
    ASSERT_TRUE(Frame()->m_wndToolBar->ClickButton(ID_UP_ONE_LEVEL));
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix");
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_UP_ONE_LEVEL));
    EXPECT_EQ(List()->GetFolder(), "/F0:/");
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_UP_ONE_LEVEL));
}

TEST_F(Browse, RefreshShowsWhatChangedOnTheInstrument) {
    StartConnected();
    platform::HTREEITEM tavix = OpenFolder("/F0:/Tavix");
    ASSERT_NE(tavix, nullptr);
    QDir().mkpath(QString::fromStdString(InstrumentFile("Tavix/NEW")));
    WriteFile(InstrumentFile("Tavix/X.LGO"), "x");
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_REFRESH));
    EXPECT_GE(ListIndex("NEW"), 0);
    EXPECT_GE(ListIndex("X.LGO"), 0);
    EXPECT_EQ(TreeChildren(tavix), (std::vector<std::string>{"EMPTY", "NEW", "PICTURE", "SIGNAL"}));
}

TEST_F(Browse, ALocaleChangeRewritesTheSizeTexts) {
    StartConnected();
    OpenFolder("/F0:/Tavix/SIGNAL");
    platform::CListCtrl& list = List()->GetListCtrl();
    const int zone = ListIndex("ZONE.PIC");
    const std::string size = list.GetItemText(zone, 1);
    list.SetItemText(zone, 1, "stale");
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(Frame()->Window(), &change);
    Pump(20);  // the change arrives as a queued WM_SETTINGCHANGE
    EXPECT_EQ(list.GetItemText(zone, 1), size);
}

TEST_F(Browse, AHugeFreeMemoryFigureIsCutInItsPaneAndTheWindowKeepsItsWidth) {
    StartConnected();
    Pump(20);
    QMainWindow* window = Frame()->Window();
    const int width = window->width();
    const QRect objects = Frame()->m_wndStatusBar.GetItemRect(1);
    m_sim->SetMemoryBytes(1000, 1e300);
    OpenFolder("/F0:/Tavix/SIGNAL");
    Pump(20);
    const std::string sizes = Frame()->m_wndStatusBar.GetPaneText(2);
    EXPECT_NE(sizes.find("[Memory free: "), std::string::npos) << sizes;
    EXPECT_GT(sizes.size(), 300u) << sizes;
    EXPECT_EQ(window->width(), width);
    EXPECT_LE(window->frameGeometry().width(), window->screen()->availableGeometry().width());
    EXPECT_EQ(Frame()->m_wndStatusBar.GetItemRect(1), objects);
    EXPECT_LE(Frame()->m_wndStatusBar.GetItemRect(2).right(),
              Frame()->m_wndStatusBar.Bar()->contentsRect().right());
}

// The main window's pictures, saved under the build tree's screenshots/ to be looked at, show
// one folder's files in two of the list's modes beside a tree with another folder open.
TEST_F(Browse, MainWindowScreenshot) {
    StartConnected();
    OpenFolder("/F0:/Tavix/SIGNAL");
    const platform::HTREEITEM oltra = Tree()->FindChild(Tree()->GetRootFolder(), "Oltra");
    ASSERT_NE(oltra, nullptr);
    Tree()->GetTreeCtrl().ExpandByOperator(oltra);
    EXPECT_NE(TreeChildren(oltra), std::vector<std::string>{CUiTreeView::kPlaceholder});
    EXPECT_FALSE(TreeChildren(oltra).empty());
    const std::vector<std::string> files = ListNames();
    EXPECT_FALSE(files.empty());
    const std::pair<int, const char*> modes[] = {{ID_VIEW_LARGE_ICONS, "drenlo_main_large_icons"},
                                                 {ID_VIEW_DETAILS, "drenlo_main_details"}};
    for (const auto& [command, picture] : modes) {
        ASSERT_TRUE(Frame()->ExecuteCommand(command));
        Pump(50);
        EXPECT_EQ(List()->GetViewMode(), command == ID_VIEW_DETAILS ? 1 : 0);
        EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix/SIGNAL");
        EXPECT_EQ(ListNames(), files);
        SaveScreenshot(Frame()->Window(), picture);
    }
}

}  // namespace
}  // namespace drenlo::testing

namespace drenlo::testing {
namespace {

using Settings = DrenloFixture;

TEST_F(Settings, TheLastRunsListModeOrderAndSizesComeBack) {
    StartSimulator();
    WriteSetting("PrivateSetting", "-1, -1, 800, 600, 250, 1, -2, 300, 0, 90");
    ASSERT_TRUE(StartDrenlo());
    EXPECT_EQ(Frame()->Window()->size(), QSize(800, 600));
    EXPECT_EQ(List()->GetViewMode(), 1);
    EXPECT_EQ(List()->GetSortKey(), -2);
    EXPECT_EQ(List()->GetListCtrl().GetColumnWidth(0), 300);
    EXPECT_EQ(List()->GetListCtrl().GetColumnWidth(1), 90);
    OpenFolder("/F0:/Tavix/SIGNAL");
    // The largest file first and the folders last.
    EXPECT_EQ(ListNames().front(), "ZONE.PIC");
    EXPECT_EQ(ListNames().back(), "OLD");
    Frame()->DestroyWindow();
    m_app->ExitInstance();
    // The reserved ninth value was 0 and reads back as its default.
    EXPECT_EQ(ReadSetting("PrivateSetting").substr(ReadSetting("PrivateSetting").find(", 1, -2")),
              ", 1, -2, 300, 110, 90");
}

TEST_F(Settings, AStoredWindowOffEveryScreenIsCentredAtItsSize) {
    StartSimulator();
    WriteSetting("PrivateSetting", "-30000, -30000, 0, 0, 200, 0, 1, 200, 110, 110");
    ASSERT_TRUE(StartDrenlo());
    EXPECT_EQ(Frame()->Window()->size(), QSize(720, 560));
}

}  // namespace
}  // namespace drenlo::testing
