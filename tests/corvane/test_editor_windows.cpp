// The editor windows together, as the operator uses them: a preset recall with the mainframe
// window and a changed Tavix window open, a module's Apply notification reaching both through
// the main frame, and every model's window opening whole inside the first-start main window.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "corvane/core/Messages.h"
#include "corvane/core/QuarnDoc.h"
#include "corvane/modules/tavix/TavixDoc.h"
#include "platform/FormView.h"
#include "platform/MessageBox.h"
#include "quarnsim/Options.h"
#include "quarnsim/Session.h"
#include "resources/corvane/ModuleForms.h"
#include "tests/corvane/TavixFixture.h"

namespace corvane::testing {
namespace {

class EditorWindows : public TavixFixture {
protected:
    void OpenBoth() {
        Frame()->ExecuteCommand(ID_FILE_OPEN_QUARN);
        ASSERT_NE(Frame()->m_mainframeDoc, nullptr);
        ASSERT_NE(Open(), nullptr);
        TakeLines();
    }
    CQuarnDoc* Quarn() const { return dynamic_cast<CQuarnDoc*>(Frame()->m_mainframeDoc); }
    // What the instrument's own front panel would do: store the current settings.
    void StoreOnTheInstrument(const std::string& name) {
        quarnsim::Session panel;
        std::string reply;
        Instrument().ProcessLine(panel, "MMEM:STOR:PRES \"" + name + "\"", &reply);
        Instrument().ProcessLine(panel, "SYST:ERR?", &reply);
        ASSERT_EQ(reply, "0,\"No error\"");
    }
};

TEST_F(EditorWindows, RecallReopensBothWindowsWithTheInstrumentsNewState) {
    OpenBoth();
    // The operator changes the amplitude of channel 2 and does not apply it.
    Doc()->SetAmplitude(1, -30);
    ASSERT_TRUE(Doc()->IsModified());
    // The preset the operator recalls holds other values.
    m_sim->SetPreset(5, "Studio", true);
    Seed("OUTP:AUD:CHAN2:AMPL", "-6");
    m_sim->SetContrast(33);
    StoreOnTheInstrument("Studio");
    Seed("OUTP:AUD:CHAN2:AMPL", "-20");
    m_sim->SetContrast(20);
    Frame()->ReadPresetNames();

    // Only the recall's own question; no window asks about its changes.
    m_boxes.Expect("Recall 'Studio' ?", platform::MB_YESNO | platform::MB_ICONEXCLAMATION,
                   platform::IDYES);
    Frame()->ExecuteCommand(ID_RECALL_PRESET_FIRST + 4);
    ASSERT_NE(Doc(), nullptr);
    ASSERT_NE(Quarn(), nullptr);
    EXPECT_EQ(Doc()->m_amplitude[1], -6);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Quarn()->m_contrast, 33);
    EXPECT_EQ(Doc()->GetTitle(), "Tavix[1]");
    EXPECT_EQ(Quarn()->GetTitle(), "Quarn");
    EXPECT_EQ(Frame()->Children().size(), 2u);
    // Nothing of the dropped change was sent.
    for (const std::string& line : TakeLines())
        EXPECT_EQ(line.find("AMPL "), std::string::npos) << line;
}

TEST_F(EditorWindows, ModuleAppliedPostedToTheFrameRefreshesBothWindows) {
    OpenBoth();
    Seed("OUTP:AUD:SYNC", "FREE");
    Frame()->PostMessage(WM_MODULE_APPLIED, 0);
    EXPECT_TRUE(TakeLines().empty());  // posted: nothing happens before the event loop runs
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    const std::vector<std::string> lines = TakeLines();
    auto sent = [&](const std::string& text) {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    };
    EXPECT_TRUE(sent("INST:SEL \"CPU:0\""));  // the mainframe window read again
    EXPECT_TRUE(sent("DISP:CONT?"));
    EXPECT_TRUE(sent("INST:SEL \"Tavix:1\""));  // and the Tavix window its synchronisation
    EXPECT_TRUE(sent("OUTP:AUD:SYNC?"));
    EXPECT_EQ(Doc()->m_syncMode, CTavixDoc::kSyncFree);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(EditorWindows, AWindowLargerThanTheFramesAreaOpensWithItsTitleInView) {
    Frame()->GetWidget()->resize(320, 240);
    RunPendingEvents();
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    RunPendingEvents();
    const QWidget* window = view->GetParentFrame()->GetWidget();
    EXPECT_GE(window->x(), 0);
    EXPECT_GE(window->y(), 0);
}

// Each model's window, opened on the demo instrument in a main window of the size a first
// start gives it, lies whole inside the frame's client area with OK, Cancel and Apply in reach
// and no scroll bar.
class ModuleWindowInFirstStartFrame : public CorvaneFixture,
                                      public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartSimulator({{GetParam(), 1}},
                       [](quarnsim::Options& options) { quarnsim::ApplyDemo(options); });
        ASSERT_TRUE(StartCorvane());
        ASSERT_EQ(PaneText(), "Ready");
    }
};

TEST_P(ModuleWindowInFirstStartFrame, FitsWithItsButtonsAndNoScrollBar) {
    ASSERT_EQ(Frame()->GetWidget()->frameGeometry().size(), QSize(720, 560));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST));
    ASSERT_EQ(Frame()->Children().size(), 1u);
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    platform::CMDIChildWnd* child = Frame()->Children().front();
    auto* view = dynamic_cast<platform::CFormView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    QMdiArea* area = Frame()->MdiArea();
    QWidget* client = area->viewport();
    SaveScreenshot(Frame()->GetWidget(), std::string("first-start-frame-") + GetParam());

    const QRect inside = client->rect();
    const QRect window = child->SubWindow()->geometry();
    EXPECT_TRUE(inside.contains(window))
        << window.x() << "," << window.y() << " " << window.width() << "x" << window.height()
        << " in " << inside.width() << "x" << inside.height();
    for (int id : {IDC_MODULE_OK, IDC_MODULE_CANCEL, IDC_MODULE_APPLY}) {
        QWidget* button = view->GetDlgItem(id);
        ASSERT_NE(button, nullptr) << id;
        const QRect place(button->mapTo(client, QPoint(0, 0)), button->size());
        EXPECT_TRUE(inside.contains(place))
            << "button " << id << " at " << place.x() << "," << place.y();
    }
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ModuleWindowInFirstStartFrame,
                         ::testing::Values("Tavix", "Brumo", "Kintor", "Sormet", "Ulmeth", "Pirvo",
                                           "Oltra", "Yarlo"));

}  // namespace
}  // namespace corvane::testing
