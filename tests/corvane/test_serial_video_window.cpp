// The Sormet and Ulmeth windows against the simulated instrument: the tabs the black option
// gives, what a change on each page sends on Apply, the pages' reloads after it, closing, and
// the Ulmeth's relayed clock families. Each window is checked through what the simulator
// received.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <QDir>
#include <QTabBar>

#include "corvane/core/InstrumentLink.h"
#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/sormet/SormetDoc.h"
#include "corvane/modules/sormet/SormetView.h"
#include "corvane/modules/ulmeth/UlmethDoc.h"
#include "corvane/modules/ulmeth/UlmethView.h"
#include "platform/MessageBox.h"
#include "resources/corvane/EmbeddedAudioPageForms.h"
#include "resources/corvane/MovingPicturePageForms.h"
#include "resources/corvane/OverlayPageForms.h"
#include "resources/corvane/SerialBlackPageForms.h"
#include "resources/corvane/VideoOutputPageForms.h"
#include "resources/corvane/VideoSignalPageForms.h"
#include "tests/corvane/ModuleWindowFixture.h"
// clang-format on

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;
constexpr platform::UINT kQuestion = platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION;

const char* const kSerialTabs[] = {"Signal", "Moving Picture", "Overlay",      "Audio",
                                   "Video",  "Black",          "Black (Audio)"};

using SerialPageAction = PageAction<CSerialVideoView>;

template <typename Doc, typename View>
class SerialWindow : public ModuleWindowFixture<Doc, View> {
protected:
    using Base = ModuleWindowFixture<Doc, View>;
    // `other` is a second signal in the active one's set; the black output starts on
    // `blackWord` and is moved to entry `blackIndex` of the list `blackFormat`, on the same clock.
    SerialWindow(const char* model, quarnsim::VideoFileTree tree, std::string active,
                 std::string other, int blackFormat, std::string blackWord, int blackIndex)
        : Base(model, 1),
          m_tree(std::move(tree)),
          m_active(std::move(active)),
          m_other(std::move(other)),
          m_blackFormat(blackFormat),
          m_blackWord(std::move(blackWord)),
          m_blackIndex(blackIndex) {}

    void SetUp() override {
        Base::SetUp();
        ASSERT_EQ(quarnsim::SeedVideoFiles(this->Instrument().Files(), this->m_model, m_tree), 1);
        LoadAtInstrument(m_active);
    }
    // Puts the module on a signal as an operator at the instrument would, unseen by the log.
    void LoadAtInstrument(const std::string& path) {
        quarnsim::Session session;
        std::string reply;
        this->Instrument().ProcessLine(session, "INST:SEL \"" + this->m_model + ":1\"", &reply);
        this->Instrument().ProcessLine(session, "MMEM:LOAD:SIGN 1,\"" + path + "\"", &reply);
    }
    void BlackOption(bool on) { this->Instrument().SetReplyOverride("OUTP:CONF?", on ? "1" : "0"); }
    std::string Select() const { return "INST:SEL \"" + this->m_model + ":1\""; }

    static Lines TabTexts(View* view) {
        Lines texts;
        const auto* bar = view->GetWidget()->template findChild<QTabBar*>();
        for (int i = 0; bar != nullptr && i < bar->count(); ++i)
            texts.push_back(bar->tabText(i).toStdString());
        EXPECT_EQ(view->GetTabCount(IDC_MODULE_TAB), static_cast<int>(texts.size()));
        return texts;
    }
    // Every tab of the window, shown in turn and saved under build/screenshots/.
    void SaveEveryTab(View* view, const std::string& prefix) {
        for (int i = 0; i < view->PageCount(); ++i) {
            ASSERT_TRUE(view->ChooseTab(IDC_MODULE_TAB, i));
            ASSERT_EQ(view->ShownPage(), i);
            this->SaveScreenshot(view->GetParentFrame()->GetWidget(),
                                 prefix + "-" + std::to_string(i + 1));
        }
    }

