// Opening editor windows from the File menu, the table of open windows, and a preset recall
// with windows open. The module documents here stand in for the real models: they record
// what the frame asked of them and leave the frame's table the way every document must.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "corvane/core/PresetTable.h"
#include "platform/Document.h"
#include "platform/MdiChildWnd.h"
#include "platform/MessageBox.h"
#include "platform/View.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

int g_opened = 0;
bool g_failOpen = false;

class StandInModuleDoc : public platform::CDocument {
public:
    bool OnOpenDocument(const std::string& path) override {
        m_path = path;
        m_slot = std::atoi(path.c_str());
        ++g_opened;
        return !g_failOpen;
    }
    ~StandInModuleDoc() override {
        if (CMainFrame* frame = MainFrame())
            frame->SlotDocClosed(m_slot - 1, this);
    }
    std::string m_path;
    int m_slot = 0;
};

class StandInQuarnView : public platform::CView {
public:
    ~StandInQuarnView() override {
        if (CMainFrame* frame = MainFrame())
            frame->MainframeDocClosed(GetDocument());
    }
};

class ModuleOpening : public CorvaneFixture {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        g_opened = 0;
        g_failOpen = false;
        StartReady({{"Tavix", 1}, {"Kintor", 3}});
        for (const auto& t : m_app->DocTemplates()) {
            std::string name;
            t->GetDocString(name, platform::CMultiDocTemplate::docName);
            if (name == "Quarn") {
                t->SetFactories([] { return std::make_unique<platform::CDocument>(); },
                                [] { return std::make_unique<StandInQuarnView>(); });
            } else if (name == "Tavix" || name == "Kintor") {
                t->SetFactories([] { return std::make_unique<StandInModuleDoc>(); },
                                [] { return std::make_unique<platform::CView>(); });
            }
        }
    }
    int OpenWindows() const { return static_cast<int>(Frame()->Children().size()); }
};

TEST_F(ModuleOpening, TemplatesAreRegisteredInOrderWithTheModelNames) {
    std::vector<std::string> names;
    for (const auto& t : m_app->DocTemplates()) {
        std::string name;
        t->GetDocString(name, platform::CMultiDocTemplate::docName);
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Quarn", "Tavix", "Brumo", "Kintor", "Sormet",
                                               "Ulmeth", "Pirvo", "Oltra", "Yarlo"}));
}

TEST_F(ModuleOpening, OpeningASlotDisablesItUntilTheWindowCloses) {
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST));
    auto* doc = dynamic_cast<StandInModuleDoc*>(Frame()->m_slotDoc[0]);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_path, "1 : Tavix");
    EXPECT_EQ(doc->GetTitle(), "Tavix[1]");
    EXPECT_EQ(OpenWindows(), 1);
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST));
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST + 2));
    EXPECT_EQ(Frame()->GetWidget()->windowTitle(), "Corvane - Tavix[1]");

    ASSERT_TRUE(Frame()->Children().front()->OnClose());
    EXPECT_EQ(Frame()->m_slotDoc[0], nullptr);
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST));
}

TEST_F(ModuleOpening, FailedOpenLeavesNoWindowAndTheItemEnabled) {
    g_failOpen = true;
    Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST + 2);
    EXPECT_EQ(g_opened, 1);
    EXPECT_EQ(Frame()->m_slotDoc[2], nullptr);
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_OPEN_SLOT_FIRST + 2));
}

TEST_F(ModuleOpening, EmptySlotIsNeverOpened) {
    EXPECT_FALSE(Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST + 1));
    Frame()->OpenModule(1);  // even when asked directly
    Frame()->OpenModule(7);  // or for a slot that does not exist
    Frame()->OpenModule(-1);
    EXPECT_EQ(g_opened, 0);
}

TEST_F(ModuleOpening, SlotDocClosedClearsOnlyItsOwnEntry) {
    Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST);
    platform::CDocument* doc = Frame()->m_slotDoc[0];
    StandInModuleDoc other;
    EXPECT_EQ(Frame()->SlotDocClosed(0, &other), 0);
    EXPECT_EQ(Frame()->m_slotDoc[0], doc);
    EXPECT_EQ(Frame()->SlotDocClosed(-1, doc), -1);
    EXPECT_EQ(Frame()->SlotDocClosed(4, doc), 4);
    EXPECT_EQ(Frame()->m_slotDoc[0], doc);
}

TEST_F(ModuleOpening, OpenQuarnIsDisabledWhileTheMainframeWindowIsOpen) {
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_OPEN_QUARN));
    ASSERT_NE(Frame()->m_mainframeDoc, nullptr);
    EXPECT_EQ(Frame()->m_mainframeDoc->GetTitle(), "Quarn");
    EXPECT_EQ(Frame()->m_mainframeDoc->GetPathName(), "Quarn");
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));
    Frame()->m_mainframeDoc->OnCloseDocument();
    EXPECT_EQ(Frame()->m_mainframeDoc, nullptr);
    EXPECT_TRUE(Frame()->IsCommandEnabled(ID_FILE_OPEN_QUARN));
}

TEST_F(ModuleOpening, RecallClosesAndReopensEveryWindowWithoutAsking) {
    m_sim->SetPreset(2, "Two", true);
    m_boxes.Expect("Recall 'Factory Default' ?", platform::MB_YESNO | platform::MB_ICONEXCLAMATION,
                   platform::IDYES);
    Frame()->ExecuteCommand(ID_FILE_OPEN_QUARN);
    Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST);
    Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST + 2);
    Frame()->m_slotDoc[0]->SetModifiedFlag(true);  // changes not applied
    ASSERT_EQ(g_opened, 2);

    Frame()->ExecuteCommand(ID_RECALL_FACTORY_DEFAULT);
    EXPECT_EQ(g_opened, 4);
    EXPECT_EQ(OpenWindows(), 3);
    ASSERT_NE(Frame()->m_mainframeDoc, nullptr);
    ASSERT_NE(Frame()->m_slotDoc[0], nullptr);
    ASSERT_NE(Frame()->m_slotDoc[2], nullptr);
    EXPECT_FALSE(Frame()->m_slotDoc[0]->IsModified());
    EXPECT_EQ(Frame()->m_slotDoc[2]->GetTitle(), "Kintor[3]");
    EXPECT_EQ(g_presetTable[1].used, 1);
    EXPECT_EQ(PaneText(), "Ready");
}

TEST_F(ModuleOpening, ClosingTheMainWindowStoresPlacementAndClosesDocuments) {
    Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST);
    EXPECT_TRUE(Frame()->OnClose());
    EXPECT_FALSE(MainWindowAlive());
    EXPECT_EQ(Frame()->m_slotDoc[0], nullptr);
    EXPECT_NE(ReadSetting("PrivateSetting"), "<none>");
}

}  // namespace
}  // namespace corvane::testing
