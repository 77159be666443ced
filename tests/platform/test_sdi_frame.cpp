// A single-document frame as the file transfer program builds it: the template makes the
// document and the frame; the frame holds a tool bar, a three-pane status bar and a static
// splitter with a tree view beside a list view; both views take drops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QPainter>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <array>

#include "platform/Document.h"
#include "platform/DropTarget.h"
#include "platform/FrameWnd.h"
#include "platform/ListView.h"
#include "platform/SingleDocTemplate.h"
#include "platform/SplitterWnd.h"
#include "platform/StatusBar.h"
#include "platform/StringTable.h"
#include "platform/ToolBar.h"
#include "platform/TreeView.h"
#include "platform/WindowPlacement.h"

using namespace platform;

namespace {

constexpr int ID_UP = 32771;
constexpr int ID_REFRESH = 32772;
constexpr int ID_DELETE = 32796;
constexpr int ID_PANE_OBJECTS = 59142;
constexpr int ID_PANE_SIZE = 59143;

QIcon DrawIcon(QColor colour) {
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setBrush(colour);
    p.drawEllipse(2, 2, 11, 10);
    return QIcon(pixmap);
}

class TestDoc : public CDocument {
public:
    ~TestDoc() override { ++s_deleted; }
    static int s_deleted;
};
int TestDoc::s_deleted = 0;

class TestListView : public CListView {
public:
    TestListView() : CListView(LVS_REPORT | LVS_EDITLABELS) {
        OnCommandId(ID_DELETE, [this] { ++deletes; });
        OnUpdateCommand(ID_DELETE,
                        [this](CCmdUI* ui) { ui->Enable(GetListCtrl().GetSelectedCount() > 0); });
    }
    int OnCreate() override {
        GetListCtrl().InsertColumn(0, "Name", LVCFMT_LEFT, 200);
        GetListCtrl().InsertColumn(1, "Size", LVCFMT_RIGHT, 110);
        return 0;
    }
    void OnInitialUpdate() override { ++initialUpdates; }
    BOOL OnNotify(int code, void*, LRESULT* result) override {
        notifications.push_back(code);
        *result = 0;
        return TRUE;
    }
    int deletes = 0;
    int initialUpdates = 0;
    std::vector<int> notifications;
};

class TestFrame : public CFrameWnd {
public:
    explicit TestFrame(CCreateContext& context) : m_context(context) {}
    int OnCreate() override {
        if (!m_toolBar.CreateEx(this) ||
            !m_toolBar.LoadToolBar({128,
                                    {16, 15},
                                    {{ID_UP, DrawIcon(Qt::darkGreen)},
                                     {ID_REFRESH, DrawIcon(Qt::darkBlue)},
                                     {0, {}},
                                     {ID_DELETE, DrawIcon(Qt::darkRed)}}}))
            return -1;
        if (!m_statusBar.Create(this) ||
            !m_statusBar.SetIndicators({ID_SEPARATOR, ID_PANE_OBJECTS, ID_PANE_SIZE}))
            return -1;
        m_statusBar.SetPaneInfo(0, ID_SEPARATOR, SBPS_NORMAL, 80);
        m_statusBar.SetPaneInfo(1, ID_PANE_OBJECTS, SBPS_NORMAL, 80);
        m_statusBar.SetPaneInfo(2, ID_PANE_SIZE, SBPS_STRETCH, 0);
        if (!m_splitter.CreateStatic(this, 1, 2))
            return -1;
        auto tree = std::make_unique<CTreeView>();
        auto list = std::make_unique<TestListView>();
        treeView = tree.get();
        listView = list.get();
        if (!m_splitter.CreateView(0, 0, std::move(tree), QSize(150, 50),
                                   m_context.m_pCurrentDoc) ||
            !m_splitter.CreateView(0, 1, std::move(list), QSize(0, 0), m_context.m_pCurrentDoc))
            return -1;
        SetActiveView(listView);
        OnCommandId(ID_REFRESH, [this] { ++refreshes; });
        return 0;
    }
    CCreateContext& m_context;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CSplitterWnd m_splitter;
    CTreeView* treeView = nullptr;
    TestListView* listView = nullptr;
    int refreshes = 0;
};

const MenuTemplate kMenu{128,
                         {Submenu("&View", {MenuItem("&Toolbar", ID_VIEW_TOOLBAR),
                                            MenuItem("&Status Bar", ID_VIEW_STATUS_BAR)})}};

struct SdiFixture : ::testing::Test {
    void SetUp() override {
        RegisterStrings({{ID_UP, "Goes up one level\nUp One Level"},
                         {ID_REFRESH, "Reads the folder again\nRefresh"},
                         {ID_DELETE, "Deletes the selection\nDelete"},
                         {ID_PANE_OBJECTS, "0 objects"},
                         {ID_PANE_SIZE, "0 bytes"},
                         {AFX_IDS_IDLEMESSAGE, "Ready"}});
        TestDoc::s_deleted = 0;
        docTemplate = std::make_unique<CSingleDocTemplate>(
            128, "Drenlo\n\nHolvik\n\n\nDrenlo.Document\nDrenlo Document",
            [] { return std::make_unique<TestDoc>(); },
            [this](CCreateContext& context) -> std::unique_ptr<CFrameWnd> {
                auto f = std::make_unique<TestFrame>(context);
                if (!f->LoadFrame(kMenu, "Drenlo"))
                    return nullptr;
                frame = f.get();
                return f;
            });
        document = docTemplate->OpenDocumentFile("", SW_SHOW);
        ASSERT_NE(nullptr, document);
        frame->GetWidget()->resize(720, 400);
        QApplication::processEvents();
    }
    std::unique_ptr<CSingleDocTemplate> docTemplate;
    TestFrame* frame = nullptr;
    CDocument* document = nullptr;
};

}  // namespace

