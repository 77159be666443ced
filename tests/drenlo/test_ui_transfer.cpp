// Copies both ways through Drenlo's frame and its progress dialog, drops of PC files and
// instrument paths onto both views, and the one-job-at-a-time guard (drops, commands,
// Network, closing the window).
#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <chrono>

#include "drenlo/ui/CopyProgressDlg.h"
#include "platform/MessageBox.h"
#include "resources/drenlo/Resource.h"
#include "tests/drenlo/test_ui_fixture.h"

namespace drenlo::testing {
namespace {

using Transfer = DrenloFixture;
using platform::DropData;
using platform::IDOK;

std::string Pattern(size_t size) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
    return data;
}

// A point on the list's empty space (large icons fill from the top left).
const QPoint kListEmptySpace(400, 380);

QPoint TreeItemPoint(CUiTreeView* tree, platform::HTREEITEM item) {
    return tree->GetTreeCtrl().GetItemRect(item).center();
}

TEST_F(Transfer, PcToQuarnFromTheMenuAsksThenCopiesAndRelistsTheFolder) {
    StartConnected();
    const std::string data = Pattern(200000);
    WriteFile(PcFile("NEW.CMP"), data);
    m_boxes.Expect("Can not download to root directory.", platform::MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_PC_TO_QUARN));  // at the root, before any dialog

    OpenFolder("/F0:/Tavix/SIGNAL");
    AnswerFileDialogs({{PcFile("NEW.CMP")}});
    m_dialogs.ExpectOk(IDD_SIGNAL_FILE);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_PC_TO_QUARN));
    ASSERT_TRUE(WaitForJobEnd());
    ASSERT_EQ(m_fileDialogs.size(), 1u);
    EXPECT_EQ(m_fileDialogs[0].title, "PC to Quarn Download");
    EXPECT_TRUE(m_fileDialogs[0].multiple);
    EXPECT_EQ(m_fileDialogs[0].filter.substr(0, 13), "Download File");
    EXPECT_EQ(m_fileDialogs[0].filterIndex, 1);
    EXPECT_EQ(m_fileDialogs[0].okLabel, "Download");
    EXPECT_TRUE(ReadFile(InstrumentFile("Tavix/SIGNAL/NEW.CMP")) == data);
    EXPECT_GE(ListIndex("NEW.CMP"), 0);
    ASSERT_NE(Frame()->ProgressDialog(), nullptr);
    EXPECT_FALSE(Frame()->ProgressDialog()->IsWindow());  // the job's end closed it
}

TEST_F(Transfer, SeveralPcFilesWithOneOfAFewMegabytesArriveWhole) {
    StartConnected();
    const std::string big = Pattern(2 * 1024 * 1024 + 17);
    WriteFile(PcFile("BIG.PIC"), big);
    WriteFile(PcFile("SMALL.DNL"), "download");
    OpenFolder("/F0:/Tavix/PICTURE");
    AnswerFileDialogs({{PcFile("BIG.PIC"), PcFile("SMALL.DNL")}});
    m_dialogs.ExpectOk(IDD_PICTURE_FILE);
    m_dialogs.ExpectOk(IDD_DOWNLOAD_FILE);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_PC_TO_QUARN));
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_TRUE(ReadFile(InstrumentFile("Tavix/PICTURE/BIG.PIC")) == big);
    // A download file goes into the instrument's working memory, not into the folder.
    const auto loads = m_sim->Loads();
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].kind, "DOWNLOAD");
    EXPECT_EQ(loads[0].data, "download");
    EXPECT_GE(ListIndex("BIG.PIC"), 0);

    // And back to the PC under another name.
    SelectListItems({"BIG.PIC"});
    AnswerFileDialogs({{PcFile("back.pic")}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_TRUE(ReadFile(PcFile("back.pic")) == big);
}

TEST_F(Transfer, QuarnToPcFromTheMenuAsksForEachTargetWithTheTypesFilter) {
    StartConnected();
    OpenFolder("/F0:/Tavix/SIGNAL");
    SelectListItems({"ZONE.PIC", "Ramp Y.CMP"});
    AnswerFileDialogs({{PcFile("ramp.cmp")}, {PcFile("zone.pic")}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    ASSERT_TRUE(WaitForJobEnd());
    ASSERT_EQ(m_fileDialogs.size(), 2u);
    EXPECT_EQ(m_fileDialogs[0].title, "Quarn to PC Upload");
    // The instrument's name, unescaped, in the folder of the last choice; the type's filter.
    EXPECT_EQ(m_fileDialogs[0].initialPath, m_pcFolder + "/Ramp Y.CMP");
    EXPECT_EQ(m_fileDialogs[0].okLabel, "Upload");
    EXPECT_EQ(m_fileDialogs[0].filterIndex, 5);  // signal files
    EXPECT_EQ(m_fileDialogs[1].filterIndex, 6);  // pictures
    EXPECT_TRUE(ReadFile(PcFile("zone.pic")) == std::string(20000, 'z'));
    EXPECT_EQ(ReadFile(PcFile("ramp.cmp")), std::string(100, 'r'));
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"ramp.cmp", "zone.pic"}));
}