    // For each action: a fresh window, the action, Apply, and what the instrument received
    // between the selection and the closing "*OPC?" (what the Apply reads again for its pages
    // comes after and is not compared).
    template <typename Action>
    void ApplyEach(const Action& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            Lines expected{Select()};
            expected.insert(expected.end(), c.sent.begin(), c.sent.end());
            expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
            this->ApplyPageAction(c.act, expected, true);
        }
    }

    // The notifications the window's Apply posts to the main frame, in order.
    void RecordPosts() {
        for (platform::UINT m : {WM_MODULE_APPLIED, WM_ULMETH_CLOCK_FAMILY})
            this->Frame()->OnMessage(m, [this, m](platform::WPARAM w, platform::LPARAM) {
                m_posts.emplace_back(m, w);
                return 0;
            });
    }

    std::string OtherLoad() const { return "MMEM:LOAD:SIGN 1,\"" + m_other + "\""; }
    static void ChooseOtherSignal(CSerialVideoView& v) {
        v.m_signalPage.ChooseComboItem(IDC_SIGNAL_SIGNAL, 1);
    }

    void ClosingFollowsEachAnswer();
    void ARefusedApplyTellsWhatItSentAndKeepsOnlyARefusedLoad();
    void ASendFailingMidApplyLeavesTheRestForTheNextApply();
    void TheOverlayPageShowsWhatTheApplyReadAgain();

    quarnsim::VideoFileTree m_tree;
    std::string m_active;
    std::string m_other;
    int m_blackFormat;
    std::string m_blackWord;
    int m_blackIndex;
    std::vector<std::pair<platform::UINT, platform::WPARAM>> m_posts;
};

template <typename Doc, typename View>
void SerialWindow<Doc, View>::ClosingFollowsEachAnswer() {
    struct Case {
        const char* name;
        int button;  // IDC_MODULE_OK, IDC_MODULE_CANCEL, or 0 for the frame's close
        int answer;
        bool closes;
        const char* sentPeriod;  // what the instrument holds afterwards
    };
    const Case cases[] = {
        {"close, cancel", 0, platform::IDCANCEL, false, "1"},
        {"close, no", 0, platform::IDNO, true, "1"},
        {"close, yes", 0, platform::IDYES, true, "9"},
        {"ok, yes", IDC_MODULE_OK, platform::IDYES, true, "9"},
        {"ok, no", IDC_MODULE_OK, platform::IDNO, true, "1"},
        {"cancel button, no", IDC_MODULE_CANCEL, platform::IDNO, true, "1"},
        {"cancel button, yes", IDC_MODULE_CANCEL, platform::IDYES, true, "9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->Seed("OUTP1:MOV:PER", "1");
        View* view = this->OpenQuiet();
        ASSERT_NE(view, nullptr);
        view->m_movingPage.TypeText(IDC_MOVING_PERIOD, "9");
        this->m_boxes.Expect("Apply changes to " + this->m_model + "?", kQuestion, c.answer);
        if (c.button == 0) {
            EXPECT_EQ(this->Frame()->Children().front()->OnClose(), c.closes);
        } else {
            view->ClickButton(c.button);
        }
        if (c.closes) {
            EXPECT_TRUE(this->WaitUntilClosed());
        }
        this->RunPendingEvents();
        EXPECT_EQ(this->WindowOpen(), !c.closes);
        EXPECT_EQ(this->m_boxes.Pending(), 0u);
        EXPECT_EQ(this->Setting("OUTP1:MOV:PER"), c.sentPeriod);
        if (this->WindowOpen()) {
            this->Doc()->SetModifiedFlag(false);
            ASSERT_TRUE(this->Frame()->Children().front()->OnClose());
        }
    }
}

template <typename Doc, typename View>
void SerialWindow<Doc, View>::ARefusedApplyTellsWhatItSentAndKeepsOnlyARefusedLoad() {
    using Posts = std::vector<std::pair<platform::UINT, platform::WPARAM>>;
    const std::string refusedLoad = m_other + " is not assigned to test signal key.";
    struct Case {
        const char* name;
        std::function<void(CSerialVideoView&)> act;
        bool refuseLoad;  // the load is refused; otherwise the Apply's error check reports -256
        std::string box;
        bool modified;
        const char* period;  // what the instrument holds afterwards
        Posts posts;         // a refused load announces no clock family either
    };
    const int blackFormat = m_blackFormat, blackIndex = m_blackIndex;
    const Case cases[] = {
        {"load alone", ChooseOtherSignal, true, refusedLoad, true, "1", {}},
        {"load and period",
         [](CSerialVideoView& v) {
             ChooseOtherSignal(v);
             v.m_movingPage.TypeText(IDC_MOVING_PERIOD, "7");
         },
         true,
         refusedLoad,
         true,
         "7",
         {}},
        {"load and black format",
         [=](CSerialVideoView& v) {
             ChooseOtherSignal(v);
             v.m_blackPage.ChooseComboItem(blackFormat, blackIndex);
         },
         true,
         refusedLoad,
         true,
         "1",
         {{WM_MODULE_APPLIED, 0}}},
        {"period alone",
         [](CSerialVideoView& v) { v.m_movingPage.TypeText(IDC_MOVING_PERIOD, "7"); },
         false,
         "Command send error!\n-256,\"File name not found\"",
         false,
         "7",
         {}},
    };
    BlackOption(true);
    this->Seed("OUTP2:STAN", m_blackWord);
    RecordPosts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->Seed("OUTP1:MOV:PER", "1");
        this->RunPendingEvents();  // what the previous case posted
        m_posts.clear();
        View* view = this->OpenQuiet();
        ASSERT_NE(view, nullptr);
        c.act(*view);
        if (c.refuseLoad)
            this->m_sim->FailNextCommand("MMEM:LOAD", -256, "File name not found");
        else
            this->m_sim->PushError(-256, "File name not found");
        this->m_boxes.Expect(c.box, platform::MB_ICONSTOP, platform::IDOK);
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        this->RunPendingEvents();
        EXPECT_EQ(this->m_boxes.Pending(), 0u);
        EXPECT_EQ(this->Doc()->IsModified(), c.modified);
        EXPECT_EQ(view->IsDlgItemEnabled(IDC_MODULE_APPLY), c.modified);
        EXPECT_EQ(this->Setting("OUTP1:MOV:PER"), c.period);
        EXPECT_EQ(m_posts, c.posts);
        EXPECT_EQ(this->PaneText(), "Ready");
        this->TakeLines();
        // A refused load is asked for again by the next Apply, and only it.
        if (c.refuseLoad) {
            ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
            const Lines log = this->TakeLines();
            ASSERT_GE(log.size(), 3u);
            EXPECT_EQ(Lines(log.begin(), log.begin() + 3), (Lines{Select(), OtherLoad(), "*OPC?"}));
            EXPECT_FALSE(this->Doc()->IsModified());
            LoadAtInstrument(m_active);
        }
        this->Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(this->Frame()->Children().front()->OnClose());
    }
}

