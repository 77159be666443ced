// The Pirvo window against the simulated instrument: the opening, each page message reaching
// the module on Apply, the live timing query, closing with each answer, a send failing in the
// middle of an Apply, and a picture of every tab. Each window is checked through what the
// simulator received.
#include "tests/corvane/PirvoSeed.h"
// clang-format off
#include <algorithm>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/pirvo/PirvoView.h"
#include "corvane/pages/blackoutput/BlackOutputMessages.h"
#include "corvane/pages/pirvo/PirvoPageMessages.h"
#include "corvane/pages/timing/TimingMessages.h"
#include "platform/MessageBox.h"
#include "resources/corvane/BlackOutputPageForms.h"
#include "resources/corvane/PirvoPageForms.h"
#include "tests/corvane/ModuleWindowFixture.h"
#include "tests/corvane/SimulatorLog.h"
#include "tests/corvane/TabTexts.h"
// clang-format on

namespace corvane::testing {
namespace {

using namespace pirvo;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDYES;

class PirvoWindow : public ModuleWindowFixture<CPirvoDoc, CPirvoView> {
protected:
    PirvoWindow() : ModuleWindowFixture("Pirvo", 1) {}

    void SetUp() override {
        ModuleWindowFixture::SetUp();
        ASSERT_EQ(quarnsim::SeedVideoFiles(m_temp.filePath("instrument").toStdString(), "Pirvo",
                                           PirvoTree()),
                  1);
        for (const auto& [header, value] : PirvoSettings()) Seed(header, value);
    }
    // Opens on the seeded settings, whatever an earlier Apply left, and forgets what the
    // opening sent.
    CPirvoView* OpenQuiet() override {
        for (const auto& [header, value] : PirvoSettings()) Seed(header, value);
        return ModuleWindowFixture::OpenQuiet();
    }
    // The lines of an Apply from INST:SEL to "*OPC?", "SYST:ERR?".
    static Lines ApplyLines(const Lines& middle) {
        return Join({{kSelect}, middle, {"*OPC?", "SYST:ERR?"}});
    }
};

TEST_F(PirvoWindow, OpeningReadsEverythingOnceInOrder) {
    CPirvoView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(TakeLines(), ReadLines());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
    EXPECT_EQ(TabTexts(*view), (std::vector<std::string>{"Signal", "Bars", "Black", "Timing"}));
    EXPECT_EQ(view->ShownPage(), 0);
    ASSERT_TRUE(Frame()->Children().front()->OnClose());
    EXPECT_TRUE(TakeLines().empty());  // closing unchanged sends nothing
}

// One message as a page sends it: the output in wParam, the value in lParam, a text or a
// double by the address of the page's own copy.
struct PageMessage {
    platform::UINT number;
    int output;
    std::variant<int, std::string, double> value;
};

platform::LRESULT Send(platform::CWnd& view, const PageMessage& message) {
    const auto wParam = static_cast<platform::WPARAM>(message.output);
    if (const int* value = std::get_if<int>(&message.value))
        return view.SendMessage(message.number, wParam, *value);
    if (const std::string* text = std::get_if<std::string>(&message.value))
        return view.SendMessage(message.number, wParam,
                                reinterpret_cast<platform::LPARAM>(text->c_str()));
    const double* seconds = std::get_if<double>(&message.value);
    return view.SendMessage(message.number, wParam, reinterpret_cast<platform::LPARAM>(seconds));
}

struct MessageCase {
    const char* name;
    std::vector<PageMessage> messages;
    Lines sent;  // between INST:SEL and the closing queries
    // The outputs whose live timing the timing page reads after the Apply.
    std::vector<int> live = {};
    std::function<void(CPirvoView&)> check = {};
};

// The timing page's reads of the live timing after an Apply.
Lines LiveTimingLines(const std::vector<int>& outputs) {
    Lines lines;
    for (int output : outputs) lines.insert(lines.end(), {kSelect, TimingQuery(output + 1)});
    return lines;
}

const Lines kSaves{"OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"};

const std::vector<MessageCase>& MessageCases() {
    static const std::vector<MessageCase> cases = {
        {"black format",
         {{kPirvoBlackOutput.format, 0, kPirvoNtsc}},
         Join({{"OUTP1:STAN NTSC", "OUTP1:SIGN BB_NO_FREF"}, IdTextRereads(), kSaves}),
         {0},
         // The timing page took the new format at once.
         [](CPirvoView& v) { EXPECT_EQ(v.m_timingPage.Values()[0].format, kPirvoNtsc); }},
        {"black signal",
         {{kPirvoBlackOutput.signal, 1, 7}},
         Join({{"OUTP2:SIGN FREF"}, IdTextRereads(), kSaves})},
        {"lines",
         {{kPirvoTimingMessages.lines, 3, -4}},
         {"OUTP3:TEXT:SAV", "SENS4:CORR:MDEL:VERT -4.0", "OUTP4:TEXT:SAV"}},
        {"delay",
         {{kPirvoTimingMessages.delay, 1, 2.5e-6}},
         Join({{"SENS2:CORR:MDEL:HOR 2.50000000"}, kSaves})},
        {"folder, set and signal",
         {{kPirvoSignalMessages.signalSet, 2, std::string("Bars")},
          {kPirvoSignalMessages.signal, 2, std::string("Full.cmp")},
          {kPirvoSignalMessages.format, 2, 1}},
         Join({{"MMEM:LOAD:SIGN 1,\"/PAL/Bars/Full.cmp\"", "OUTP3:TEXT:SAV"},
               IdTextRereads(),
               {"OUTP4:TEXT:SAV"}}),
         {2},
         [](CPirvoView& v) { EXPECT_EQ(v.m_timingPage.Values()[2].format, 1); }},
        {"APL",
         {{kPirvoSignalMessages.aplMode, 2, std::string("APL_HIGH")},
          {kPirvoSignalMessages.aplPeriod, 2, std::string("0.5")}},
         Join({{"OUTP3:APL:MOD APL_HIGH", "OUTP3:APL:PER 0.5"}, kSaves})},
        {"signal ID text",
         {{kPirvoSignalMessages.idText.text, 2, std::string("A;B?")},
          {kPirvoSignalMessages.idText.mode, 2, kIdTextBlinkFast},
          {kPirvoSignalMessages.idText.x, 2, 150},
          {kPirvoSignalMessages.idText.y, 2, -1}},
         {"OUTP3:TEXT:STAT 1", "OUTP3:OVER:BLIN:PER 0.5", "OUTP3:OVER:BLIN:STAT 1",
          "OUTP3:TEXT:DATA \"A;B?\"", "OUTP3:TEXT:POS:HOR 100", "OUTP3:TEXT:POS:vert 0",
          "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"}},
        {"bars",
         {{kPirvoBarsMessages.format, 3, kPirvoPal}, {kPirvoBarsMessages.signal, 3, 31}},
         Join({{"OUTP3:TEXT:SAV", "OUTP4:STAN PAL", "OUTP4:SIGN FF40PER", "OUTP4:TEXT:SAV"},
               IdTextRereads()}),
         {3},
         [](CPirvoView& v) { EXPECT_EQ(v.m_timingPage.Values()[3].format, kPirvoPal); }},
        {"bars ID text",
         {{kPirvoBarsMessages.idText.mode, 3, kIdTextDisable},
          {kPirvoBarsMessages.idText.text, 3, std::string("BARS")},
          {kPirvoBarsMessages.idText.x, 3, 5},
          {kPirvoBarsMessages.idText.y, 3, 6}},
         {"OUTP3:TEXT:SAV", "OUTP4:TEXT:STAT 0", "OUTP4:TEXT:DATA \"BARS\"", "OUTP4:TEXT:POS:HOR 5",
          "OUTP4:TEXT:POS:vert 6", "OUTP4:TEXT:SAV"}},
    };
    return cases;
}

TEST_F(PirvoWindow, EachPageMessageReachesTheModuleOnApply) {
    for (const MessageCase& c : MessageCases()) {
        SCOPED_TRACE(c.name);
        CPirvoView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        for (const PageMessage& message : c.messages) Send(*view, message);
        if (c.check)
            c.check(*view);
        EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        EXPECT_EQ(TakeLines(), Join({ApplyLines(c.sent), LiveTimingLines(c.live)}));
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
        EXPECT_TRUE(TakeLines().empty());
    }
}

// What the operator does on the Signal and Bars pages reaches the module on Apply.
TEST_F(PirvoWindow, EachPageActionReachesTheModuleOnApply) {
    struct Case : PageAction<CPirvoView> {
        std::vector<int> live;  // the outputs whose timing the pages read again
    };
    const std::vector<Case> cases = {
        // A new set starts on its first signal: one load, from the file name as listed.
        {"signal set",
         [](CPirvoView& v) { v.m_signalPage.ChooseComboItem(IDC_PIRVO_SIGNAL_SET, 1); },
         Join({{"MMEM:LOAD:SIGN 1,\"/NTSC/Ramp/Ramp.cmp\"", "OUTP3:TEXT:SAV"},
               IdTextRereads(),
               {"OUTP4:TEXT:SAV"}}),
         {2}},
        {"APL mode",
         [](CPirvoView& v) { v.m_signalPage.ChooseComboItem(IDC_PIRVO_APL_MODE, 1); },
         {"OUTP3:APL:MOD APL_HIGH", "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"},
         {}},
        {"black format",
         [](CPirvoView& v) { v.m_blackPage.ChooseComboItem(kBlackFormatIds[1], 1); },
         Join({{"OUTP2:STAN PAL", "OUTP2:SIGN SYNC"}, IdTextRereads(), kSaves}),
         {1}},
        // SMPTE bars are not on the PAL list: the list starts on black burst.
        {"bars format",
         [](CPirvoView& v) { v.m_barsPage.ChooseComboItem(IDC_PIRVO_BARS_FORMAT, 1); },
         Join({{"OUTP3:TEXT:SAV", "OUTP4:STAN PAL", "OUTP4:SIGN BB", "OUTP4:TEXT:SAV"},
               IdTextRereads()}),
         {3}},
        // The BARS text is off: enabled first, then typed.
        {"bars ID text",
         [](CPirvoView& v) {
             v.m_barsPage.ClickButton(kPirvoBarsIdText.modes[0]);
             v.m_barsPage.FocusControl(kPirvoBarsIdText.text);
             v.m_barsPage.TypeText(kPirvoBarsIdText.text, "CAM 4");
         },
         {"OUTP3:TEXT:SAV", "OUTP4:TEXT:STAT 1", "OUTP4:OVER:BLIN:STAT 0",
          "OUTP4:TEXT:DATA \"CAM 4\"", "OUTP4:TEXT:SAV"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplyPageAction(c.act, Join({ApplyLines(c.sent), LiveTimingLines(c.live)}));
    }
}

// A position typed and not yet committed by leaving its field is sent before Apply, OK,
// Cancel or the window's close reads the document.
TEST_F(PirvoWindow, ATypedPositionIsCommittedBeforeTheDocumentIsRead) {
    const int buttons[] = {IDC_MODULE_APPLY, IDC_MODULE_OK, IDC_MODULE_CANCEL, 0};  // 0: close
    const Lines sent = ApplyLines({"OUTP3:TEXT:POS:HOR 100", "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"});
    for (int button : buttons) {
        SCOPED_TRACE(button);
        CPirvoView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(view->m_signalPage.FocusControl(kPirvoSignalIdText.x));
        ASSERT_TRUE(view->m_signalPage.TypeText(kPirvoSignalIdText.x, "150"));
        if (button == IDC_MODULE_APPLY)
            ASSERT_TRUE(view->ClickButton(button));
        else
            CloseAnswering(*view, button, "Apply changes to Pirvo?", IDYES);
        EXPECT_EQ(TakeLines(), sent);
        if (WindowOpen()) {
            EXPECT_EQ(view->m_signalPage.GetDlgItemText(kPirvoSignalIdText.x), "100");
            ASSERT_TRUE(Frame()->Children().front()->OnClose());
        }
    }
}

// After an Apply that loaded a picture, the pages show the ID texts the module now has.
TEST_F(PirvoWindow, PagesShowTheIdTextsAnApplyReadAgain) {
    CPirvoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->SendMessage(kPirvoBlackOutput.format, 0, kPirvoNtsc);
    Seed("OUTP3:TEXT:DATA", "NEW 3");
    Seed("OUTP4:TEXT:POS:HOR", "55");
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(view->m_signalPage.GetDlgItemText(kPirvoSignalIdText.text), "NEW 3");
    EXPECT_EQ(view->m_barsPage.GetDlgItemText(kPirvoBarsIdText.x), "55");
    // Writing the fields sent nothing back.
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
    ASSERT_TRUE(Frame()->Children().front()->OnClose());
}

// The timing page's query reads the output's live timing into its record; a query the
// document cannot answer leaves the record as it was.
TEST_F(PirvoWindow, TimingQueryFillsTheRecordOfAValidOutput) {
    CPirvoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    LiveTiming timing{99, 9.0};
    EXPECT_EQ(view->SendMessage(kPirvoTimingMessages.timingQuery, 3,
                                reinterpret_cast<platform::LPARAM>(&timing)),
              1);
    EXPECT_EQ(timing.lines, 4);
    EXPECT_DOUBLE_EQ(timing.delay, 4.5e-6);
    EXPECT_EQ(TakeLines(), (Lines{kSelect, TimingQuery(4)}));
    LiveTiming untouched{99, 9.0};
    EXPECT_EQ(view->SendMessage(kPirvoTimingMessages.timingQuery, 4,
                                reinterpret_cast<platform::LPARAM>(&untouched)),
              0);
    EXPECT_EQ(view->SendMessage(kPirvoTimingMessages.timingQuery, 0, 0), 0);
    EXPECT_EQ(untouched.lines, 99);
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_FALSE(Doc()->IsModified());
}

// OK, the Cancel button and the frame's close each ask once when something changed, and
// follow the answer: Cancel keeps the window, No closes without sending, Yes sends and closes.
TEST_F(PirvoWindow, ClosingFollowsEachAnswer) {
    const int buttons[] = {IDC_MODULE_OK, IDC_MODULE_CANCEL, 0};  // 0: the frame's close
    const int answers[] = {IDCANCEL, IDNO, IDYES};
    for (int button : buttons) {
        for (int answer : answers) {
            SCOPED_TRACE(std::to_string(button) + " answered " + std::to_string(answer));
            CPirvoView* view = OpenQuiet();
            ASSERT_NE(view, nullptr);
            view->SendMessage(kPirvoTimingMessages.lines, 0, 7);
            CloseAnswering(*view, button, "Apply changes to Pirvo?", answer);
            EXPECT_EQ(TakeLines(), answer == IDYES
                                       ? ApplyLines(Join({{"SENS1:CORR:MDEL:VERT 7.0"}, kSaves}))
                                       : Lines{});
            if (WindowOpen()) {
                EXPECT_TRUE(Doc()->IsModified());
                Doc()->SetModifiedFlag(false);
                ASSERT_TRUE(Frame()->Children().front()->OnClose());
            }
        }
    }
}

// A send that fails midway stops the Apply with one box; what went out is settled, what did
// not keeps its flag, and the window applies the rest once connected again. The live timing
// of the format that went out is read only then.
TEST_F(PirvoWindow, ASendFailingMidApplyKeepsTheRestForTheNextApply) {
    CPirvoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->SendMessage(kPirvoBlackOutput.format, 1, kPirvoPal);
    view->SendMessage(kPirvoTimingMessages.lines, 3, 8);
    FrameLinkBrokenBefore link(*Frame(), "SENS4:CORR:MDEL:VERT 8.0");
    Doc()->SetLink(&link);
    m_boxes.ExpectAny(platform::IDOK);
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    const Lines sent =
        Join({{kSelect, "OUTP2:STAN PAL", "OUTP2:SIGN SYNC"}, IdTextRereads(), {"OUTP3:TEXT:SAV"}});
    // The last line before the break has no reply after it, so the simulator may log it a
    // moment later.
    EXPECT_EQ(TakeLinesCount(*m_sim, sent.size()), sent);
    RunPendingEvents();
    EXPECT_TRUE(WindowOpen());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));

    Doc()->SetLink(nullptr);
    ASSERT_EQ(Frame()->Connect(), 1);
    TakeLines();
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(TakeLines(),
              Join({ApplyLines({"OUTP3:TEXT:SAV", "SENS4:CORR:MDEL:VERT 8.0", "OUTP4:TEXT:SAV"}),
                    {kSelect, TimingQuery(2)}}));
    EXPECT_FALSE(Doc()->IsModified());
    ASSERT_TRUE(Frame()->Children().front()->OnClose());
}

TEST_F(PirvoWindow, ScreenshotsOfEachTab) {
    CPirvoView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    SaveScreenshot(view->GetParentFrame()->GetWidget(), "pirvo_window");
    const std::vector<std::string> tabs = TabTexts(*view);
    for (int tab = 0; tab < view->PageCount(); ++tab) {
        ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, tab));
        EXPECT_EQ(view->ShownPage(), tab);
        SaveScreenshot(view->GetParentFrame()->GetWidget(),
                       "pirvo_" + tabs.at(static_cast<size_t>(tab)));
    }
    EXPECT_FALSE(Doc()->IsModified());  // switching tabs sends nothing
    EXPECT_TRUE(TakeLines().empty());
}

}  // namespace
}  // namespace corvane::testing
