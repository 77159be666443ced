// The file commands from Drenlo's frame and views against the simulator: new folders,
// deletes, renames in the list and the tree with their refusals, loads, the error queue.
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstdlib>

#include "platform/BuildVersion.h"
#include "platform/MessageBox.h"
#include "resources/drenlo/Resource.h"
#include "tests/drenlo/test_ui_fixture.h"

namespace drenlo::testing {
namespace {

using Commands = DrenloFixture;
using platform::IDCANCEL;
using platform::IDOK;
using platform::MB_ICONINFORMATION;
using platform::MB_ICONQUESTION;
using platform::MB_ICONSTOP;
using platform::MB_OKCANCEL;

bool IsFolder(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isDir();
}

TEST_F(Commands, NewFolderIsMadeWithTheTypedNameOrItsDefaultAndRefusedAtTheRoot) {
    StartConnected();
    m_boxes.Expect("Cannot create a new folder in this place.", MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_NEW_FOLDER));
    EXPECT_TRUE(TakeLines().empty());

    OpenFolder("/F0:/Tavix");
    TakeLines();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_NEW_FOLDER));
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("CLIPS"));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/CLIPS")));
    EXPECT_GE(ListIndex("CLIPS"), 0);
    // A cancelled edit still makes the folder under the name it was offered with.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_NEW_FOLDER));
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("", false));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/New Folder")));
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    EXPECT_NE(Tree()->FindChild(tavix, "CLIPS"), nullptr);
}

TEST_F(Commands, ATypedNameTheInstrumentCannotCarryIsRefusedAndNothingIsSent) {
    StartConnected();
    OpenFolder("/F0:/Tavix");
    TakeLines();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_NEW_FOLDER));
    m_boxes.ExpectAny(IDOK);
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("A,B"));
    QCoreApplication::processEvents();
    // The edit opens again; this time the operator cancels, which makes the default folder.
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("", false));
    for (const std::string& line : TakeLines()) EXPECT_EQ(line.find("A,B"), std::string::npos);
    EXPECT_EQ(m_boxes.Records().size(), 1u);
}

TEST_F(Commands, DeleteAsksAndRemovesTheSelectedFilesOrANonEmptyFolderAlone) {
    StartConnected();
    OpenFolder("/F0:/Tavix/SIGNAL");
    SelectListItems({"A.DNL"});
    m_boxes.Expect("Are you sure you want to remove the file 'A.DNL' ?",
                   MB_OKCANCEL | MB_ICONQUESTION, IDCANCEL);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_DELETE));
    EXPECT_TRUE(Exists(InstrumentFile("Tavix/SIGNAL/A.DNL")));

    SelectListItems({"A.DNL", "ZONE.PIC"});
    m_boxes.Expect("Are you sure you want to remove these 2 files ?", MB_OKCANCEL | MB_ICONQUESTION,
                   IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_DELETE));
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/SIGNAL/A.DNL")));
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/SIGNAL/ZONE.PIC")));
    EXPECT_LT(ListIndex("ZONE.PIC"), 0);

    WriteFile(InstrumentFile("Tavix/SIGNAL/OLD/X.CMP"), "x");
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_REFRESH));
    SelectListItems({"OLD", "LINE UP.PST"});
    m_boxes.Expect("Are you sure you want to remove ALL files under 'OLD' ?",
                   MB_OKCANCEL | MB_ICONQUESTION, IDOK);
    TakeLines();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_DELETE));
    EXPECT_EQ(CountLines("mmem:del:all"), 1);
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/SIGNAL/OLD/X.CMP")));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/SIGNAL/OLD")));
    EXPECT_TRUE(Exists(InstrumentFile("Tavix/SIGNAL/LINE UP.PST")));
}

