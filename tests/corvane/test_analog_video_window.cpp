// The Oltra and Yarlo windows against the simulated instrument: the opening, the tabs, each
// page's report reaching the instrument on Apply, the reloads after it, closing with each
// answer, and a picture of every tab.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <QTabBar>
#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "corvane/modules/oltra/OltraDoc.h"
#include "corvane/modules/oltra/OltraMessages.h"
#include "corvane/modules/oltra/OltraView.h"
#include "corvane/modules/yarlo/YarloDoc.h"
#include "corvane/modules/yarlo/YarloMessages.h"
#include "corvane/modules/yarlo/YarloView.h"
#include "platform/MessageBox.h"
#include "tests/corvane/ModuleWindowFixture.h"
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
    // Opens and forgets what the opening sent.
    View* OpenQuiet() {
        View* view = this->Open();
        this->TakeLines();
        return view;
    }
};

using OltraWindowBase = AnalogWindow<COltraDoc, COltraView>;
using YarloWindowBase = AnalogWindow<CYarloDoc, CYarloView>;

template <typename Fixture>
class AnalogWindowTest : public Fixture {};

using Models = ::testing::Types<OltraWindowBase, YarloWindowBase>;
TYPED_TEST_SUITE(AnalogWindowTest, Models);

std::vector<std::string> TabTexts(platform::CWnd& view) {
    std::vector<std::string> texts;
    if (auto* bar = view.GetWidget()->findChild<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i) texts.push_back(bar->tabText(i).toStdString());
    return texts;
}

TYPED_TEST(AnalogWindowTest, OpensWithItsFourTabsAndReadsOnce) {
    auto* view = this->Open();
    ASSERT_NE(view, nullptr);
    const Lines read = this->TakeLines();
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read.front(), ForModel("INST:SEL \"%M:1\"", this->m_model));
    EXPECT_EQ(read.back(), ":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?");
    EXPECT_EQ(TabTexts(*view),
              (std::vector<std::string>{"Signal", "Moving Picture", "Overlay",
                                        TestFixture::kOltra ? "Video/APL" : "Video"}));
    EXPECT_EQ(view->PageCount(), 4);
    EXPECT_EQ(view->ShownPage(), 0);
    // The Yarlo's form opens with Apply enabled, the Oltra's without.
    EXPECT_EQ(view->IsDlgItemEnabled(IDC_MODULE_APPLY), !TestFixture::kOltra);
    EXPECT_FALSE(this->Doc()->IsModified());
    EXPECT_EQ(view->m_signalPage.FormatIndex(), 0);
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