TEST_F(SdiFixture, TemplateMakesOneDocumentWithBothViewsAndTearsDownInOrder) {
    std::string name;
    EXPECT_TRUE(docTemplate->GetDocString(name, CMultiDocTemplate::fileNewName));
    EXPECT_EQ("Holvik", name);
    EXPECT_EQ(frame, docTemplate->GetFrame());
    EXPECT_EQ(2u, document->GetViews().size());
    EXPECT_EQ(document, frame->listView->GetDocument());
    EXPECT_EQ(1, frame->listView->initialUpdates);
    EXPECT_EQ(document, docTemplate->OpenDocumentFile("")) << "a second New reuses the document";
    docTemplate->CloseAllDocuments();
    EXPECT_EQ(1, TestDoc::s_deleted);
    EXPECT_EQ(nullptr, docTemplate->GetFrame());
}

TEST_F(SdiFixture, FailingFrameLeavesNothingBehind) {
    CSingleDocTemplate failing(
        128, "x", [] { return std::make_unique<TestDoc>(); },
        [](CCreateContext&) -> std::unique_ptr<CFrameWnd> { return nullptr; });
    EXPECT_EQ(nullptr, failing.OpenDocumentFile(""));
    EXPECT_EQ(1, TestDoc::s_deleted);
}

TEST_F(SdiFixture, SplitterColumnWidthsReadBackAfterTheOperatorDrags) {
    int current = 0, minimum = 0;
    frame->m_splitter.GetColumnInfo(0, current, minimum);
    EXPECT_EQ(150, current);
    QSplitter* splitter = frame->m_splitter.Splitter();
    splitter->setSizes({260, splitter->width() - 260 - splitter->handleWidth()});
    QApplication::processEvents();
    frame->m_splitter.GetColumnInfo(0, current, minimum);
    EXPECT_EQ(260, current);
    frame->GetWidget()->resize(900, 400);
    QApplication::processEvents();
    frame->m_splitter.GetColumnInfo(0, current, minimum);
    EXPECT_EQ(260, current) << "a wider frame widens the list only";
    EXPECT_EQ(frame->treeView, frame->m_splitter.GetPane(0, 0));
    EXPECT_EQ(nullptr, frame->m_splitter.GetPane(1, 0));
}