template <typename Doc, typename View>
void SerialWindow<Doc, View>::ASendFailingMidApplyLeavesTheRestForTheNextApply() {
    View* view = this->OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->m_signalPage.TypeText(IDC_SIGNAL_LINES, "5");
    view->m_overlayPage.ClickButton(IDC_CIRCLE_ENABLE);
    view->m_videoPage.ClickButton(IDC_CHANNEL1_OFF);
    FrameLinkBrokenBefore link(*this->Frame(), "OUTP1:CIRC:STAT 1");
    this->Doc()->SetLink(&link);
    this->m_boxes.Expect("Descriptor is not socket.", platform::MB_ICONSTOP, platform::IDOK);
    view->ClickButton(IDC_MODULE_APPLY);
    this->RunPendingEvents();
    EXPECT_EQ(this->m_boxes.Pending(), 0u);
    this->Doc()->SetLink(nullptr);
    ASSERT_TRUE(this->WindowOpen());
    EXPECT_TRUE(this->Doc()->IsModified());
    EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
    EXPECT_EQ(this->Setting("SENS1:CORR:MDEL:VERT"), "5");

    ASSERT_EQ(this->Frame()->Connect(), 1);
    this->TakeLines();
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    const Lines log = this->TakeLines();
    const Lines expected{Select(), "OUTP1:CIRC:STAT 1", "OUTP1:VID:Y:STAT 0", "*OPC?", "SYST:ERR?"};
    EXPECT_EQ(Lines(log.begin(), log.begin() + std::min(log.size(), expected.size())), expected);
    EXPECT_FALSE(this->Doc()->IsModified());
}

