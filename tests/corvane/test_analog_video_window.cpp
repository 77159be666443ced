// The Oltra and Yarlo windows against the simulated instrument: the opening, the tabs, each
// page's report reaching the instrument on Apply, the reloads after it, closing with each
// answer, and a picture of every tab.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/oltra/OltraDoc.h"
#include "corvane/modules/oltra/OltraMessages.h"
#include "corvane/modules/oltra/OltraView.h"
#include "corvane/modules/yarlo/YarloDoc.h"
#include "corvane/modules/yarlo/YarloMessages.h"
#include "corvane/modules/yarlo/YarloView.h"
#include "corvane/modules/tavix/TavixView.h"
#include "platform/MessageBox.h"
#include "resources/corvane/MovingPicturePageForms.h"
#include "resources/corvane/OverlayPageForms.h"
#include "resources/corvane/VideoOutputPageForms.h"
#include "resources/corvane/VideoSignalPageForms.h"
#include "tests/corvane/ModuleWindowFixture.h"
#include "tests/corvane/SimulatorLog.h"
#include "tests/corvane/TabTexts.h"
// clang-format on

namespace corvane::testing {
namespace {

using platform::IDCANCEL;
using platform::IDNO;
using platform::IDYES;
using Lines = std::vector<std::string>;
constexpr platform::UINT kQuestion = platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION;

// Replaces every "%M" by the model's name.
std::string ForModel(std::string text, const std::string& model) {
    for (size_t at = text.find("%M"); at != std::string::npos; at = text.find("%M", at))
        text.replace(at, 2, model);
    return text;
}

const quarnsim::VideoFileTree& Tree(bool oltra) {
    static const quarnsim::VideoFileTree oltraTree{
        {{"NTSC", {{"Bars", {"Full.cmp", "Split.cmp"}}, {"Ramp", {"Ramp.cmp"}}}},
         {"PAL-1", {{"Bars", {"Full.cmp"}}}}},
        {{"Cards", {"Grey.pic", "Zone.pic"}}},
        {"STATION.lgo", "ID.lgo"}};
    static const quarnsim::VideoFileTree yarloTree{
        {{"1080 59i GBR", {{"Bars", {"Full.cmp", "Split.cmp"}}, {"Ramp", {"Ramp.cmp"}}}},
         {"1080 59i YPbPr", {{"Bars", {"Full.cmp"}}}}},
        {{"Cards", {"Grey.pic", "Zone.pic"}}},
        {"STATION.lgo", "ID.lgo"}};
    return oltra ? oltraTree : yarloTree;
}

template <typename Doc, typename View>
class AnalogWindow : public ModuleWindowFixture<Doc, View> {
public:
    using Base = ModuleWindowFixture<Doc, View>;
    static constexpr bool kOltra = std::is_same_v<Doc, COltraDoc>;
    // Yarlo numbers are the Oltra's plus 100, but for the video page's reload.
    static platform::UINT Number(platform::UINT oltra) { return kOltra ? oltra : oltra + 100; }

    AnalogWindow() : Base(kOltra ? "Oltra" : "Yarlo", 1) {}