TEST_F(Transfer, QuarnToPcRefusesTheRootAFolderInTheSelectionAndStopsOnCancel) {
    StartConnected();
    m_boxes.Expect("Can not upload from root directory.", platform::MB_ICONSTOP, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    OpenFolder("/F0:/Tavix/SIGNAL");
    SelectListItems({});
    m_boxes.Expect("Please select a file to upload.", platform::MB_ICONINFORMATION, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    SelectListItems({"A.DNL", "ZONE.PIC", "OLD"});
    m_boxes.Expect("A folder cannot be transferred to PC.", platform::MB_ICONINFORMATION, IDOK);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    // Cancel on the second file's dialog drops the whole command.
    SelectListItems({"A.DNL", "ZONE.PIC"});
    AnswerFileDialogs({{PcFile("a.dnl")}, {}});
    TakeLines();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    EXPECT_FALSE(Comm()->IsJobActive());
    EXPECT_EQ(CountLines("mmem:data?"), 0);
    EXPECT_TRUE(PcFolderNames().empty());
}

TEST_F(Transfer, PcFilesDroppedOnTheListOrATreeFolderGoToThatFolder) {
    StartConnected();
    WriteFile(PcFile("DROP.PIC"), Pattern(5000));
    WriteFile(PcFile("TREE.LGO"), Pattern(3000));
    OpenFolder("/F0:/Tavix/SIGNAL");
    platform::CDropTarget& listTarget = List()->GetDropTarget();
    const DropData files = DropData::Files({PcFile("DROP.PIC")});
    ASSERT_EQ(listTarget.SimulateDragOver(files, kListEmptySpace), platform::DROPEFFECT_COPY);
    m_dialogs.ExpectOk(IDD_PICTURE_FILE);
    ASSERT_TRUE(listTarget.SimulateDrop(files, kListEmptySpace));
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_TRUE(ReadFile(InstrumentFile("Tavix/SIGNAL/DROP.PIC")) == Pattern(5000));

    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    platform::HTREEITEM picture = Tree()->FindChild(tavix, "PICTURE");
    const QPoint at = TreeItemPoint(Tree(), picture);
    const DropData logo = DropData::Files({PcFile("TREE.LGO")});
    ASSERT_EQ(Tree()->GetDropTarget().SimulateDragOver(logo, at), platform::DROPEFFECT_COPY);
    EXPECT_EQ(Tree()->GetTreeCtrl().GetDropHilightItem(), picture);
    m_dialogs.ExpectOk(IDD_LOGO_FILE);
    ASSERT_TRUE(Tree()->GetDropTarget().SimulateDrop(logo, at));
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_TRUE(ReadFile(InstrumentFile("Tavix/PICTURE/TREE.LGO")) == Pattern(3000));
    EXPECT_EQ(Tree()->GetTreeCtrl().GetDropHilightItem(), nullptr);

    // Every list mode takes drops.
    for (int id : {ID_VIEW_DETAILS, ID_VIEW_SMALL_ICONS, ID_VIEW_LIST}) {
        ASSERT_TRUE(Frame()->ExecuteCommand(id));
        EXPECT_EQ(listTarget.SimulateDragOver(logo, kListEmptySpace), platform::DROPEFFECT_COPY)
            << id;
        listTarget.SimulateDragLeave();
    }

    // The root takes no drop, in the tree or on the list's empty space.
    EXPECT_EQ(Tree()->GetDropTarget().SimulateDragOver(
                  logo, TreeItemPoint(Tree(), Tree()->GetRootFolder())),
              platform::DROPEFFECT_NONE);
    Tree()->GetTreeCtrl().SelectItem(Tree()->GetRootFolder());
    EXPECT_EQ(listTarget.SimulateDragOver(logo, kListEmptySpace), platform::DROPEFFECT_NONE);
}

TEST_F(Transfer, ASequenceFileIsConfirmedWithItsOwnDialog) {
    StartConnected();
    WriteFile(PcFile("TONES.SEQ"), "sequence");
    OpenFolder("/F0:/Tavix/SIGNAL");
    std::string shown;
    m_dialogs.Expect(IDD_SEQUENCE_FILE, [&shown](platform::CDialog& dialog) {
        shown = dialog.GetDlgItemText(IDC_FILE_NAME);
        dialog.ClickButton(platform::IDCANCEL);  // the file is dropped from the job
    });
    const DropData files = DropData::Files({PcFile("TONES.SEQ")});
    ASSERT_EQ(List()->GetDropTarget().SimulateDragOver(files, kListEmptySpace),
              platform::DROPEFFECT_COPY);
    ASSERT_TRUE(List()->GetDropTarget().SimulateDrop(files, kListEmptySpace));
    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_NE(shown.find("TONES.SEQ"), std::string::npos) << shown;
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/SIGNAL/TONES.SEQ")));
}

TEST_F(Transfer, AnInstrumentPathDroppedAsTextIsCopiedOnTheInstrument) {
    StartConnected();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    Tree()->GetTreeCtrl().ExpandByOperator(tavix);
    platform::HTREEITEM empty = Tree()->FindChild(tavix, "EMPTY");
    const DropData text = DropData::Text("/F0:/Tavix/SIGNAL/A.DNL");
    const QPoint at = TreeItemPoint(Tree(), empty);
    ASSERT_EQ(Tree()->GetDropTarget().SimulateDragOver(text, at), platform::DROPEFFECT_COPY);
    ASSERT_TRUE(Tree()->GetDropTarget().SimulateDrop(text, at));
    ASSERT_TRUE(Comm()->ReadIdentity());  // the copy, which has no reply, has been served
    EXPECT_TRUE(ReadFile(InstrumentFile("Tavix/EMPTY/A.DNL")) == std::string(10, 'a'));
    EXPECT_TRUE(Exists(InstrumentFile("Tavix/SIGNAL/A.DNL")));

    OpenFolder("/F0:/Oltra/LOGO");
    const DropData zone = DropData::Text("/F0:/Tavix/SIGNAL/ZONE.PIC");
    ASSERT_EQ(List()->GetDropTarget().SimulateDragOver(zone, kListEmptySpace),
              platform::DROPEFFECT_COPY);
    ASSERT_TRUE(List()->GetDropTarget().SimulateDrop(zone, kListEmptySpace));
    ASSERT_TRUE(Comm()->ReadIdentity());
    EXPECT_TRUE(ReadFile(InstrumentFile("Oltra/LOGO/ZONE.PIC")) == std::string(20000, 'z'));
    // Text that is no instrument path at all is not taken, on either view.
    EXPECT_EQ(Tree()->GetDropTarget().SimulateDragOver(DropData::Text("hello"), at),
              platform::DROPEFFECT_NONE);
    EXPECT_EQ(List()->GetDropTarget().SimulateDragOver(DropData::Text("hello"), kListEmptySpace),
              platform::DROPEFFECT_NONE);
}

TEST_F(Transfer, ADroppedPathTheInstrumentCannotCarryIsRefusedWithABoxAndNothingSent) {
    StartConnected();
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    Tree()->GetTreeCtrl().ExpandByOperator(tavix);
    const QPoint at = TreeItemPoint(Tree(), Tree()->FindChild(tavix, "EMPTY"));
    OpenFolder("/F0:/Oltra/LOGO");
    TakeLines();
    const std::string refused =
        "The dropped text does not name a file the Quarn can copy.\n\nA name must not be "
        "empty, \".\" or \"..\", and must not hold '\"', ',', ';', control characters or "
        "characters beyond ASCII.";
    for (const char* text :
         {"/F0:/Tavix/SIGNAL/A,B.DNL", "/F0:/Tavix/SIGNAL/A\x01.DNL", "/F0:/Tavix/SIGNAL/A\nB",
          "/F0:/Tavix/SIGNAL/\xc3\xa9.PIC", "/F0:/Tavix/SIG,NAL/A.DNL", "/F0:/Tavix/A\"B",
          "/F0:/Tavix/SIGNAL/", "/F0:/Tavix/../A.DNL", "/F0:/Tavix//A.DNL", "/F0:/"}) {
        const DropData data = DropData::Text(text);
        m_boxes.Expect(refused, platform::MB_ICONSTOP, IDOK);
        EXPECT_FALSE(Tree()->GetDropTarget().SimulateDrop(data, at)) << text;
        m_boxes.Expect(refused, platform::MB_ICONSTOP, IDOK);
        EXPECT_FALSE(List()->GetDropTarget().SimulateDrop(data, kListEmptySpace)) << text;
    }
    ASSERT_TRUE(Comm()->ReadIdentity());
    EXPECT_EQ(CountLines("mmem:copy"), 0);
    EXPECT_EQ(CountLines("mmem:move"), 0);
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/EMPTY/A,B.DNL")));
}

TEST_F(Transfer, WhileAJobRunsDropsCommandsAndNetworkAreRefusedAndCancelEndsIt) {
    StartConnected();
    OpenFolder("/F0:/Tavix/PICTURE");
    WriteFile(PcFile("card.pic"), "the PC's own file");
    SelectListItems({"TESTCARD.PIC"});
    AnswerFileDialogs({{PcFile("card.pic")}});
    m_sim->SetReplyPacing(2000, std::chrono::milliseconds(20));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    ASSERT_TRUE(Comm()->IsJobActive());
    Pump(600);
    SaveScreenshot(Frame()->ProgressDialog()->GetWidget(), "drenlo_copy_progress");

    WriteFile(PcFile("X.PIC"), "x");
    const DropData files = DropData::Files({PcFile("X.PIC")});
    EXPECT_EQ(List()->GetDropTarget().SimulateDragOver(files, kListEmptySpace),
              platform::DROPEFFECT_NONE);
    platform::HTREEITEM tavix = Tree()->FindChild(Tree()->GetRootFolder(), "Tavix");
    EXPECT_EQ(Tree()->GetDropTarget().SimulateDragOver(files, TreeItemPoint(Tree(), tavix)),
              platform::DROPEFFECT_NONE);
    EXPECT_FALSE(List()->GetDropTarget().SimulateDrop(files, kListEmptySpace));
    for (int id : {ID_PC_TO_QUARN, ID_QUARN_TO_PC, ID_NETWORK})
        EXPECT_FALSE(Frame()->IsCommandEnabled(id)) << id;
    // Nothing else starts either: a file drop on the tree, instrument paths dropped as text
    // on both views, and the Delete key (which would ask, then send nothing).
    EXPECT_FALSE(Tree()->GetDropTarget().SimulateDrop(files, TreeItemPoint(Tree(), tavix)));
    const DropData path = DropData::Text("/F0:/Tavix/SIGNAL/A.DNL");
    EXPECT_EQ(Tree()->GetDropTarget().SimulateDragOver(path, TreeItemPoint(Tree(), tavix)),
              platform::DROPEFFECT_NONE);
    EXPECT_FALSE(Tree()->GetDropTarget().SimulateDrop(path, TreeItemPoint(Tree(), tavix)));
    EXPECT_EQ(List()->GetDropTarget().SimulateDragOver(path, kListEmptySpace),
              platform::DROPEFFECT_NONE);
    EXPECT_FALSE(List()->GetDropTarget().SimulateDrop(path, kListEmptySpace));
    List()->GetListCtrl().PressKey(platform::VK_DELETE);  // an unexpected box fails the test
    Tree()->GetTreeCtrl().PressKey(platform::VK_DELETE);

    Frame()->ProgressDialog()->ClickButton(platform::IDCANCEL);
    ASSERT_TRUE(WaitForJobEnd());
    m_sim->SetReplyPacing(0, std::chrono::milliseconds(0));
    // The PC's own file is untouched and nothing is left behind.
    EXPECT_EQ(ReadFile(PcFile("card.pic")), "the PC's own file");
    EXPECT_EQ(PcFolderNames(), (std::vector<std::string>{"card.pic", "X.PIC"}));
    EXPECT_FALSE(Exists(InstrumentFile("Tavix/PICTURE/X.PIC")));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_NETWORK));
}

TEST_F(Transfer, ClosingTheWindowDuringAJobCancelsItAndWaitsForTheWorker) {
    StartConnected();
    OpenFolder("/F0:/Tavix/PICTURE");
    SelectListItems({"TESTCARD.PIC"});
    AnswerFileDialogs({{PcFile("card.pic")}});
    m_sim->SetReplyPacing(2000, std::chrono::milliseconds(20));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_QUARN_TO_PC));
    Pump(100);
    ASSERT_TRUE(Comm()->IsJobActive());
    ASSERT_TRUE(Frame()->ExecuteCommand(platform::ID_APP_EXIT));
    Pump(50);
    EXPECT_FALSE(Frame()->IsWindow());
    EXPECT_FALSE(Comm()->IsJobActive());
    EXPECT_TRUE(PcFolderNames().empty());
    m_sim->SetReplyPacing(0, std::chrono::milliseconds(0));
    m_app->ExitInstance();
}

}  // namespace
}  // namespace drenlo::testing