// What an Apply changed at the module, the overlay page reads again and shows, without the
// window becoming modified: the ID text after a load, the logo after its switch.
template <typename Doc, typename View>
void SerialWindow<Doc, View>::TheOverlayPageShowsWhatTheApplyReadAgain() {
    struct Case {
        const char* name;
        std::function<void(CSerialVideoView&)> act;
        const char* query;  // the re-read, answered as the module now stands
        const char* reply;
        int control;
        const char* shown;
    };
    const Case cases[] = {
        {"a load brings its own ID text", ChooseOtherSignal, "OUTP1:TEXT:DATA?", "\"RAMP 100%\"",
         IDC_TEXT, "RAMP 100%"},
        {"the logo switched on is placed anew",
         [](CSerialVideoView& v) { v.m_overlayPage.ClickButton(IDC_LOGO_ENABLE); },
         "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", "-12.5;-40.0;1", IDC_LOGO_X, " -12.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        View* view = this->OpenQuiet();
        ASSERT_NE(view, nullptr);
        c.act(*view);
        this->Instrument().SetReplyOverride(c.query, c.reply);
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        const Lines log = this->TakeLines();
        EXPECT_EQ(std::count(log.begin(), log.end(), c.query), 1);
        EXPECT_EQ(view->m_overlayPage.GetDlgItemText(c.control), c.shown);
        EXPECT_FALSE(this->Doc()->IsModified());
        EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        this->Instrument().ClearReplyOverrides();
        ASSERT_TRUE(this->Frame()->Children().front()->OnClose());
        LoadAtInstrument(m_active);
    }
}

// What every serial model sends alike for a change on its pages.
const std::vector<SerialPageAction>& CommonPageActions() {
    static const std::vector<SerialPageAction> actions{
        {"moving period",
         [](CSerialVideoView& v) { v.m_movingPage.TypeText(IDC_MOVING_PERIOD, "7"); },
         {"OUTP1:MOV:PER 7"}},
        {"circle",
         [](CSerialVideoView& v) { v.m_overlayPage.ClickButton(IDC_CIRCLE_ENABLE); },
         {"OUTP1:CIRC:STAT 1"}},
        {"logo position",
         [](CSerialVideoView& v) {
             v.m_overlayPage.ClickButton(IDC_LOGO_ENABLE);
             v.m_overlayPage.TypeText(IDC_LOGO_X, "-12.5");
             v.m_overlayPage.TypeText(IDC_LOGO_Y, "-40.0");
         },
         {"OUTP1:LOGO:SEL \"Logo1.lgo\"", "OUTP1:LOGO:STAT 1", "OUTP1:LOGO:SAVE",
          "OUTP1:LOGO:POS:HOR -12.5", "OUTP1:LOGO:POS:VERT -40.0", "OUTP1:LOGO:SAVE",
          "OUTP1:TEXT:SAVE"}},
        {"audio bits",
         [](CSerialVideoView& v) { v.m_audioPage.ClickButton(IDC_AUDIO_ENABLE); },
         {"OUTP1:EAUD:GRO1:STAT 1"}},
        {"black audio bits",
         [](CSerialVideoView& v) { v.m_blackAudioPage.ClickButton(IDC_AUDIO_ENABLE); },
         {"OUTP2:EAUD:GRO1:STAT 1"}},
    };
    return actions;
}

quarnsim::VideoFileTree SormetTree() {
    return {
        {{"525-270", {{"Bars", {"Bars75.cmp", "Ramp.cmp"}}}}, {"625-270", {{"Lin", {"Step.cmp"}}}}},
        {{"Cards", {"Circle.pic"}}},
        {"Logo1.lgo", "Logo2.lgo"}};
}
quarnsim::VideoFileTree UlmethTree() {
    return {{{"720 25p", {{"Bars", {"Bars75.cmp", "Ramp.cmp"}}}},
             {"1080 59.94i", {{"Bars", {"Bars75.cmp", "Ramp.cmp"}}}}},
            {{"Cards", {"Circle.pic"}}},
            {"Logo1.lgo"}};
}

class SormetWindow : public SerialWindow<CSormetDoc, CSormetView> {
protected:
    SormetWindow()
        : SerialWindow("Sormet", SormetTree(), "/525-270/Bars/Bars75.cmp", "/525-270/Bars/Ramp.cmp",
                       IDC_SORMET_BLACK_FORMAT, "D1_PAL", 1) {}
};
class UlmethWindow : public SerialWindow<CUlmethDoc, CUlmethView> {
protected:
    UlmethWindow()
        : SerialWindow("Ulmeth", UlmethTree(), "/720 25p/Bars/Bars75.cmp", "/720 25p/Bars/Ramp.cmp",
                       IDC_ULMETH_BLACK_FORMAT, "HD1080_50I", 0) {}
};

TEST_F(SormetWindow, TheBlackOptionGivesItsTwoTabsAndTheOpeningChangesNothing) {
    struct Case {
        bool black;
        size_t tabs;
        const char* lastRead;
    };
    const Case cases[] = {
        {true, 7, "OUTP2:EAUD:CHAN16:AMPL?;:OUTP2:EAUD:CHAN16:FREQ?;:OUTP2:EAUD:CHAN16:CLIC?"},
        {false, 5, "OUTP1:VID:AVT:STAT?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.black ? "black option" : "no black option");
        BlackOption(c.black);
        CSormetView* view = Open();
        ASSERT_NE(view, nullptr);
        const Lines log = TakeLines();
        ASSERT_FALSE(log.empty());
        // The read is the whole opening: creating the pages sends nothing.
        EXPECT_EQ(log.front(), Select());
        EXPECT_EQ(log.back(), c.lastRead);
        EXPECT_EQ(TabTexts(view), Lines(std::begin(kSerialTabs), std::begin(kSerialTabs) + c.tabs));
        EXPECT_EQ(view->BlackOption(), c.black ? 1 : 0);
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        EXPECT_EQ(view->ShownPage(), 0);
        EXPECT_EQ(view->GetFocusId(), IDC_MODULE_OK);
        EXPECT_EQ(view->m_signalPage.GetLBText(IDC_SIGNAL_SIGNAL,
                                               view->m_signalPage.GetCurSel(IDC_SIGNAL_SIGNAL)),
                  "Bars75");
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
        EXPECT_FALSE(WindowOpen());
    }
}

TEST_F(SormetWindow, AChangeOnEachPageReachesTheInstrumentOnApply) {
    const SerialPageAction cases[] = {
        {"signal",
         [](CSerialVideoView& v) { v.m_signalPage.ChooseComboItem(IDC_SIGNAL_SIGNAL, 1); },
         {"MMEM:LOAD:SIGN 1,\"/525-270/Bars/Ramp.cmp\"", "*OPC?"}},
        {"lines",
         [](CSerialVideoView& v) { v.m_signalPage.TypeText(IDC_SIGNAL_LINES, "5"); },
         {"SENS1:CORR:MDEL:VERT 5"}},
        {"delay",
         [](CSerialVideoView& v) { v.m_signalPage.TypeText(IDC_SIGNAL_DELAY, "1.5"); },
         {"SENS1:CORR:MDEL:HOR 1.50000000"}},
        {"moving random",
         [](CSerialVideoView& v) { v.m_movingPage.ClickButton(IDC_MOVING_RANDOM_ON); },
         {"OUTP1:MOV:RAND:STAT 1"}},
        {"blink",
         [](CSerialVideoView& v) { v.m_overlayPage.ClickButton(IDC_BLINK_FAST); },
         {"OUTP1:OVER:BLIN:STAT 1", "OUTP1:OVER:BLIN:PER 0.5"}},
        {"video Pb",
         [](CSerialVideoView& v) { v.m_videoPage.ClickButton(IDC_CHANNEL2_OFF); },
         {"OUTP1:VID:PB:STAT 0"}},
        {"black signal",
         [](CSerialVideoView& v) { v.m_blackPage.ChooseComboItem(IDC_BLACK_SIGNAL, 2); },
         {"OUTP2:SIGN FF50P"}},
    };
    BlackOption(true);
    Seed("OUTP1:EAUD:GRO1:STAT", "0");
    Seed("OUTP2:EAUD:GRO1:STAT", "0");
    ApplyEach(CommonPageActions());
    ApplyEach(cases);
}

TEST_F(SormetWindow, ALoadReloadsTheSignalTimingAndTheIdTextWithoutModifying) {
    CSormetView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    view->m_signalPage.ChooseComboItem(IDC_SIGNAL_SIGNAL, 1);
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    const Lines log = TakeLines();
    const Lines tail(log.end() - std::min<size_t>(log.size(), 4), log.end());
    // The text the load may have changed, then the live timing the signal page asks for.
    EXPECT_EQ(tail, (Lines{"OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", "OUTP1:TEXT:DATA?",
                           Select(), "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?"}));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
}

TEST_F(SormetWindow, FirmwareBelow31NeitherReadsNorOffersTheAvTiming) {
    struct Case {
        double firmware;
        bool avTiming;
    };
    const Case cases[] = {{3.0, false}, {3.1, true}};
    BlackOption(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        Frame()->m_firmwareVersion = c.firmware;
        CSormetView* view = Open();
        ASSERT_NE(view, nullptr);
        const Lines log = TakeLines();
        EXPECT_EQ(std::count(log.begin(), log.end(), "OUTP1:VID:AVT:STAT?"), c.avTiming ? 1 : 0);
        EXPECT_EQ(view->m_videoPage.IsDlgItemEnabled(IDC_AV_TIMING_ON), c.avTiming);
        // Even a change made behind the page stays unsent below 3.1.
        Doc()->SetAvTiming(Doc()->m_avTiming.Value() == 0 ? 1 : 0);
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        const Lines sent = TakeLines();
        EXPECT_EQ(std::count_if(
                      sent.begin(), sent.end(),
                      [](const std::string& l) { return l.rfind("OUTP1:VID:AVT:STAT ", 0) == 0; }),
                  c.avTiming ? 1 : 0);
        EXPECT_EQ(Doc()->m_avTiming.Changed(), !c.avTiming);
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
    }
}

TEST_F(SormetWindow, AFramePictureOpensOnItsPictureAndApplyLoadsAnother) {
    ASSERT_EQ(quarnsim::SeedVideoFiles(Instrument().Files(), m_model,
                                       {{}, {{"Cards", {"Circle.pic", "Grid.pic"}}}, {}}),
              1);
    LoadAtInstrument("/PICTURE/Cards/Circle.pic");
    CSormetView* view = Open();
    ASSERT_NE(view, nullptr);
    TakeLines();
    EXPECT_EQ(Doc()->m_framePicture, 1);
    EXPECT_EQ(view->m_signalPage.IsDlgButtonChecked(IDC_SIGNAL_FRAME_PICTURE), 1);
    EXPECT_EQ(view->m_signalPage.GetLBText(IDC_SIGNAL_PICTURE,
                                           view->m_signalPage.GetCurSel(IDC_SIGNAL_PICTURE)),
              "Circle");
    EXPECT_EQ(view->m_signalPage.GetLBText(IDC_SIGNAL_FORMAT,
                                           view->m_signalPage.GetCurSel(IDC_SIGNAL_FORMAT)),
              "525-270");
    EXPECT_FALSE(Doc()->IsModified());
    view->m_signalPage.ChooseComboItem(IDC_SIGNAL_PICTURE, 1);
    ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
    const Lines log = TakeLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Lines(log.begin(), log.begin() + 3),
              (Lines{Select(), "MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Grid.pic\"", "*OPC?"}));
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(SormetWindow, TheFormatChosenSetsTheAudioGroupsAndTheMovingLimits) {
    struct Case {
        const char* format;
        bool wideAudio;
        Lines sent;  // after the load
    };
    const Case cases[] = {
        // The narrow format carries one audio group: the others are switched off.
        {"525-143",
         false,
         {"OUTP1:MOV:VERT 244", "OUTP1:EAUD:GRO2:STAT 0", "OUTP1:EAUD:GRO3:STAT 0",
          "OUTP1:EAUD:GRO4:STAT 0"}},
        {"625-270", true, {}},
    };
    ASSERT_EQ(quarnsim::SeedVideoFiles(Instrument().Files(), m_model,
                                       {{{"525-143", {{"Bars", {"Bars75.cmp"}}}}}, {}, {}}),
              1);
    Seed("OUTP1:MOV:VERT", "255");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        CSormetView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        CVideoSignalPage& page = view->m_signalPage;
        int index = -1;
        for (int i = 0; i < page.GetCount(IDC_SIGNAL_FORMAT); ++i)
            if (page.GetLBText(IDC_SIGNAL_FORMAT, i) == c.format)
                index = i;
        ASSERT_GE(index, 0);
        if (!c.wideAudio)  // the black output stays on 525-270, whose rate differs
            m_boxes.Expect(
                "Current Black format is 525-270.\n\nAre you sure want to change format?",
                platform::MB_YESNO | platform::MB_ICONEXCLAMATION, platform::IDYES);
        page.ChooseComboItem(IDC_SIGNAL_FORMAT, index);
        EXPECT_EQ(view->m_audioPage.IsDlgItemEnabled(IDC_AUDIO_GROUP1 + 1), c.wideAudio);
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        Lines log = TakeLines();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(log[1].rfind(std::string("MMEM:LOAD:SIGN 1,\"/") + c.format + "/", 0), 0u);
        Lines expected{Select(), log[1], "*OPC?"};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
        log.resize(std::min(log.size(), expected.size()));
        EXPECT_EQ(log, expected);
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
        LoadAtInstrument(m_active);
        Seed("OUTP1:MOV:VERT", "255");
    }
}

TEST_F(SormetWindow, OddCataloguesStillOpenTheWindow) {
    std::vector<std::string> many;
    for (int i = 1; i <= 33; ++i)
        many.push_back((i < 10 ? "S0" : "S") + std::to_string(i) + ".cmp");
    struct Case {
        const char* name;
        quarnsim::VideoFileTree tree;
        const char* active;
        int formats, sets, files;
    };
    const Case cases[] = {
        {"empty set and format without sets",
         {{{"525-143", {}}, {"525-270", {{"Empty", {}}, {"Bars", {"Bars75.cmp"}}}}}, {}, {}},
         "/525-270/Bars/Bars75.cmp",
         2,
         2,
         1},
        {"APL and BARS sets skipped, apl kept",
         {{{"525-270", {{"APL", {"A.cmp"}}, {"BARS", {"B.cmp"}}, {"apl", {"C.cmp"}}}}}, {}, {}},
         "/525-270/apl/C.cmp",
         1,
         1,
         1},
        {"33rd signal ignored",
         {{{"525-270", {{"Many", many}}}}, {}, {}},
         "/525-270/Many/S01.cmp",
         1,
         1,
         32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(QString::fromStdString(Instrument().Files().Root() + "/" + m_model))
                        .removeRecursively());
        ASSERT_EQ(quarnsim::SeedVideoFiles(Instrument().Files(), m_model, c.tree), 1);
        Instrument().SetReplyOverride("MMEM:SIGN:ACT?", std::string("\"") + c.active + "\"");
        CSormetView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->m_signalPage.GetCount(IDC_SIGNAL_FORMAT), c.formats);
        EXPECT_EQ(view->m_signalPage.GetCount(IDC_SIGNAL_SET), c.sets);
        EXPECT_EQ(view->m_signalPage.GetCount(IDC_SIGNAL_SIGNAL), c.files);
        EXPECT_FALSE(Doc()->IsModified());
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
        Instrument().ClearReplyOverrides();
    }
}

