// The Oltra and Yarlo documents without a window: the read at opening and the Apply against
// the simulated instrument, checked through the lines it received, the recorded progress, the
// boxes shown and what was posted to the main frame. Every case runs for both models unless
// it is about what only the Oltra has.
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/oltra/OltraDoc.h"
#include "corvane/modules/yarlo/YarloDoc.h"
#include "platform/MessageBox.h"
#include "tests/corvane/ModuleDocFixture.h"

namespace corvane::testing {
namespace {

using platform::IDOK;
using platform::MB_ICONEXCLAMATION;
using platform::MB_ICONSTOP;
using Lines = std::vector<std::string>;

// A document whose posts to the main frame are kept for the test.
template <typename Doc>
class Recorded : public Doc {
public:
    std::vector<platform::UINT> posted;

protected:
    void PostToMainFrame(platform::UINT message) override { posted.push_back(message); }
};

// Replaces every "%M" by the model's name.
std::string ForModel(std::string text, const std::string& model) {
    for (size_t at = text.find("%M"); at != std::string::npos; at = text.find("%M", at))
        text.replace(at, 2, model);
    return text;
}

Lines ForModel(const Lines& lines, const std::string& model) {
    Lines out;
    for (const std::string& line : lines) out.push_back(ForModel(line, model));
    return out;
}

std::string Cat(const std::string& path) {
    return "MMEM:CAT? \"/F0:/%M/" + path + "\"";
}

const std::string kSelect = "INST:SEL \"%M:1\"";
const std::string kActive = "MMEM:SIGN:ACT? 1";
const std::string kTiming = "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?";
const std::string kMoving = "OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?";
const std::string kLogoPosition = "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?";
const std::string kTextPosition = "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?";
const std::string kCircle = "OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?";
const std::string kChannels = ":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?";
const std::string kNoError = "0,\"No error\"";
const std::string kNotFound = "-256,\"File name not found\"";

// What the module's drive holds in every case, and the settings it answers with.
void SeedModule(quarnsim::Simulator& sim, const std::string& model) {
    quarnsim::FileSystem& files = sim.GetInstrument().Files();
    const std::string root = "/F0:/" + model + "/";
    for (const char* folder :
         {"SIGNAL/NTSC/Bars", "SIGNAL/NTSC/Ramp", "SIGNAL/PAL", "PICTURE/Cards", "LOGO"})
        ASSERT_TRUE(files.MakeDirectories(root + folder)) << folder;
    for (const char* file :
         {"SIGNAL/NTSC/Bars/Full.cmp", "SIGNAL/NTSC/Bars/Split.cmp", "SIGNAL/NTSC/Ramp/Ramp.cmp",
          "PICTURE/Cards/Grey.pic", "PICTURE/Cards/Zone.pic", "LOGO/STATION.lgo", "LOGO/ID.lgo"})
        ASSERT_TRUE(files.WriteFile(root + file, "data")) << file;
    const std::vector<std::pair<const char*, const char*>> replies = {
        {"MMEM:SIGN:ACT?", "\"/NTSC/Ramp/Ramp.cmp\""},
        {"SENS1:CORR:MDEL:VERT?", "12"},
        {"SENS1:CORR:MDEL:HOR?", "1.5"},
        {"OUTP1:MOV:HOR?", "2"},
        {"OUTP1:MOV:VERT?", "3"},
        {"OUTP1:MOV:PER?", "4"},
        {"OUTP1:MOV:RAND:STAT?", "1"},
        {"OUTP1:OVER:BLIN:STAT?", "1"},
        {"OUTP1:OVER:BLIN:PER?", "0.5"},
        {"OUTP1:LOGO:POS:HOR?", "-12.5"},
        {"OUTP1:LOGO:POS:VERT?", "-40.0"},
        {"OUTP1:LOGO:STAT?", "1"},
        {"OUTP1:LOGO:SEL?", "\"STATION.lgo\""},
        {"OUTP1:TEXT:POS:HOR?", "8"},
        {"OUTP1:TEXT:POS:VERT?", "9"},
        {"OUTP1:TEXT:STAT?", "1"},
        {"OUTP1:TEXT:DATA?", "\"CAMERA 1\""},
        {"OUTP1:CIRC:STAT?", "1"},
        {"OUTP1:CIRC:DIAM?", "50"},
        {"OUTP1:CIRC:POS:HOR?", "10"},
        {"OUTP1:CIRC:POS:VERT?", "20"},
        {"OUTP1:VID:SYNC:STAT?", "1"},
        {"OUTP1:STAN?", "32768"},
        {"OUTP1:VID:CONF?", "COMP"},
        {"OUTP1:VID:Y:STAT?", "1"},
        {"OUTP1:VID:PB:STAT?", "0"},
        {"OUTP1:VID:PR:STAT?", "1"},
        {"SYST:ERR?", kNoError.c_str()},
    };
    for (const auto& [query, answer] : replies) sim.SetReplyOverride(query, answer);
}

// The opening's lines: the catalogues, the active signal again and the settings; the Oltra
// also asks for its video configuration.
Lines ReadLines(bool oltra) {
    Lines lines{kSelect,
                kActive,
                Cat("SIGNAL"),
                Cat("SIGNAL/NTSC"),
                Cat("SIGNAL/NTSC/Bars"),
                Cat("SIGNAL/NTSC/Ramp"),
                Cat("SIGNAL/PAL"),
                Cat("PICTURE"),
                Cat("PICTURE/Cards"),
                kActive,
                kTiming,
                kMoving,
                "OUTP1:OVER:BLIN:STAT?",
                "OUTP1:OVER:BLIN:PER?",
                kLogoPosition,
                "OUTP1:LOGO:SEL?",
                Cat("LOGO"),
                kTextPosition,
                "OUTP1:TEXT:DATA?",
                kCircle,
                ":OUTP1:VID:SYNC:STAT?",
                ":OUTP1:STAN?"};
    if (oltra)
        lines.push_back(":OUTP1:VID:CONF?");
    lines.push_back(kChannels);
    return lines;
}

template <typename Doc>
class AnalogDocument : public ModuleDocFixture<Recorded<Doc>> {
public:
    using Base = ModuleDocFixture<Recorded<Doc>>;
    static constexpr bool kOltra = std::is_same_v<Doc, COltraDoc>;
    // The table checks below drive the fixture from outside.
    using Base::m_boxes;
    using Base::m_doc;
    using Base::m_model;
    using Base::m_progress;
    using Base::m_sim;
    using Base::TakeLines;