    void SetUp() override {
        Base::SetUp();
        ASSERT_EQ(quarnsim::SeedVideoFiles(this->m_temp.filePath("instrument").toStdString(),
                                           this->m_model, Tree(kOltra)),
                  1);
        // On a test signal of the first format's second set, as an operator left it.
        this->Seed("MMEM:SIGN:ACT", "/" + Format() + "/Ramp/Ramp.cmp");
    }
    std::string Format() const { return kOltra ? "NTSC" : "1080 59i GBR"; }
    // Puts the module on a signal as an operator at the instrument would, unseen by the log.
    void LoadAtInstrument(const std::string& path) {
        quarnsim::Session session;
        std::string reply;
        this->Instrument().ProcessLine(session, "INST:SEL \"" + this->m_model + ":1\"", &reply);
        this->Instrument().ProcessLine(session, "MMEM:LOAD:SIGN 1,\"" + path + "\"", &reply);
    }
};

using OltraWindowBase = AnalogWindow<COltraDoc, COltraView>;
using YarloWindowBase = AnalogWindow<CYarloDoc, CYarloView>;

template <typename Fixture>
class AnalogWindowTest : public Fixture {};

using Models = ::testing::Types<OltraWindowBase, YarloWindowBase>;
TYPED_TEST_SUITE(AnalogWindowTest, Models);

// The opening as the module hears it, line by line: the catalogues, the active signal once
// more, then every setting. The blink period and the logo selection are asked only while
// blinking and the logo are on.
TYPED_TEST(AnalogWindowTest, OpeningAsksForEverythingOnceInOrder) {
    struct Case {
        const char* name;
        const char* blink;
        const char* logo;
    };
    const Case cases[] = {{"blink and logo off", "0", "0"}, {"blink and logo on", "1", "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->Seed("OUTP1:OVER:BLIN:STAT", c.blink);
        this->Seed("OUTP1:LOGO:STAT", c.logo);
        this->TakeLines();
        auto* view = this->Open();
        ASSERT_NE(view, nullptr);
        const bool on = c.blink[0] == '1';
        const std::string format = this->Format();
        const std::string other = TestFixture::kOltra ? "PAL-1" : "1080 59i YPbPr";
        auto cat = [](const std::string& path) { return "MMEM:CAT? \"/F0:/%M/" + path + "\""; };
        Lines expected{"INST:SEL \"%M:1\"",
                       "MMEM:SIGN:ACT? 1",
                       cat("SIGNAL"),
                       cat("SIGNAL/" + format),
                       cat("SIGNAL/" + format + "/Bars"),
                       cat("SIGNAL/" + format + "/Ramp"),
                       cat("SIGNAL/" + other),
                       cat("SIGNAL/" + other + "/Bars"),
                       cat("PICTURE"),
                       cat("PICTURE/Cards"),
                       "MMEM:SIGN:ACT? 1",
                       "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?",
                       "OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?",
                       "OUTP1:OVER:BLIN:STAT?"};
        if (on)
            expected.push_back("OUTP1:OVER:BLIN:PER?");
        expected.push_back("OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?");
        if (on)
            expected.push_back("OUTP1:LOGO:SEL?");
        expected.insert(
            expected.end(),
            {cat("LOGO"), "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "OUTP1:TEXT:DATA?",
             "OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", ":OUTP1:VID:SYNC:STAT?", ":OUTP1:STAN?"});
        if (TestFixture::kOltra)
            expected.push_back(":OUTP1:VID:CONF?");
        expected.push_back(":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?");
        for (std::string& line : expected) line = ForModel(line, this->m_model);
        EXPECT_EQ(this->TakeLines(), expected);
        EXPECT_FALSE(this->Doc()->IsModified());
        ASSERT_TRUE(this->Frame()->Children().front()->OnClose());
    }
}

// Each tab shows its own page, and only the Oltra's video page carries the configuration and
// APL controls.
TYPED_TEST(AnalogWindowTest, EachTabShowsItsPage) {
    auto* view = this->Open();
    ASSERT_NE(view, nullptr);
    this->TakeLines();
    EXPECT_EQ(TabTexts(*view),
              (std::vector<std::string>{"Signal", "Moving Picture", "Overlay",
                                        TestFixture::kOltra ? "Video/APL" : "Video"}));
    EXPECT_EQ(view->GetTabCount(IDC_MODULE_TAB), 4);
    EXPECT_EQ(view->PageCount(), 4);
    EXPECT_EQ(view->ShownPage(), 0);
    // The Yarlo's form opens with Apply enabled, the Oltra's without.
    EXPECT_EQ(view->IsDlgItemEnabled(IDC_MODULE_APPLY), !TestFixture::kOltra);
    EXPECT_EQ(view->m_signalPage.FormatIndex(), 0);

    struct Tab {
        CTabPage* page;
        int control;  // one the page must have
    };
    const Tab tabs[] = {{&view->m_signalPage, IDC_SIGNAL_FORMAT},
                        {&view->m_movingPage, IDC_MOVING_PERIOD},
                        {&view->m_overlayPage, IDC_CIRCLE_DIAMETER},
                        {&view->m_videoPage, IDC_CHANNEL2_OFF}};
    for (int tab = 3; tab >= 0; --tab) {
        SCOPED_TRACE(tab);
        ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, tab));
        EXPECT_EQ(view->ShownPage(), tab);
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(tabs[other].page->GetWidget()->isVisibleTo(view->GetWidget()), other == tab)
                << other;
        EXPECT_TRUE(view->GetWidget()->isAncestorOf(tabs[tab].page->GetDlgItem(tabs[tab].control)));
    }
    for (int control : {IDC_APL_MODE, IDC_APL_PERIOD, IDC_CONFIG_YC, IDC_CONFIG_COMPOSITE})
        EXPECT_EQ(view->m_videoPage.HasDlgItem(control), TestFixture::kOltra) << control;
    EXPECT_TRUE(this->TakeLines().empty());  // switching tabs asks nothing
    EXPECT_FALSE(this->Doc()->IsModified());
}

// One report of a page, as the page sends it, and what the next Apply sends for it between
// the module's selection and the closing queries.
struct ApplyCase {
    const char* name;
    platform::UINT oltraNumber;
    platform::WPARAM wParam;
    enum { kInt, kDouble, kText } payload;
    int value;
    double number;
    const char* text;
    Lines sent;
    bool oltraOnly = false;
    // Read again after the error check, and asked by a page's reload after the Apply.
    Lines reread = {};
    Lines reloads = {};
};

TYPED_TEST(AnalogWindowTest, EachPageReportReachesTheInstrumentOnApply) {
    const std::vector<ApplyCase> cases = {
        {"lines", WM_OLTRA_LINES, 0, ApplyCase::kInt, 5, 0, nullptr, {"SENS1:CORR:MDEL:VERT 5"}},
        {"delay",
         WM_OLTRA_DELAY,
         0,
         ApplyCase::kDouble,
         0,
         1e-6,
         nullptr,
         {"SENS1:CORR:MDEL:HOR 1.00000000"}},
        {"signal",
         WM_OLTRA_SIGNAL,
         1,
         ApplyCase::kText,
         0,
         0,
         "Ramp.cmp",
         {"MMEM:LOAD:SIGN 1,\"/%F/Ramp/Ramp.cmp\"", "*OPC?"},
         false,
         {"OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "OUTP1:TEXT:DATA?"},
         {"INST:SEL \"%M:1\"", "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?"}},
        {"moving step",
         WM_OLTRA_MOVING_HSTEP,
         0,
         ApplyCase::kInt,
         8,
         0,
         nullptr,
         {"OUTP1:MOV:HOR 8"}},
        {"random",
         WM_OLTRA_MOVING_RANDOM,
         1,
         ApplyCase::kInt,
         0,
         0,
         nullptr,
         {"OUTP1:MOV:RAND:STAT 1"}},
        {"blink",
         WM_OLTRA_BLINK,
         3,
         ApplyCase::kInt,
         0,
         0,
         nullptr,
         {"OUTP1:OVER:BLIN:STAT 1", "OUTP1:OVER:BLIN:PER 1.0"}},
        {"circle", WM_OLTRA_DIAMETER, 0, ApplyCase::kInt, 30, 0, nullptr, {"OUTP1:CIRC:DIAM 30"}},
        {"channel", WM_OLTRA_CHANNEL2, 0, ApplyCase::kInt, 0, 0, nullptr, {"OUTP1:VID:PB:STAT 0"}},
        {"apl mode",
         WM_OLTRA_APL_MODE,
         0,
         ApplyCase::kText,
         0,
         0,
         "APL_HIGH",
         {"OUTP1:APL:MOD APL_HIGH"},
         true},
        {"composite",
         WM_OLTRA_COMPOSITE,
         0,
         ApplyCase::kInt,
         0,
         0,
         nullptr,
         {":OUTP1:STAN?", "OUTP1:VID:CONF YC"},
         true},
    };
    for (const ApplyCase& c : cases) {
        if (c.oltraOnly && !TestFixture::kOltra)
            continue;
        SCOPED_TRACE(c.name);
        auto* view = this->OpenQuiet();
        ASSERT_NE(view, nullptr);
        const std::string text = c.text != nullptr ? c.text : "";
        double number = c.number;
        const platform::LPARAM lParam =
            c.payload == ApplyCase::kInt      ? static_cast<platform::LPARAM>(c.value)
            : c.payload == ApplyCase::kDouble ? reinterpret_cast<platform::LPARAM>(&number)
                                              : reinterpret_cast<platform::LPARAM>(text.c_str());
        view->SendMessage(TestFixture::Number(c.oltraNumber), c.wParam, lParam);
        EXPECT_TRUE(this->Doc()->IsModified());
        EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        Lines expected{ForModel("INST:SEL \"%M:1\"", this->m_model)};
        for (const std::string& line : c.sent) {
            std::string withFormat = line;
            if (size_t at = withFormat.find("%F"); at != std::string::npos)
                withFormat.replace(at, 2, this->Format());
            expected.push_back(withFormat);
        }
        expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
        expected.insert(expected.end(), c.reread.begin(), c.reread.end());
        expected.push_back(":OUTP1:STAN?");
        for (const std::string& line : c.reloads) expected.push_back(ForModel(line, this->m_model));
        EXPECT_EQ(this->TakeLines(), expected);
        EXPECT_FALSE(this->Doc()->IsModified());
        EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        view->ClickButton(IDC_MODULE_OK);
        ASSERT_TRUE(this->WaitUntilClosed());
    }
}

TYPED_TEST(AnalogWindowTest, CancelAsksOnceWhateverTheAnswer) {
    const std::string question = ForModel("Apply changes to %M?", this->m_model);
    auto* view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->ClickButton(IDC_MODULE_CANCEL);  // unmodified: closes without a question
    EXPECT_TRUE(this->WaitUntilClosed());

    view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->SendMessage(TestFixture::Number(WM_OLTRA_MOVING_PERIOD), 0, 7);
    this->m_boxes.Expect(question, kQuestion, IDCANCEL);
    view->ClickButton(IDC_MODULE_CANCEL);
    this->RunPendingEvents();
    EXPECT_TRUE(this->WindowOpen());
    EXPECT_TRUE(this->Doc()->IsModified());

    this->m_boxes.Expect(question, kQuestion, IDNO);
    view->ClickButton(IDC_MODULE_CANCEL);
    EXPECT_TRUE(this->WaitUntilClosed());
    Lines noSend = this->TakeLines();
    EXPECT_EQ(std::count(noSend.begin(), noSend.end(), "OUTP1:MOV:PER 7"), 0);

    view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->SendMessage(TestFixture::Number(WM_OLTRA_MOVING_PERIOD), 0, 7);
    this->m_boxes.Expect(question, kQuestion, IDYES);
    view->ClickButton(IDC_MODULE_CANCEL);
    EXPECT_TRUE(this->WaitUntilClosed());
    const Lines sent = this->TakeLines();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "OUTP1:MOV:PER 7"), 1);
}