TEST_F(SormetWindow, UnpairedQuotesInTheSignalCatalogueKeepTheWindowShut) {
    Instrument().SetReplyOverride("MMEM:CAT? \"/F0:/Sormet/SIGNAL\"",
                                  "0,0,\"525-270/\",DIR,0,\"625-270/");
    m_boxes.Expect("Could not read 'signal directory' correctry!\n\nCan not continue.",
                   platform::MB_ICONSTOP, platform::IDOK);
    EXPECT_EQ(Open(), nullptr);
    const Lines log = TakeLines();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.rfind("MMEM:CAT?", 0) == 0; }),
              1);
    EXPECT_EQ(m_boxes.Pending(), 0u);
}

TEST_F(SormetWindow, ScreenshotsOfEveryTab) {
    BlackOption(true);
    CSormetView* view = OpenQuiet();
    ASSERT_NE(view, nullptr);
    SaveEveryTab(view, "sormet");
}

TEST_F(SormetWindow, ClosingFollowsEachAnswer) {
    ClosingFollowsEachAnswer();
}
TEST_F(UlmethWindow, ClosingFollowsEachAnswer) {
    ClosingFollowsEachAnswer();
}

TEST_F(SormetWindow, ARefusedApplyTellsWhatItSentAndKeepsOnlyARefusedLoad) {
    ARefusedApplyTellsWhatItSentAndKeepsOnlyARefusedLoad();
}
TEST_F(UlmethWindow, ARefusedApplyTellsWhatItSentAndKeepsOnlyARefusedLoad) {
    ARefusedApplyTellsWhatItSentAndKeepsOnlyARefusedLoad();
}