TEST_F(SdiFixture, CommandsRouteToTheActivePaneFirst) {
    CListCtrl& list = frame->listView->GetListCtrl();
    list.InsertItem(0, "A.PIC");
    EXPECT_FALSE(frame->m_toolBar.ClickButton(ID_DELETE)) << "nothing selected: disabled";
    list.ClickItem(0);
    frame->m_toolBar.UpdateButtons();
    EXPECT_TRUE(frame->m_toolBar.IsButtonEnabled(ID_DELETE));
    EXPECT_TRUE(frame->m_toolBar.ClickButton(ID_DELETE));
    EXPECT_EQ(1, frame->listView->deletes);
    frame->m_splitter.SetActivePane(0, 0);
    EXPECT_EQ(frame->treeView, frame->GetActiveView());
    EXPECT_FALSE(frame->m_toolBar.ClickButton(ID_DELETE)) << "the tree view has no Delete here";
    EXPECT_TRUE(frame->m_toolBar.ClickButton(ID_REFRESH));
    EXPECT_EQ(1, frame->refreshes);
    EXPECT_FALSE(frame->m_toolBar.IsButtonEnabled(ID_UP)) << "no handler: disabled";
}

TEST_F(SdiFixture, ToolBarTipsPromptsAndViewToolbarCommand) {
    EXPECT_EQ(4, frame->m_toolBar.GetCount());
    EXPECT_EQ(0, frame->m_toolBar.GetItemID(2));
    EXPECT_EQ("Refresh", frame->m_toolBar.GetButtonToolTip(ID_REFRESH));
    EXPECT_TRUE(frame->m_toolBar.HoverButton(ID_REFRESH));
    EXPECT_EQ("Reads the folder again", frame->m_statusBar.GetPaneText(0));
    frame->m_toolBar.LeaveButtons();
    EXPECT_EQ("Ready", frame->m_statusBar.GetPaneText(0));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_VIEW_TOOLBAR));
    CCmdUI ui(ID_VIEW_TOOLBAR);
    frame->OnCmdMsg(ID_VIEW_TOOLBAR, &ui);
    EXPECT_EQ(1, ui.m_checked);
    EXPECT_TRUE(frame->ExecuteCommand(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(frame->m_toolBar.IsVisible());
    EXPECT_FALSE(frame->m_toolBar.ClickButton(ID_REFRESH)) << "a hidden bar takes no clicks";
    frame->ExecuteCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame->m_toolBar.IsVisible());
    EXPECT_EQ(Qt::AllToolBarAreas, frame->m_toolBar.Bar()->allowedAreas());
}

TEST_F(SdiFixture, StatusBarHasTheThreePanesWithTheirWidths) {
    ASSERT_EQ(3, frame->m_statusBar.GetCount());
    frame->m_statusBar.SetPaneText(1, "12 objects");
    frame->m_statusBar.SetPaneText(2, "1.50KB");
    QApplication::processEvents();
    int id = 0, width = 0;
    unsigned style = 0;
    frame->m_statusBar.GetPaneInfo(1, id, style, width);
    EXPECT_EQ(ID_PANE_OBJECTS, id);
    EXPECT_EQ(80, width);
    frame->m_statusBar.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(SBPS_STRETCH, style);
    EXPECT_GT(width, 200) << "the last pane takes the rest";
    EXPECT_EQ("12 objects", frame->m_statusBar.GetPaneText(1));
}