TYPED_TEST(AnalogWindowTest, FramePictureModeReachesTheDocumentAndTheOverlayPage) {
    auto* view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    // The page names the picture by its file before it switches the mode.
    const std::string picture = "Zone.pic";
    view->SendMessage(TestFixture::Number(WM_OLTRA_PICTURE), 1,
                      reinterpret_cast<platform::LPARAM>(picture.c_str()));
    view->SendMessage(TestFixture::Number(WM_OLTRA_FRAME_PICTURE), 1, 0);
    EXPECT_EQ(this->Doc()->m_framePicture, 1);
    EXPECT_TRUE(this->Doc()->IsModified());
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    const Lines sent = this->TakeLines();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[1], "MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Zone.pic\"");
}

// An operator's change on a page's own controls, and what the next Apply sends for it between
// the selection and the closing "*OPC?". Settings are seeded so that each change is one.
TYPED_TEST(AnalogWindowTest, AChangeOnEachPageReachesTheInstrumentOnApply) {
    for (const auto& [header, value] :
         std::vector<std::pair<const char*, const char*>>{{"OUTP1:MOV:PER", "1"},
                                                          {"OUTP1:OVER:BLIN:STAT", "0"},
                                                          {"OUTP1:LOGO:STAT", "1"},
                                                          {"OUTP1:LOGO:POS:HOR", "0"},
                                                          {"OUTP1:CIRC:STAT", "1"},
                                                          {"OUTP1:CIRC:DIAM", "20"},
                                                          {"OUTP1:VID:PB:STAT", "1"}})
        this->Seed(header, value);
    const std::vector<PageAction<CAnalogVideoView>> cases = {
        {"signal set",
         [](CAnalogVideoView& v) { v.m_signalPage.ChooseComboItem(IDC_SIGNAL_SET, 0); },
         {"MMEM:LOAD:SIGN 1,\"/%F/Bars/Full.cmp\"", "*OPC?"}},
        {"lines",
         [](CAnalogVideoView& v) { v.m_signalPage.TypeText(IDC_SIGNAL_LINES, "5"); },
         {"SENS1:CORR:MDEL:VERT 5"}},
        {"moving period",
         [](CAnalogVideoView& v) { v.m_movingPage.TypeText(IDC_MOVING_PERIOD, "7"); },
         {"OUTP1:MOV:PER 7"}},
        {"blink",
         [](CAnalogVideoView& v) { v.m_overlayPage.ClickButton(IDC_BLINK_SLOW); },
         {"OUTP1:OVER:BLIN:STAT 1", "OUTP1:OVER:BLIN:PER 1.0"}},
        {"logo position",
         [](CAnalogVideoView& v) { v.m_overlayPage.TypeText(IDC_LOGO_X, "-25"); },
         {"OUTP1:LOGO:POS:HOR -25.0", "OUTP1:LOGO:SAVE", "OUTP1:TEXT:SAVE", "OUTP1:TEXT:SAVE"}},
        {"circle",
         [](CAnalogVideoView& v) { v.m_overlayPage.TypeText(IDC_CIRCLE_DIAMETER, "30"); },
         {"OUTP1:CIRC:DIAM 30"}},
        {"channel",
         [](CAnalogVideoView& v) { v.m_videoPage.ClickButton(IDC_CHANNEL2_OFF); },
         {"OUTP1:VID:PB:STAT 0"}},
    };
    for (const PageAction<CAnalogVideoView>& c : cases) {
        SCOPED_TRACE(c.name);
        Lines expected{ForModel("INST:SEL \"%M:1\"", this->m_model)};
        for (std::string line : c.sent) {
            if (size_t at = line.find("%F"); at != std::string::npos)
                line.replace(at, 2, this->Format());
            expected.push_back(line);
        }
        expected.push_back("*OPC?");
        this->ApplyPageAction(c.act, expected, true);
    }
}