TEST_F(SormetWindow, ASendFailingMidApplyLeavesTheRestForTheNextApply) {
    ASendFailingMidApplyLeavesTheRestForTheNextApply();
}
TEST_F(UlmethWindow, ASendFailingMidApplyLeavesTheRestForTheNextApply) {
    ASendFailingMidApplyLeavesTheRestForTheNextApply();
}

TEST_F(SormetWindow, TheOverlayPageShowsWhatTheApplyReadAgain) {
    TheOverlayPageShowsWhatTheApplyReadAgain();
}
TEST_F(UlmethWindow, TheOverlayPageShowsWhatTheApplyReadAgain) {
    TheOverlayPageShowsWhatTheApplyReadAgain();
}

TEST_F(UlmethWindow, OpensWithItsTabsAndTakesTheRelayedClockFamilies) {
    BlackOption(true);
    CUlmethView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(TakeLines().front(), Select());  // no other HD module: nothing asked before
    EXPECT_EQ(TabTexts(view), Lines(std::begin(kSerialTabs), std::end(kSerialTabs)));
    EXPECT_EQ(Doc()->m_brumoClockFamily, kClockNoBrumo);
    Frame()->PostMessage(WM_BRUMO_CLOCK_FAMILY, 2);
    Frame()->PostMessage(WM_KINTOR_CLOCK_FAMILY, 1);
    RunPendingEvents();
    EXPECT_EQ(Doc()->m_brumoClockFamily, 2);
    EXPECT_EQ(Doc()->m_kintorClockFamily, 1);
    EXPECT_FALSE(Doc()->IsModified());
    SaveEveryTab(view, "ulmeth");
}