TEST_F(SdiFixture, ViewsReceiveTheirOwnControlsNotifications) {
    CListCtrl& list = frame->listView->GetListCtrl();
    list.InsertItem(0, "A");
    list.DoubleClickItem(0);
    const auto& codes = frame->listView->notifications;
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), NM_DBLCLK));
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), LVN_ITEMCHANGED));
}

TEST_F(SdiFixture, DropTargetsDecidePerPositionAndKind) {
    CListCtrl& list = frame->listView->GetListCtrl();
    list.InsertItem(0, "FOLDER/");
    list.InsertItem(1, "FILE.PIC");
    QApplication::processEvents();
    CDropTarget target;
    ASSERT_EQ(1, target.Register(frame->listView));
    std::vector<std::string> droppedFiles;
    std::string droppedText;
    int leaves = 0;
    target.SetDragOverHandler([&](const DropData& data, QPoint point) -> unsigned {
        const int item = list.HitTest(point);
        list.SetItemState(-1, 0, LVIS_DROPHILITED);
        if (data.kind == DropKind::Text && data.text.rfind("/F0:/", 0) != 0)
            return DROPEFFECT_NONE;
        if (item == 1)
            return DROPEFFECT_NONE;  // not onto a file
        if (item == 0)
            list.SetItemState(0, LVIS_DROPHILITED, LVIS_DROPHILITED);
        return DROPEFFECT_COPY;
    });
    target.SetDragLeaveHandler([&] {
        ++leaves;
        list.SetItemState(-1, 0, LVIS_DROPHILITED);
    });
    target.SetDropHandler([&](const DropData& data, unsigned effect, QPoint) {
        EXPECT_EQ(DROPEFFECT_COPY, effect);
        if (data.kind == DropKind::Files)
            droppedFiles = data.files;
        if (data.kind == DropKind::Text)
            droppedText = data.text;
        list.SetItemState(-1, 0, LVIS_DROPHILITED);
        return true;
    });
    const QPoint onFolder = list.GetItemRect(0).center();
    const QPoint onFile = list.GetItemRect(1).center();
    const DropData files = DropData::Files({"/home/op/A.PIC", "/home/op/with blank.dnl"});
    EXPECT_EQ(DROPEFFECT_COPY, target.SimulateDragOver(files, onFolder));
    EXPECT_EQ(LVIS_DROPHILITED, list.GetItemState(0, LVIS_DROPHILITED));
    EXPECT_EQ(DROPEFFECT_NONE, target.SimulateDragOver(files, onFile));
    EXPECT_FALSE(target.SimulateDrop(files, onFile)) << "refused where the drag-over refused";
    EXPECT_TRUE(droppedFiles.empty());
    EXPECT_TRUE(target.SimulateDrop(files, onFolder));
    EXPECT_EQ(files.files, droppedFiles);
    EXPECT_FALSE(target.SimulateDrop(DropData::Text("rm -rf"), onFolder));
    EXPECT_TRUE(target.SimulateDrop(DropData::Text("/F0:/PICTURE/A.PIC"), onFolder));
    EXPECT_EQ("/F0:/PICTURE/A.PIC", droppedText);
    target.SimulateDragOver(files, onFolder);
    target.SimulateDragLeave();
    EXPECT_EQ(0u, list.GetItemState(0, LVIS_DROPHILITED));
    EXPECT_GE(leaves, 1);
}