// OK, the Cancel button and the frame's close each ask once when something changed, and
// follow the answer: Cancel keeps the window, No closes without sending, Yes sends and closes.
TYPED_TEST(AnalogWindowTest, ClosingFollowsEachAnswer) {
    const std::string question = ForModel("Apply changes to %M?", this->m_model);
    const int buttons[] = {IDC_MODULE_OK, IDC_MODULE_CANCEL, 0};  // 0: the frame's close
    const int answers[] = {IDCANCEL, IDNO, IDYES};
    for (int button : buttons) {
        for (int answer : answers) {
            SCOPED_TRACE(std::to_string(button) + " answered " + std::to_string(answer));
            this->Seed("OUTP1:MOV:PER", "1");
            auto* view = this->OpenQuiet();
            ASSERT_NE(view, nullptr);
            view->m_movingPage.TypeText(IDC_MOVING_PERIOD, "9");
            this->m_boxes.Expect(question, kQuestion, answer);
            if (button == 0)
                EXPECT_EQ(this->Frame()->Children().front()->OnClose(), answer != IDCANCEL);
            else
                view->ClickButton(button);
            const bool closes = answer != IDCANCEL;
            if (closes) {
                EXPECT_TRUE(this->WaitUntilClosed());
            }
            this->RunPendingEvents();
            EXPECT_EQ(this->WindowOpen(), !closes);
            EXPECT_EQ(this->m_boxes.Pending(), 0u);
            EXPECT_EQ(this->Setting("OUTP1:MOV:PER"), answer == IDYES ? "9" : "1");
            if (this->WindowOpen()) {
                EXPECT_TRUE(this->Doc()->IsModified());
                this->Doc()->SetModifiedFlag(false);
                ASSERT_TRUE(this->Frame()->Children().front()->OnClose());
            }
        }
    }
}