TEST_F(Commands, RenameInTheListMovesTheFileAndRefusesTheRootAndTakenNames) {
    StartConnected();
    m_boxes.Expect("Can not rename this folder", MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_RENAME));

    OpenFolder("/F0:/Tavix/SIGNAL");
    SelectListItems({"A.DNL"});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_RENAME));
    m_boxes.Expect(
        "A file with the name you specified already exists.\n\nSpecify a different "
        "filename.",
        MB_ICONSTOP, IDOK);
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("ZONE.PIC"));
    QCoreApplication::processEvents();
    ASSERT_TRUE(List()->GetListCtrl().IsEditingLabel());
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("B.DNL"));
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/SIGNAL/A.DNL")));
    EXPECT_EQ(ReadFile(InstrumentFile("Tavix/SIGNAL/B.DNL")), std::string(10, 'a'));
    EXPECT_GE(ListIndex("B.DNL"), 0);
    // A typed blank or dash travels in the instrument's escaped form.
    SelectListItems({"B.DNL"});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_RENAME));
    ASSERT_TRUE(List()->GetListCtrl().TypeLabel("MY B-1.DNL"));
    EXPECT_EQ(ReadFile(InstrumentFile("Tavix/SIGNAL/MY B-1.DNL")), std::string(10, 'a'));
    EXPECT_GE(ListIndex("MY B-1.DNL"), 0);
}