TEST(DropData, OnlyLocalFilesCountAndTextIsKeptAsUtf8) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/a b.pic"), QUrl("https://example.invalid/x.pic"),
                  QUrl::fromLocalFile(QString::fromUtf8("/tmp/\u00fcber.dnl"))});
    mime.setText("ignored when files come along");
    DropData data = DropData::FromMimeData(&mime);
    ASSERT_EQ(DropKind::Files, data.kind);
    EXPECT_EQ((std::vector<std::string>{"/tmp/a b.pic",
                                        "/tmp/\xC3\xBC"
                                        "ber.dnl"}),
              data.files);
    QMimeData remoteOnly;
    remoteOnly.setUrls({QUrl("https://example.invalid/x.pic")});
    EXPECT_EQ(DropKind::None, DropData::FromMimeData(&remoteOnly).kind);
    QMimeData text;
    text.setText(QString::fromUtf8("/F0:/\u00e9"));
    data = DropData::FromMimeData(&text);
    ASSERT_EQ(DropKind::Text, data.kind);
    EXPECT_EQ("/F0:/\xC3\xA9", data.text);
    // A path longer than any fixed Windows buffer comes through whole.
    QMimeData longPath;
    const QString deep = "/tmp/" + QString(600, QChar('d')) + "/f.pic";
    longPath.setUrls({QUrl::fromLocalFile(deep)});
    data = DropData::FromMimeData(&longPath);
    ASSERT_EQ(1u, data.files.size());
    EXPECT_EQ(deep.toStdString(), data.files[0]);
}

TEST_F(SdiFixture, PlacementOfTheFrame) {
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(GetWindowPlacement(frame, placement));
    EXPECT_EQ(1, placement.showCmd);
    EXPECT_FALSE(placement.rcNormalPosition.isEmpty());
    EXPECT_FALSE(RectFitsScreen(QRect(100, 100, 0, 560))) << "zero width";
    EXPECT_FALSE(RectFitsScreen(QRect(-90000, -90000, 720, 560))) << "on a screen that is gone";
    EXPECT_TRUE(RectFitsScreen(QRect(10, 10, 600, 400)));
}

// The rectangle a program stores from GetWindowRect and gives back at its next start must
// leave the window as it was: the frame, not the window inside it, goes on the rectangle,
// also when the window is placed before it has a frame. Offscreen windows get a frame of a
// few pixels once shown, which is enough to tell the two apart.
TEST(WindowRect, PlacingAWindowPutsItsFrameOnTheRectangle) {
    struct Case {
        const char* name;
        bool shownFirst;
        bool byPlacement;  // SetWindowPlacement rather than MoveWindow
    };
    const Case cases[] = {
        {"moved before it is shown", false, false},
        {"moved while shown", true, false},
        {"placed before it is shown", false, true},
        {"placed while shown", true, true},
    };
    const QRect rect(40, 50, 400, 300);
    for (const Case& c : cases) {
        class TopLevel : public CWnd {
        public:
            TopLevel() { AttachWidget(new QWidget); }
            ~TopLevel() override { delete GetWidget(); }
        } window;
        if (c.shownFirst) {
            window.ShowWindow(true);
            QApplication::processEvents();
            ASSERT_NE(window.GetWidget()->frameGeometry(), window.GetWidget()->geometry())
                << "offscreen windows are framed once shown";
        }
        if (c.byPlacement) {
            WINDOWPLACEMENT placement;
            placement.rcNormalPosition = rect;
            ASSERT_TRUE(SetWindowPlacement(&window, placement));
        } else {
            window.MoveWindow(rect.x(), rect.y(), rect.width(), rect.height());
        }
        window.ShowWindow(true);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        const QRect got = GetWindowRect(&window);
        EXPECT_EQ((std::array{got.x(), got.y(), got.width(), got.height()}),
                  (std::array{rect.x(), rect.y(), rect.width(), rect.height()}))
            << c.name;
    }
}

TEST_F(SdiFixture, Screenshot) {
    CTreeCtrl& tree = frame->treeView->GetTreeCtrl();
    HTREEITEM root = tree.InsertItem("Quarn [127.0.0.2]");
    tree.SetItemState(root, TVIS_BOLD, TVIS_BOLD);
    tree.InsertItem("PICTURE", root, TVI_SORT);
    tree.InsertItem("LOGO", root, TVI_SORT);
    tree.Expand(root, TVE_EXPAND);
    CListCtrl& list = frame->listView->GetListCtrl();
    list.InsertItem(0, "LOGO/");
    list.InsertItem(1, "DEMO.PIC");
    list.SetItemText(1, 1, "1.50KB");
    frame->m_statusBar.SetPaneText(1, "2 objects");
    frame->m_statusBar.SetPaneText(2, "1.50KB");
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    list.ClickItem(1);
    frame->m_toolBar.UpdateButtons();
    QApplication::processEvents();
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    EXPECT_TRUE(frame->GetWidget()->grab().toImage().save(QUARN_SCREENSHOT_DIR "/sdi_frame.png"));
}