// A send that fails midway stops the Apply with one box; what went out is applied, what did
// not keeps its flag, and the window stays open and applies the rest once connected again.
TYPED_TEST(AnalogWindowTest, ASendFailingMidApplyKeepsTheRestForTheNextApply) {
    this->Seed("OUTP1:MOV:PER", "1");
    this->Seed("OUTP1:CIRC:STAT", "1");
    this->Seed("OUTP1:CIRC:DIAM", "20");
    auto* view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->m_movingPage.TypeText(IDC_MOVING_PERIOD, "7");
    view->m_overlayPage.TypeText(IDC_CIRCLE_DIAMETER, "30");
    FrameLinkBrokenBefore link(*this->Frame(), "OUTP1:CIRC:DIAM 30");
    this->Doc()->SetLink(&link);
    this->m_boxes.ExpectAny(platform::IDOK);
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    EXPECT_EQ(this->m_boxes.Records().size(), 1u);
    // The period went out with no reply after it, so the simulator may take it a moment after
    // the link broke.
    Lines log = TakeLinesThrough(*this->m_sim, "OUTP1:MOV:PER 7");
    EXPECT_EQ(std::count(log.begin(), log.end(), "OUTP1:CIRC:DIAM 30"), 0);
    EXPECT_EQ(this->Setting("OUTP1:MOV:PER"), "7");
    EXPECT_EQ(this->Setting("OUTP1:CIRC:DIAM"), "20");
    EXPECT_TRUE(this->WindowOpen());
    EXPECT_TRUE(this->Doc()->IsModified());
    EXPECT_FALSE(this->Doc()->m_movingPeriod.Changed());
    EXPECT_TRUE(this->Doc()->m_circleDiameter.Changed());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));

    ASSERT_EQ(this->Frame()->Connect(), 1);
    this->TakeLines();
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    log = this->TakeLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Lines(log.begin(), log.begin() + 3),
              (Lines{ForModel("INST:SEL \"%M:1\"", this->m_model), "OUTP1:CIRC:DIAM 30", "*OPC?"}));
    EXPECT_EQ(this->Setting("OUTP1:CIRC:DIAM"), "30");
    EXPECT_FALSE(this->Doc()->IsModified());
    this->Doc()->SetLink(nullptr);
}