TEST_F(UlmethWindow, AChangeOnEachPageReachesTheInstrumentOnApply) {
    const SerialPageAction cases[] = {
        {"video Y",
         [](CSerialVideoView& v) { v.m_videoPage.ClickButton(IDC_CHANNEL1_OFF); },
         {"OUTP1:VID:Y:STAT 0"}},
        {"black signal",
         [](CSerialVideoView& v) { v.m_blackPage.ChooseComboItem(IDC_BLACK_SIGNAL, 1); },
         {"OUTP2:SIGN GRAY"}},
    };
    BlackOption(true);
    Seed("OUTP1:EAUD:GRO1:STAT", "0");
    Seed("OUTP2:EAUD:GRO1:STAT", "0");
    ApplyEach(CommonPageActions());
    ApplyEach(cases);
}

TEST_F(UlmethWindow, ALoadAnnouncesTheClockFamilyOfItsFolder) {
    struct Case {
        const char* active;
        const char* load;
        platform::WPARAM family;
    };
    const Case cases[] = {
        {"/720 25p/Bars/Bars75.cmp", "MMEM:LOAD:SIGN 1,\"/720 25p/Bars/Ramp.cmp\"", 1},
        {"/1080 59.94i/Bars/Bars75.cmp", "MMEM:LOAD:SIGN 1,\"/1080 59.94i/Bars/Ramp.cmp\"", 2},
    };
    RecordPosts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.active);
        LoadAtInstrument(c.active);
        CUlmethView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        ChooseOtherSignal(*view);
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        RunPendingEvents();
        const Lines log = TakeLines();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(Lines(log.begin(), log.begin() + 3), (Lines{Select(), c.load, "*OPC?"}));
        EXPECT_EQ(m_posts, (std::vector<std::pair<platform::UINT, platform::WPARAM>>{
                               {WM_ULMETH_CLOCK_FAMILY, c.family}, {WM_MODULE_APPLIED, 0}}));
        m_posts.clear();
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
    }
}