TEST_F(SdiFixture, BarsAndSplitterGoingBeforeTheirWindowLeaveNoCallbacksBehind) {
    frame->m_toolBar.~CToolBar();
    new (&frame->m_toolBar) CToolBar;  // the member is destroyed again with the frame
    EXPECT_FALSE(frame->IsCommandEnabled(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(frame->ExecuteCommand(ID_VIEW_TOOLBAR));
    frame->m_splitter.~CSplitterWnd();
    new (&frame->m_splitter) CSplitterWnd;
    frame->SetActiveView(nullptr);
    // Focus moves and idle time pass with the frame's window still there.
    frame->GetWidget()->setFocus();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    EXPECT_TRUE(frame->IsWindow());
}

TEST_F(SdiFixture, RealDragEventsReachTheHandlersWithTheWindowsPoints) {
    CListCtrl& list = frame->listView->GetListCtrl();
    list.InsertItem(0, "FOLDER/");
    list.InsertItem(1, "FILE.PIC");
    QApplication::processEvents();
    CDropTarget target;
    ASSERT_EQ(1, target.Register(frame->listView));
    std::vector<QPoint> points;
    bool left = false;
    std::vector<std::string> dropped;
    target.SetDragOverHandler([&](const DropData&, QPoint point) -> unsigned {
        points.push_back(point);
        return list.HitTest(point) == 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    });
    target.SetDragLeaveHandler([&] { left = true; });
    target.SetDropHandler([&](const DropData& data, unsigned, QPoint) {
        dropped = data.files;
        return true;
    });
    QWidget* area = frame->listView->GetWidget();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/A.PIC")});
    const QPoint onFolder = list.GetItemRect(0).center();
    const QPoint onFile = list.GetItemRect(1).center();

    QDragEnterEvent enter(onFile, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the enter is taken so that moves follow";
    EXPECT_EQ(Qt::IgnoreAction, enter.dropAction());
    QDragMoveEvent move(onFolder, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(Qt::CopyAction, move.dropAction());
    ASSERT_EQ(2u, points.size());
    EXPECT_EQ(onFolder, points[1]);
    QDropEvent drop(QPointF(onFolder), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ((std::vector<std::string>{"/tmp/A.PIC"}), dropped);

    QDragEnterEvent again(onFolder, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &again);
    QDragLeaveEvent leave;
    QApplication::sendEvent(area, &leave);
    EXPECT_TRUE(left);
    target.Revoke();
    EXPECT_FALSE(area->acceptDrops());
}

TEST_F(SdiFixture, ALocaleChangeReachesTheFrameAsSettingChange) {
    int changes = 0;
    frame->OnMessage(WM_SETTINGCHANGE, [&](WPARAM, LPARAM) -> LRESULT {
        ++changes;
        return 0;
    });
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(frame->GetWidget(), &change);
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    EXPECT_EQ(1, changes);
}

TEST(DropTargetLifetime, AnAreaThatGoesFirstLeavesTheTargetHarmless) {
    class Plain : public CWnd {
    public:
        Plain() { AttachWidget(new QWidget); }
    } window;
    {
        CDropTarget target;
        ASSERT_EQ(1, target.Register(&window));
        delete window.GetWidget();  // the window went with its frame; the target goes later
        EXPECT_EQ(DROPEFFECT_NONE, target.SimulateDragOver(DropData::Text("x"), QPoint()));
    }
    SUCCEED();
}