// The same windows beside a Tavix window in slot 2, which reads its sync again whenever
// another window says it applied something that may have moved it.
template <typename Fixture>
class AnalogBesideTavixTest : public Fixture {
protected:
    AnalogBesideTavixTest() { this->m_others = {{"Tavix", 2}}; }
};
TYPED_TEST_SUITE(AnalogBesideTavixTest, Models);

// What the instrument's error queue says after an Apply: the box, whether the load is armed
// again, and whether the other windows hear of it.
TYPED_TEST(AnalogBesideTavixTest, ErrorsAfterApplyAndWhatTheOtherWindowsHear) {
    struct Case {
        const char* name;
        bool load;  // the change is a new signal; otherwise a moving period
        int error;
        const char* box;
        bool rearmed;
        bool tavixRereads;
    };
    const Case cases[] = {
        {"load accepted", true, 0, nullptr, false, true},
        {"load refused", true, -256, "/%F/Bars/Full.cmp is not assigned to test signal key.", true,
         false},
        {"not found without a load", false, -256,
         "Command send error!\n-256,\"File name not found\"", false, false},
        {"other error after a load", true, -222, "Command send error!\n-222,\"Data out of range\"",
         false, true},
    };
    this->Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST + 1);
    ASSERT_EQ(this->Frame()->Children().size(), 1u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->LoadAtInstrument("/" + this->Format() + "/Ramp/Ramp.cmp");
        auto* view = this->OpenQuiet();
        ASSERT_NE(view, nullptr);
        if (c.load)
            view->m_signalPage.ChooseComboItem(IDC_SIGNAL_SET, 0);
        else
            view->m_movingPage.TypeText(IDC_MOVING_PERIOD, "7");
        if (c.error != 0)
            this->m_sim->PushError(c.error,
                                   c.error == -256 ? "File name not found" : "Data out of range");
        std::string box = c.box != nullptr ? c.box : "";
        if (size_t at = box.find("%F"); at != std::string::npos)
            box.replace(at, 2, this->Format());
        if (c.box != nullptr)
            this->m_boxes.Expect(box, platform::MB_ICONSTOP, platform::IDOK);
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        this->RunPendingEvents();
        EXPECT_EQ(this->m_boxes.Pending(), 0u);
        const Lines log = this->TakeLines();
        EXPECT_EQ(std::count(log.begin(), log.end(), "INST:SEL \"Tavix:2\""),
                  c.tavixRereads ? 1 : 0);
        EXPECT_EQ(std::count(log.begin(), log.end(), "OUTP:AUD:SYNC?"), c.tavixRereads ? 1 : 0);
        EXPECT_EQ(this->Doc()->IsModified(), c.rearmed);
        EXPECT_EQ(view->IsDlgItemEnabled(IDC_MODULE_APPLY), c.rearmed);
        if (c.rearmed) {
            // The refused load goes again with the next Apply.
            ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
            this->RunPendingEvents();
            const Lines again = this->TakeLines();
            ASSERT_GE(again.size(), 3u);
            EXPECT_EQ(again[1], "MMEM:LOAD:SIGN 1,\"/" + this->Format() + "/Bars/Full.cmp\"");
            EXPECT_EQ(std::count(again.begin(), again.end(), "OUTP:AUD:SYNC?"), 1);
            EXPECT_FALSE(this->Doc()->IsModified());
        }
        ASSERT_TRUE(this->Doc()->GetViews().front()->GetParentFrame()->OnClose());
        EXPECT_EQ(this->Frame()->Children().size(), 1u);  // the Tavix window stays
    }
}

TYPED_TEST(AnalogWindowTest, ScreenshotsOfEachTab) {
    auto* view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    const char* const names[] = {"signal", "moving", "overlay", "video"};
    for (int tab = 0; tab < 4; ++tab) {
        if (tab > 0) {
            ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, tab));
        }
        EXPECT_EQ(view->ShownPage(), tab);
        this->SaveScreenshot(view->GetParentFrame()->GetWidget(),
                             (TestFixture::kOltra ? "oltra_" : "yarlo_") + std::string(names[tab]));
    }
    EXPECT_FALSE(this->Doc()->IsModified());  // switching tabs sends nothing
}

}  // namespace
}  // namespace corvane::testing