// The label editor open in a view's viewport, as the operator sees it; null when none is.
QLineEdit* OpenEditor(QWidget* viewport) {
    for (QLineEdit* editor : viewport->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// Keys as the operator presses them in the editor: select all, the name, then `end`.
void TypeKeys(QLineEdit* editor, const std::string& name, Qt::Key end) {
    const auto press = [editor](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(editor, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(editor, &up);
    };
    press(Qt::Key_A, Qt::ControlModifier, QString());
    for (char c : name)
        press(std::toupper(static_cast<unsigned char>(c)), Qt::NoModifier, QString(QChar(c)));
    press(end, Qt::NoModifier, end == Qt::Key_Return ? QString("\r") : QString());
}

struct RenameCase {
    const char* name;
    bool tree;
    Qt::Key end;
    const char* sent;  // the move the instrument receives, or "" for none
};

void PrintTo(const RenameCase& c, std::ostream* out) {
    *out << c.name;
}

class KeyboardRename : public DrenloFixture, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(KeyboardRename, TheTypedNameReachesTheInstrumentAndNoEditorStaysOpen) {
    const RenameCase& c = GetParam();
    StartConnected();
    QWidget* viewport;
    if (c.tree) {
        platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
        platform::HTREEITEM tavix = OpenFolder("/F0:/Tavix");
        tree.ExpandByOperator(tavix);
        Frame()->SetActiveView(Tree());
        Tree()->SetClickedItem(Tree()->FindChild(tavix, "EMPTY"));
        ASSERT_TRUE(tree.EditLabel(Tree()->FindChild(tavix, "EMPTY")));
        viewport = tree.Viewport();
    } else {
        OpenFolder("/F0:/Tavix/SIGNAL");
        SelectListItems({"A.DNL"});
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_RENAME));
        viewport = List()->GetListCtrl().ActiveViewport();
    }
    QLineEdit* editor = OpenEditor(viewport);
    ASSERT_NE(editor, nullptr);
    TakeLines();
    TypeKeys(editor, c.tree ? "FULL" : "NEW.DNL", c.end);
    Pump(20);

    std::vector<std::string> moves;
    for (const std::string& line : TakeLines())
        if (line.rfind("mmem:move", 0) == 0)
            moves.push_back(line);
    const bool sent = std::string(c.sent) != "";
    EXPECT_EQ(moves, sent ? std::vector<std::string>{c.sent} : std::vector<std::string>{});
    EXPECT_EQ(OpenEditor(viewport), nullptr);
    EXPECT_FALSE(List()->GetListCtrl().IsEditingLabel());
    EXPECT_FALSE(Tree()->GetTreeCtrl().IsEditingLabel());
    if (!c.tree) {
        EXPECT_GE(ListIndex(sent ? "NEW.DNL" : "A.DNL"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ListAndTree, KeyboardRename,
    ::testing::Values(
        RenameCase{"ListEnter", false, Qt::Key_Return,
                   "mmem:move \"/F0:/Tavix/SIGNAL/A.DNL\",\"/F0:/Tavix/SIGNAL/NEW.DNL\""},
        RenameCase{"ListEscape", false, Qt::Key_Escape, ""},
        RenameCase{"TreeEnter", true, Qt::Key_Return,
                   "mmem:move \"/F0:/Tavix/EMPTY\",\"/F0:/Tavix/FULL\""}),
    [](const ::testing::TestParamInfo<RenameCase>& info) { return std::string(info.param.name); });

TEST_F(Commands, TreeRenameActsOnTheEditedFolderWithItsRefusals) {
    StartConnected();
    platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    Frame()->SetActiveView(Tree());
    // Model folders directly under the root keep their names.
    tree.SelectItem(tavix);
    m_boxes.Expect("Can not rename this folder", MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_RENAME));

    tree.ExpandByOperator(tavix);
    platform::HTREEITEM picture = Tree()->FindChild(tavix, "PICTURE");
    platform::HTREEITEM empty = Tree()->FindChild(tavix, "EMPTY");
    // The list shows PICTURE: renaming it is denied.
    tree.SelectItem(picture);
    m_boxes.Expect(
        "Cannot rename \"PICTURE\": Access is denied.\n\nMake sure the file is not "
        "currentry in use.",
        MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_RENAME));
    ASSERT_TRUE(tree.TypeLabel("PICS"));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/PICTURE")));

    // A sibling's name is taken; the edit opens again on the same folder.
    tree.SelectItem(tavix);
    Tree()->SetClickedItem(picture);  // the last click was elsewhere: the edited item counts
    ASSERT_TRUE(tree.EditLabel(empty));
    m_boxes.Expect("A file with the name you specified already exists. Specify a diffent filename.",
                   MB_ICONSTOP, IDOK);
    ASSERT_TRUE(tree.TypeLabel("SIGNAL"));
    QCoreApplication::processEvents();
    ASSERT_EQ(tree.GetEditItem(), empty);
    ASSERT_TRUE(tree.TypeLabel("FULL"));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/FULL")));
    EXPECT_FALSE(IsFolder(InstrumentFile("Tavix/EMPTY")));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/PICTURE")));
    EXPECT_GE(ListIndex("FULL"), 0);
    EXPECT_NE(Tree()->FindChild(tavix, "FULL"), nullptr);
}

TEST_F(Commands, TreeDeleteAsksWithTheFileWordingAndForgetsTheRemovedFolder) {
    StartConnected();
    platform::CTreeCtrl& tree = Tree()->GetTreeCtrl();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    tree.ExpandByOperator(tavix);
    platform::HTREEITEM empty = Tree()->FindChild(tavix, "EMPTY");
    tree.SelectItem(empty);
    Frame()->SetActiveView(Tree());
    m_boxes.Expect("Are you sure you want to remove the file 'EMPTY' ?",
                   MB_OKCANCEL | MB_ICONQUESTION, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_DELETE));
    EXPECT_FALSE(IsFolder(InstrumentFile("Tavix/EMPTY")));
    EXPECT_EQ(Tree()->FindChild(tavix, "EMPTY"), nullptr);
    // The parent took the selection, so the list does not show a folder that is gone.
    EXPECT_EQ(List()->GetFolder(), "/F0:/Tavix");
    EXPECT_FALSE(tree.IsValidItem(empty));

    // A model folder cannot be removed; neither can a folder that is not empty.
    tree.SelectItem(tavix);
    m_boxes.Expect("Cannot remove this folder.", MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_DELETE));
    platform::HTREEITEM signal = Tree()->FindChild(tavix, "SIGNAL");
    tree.SelectItem(signal);
    m_boxes.Expect("Are you sure you want to remove the file 'SIGNAL' ?",
                   MB_OKCANCEL | MB_ICONQUESTION, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_DELETE));
    EXPECT_TRUE(IsFolder(InstrumentFile("Tavix/SIGNAL")));
    EXPECT_NE(Tree()->FindChild(tavix, "SIGNAL"), nullptr);
}