// The Brumo's and the Kintor's families, relayed by the main frame after the window opened,
// decide whether a move to the other HD clock is questioned, on output 1 and on the black one.
TEST_F(UlmethWindow, TheRelayedFamiliesDecideTheClockQuestions) {
    const std::string on7425 = "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?";
    const std::string on7418 = "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?";
    struct Case {
        const char* name;
        int brumo, kintor;
        bool black;  // the black output's format is moved, else output 1's
        std::string question;
    };
    const Case cases[] = {
        {"output 1, no other HD module", kClockNoBrumo, kClockNoKintor, false, ""},
        {"output 1, Brumo on 74.25", 1, kClockNoKintor, false, on7425},
        {"output 1, Kintor on 74.25", kClockNoBrumo, 1, false, on7425},
        {"output 1, Brumo on 74.18", 2, kClockNoKintor, false, ""},
        {"output 1, Brumo on black burst", 4, kClockNoKintor, false, ""},
        {"black, no other HD module", kClockNoBrumo, kClockNoKintor, true, ""},
        {"black, Brumo on 74.18", 2, kClockNoKintor, true, on7418},
        {"black, Kintor on 74.18", kClockNoBrumo, 2, true, on7418},
        {"black, Kintor on SD", kClockNoBrumo, 3, true, ""},
    };
    Seed("OUTP2:STAN", m_blackWord);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BlackOption(c.black);
        CUlmethView* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        Frame()->PostMessage(WM_BRUMO_CLOCK_FAMILY, static_cast<platform::WPARAM>(c.brumo));
        Frame()->PostMessage(WM_KINTOR_CLOCK_FAMILY, static_cast<platform::WPARAM>(c.kintor));
        RunPendingEvents();
        ASSERT_FALSE(Doc()->IsModified());
        if (!c.question.empty())
            m_boxes.Expect(c.question, platform::MB_YESNO | platform::MB_ICONEXCLAMATION,
                           platform::IDNO);
        if (c.black) {
            view->m_blackPage.ChooseComboItem(m_blackFormat, m_blackIndex);
        } else {
            CVideoSignalPage& page = view->m_signalPage;
            int index = -1;
            for (int i = 0; i < page.GetCount(IDC_SIGNAL_FORMAT); ++i)
                if (page.GetLBText(IDC_SIGNAL_FORMAT, i) == "1080 59.94i")
                    index = i;
            ASSERT_GE(index, 0);
            page.ChooseComboItem(IDC_SIGNAL_FORMAT, index);
        }
        EXPECT_EQ(m_boxes.Pending(), 0u);
        // A refused move leaves nothing to send.
        EXPECT_EQ(Doc()->IsModified(), c.question.empty());
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
        TakeLines();
    }
}

}  // namespace
}  // namespace corvane::testing