    AnalogDocument() : Base(kOltra ? "Oltra" : "Yarlo", 1) {}
    void SetUp() override {
        Base::SetUp();
        SeedModule(*this->m_sim, this->m_model);
    }
    Lines Expected(const Lines& lines) const { return ForModel(lines, this->m_model); }
    // Reads, and forgets what the read left in the logs.
    void Open() {
        ASSERT_EQ(this->m_doc->ReadAll(), 1);
        this->m_progress.TakeRuns();
        this->TakeLines();
    }
    // Apply's fixed steps: the selection, every parameter position and the closing queries.
    static int ApplyPositions() { return kOltra ? 30 : 27; }
};

// ---- reading ------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::function<void(quarnsim::Simulator&)> arrange;
    int result;
    size_t lineCount;  // lines of ReadLines taken, all when 0
    Lines extraLines;  // instead of ReadLines, when not empty
    const char* box;   // the box shown, if any
    unsigned icon;
    std::function<void(const CAnalogVideoDoc&)> check;
    const char* skipped = nullptr;  // a line of ReadLines not sent, if any
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

const std::vector<ReadCase> kReadCases = {
    {"TestSignal",
     {},
     1,
     0,
     {},
     nullptr,
     0,
     [](const CAnalogVideoDoc& doc) {
         EXPECT_EQ(doc.m_framePicture, 0);
         EXPECT_EQ(doc.m_signals.size(), 2u);
         EXPECT_EQ((std::vector<int>{doc.m_formatIndex, doc.m_signalSetIndex, doc.m_signalIndex,
                                     doc.m_pictureFolderIndex, doc.m_pictureIndex}),
                   (std::vector<int>{0, 1, 0, 0, 0}));
         EXPECT_EQ(doc.m_signalPath, "NTSC/Ramp/Ramp");
         EXPECT_EQ(doc.m_pictureFolderName, "Cards");
         EXPECT_EQ(doc.m_pictureName, "Grey");
         EXPECT_EQ(doc.m_timingLines, 12);
         EXPECT_DOUBLE_EQ(doc.m_timingDelay, 1.5e-6);
         EXPECT_EQ((std::vector<int>{doc.m_movingHorizontal, doc.m_movingVertical,
                                     doc.m_movingPeriod, doc.m_movingRandom}),
                   (std::vector<int>{2, 3, 4, 1}));
         EXPECT_EQ(doc.m_blinkCode, 2);
         EXPECT_EQ(doc.m_logoState, 1);
         EXPECT_DOUBLE_EQ(doc.m_logoHorizontal, -12.5);
         EXPECT_EQ(doc.m_logoSelection.Value(), "STATION.lgo");
         EXPECT_EQ(doc.m_logoNames, (Lines{"ID.lgo", "STATION.lgo"}));
         EXPECT_EQ(doc.m_text.Value(), "CAMERA 1");
         EXPECT_EQ((std::vector<int>{doc.m_textHorizontal, doc.m_textVertical, doc.m_textState,
                                     doc.m_circleState, doc.m_circleDiameter,
                                     doc.m_circleHorizontal, doc.m_circleVertical}),
                   (std::vector<int>{8, 9, 1, 1, 50, 10, 20}));
         EXPECT_EQ((std::vector<int>{doc.m_syncState, doc.m_standardCode, doc.m_channelY,
                                     doc.m_channelPb, doc.m_channelPr, doc.m_secondOutput}),
                   (std::vector<int>{1, 32768, 1, 0, 1, 0}));
     }},
    // A frame picture takes the first format, set and signal as the test signal's names.
    {"FramePicture",
     [](quarnsim::Simulator& sim) {
         sim.SetReplyOverride("MMEM:SIGN:ACT?", "\"/../PICTURE/Cards/Zone.pic\"");
     },
     1,
     0,
     {},
     nullptr,
     0,
     [](const CAnalogVideoDoc& doc) {
         EXPECT_EQ(doc.m_framePicture, 1);
         EXPECT_EQ((std::vector<int>{doc.m_formatIndex, doc.m_signalSetIndex, doc.m_signalIndex,
                                     doc.m_pictureFolderIndex, doc.m_pictureIndex}),
                   (std::vector<int>{0, 0, 0, 0, 1}));
         EXPECT_EQ(doc.m_signalPath, "NTSC/Bars/Full");
         EXPECT_EQ(doc.m_pictureName, "Zone");
     }},
    // Levels the catalogue lacks give empty names; the window still opens.
    {"FramePictureOverEmptyFormat",
     [](quarnsim::Simulator& sim) {
         sim.SetReplyOverride("MMEM:SIGN:ACT?", "\"/../PICTURE/Cards/Zone.pic\"");
         sim.SetReplyOverride("MMEM:CAT? \"/F0:/Oltra/SIGNAL\"", "0,0,\"PAL/\",DIR,0");
         sim.SetReplyOverride("MMEM:CAT? \"/F0:/Yarlo/SIGNAL\"", "0,0,\"PAL/\",DIR,0");
     },
     1,
     0,
     {kSelect, kActive, Cat("SIGNAL"), Cat("SIGNAL/PAL"), Cat("PICTURE"), Cat("PICTURE/Cards"),
      kActive},
     nullptr,
     0,
     [](const CAnalogVideoDoc& doc) {
         EXPECT_EQ(doc.m_formatName, "PAL");
         EXPECT_EQ(doc.m_signalSetName, "");
         EXPECT_EQ(doc.m_signalName, "");
         EXPECT_EQ(doc.m_pictureName, "Zone");
     }},
    {"NothingSelected",
     [](quarnsim::Simulator& sim) { sim.SetReplyOverride("MMEM:SIGN:ACT?", "\"\""); },
     0,
     2,
     {},
     "Signal is not selected.\n\nCan not open.",
     MB_ICONEXCLAMATION,
     {}},
    {"SignalNotInCatalogue",
     [](quarnsim::Simulator& sim) {
         sim.SetReplyOverride("MMEM:SIGN:ACT?", "\"/NTSC/Ramp/Gone.cmp\"");
     },
     0,
     10,
     {},
     "Could not read signal names.\n\nCan not continue.",
     MB_ICONSTOP,
     {}},
    {"PictureNotInCatalogue",
     [](quarnsim::Simulator& sim) {
         sim.SetReplyOverride("MMEM:SIGN:ACT?", "\"/../PICTURE/Cards/Gone.pic\"");
     },
     0,
     10,
     {},
     "Could not read frame picture name.\n\nCan not continue.",
     MB_ICONSTOP,
     {}},
    // An empty listing is a failed read, not an empty drive.
    {"EmptySignalListing",
     [](quarnsim::Simulator& sim) {
         sim.SetReplyOverride("MMEM:CAT? \"/F0:/Oltra/SIGNAL\"", "");
         sim.SetReplyOverride("MMEM:CAT? \"/F0:/Yarlo/SIGNAL\"", "");
     },
     0,
     3,
     {},
     "Could not read 'signal directory' correctry!\n\nCan not continue.",
     MB_ICONSTOP,
     {}},
    {"UnpairedQuoteInPictures",
     [](quarnsim::Simulator& sim) {
         sim.SetReplyOverride("MMEM:CAT? \"/F0:/Oltra/PICTURE\"", "0,0,\"Cards/,DIR,0");
         sim.SetReplyOverride("MMEM:CAT? \"/F0:/Yarlo/PICTURE\"", "0,0,\"Cards/,DIR,0");
     },
     0,
     8,
     {},
     "Could not read 'picture directory' correctry!\n\nCan not continue.",
     MB_ICONSTOP,
     {}},
    {"BlinkPeriodUnknown",
     [](quarnsim::Simulator& sim) { sim.SetReplyOverride("OUTP1:OVER:BLIN:PER?", "2.0"); },
     0,
     14,
     {},
     nullptr,
     0,
     {}},
    {"BlinkOff",
     [](quarnsim::Simulator& sim) { sim.SetReplyOverride("OUTP1:OVER:BLIN:STAT?", "0"); },
     1,
     0,
     {},
     nullptr,
     0,
     [](const CAnalogVideoDoc& doc) { EXPECT_EQ(doc.m_blinkCode, 0); },
     "OUTP1:OVER:BLIN:PER?"},
    {"BlinkSecond",
     [](quarnsim::Simulator& sim) { sim.SetReplyOverride("OUTP1:OVER:BLIN:PER?", "1.0"); },
     1,
     0,
     {},
     nullptr,
     0,
     [](const CAnalogVideoDoc& doc) { EXPECT_EQ(doc.m_blinkCode, 3); }},
};

template <typename Doc>
void CheckRead(AnalogDocument<Doc>& test, const ReadCase& c) {
    if (c.arrange)
        c.arrange(*test.m_sim);
    if (c.box)
        test.m_boxes.Expect(c.box, c.icon, IDOK);
    test.TakeLines();
    EXPECT_EQ(test.m_doc->ReadAll(), c.result);
    Lines lines = c.extraLines.empty() ? ReadLines(AnalogDocument<Doc>::kOltra) : c.extraLines;
    if (c.lineCount != 0 && c.extraLines.empty())
        lines.resize(c.lineCount);
    if (c.skipped)
        std::erase(lines, std::string(c.skipped));
    if (c.result == 1 && c.extraLines.size() != 0) {
        const Lines tail = ReadLines(AnalogDocument<Doc>::kOltra);
        lines.insert(lines.end(), tail.begin() + 10, tail.end());
    }
    EXPECT_EQ(test.TakeLines(lines.size()), test.Expected(lines));
    EXPECT_EQ(test.m_boxes.Pending(), 0u);
    EXPECT_FALSE(test.m_doc->IsModified());
    if (c.check)
        c.check(*test.m_doc);
}

class OltraRead : public AnalogDocument<COltraDoc>,
                  public ::testing::WithParamInterface<ReadCase> {};
class YarloRead : public AnalogDocument<CYarloDoc>,
                  public ::testing::WithParamInterface<ReadCase> {};

TEST_P(OltraRead, AsksInOrderAndFailsWithItsMessage) {
    CheckRead(*this, GetParam());
}
TEST_P(YarloRead, AsksInOrderAndFailsWithItsMessage) {
    CheckRead(*this, GetParam());
}

auto CaseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Corvane, OltraRead, ::testing::ValuesIn(kReadCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Corvane, YarloRead, ::testing::ValuesIn(kReadCases), CaseName);

// The catalogue sets the bar's length; the settings then take its last 12 steps, one per
// query or query with its follow-up.
TEST_F(OltraRead, ProgressFollowsTheCatalogue) {
    ASSERT_EQ(m_doc->ReadAll(), 1);
    // Two root entries of 32 steps and the 12 of the settings; two signal sets and one picture
    // folder stepped, then the bar set back to 64 and the settings filling it.
    EXPECT_EQ(
        m_progress.TakeRuns(),
        (std::vector<ProgressRecord>{{"Reading Oltra [1] ...", 2 * 32 + 12, 2 * 32 + 12, true}}));
}

TEST_F(OltraRead, VideoConfigurationReadsCompositeAsOne) {
    for (const auto& [answer, value] :
         std::vector<std::pair<std::string, int>>{{"COMP", 1}, {"YC", 0}, {"OTHER", 0}}) {
        m_sim->SetReplyOverride("OUTP1:VID:CONF?", answer);
        ASSERT_EQ(m_doc->ReadAll(), 1);
        EXPECT_EQ(m_doc->m_videoConfiguration, value) << answer;
    }
}

TEST_F(YarloRead, TimingQueryReadsTheLiveOutput) {
    Open();
    m_sim->SetReplyOverride("SENS1:CORR:MDEL:VERT?", "-3.9");
    m_sim->SetReplyOverride("SENS1:CORR:MDEL:HOR?", "0.25");
    CAnalogVideoDoc::OutputTiming timing;
    ASSERT_EQ(m_doc->QueryOutput1Timing(timing), 1);
    EXPECT_EQ(TakeLines(2), Expected({kSelect, kTiming}));
    EXPECT_EQ(timing.lines, -3);
    EXPECT_DOUBLE_EQ(timing.delay, 0.25e-6);
    EXPECT_EQ(m_doc->m_timingLines, -3);
    EXPECT_FALSE(m_doc->IsModified());

    // A reply without the delay is a failed read, and nothing of it is kept.
    m_sim->ReplaceNextReply("7\n");
    EXPECT_EQ(m_doc->QueryOutput1Timing(timing), 0);
    EXPECT_EQ(m_doc->m_timingLines, -3);
}

// ---- applying -----------------------------------------------------------------------------

struct ApplyCase {
    const char* name;
    std::function<void(CAnalogVideoDoc&, quarnsim::Simulator&)> change;
    Lines lines;  // between the selection and "*OPC?", "SYST:ERR?"
    Lines after;  // between "SYST:ERR?" and ":OUTP1:STAN?"
    const char* box;
    bool posts;
    bool modified;  // after the Apply
    Lines again;    // what a second Apply sends before "*OPC?"
    std::function<void(CAnalogVideoDoc&)> check;
};

void PrintTo(const ApplyCase& c, std::ostream* out) {
    *out << c.name;
}

const Lines kTextReread = {kTextPosition, "OUTP1:TEXT:DATA?"};
const std::string kSignalLoad = "MMEM:LOAD:SIGN 1,\"/NTSC/Bars/Split.cmp\"";

void ChooseSplit(CAnalogVideoDoc& doc) {
    doc.SetFormat(0, "NTSC");
    doc.SetSignalSet(0, "Bars");
    doc.SetSignal(1, "Split.cmp");
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<ApplyCase> kApplyCases = {
    {"NothingChanged", {}, {}, {}, nullptr, false, false, {}, {}},
    {"SignalLoad",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { ChooseSplit(doc); },
     {kSignalLoad, "*OPC?"},
     kTextReread,
     nullptr,
     true,
     false,
     {},
     [](CAnalogVideoDoc& doc) {
         EXPECT_EQ(doc.TakeSignalReloadNotice(), 1);
         EXPECT_EQ(doc.TakeTextReloadedNotice(), 1);
         EXPECT_EQ(doc.TakeLogoRereadNotice(), 0);
         EXPECT_EQ(doc.TakeSignalReloadNotice(), 0);
     }},
    // A frame picture changes nothing the other windows show.
    {"FramePictureLoad",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) {
         doc.SetFramePictureMode(1);
         doc.SetPictureFolder(0, "Cards");
         doc.SetPicture(1, "Zone.pic");
     },
     {"MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Zone.pic\"", "*OPC?"},
     kTextReread,
     nullptr,
     false,
     false,
     {},
     [](CAnalogVideoDoc& doc) { EXPECT_EQ(doc.TakeSignalReloadNotice(), 0); }},
    // Back to test signals: the signal shown is loaded again.
    {"BackToTestSignal",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) {
         doc.SetFramePictureMode(1);
         doc.SetFramePictureMode(0);
     },
     {"MMEM:LOAD:SIGN 1,\"/NTSC/Ramp/Ramp\"", "*OPC?"},
     kTextReread,
     nullptr,
     true,
     false,
     {},
     {}},
    {"EveryParameterInOrder",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) {
         doc.SetSyncState(0);
         doc.SetChannelPr(0);
         doc.SetChannelPb(1);
         doc.SetChannelY(0);
         doc.SetCircleDiameter(60);
         doc.SetCircleVertical(-5);
         doc.SetCircleHorizontal(7);
         doc.SetCircleState(0);
         doc.SetTextVertical(4);
         doc.SetTextHorizontal(3);
         doc.SetTextData("NEW \"ID\"\tTEXT");
         doc.SetTextState(1);
         doc.SetLogoVertical(-20.25);
         doc.SetLogoHorizontal(-7.5);
         doc.SetLogoSelection("ID.lgo");
         doc.SetLogoState(1);
         doc.SetBlinkCode(3);
         doc.SetMovingRandom(0);
         doc.SetMovingPeriod(9);
         doc.SetMovingVerticalStep(8);
         doc.SetMovingHorizontalStep(-6);
         doc.SetTimingDelay(-2.5e-6);
         doc.SetTimingLines(-4);
     },
     {"SENS1:CORR:MDEL:VERT -4",
      "SENS1:CORR:MDEL:HOR -2.50000000",
      "OUTP1:MOV:HOR -6",
      "OUTP1:MOV:VERT 8",
      "OUTP1:MOV:PER 9",
      "OUTP1:MOV:RAND:STAT 0",
      "OUTP1:OVER:BLIN:STAT 1",
      "OUTP1:OVER:BLIN:PER 1.0",
      "OUTP1:LOGO:SEL \"ID.lgo\"",
      "OUTP1:LOGO:STAT 1",
      "OUTP1:LOGO:SAVE",
      "OUTP1:LOGO:POS:HOR -7.5",
      "OUTP1:LOGO:POS:VERT -20.2",
      "OUTP1:LOGO:SAVE",
      "OUTP1:TEXT:DATA \"NEW IDTEXT\"",
      "OUTP1:TEXT:STAT 1",
      "OUTP1:TEXT:SAVE",
      "OUTP1:TEXT:POS:HOR 3",
      "OUTP1:TEXT:POS:VERT 4",
      "OUTP1:TEXT:SAVE",
      "OUTP1:CIRC:STAT 0",
      "OUTP1:CIRC:POS:HOR 7",
      "OUTP1:CIRC:POS:VERT -5",
      "OUTP1:CIRC:DIAM 60",
      ":OUTP1:STAN?",
      "OUTP1:VID:SYNC:STAT 0",
      "OUTP1:VID:Y:STAT 0",
      "OUTP1:VID:PB:STAT 1",
      "OUTP1:VID:PR:STAT 0"},
     {kLogoPosition},
     nullptr,
     false,
     false,
     {},
     [](CAnalogVideoDoc& doc) {
         EXPECT_EQ(doc.TakeLogoRereadNotice(), 1);
         EXPECT_EQ(doc.TakeTextReloadedNotice(), 0);
     }},
    // The save carried over from the logo sends the text's save twice as well.
    {"LogoPositionAlone",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { doc.SetLogoHorizontal(-30.0); },
     {"OUTP1:LOGO:POS:HOR -30.0", "OUTP1:LOGO:SAVE", "OUTP1:TEXT:SAVE", "OUTP1:TEXT:SAVE"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    {"LogoSelectionAlone",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { doc.SetLogoSelection("ID.lgo"); },
     {"OUTP1:LOGO:STAT 0", "OUTP1:LOGO:SEL \"ID.lgo\"", "OUTP1:LOGO:STAT 1", "OUTP1:LOGO:SAVE"},
     {kLogoPosition},
     nullptr,
     false,
     false,
     {},
     {}},
    {"LogoOff",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { doc.SetLogoState(0); },
     {"OUTP1:LOGO:STAT 0"},
     {kLogoPosition},
     nullptr,
     false,
     false,
     {},
     {}},
    {"TextOff",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { doc.SetTextState(0); },
     {"OUTP1:TEXT:STAT 0", "OUTP1:TEXT:SAVE", "OUTP1:TEXT:SAVE"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    {"BlinkOff",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { doc.SetBlinkCode(0); },
     {"OUTP1:OVER:BLIN:STAT 0"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    {"BlinkHalfSecond",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) { doc.SetBlinkCode(2); },
     {"OUTP1:OVER:BLIN:STAT 1", "OUTP1:OVER:BLIN:PER 0.5"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    // Without a GBR standard there is no sync to choose: nothing goes, and it is green.
    {"SyncWithoutGbr",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("OUTP1:STAN?", "32767");
         doc.SetSyncState(1);
     },
     {":OUTP1:STAN?"},
     {},
     nullptr,
     false,
     false,
     {},
     [](CAnalogVideoDoc& doc) {
         EXPECT_EQ(doc.m_syncState, 0);
         EXPECT_EQ(doc.m_standardCode, 32767);
     }},
    // -256 after a load: the load was refused, and is armed again for the next Apply.
    {"LoadRefused",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("SYST:ERR?", kNotFound);
         ChooseSplit(doc);
     },
     {kSignalLoad, "*OPC?"},
     kTextReread,
     "/NTSC/Bars/Split.cmp is not assigned to test signal key.",
     false,
     true,
     {kSignalLoad, "*OPC?"},
     // The signal page still reloads its timing, as after any load that went out.
     [](CAnalogVideoDoc& doc) { EXPECT_EQ(doc.TakeSignalReloadNotice(), 1); }},
    {"PictureRefused",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("SYST:ERR?", kNotFound);
         doc.SetFramePictureMode(1);
         doc.SetPicture(1, "Zone.pic");
     },
     {"MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Zone.pic\"", "*OPC?"},
     kTextReread,
     "/Cards/Zone.pic is not assigned to 'OTHER' key.",
     false,
     true,
     {"MMEM:LOAD:SIGN 1,\"/PICTURE/Cards/Zone.pic\"", "*OPC?"},
     {}},
    // -256 with no load sent is an error like any other: nothing is armed again.
    {"NotFoundWithoutLoad",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("SYST:ERR?", kNotFound);
         doc.SetLogoSelection("GONE.lgo");
     },
     {"OUTP1:LOGO:STAT 0", "OUTP1:LOGO:SEL \"GONE.lgo\"", "OUTP1:LOGO:STAT 1", "OUTP1:LOGO:SAVE"},
     {kLogoPosition},
     "Command send error!\n-256,\"File name not found\"",
     false,
     false,
     {},
     {}},
};

template <typename Doc>
void CheckApply(AnalogDocument<Doc>& test, const ApplyCase& c) {
    test.Open();
    if (c.change)
        c.change(*test.m_doc, *test.m_sim);
    if (c.box)
        test.m_boxes.Expect(c.box, MB_ICONSTOP, IDOK);
    test.TakeLines();

    EXPECT_EQ(test.m_doc->Apply(), 1);
    const Lines lines =
        Join({{kSelect}, c.lines, {"*OPC?", "SYST:ERR?"}, c.after, {":OUTP1:STAN?"}});
    EXPECT_EQ(test.TakeLines(lines.size()), test.Expected(lines));
    EXPECT_EQ(test.m_progress.TakeRuns(),
              (std::vector<ProgressRecord>{{"Sending...", AnalogDocument<Doc>::ApplyPositions(),
                                            AnalogDocument<Doc>::ApplyPositions(), true}}));
    EXPECT_EQ(test.m_progress.TakeStatuses(), Lines{"Ready"});
    EXPECT_EQ(test.m_boxes.Pending(), 0u);
    EXPECT_EQ(test.m_doc->posted, c.posts ? std::vector<platform::UINT>{WM_MODULE_APPLIED}
                                          : std::vector<platform::UINT>{});
    EXPECT_EQ(test.m_doc->IsModified(), c.modified);
    if (c.check)
        c.check(*test.m_doc);

    // What is left goes with the next Apply, and then nothing is.
    test.m_sim->SetReplyOverride("SYST:ERR?", kNoError);
    EXPECT_EQ(test.m_doc->Apply(), 1);
    const Lines again = test.TakeLines();
    ASSERT_GE(again.size(), 1u + c.again.size());
    EXPECT_EQ(Lines(again.begin() + 1, again.begin() + 1 + static_cast<long>(c.again.size())),
              test.Expected(c.again));
    EXPECT_FALSE(test.m_doc->IsModified());
}

class OltraApply : public AnalogDocument<COltraDoc>,
                   public ::testing::WithParamInterface<ApplyCase> {};
class YarloApply : public AnalogDocument<CYarloDoc>,
                   public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(OltraApply, SendsWhatChangedInOrder) {
    CheckApply(*this, GetParam());
}
TEST_P(YarloApply, SendsWhatChangedInOrder) {
    CheckApply(*this, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Corvane, OltraApply, ::testing::ValuesIn(kApplyCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Corvane, YarloApply, ::testing::ValuesIn(kApplyCases), CaseName);

// What only the Oltra has: the video configuration follows the output standard, and the APL
// tells the other windows.
const std::vector<ApplyCase> kOltraCases = {
    {"CompositeOnCompositeStandard",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("OUTP1:STAN?", "10");
         static_cast<COltraDoc&>(doc).SetVideoConfiguration(COltraDoc::kComposite);
     },
     {":OUTP1:STAN?", "OUTP1:VID:CONF COMPosite"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    {"YcOnCompositeStandard",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("OUTP1:STAN?", "0");
         static_cast<COltraDoc&>(doc).SetVideoConfiguration(COltraDoc::kYc);
     },
     {":OUTP1:STAN?", "OUTP1:VID:CONF YC"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    {"ConfigurationOnOtherStandard",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("OUTP1:STAN?", "2");
         static_cast<COltraDoc&>(doc).SetVideoConfiguration(COltraDoc::kYc);
     },
     {":OUTP1:STAN?"},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    {"AplModeAndPeriod",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) {
         auto& oltra = static_cast<COltraDoc&>(doc);
         oltra.SetAplPeriod(std::string(oltra.m_aplTables.periodKeywords[3]));
         oltra.SetAplMode(std::string(oltra.m_aplTables.modeKeywords[1]));
         doc.SetChannelY(0);
     },
     {"OUTP1:VID:Y:STAT 0", "OUTP1:APL:MOD APL_HIGH", "OUTP1:APL:PER 2.0"},
     {},
     nullptr,
     true,
     false,
     {},
     {}},
    {"AplWordsOutsideTheTables",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator&) {
         auto& oltra = static_cast<COltraDoc&>(doc);
         oltra.SetAplMode("");
         oltra.SetAplPeriod("3.0");
     },
     {},
     {},
     nullptr,
     false,
     false,
     {},
     {}},
    // The refused load posts nothing, but the APL sent with it still does.
    {"AplWithRefusedLoad",
     [](CAnalogVideoDoc& doc, quarnsim::Simulator& sim) {
         sim.SetReplyOverride("SYST:ERR?", kNotFound);
         ChooseSplit(doc);
         static_cast<COltraDoc&>(doc).SetAplMode("BOUNCE");
     },
     {kSignalLoad, "*OPC?", "OUTP1:APL:MOD BOUNCE"},
     kTextReread,
     "/NTSC/Bars/Split.cmp is not assigned to test signal key.",
     true,
     true,
     {kSignalLoad, "*OPC?"},
     {}},
};

class OltraOnlyApply : public AnalogDocument<COltraDoc>,
                       public ::testing::WithParamInterface<ApplyCase> {};
TEST_P(OltraOnlyApply, SendsWhatChangedInOrder) {
    CheckApply(*this, GetParam());
}
INSTANTIATE_TEST_SUITE_P(Corvane, OltraOnlyApply, ::testing::ValuesIn(kOltraCases), CaseName);

// A send that fails midway ends the Apply; what was not sent is still flagged and goes with
// the next Apply over a new connection.
TEST_F(YarloApply, BrokenLinkKeepsWhatWasNotSent) {
    Open();
    m_doc->SetMovingVerticalStep(5);
    m_doc->SetMovingHorizontalStep(4);
    m_doc->SetCircleDiameter(30);
    BreakBefore("OUTP1:MOV:VERT 5");
    TakeLines();
    EXPECT_EQ(m_doc->Apply(), 0);
    EXPECT_EQ(TakeLines(2), Expected({kSelect, "OUTP1:MOV:HOR 4"}));
    EXPECT_EQ(m_progress.TakeRuns(), (std::vector<ProgressRecord>{{"Sending...", 27, 5, true}}));
    EXPECT_TRUE(m_progress.TakeStatuses().empty());
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_boxes.Pending(), 0u);

    Reconnect();
    EXPECT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(6), Expected({kSelect, "OUTP1:MOV:VERT 5", "OUTP1:CIRC:DIAM 30", "*OPC?",
                                      "SYST:ERR?", ":OUTP1:STAN?"}));
    EXPECT_FALSE(m_doc->IsModified());
}

// Closing with a change asks the model's question: Cancel keeps the window, No drops the
// change unsent, Yes applies it.
template <typename Doc>
void CheckCloseQuestion(AnalogDocument<Doc>& test) {
    test.Open();
    const std::string question = ForModel("Apply changes to %M?", test.m_model);
    struct Answer {
        int answer;
        bool closes;
        Lines sent;
    };
    for (const Answer& a : {Answer{platform::IDCANCEL, false, {}}, Answer{platform::IDNO, true, {}},
                            Answer{platform::IDYES, true, {"OUTP1:CIRC:STAT 0"}}}) {
        test.m_doc->SetCircleState(0);
        test.m_boxes.Expect(question, platform::MB_YESNOCANCEL | MB_ICONEXCLAMATION, a.answer);
        EXPECT_EQ(test.m_doc->SaveModified(), a.closes) << a.answer;
        EXPECT_EQ(test.m_doc->IsModified(), !a.closes) << a.answer;
        EXPECT_EQ(test.m_boxes.Pending(), 0u);
        const Lines lines = test.TakeLines();
        const Lines sent = lines.size() > 1 ? Lines(lines.begin() + 1, lines.begin() + 2) : Lines{};
        EXPECT_EQ(sent, a.sent) << a.answer;
        test.m_doc->m_circleState.ClearChanged();
    }
    // With nothing changed nobody is asked.
    EXPECT_TRUE(test.m_doc->SaveModified());
}

TEST_F(OltraApply, CloseAsksTheOltraQuestion) {
    CheckCloseQuestion(*this);
}
TEST_F(YarloApply, CloseAsksTheYarloQuestion) {
    CheckCloseQuestion(*this);
}

// Setters mark the document and flag exactly their own parameter; the frame-picture switch
// moves the load between the signal and the picture.
TEST_F(OltraApply, FramePictureModeMovesTheLoad) {
    Open();
    m_doc->SetFormat(7, "PAL");
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_doc->m_formatCode, 7);
    EXPECT_FALSE(m_doc->m_formatIndex.Changed());
    m_doc->SetSignal(0, "Full.cmp");
    m_doc->SetFramePictureMode(1);
    EXPECT_FALSE(m_doc->m_signalIndex.Changed());
    EXPECT_TRUE(m_doc->m_pictureFolderIndex.Changed() && m_doc->m_pictureIndex.Changed());
    m_doc->SetFramePictureMode(0);
    EXPECT_TRUE(m_doc->m_formatIndex.Changed() && m_doc->m_signalSetIndex.Changed() &&
                m_doc->m_signalIndex.Changed());
    EXPECT_FALSE(m_doc->m_pictureFolderIndex.Changed() || m_doc->m_pictureIndex.Changed());
    // A delay or position that is not a number is never taken.
    m_doc->SetTimingDelay(std::numeric_limits<double>::quiet_NaN());
    m_doc->SetLogoHorizontal(std::numeric_limits<double>::infinity());
    EXPECT_FALSE(m_doc->m_timingDelay.Changed() || m_doc->m_logoHorizontal.Changed());
}

}  // namespace
}  // namespace corvane::testing