TEST_F(Commands, LoadToMemoryLoadsTheSelectedFileOfThisFolder) {
    StartConnected();
    OpenFolder("/F0:/Oltra/LOGO");
    m_boxes.Expect("Please select a correct Quarn file.", MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_LOAD_TO_MEMORY));
    SelectListItems({"HARNOQ.LGO"});
    // A listing elsewhere moves the instrument's current folder.
    Tree()->ExpandFolder(Tree()->FindChild(Tree()->GetRootFolder(), "Tavix"));
    m_sim->ClearLoads();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_LOAD_TO_MEMORY));
    ASSERT_TRUE(Comm()->ReadIdentity());  // the load has been served
    const auto loads = m_sim->Loads();
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].kind, "LOGO");
    EXPECT_EQ(loads[0].path, "/F0:/Oltra/LOGO/HARNOQ.LGO");
}

TEST_F(Commands, CheckErrorEmptiesTheQueueIntoTheDialog) {
    StartConnected();
    m_sim->PushError(-256, "File name not found");
    std::vector<std::string> shown;
    m_dialogs.Expect(IDD_QUARN_ERROR, [&shown](platform::CDialog& dialog) {
        for (int i = 0; i < dialog.GetCount(IDC_ERROR_LIST); ++i)
            shown.push_back(dialog.GetLBText(IDC_ERROR_LIST, i));
        dialog.ClickButton(platform::IDOK);
    });
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_CHECK_ERROR));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "-256,\"File name not found\"");
    EXPECT_EQ(shown[1].substr(0, 1), "0");
}

TEST_F(Commands, NetworkAcceptsANewAddressWhichIsKeptAtExit) {
    StartConnected();
    m_dialogs.Expect(IDD_ETHERNET, [](platform::CDialog& dialog) {
        dialog.TypeIpAddress(IDC_IPADDRESS, "127.0.0.1");
        dialog.ClickButton(platform::IDOK);
    });
    m_boxes.ExpectAny(IDOK);  // nothing listens there
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_NETWORK));
    EXPECT_FALSE(Comm()->IsConnected());
    EXPECT_EQ(Tree()->GetTreeCtrl().GetCount(), 0u);
    EXPECT_EQ(List()->GetListCtrl().GetItemCount(), 0);
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_REFRESH));
    Frame()->ExecuteCommand(ID_VIEW_DETAILS);
    Frame()->ExecuteCommand(ID_SORT_BY_SIZE);
    Frame()->ExecuteCommand(ID_SORT_BY_SIZE);
    Frame()->DestroyWindow();
    m_app->ExitInstance();
    EXPECT_EQ(ReadSetting("TargetHost"), "127.0.0.1");
    const std::string stored = ReadSetting("PrivateSetting");
    EXPECT_NE(stored.find(", 1, -2, "), std::string::npos) << stored;
    EXPECT_EQ(ReadSetting("Path"), m_pcFolder);
}

}  // namespace
}  // namespace drenlo::testing

namespace drenlo::testing {
namespace {

using FrameDialogs = DrenloFixture;

TEST_F(FrameDialogs, OptionsChangeTheEditorUntilTheEndAndAboutShowsTheVersion) {
    // A terminal editor from the environment would start where nobody sees it: the default is
    // the desktop's own application for the file (an empty path).
    ::setenv("VISUAL", "vi", 1);
    ::setenv("EDITOR", "nano", 1);
    StartConnected();
    ::unsetenv("VISUAL");
    ::unsetenv("EDITOR");
    EXPECT_EQ(m_app->m_editorPath, "");
    m_dialogs.Expect(IDD_OPTIONS, [](platform::CDialog& dialog) {
        dialog.SetDlgItemText(IDC_EDITOR_PATH, "/usr/bin/true");
        dialog.ClickButton(platform::IDOK);
    });
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OPTIONS));
    EXPECT_EQ(m_app->m_editorPath, "/usr/bin/true");
    std::string version;
    m_dialogs.Expect(IDD_ABOUTBOX, [&version](platform::CDialog& dialog) {
        version = dialog.GetDlgItemText(IDC_VERSION);
        dialog.ClickButton(platform::IDOK);
    });
    ASSERT_TRUE(Frame()->ExecuteCommand(platform::ID_APP_ABOUT));
    EXPECT_EQ(version, platform::GetProgramVersionText());
    Frame()->DestroyWindow();
    m_app->ExitInstance();
    // The editor is never stored.
    EXPECT_EQ(ReadSetting("EditorPath"), "<none>");
}

}  // namespace
}  // namespace drenlo::testing
