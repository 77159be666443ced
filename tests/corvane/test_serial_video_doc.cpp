// The Sormet and Ulmeth documents without a window: their read and their Apply against the
// simulated instrument, seen through what the instrument received, what the progress recorder
// got, the boxes shown and the notifications posted.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/sormet/SormetDoc.h"
#include "corvane/modules/ulmeth/UlmethDoc.h"
#include "platform/MessageBox.h"
#include "tests/corvane/ModuleDocFixture.h"
// clang-format on

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;
using Posts = std::vector<std::pair<platform::UINT, platform::WPARAM>>;
constexpr int kSlot = 2;

// Formats deliberately out of code order, so a format found by its code instead of its name
// would be the wrong folder.
quarnsim::VideoFileTree SormetTree() {
    return {
        {{"525-270", {{"Bars", {"Bars75.cmp", "Ramp.cmp"}}}}, {"625-270", {{"Lin", {"Step.cmp"}}}}},
        {{"Cards", {"Circle.pic"}}},
        {"Logo1.lgo"}};
}
quarnsim::VideoFileTree UlmethTree() {
    return {{{"720 25p", {{"Bars", {"Bars75.cmp"}}}}, {"1080 59.94i", {{"Bars", {"Bars75.cmp"}}}}},
            {{"Cards", {"Circle.pic"}}},
            {}};
}

template <typename Doc>
class SerialDocFixture : public ModuleDocFixture<Doc> {
protected:
    using Base = ModuleDocFixture<Doc>;
    SerialDocFixture(const char* model, quarnsim::VideoFileTree tree)
        : Base(model, kSlot), m_tree(std::move(tree)) {}

    void SetUp() override {
        Base::SetUp();
        ASSERT_EQ(quarnsim::SeedVideoFiles(this->m_temp.filePath("instrument").toStdString(),
                                           this->m_model, m_tree),
                  1);
        this->m_doc->SetPostSink(
            [this](platform::UINT m, platform::WPARAM w) { m_posts.emplace_back(m, w); });
        this->m_doc->SetFirmwareVersion(3.1);
    }
    // Puts the module on a signal as an operator at the instrument would, unseen by the log.
    void Load(const std::string& path) {
        ASSERT_EQ(this->m_link.SendCommand(this->ModuleSelect()), 1);
        ASSERT_EQ(this->m_link.SendCommand("MMEM:LOAD:SIGN 2,\"" + path + "\""), 1);
        std::string reply;
        ASSERT_EQ(this->m_link.Query("*OPC?", reply), 1);
        this->TakeLines(3);
    }
    std::string ModuleSelect() const { return "INST:SEL \"" + this->m_model + ":2\""; }
    // Reads, expecting success, and forgets the read's lines and progress.
    void ReadOk() {
        ASSERT_EQ(this->m_doc->ReadAll(), 1);
        this->TakeLines();
        this->m_progress.TakeRuns();
    }

    quarnsim::VideoFileTree m_tree;
    Posts m_posts;
};

class SormetDocument : public SerialDocFixture<CSormetDoc> {
protected:
    SormetDocument() : SerialDocFixture("Sormet", SormetTree()) {}
};
class UlmethDocument : public SerialDocFixture<CUlmethDoc> {
protected:
    UlmethDocument() : SerialDocFixture("Ulmeth", UlmethTree()) {}
};

Lines AudioReads(int output) {
    Lines lines;
    const std::string o = "OUTP" + std::to_string(output) + ":EAUD:";
    for (int g = 1; g <= 4; ++g) {
        const std::string gr = o + "GRO" + std::to_string(g);
        lines.push_back(gr + ":STAT?;:" + gr + ":NBIT?;:" + gr + ":PRE?;:" + gr + ":SAMPLI?");
        for (int c = 4 * g - 3; c <= 4 * g; ++c) {
            const std::string ch = o + "CHAN" + std::to_string(c);
            lines.push_back(ch + ":AMPL?;:" + ch + ":FREQ?;:" + ch + ":CLIC?");
        }
    }
    return lines;
}

// The opening of a Sormet on "/525-270/Bars/Bars75.cmp".
Lines SormetRead(bool black, bool avTiming) {
    Lines lines{"INST:SEL \"Sormet:2\"",
                "MMEM:SIGN:ACT? 2",
                "OUTP:CONF?",
                "MMEM:CAT? \"/F0:/Sormet/SIGNAL\"",
                "MMEM:CAT? \"/F0:/Sormet/SIGNAL/525-270\"",
                "MMEM:CAT? \"/F0:/Sormet/SIGNAL/525-270/Bars\"",
                "MMEM:CAT? \"/F0:/Sormet/SIGNAL/625-270\"",
                "MMEM:CAT? \"/F0:/Sormet/SIGNAL/625-270/Lin\"",
                "MMEM:CAT? \"/F0:/Sormet/PICTURE\"",
                "MMEM:CAT? \"/F0:/Sormet/PICTURE/Cards\"",
                "MMEM:SIGN:ACT? 2",
                "OUTP1:STAN?",
                "SENS1:CORR:MDEL:VERT?;HOR?",
                "OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?",
                "OUTP1:OVER:BLIN:STAT?",
                "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?",
                "MMEM:CAT? \"/F0:/Sormet/LOGO\"",
                "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?",
                "OUTP1:TEXT:DATA?",
                "OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?"};
    for (const std::string& l : AudioReads(1)) lines.push_back(l);
    lines.push_back(
        "OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?;:OUTP1:VID:NBIT?;:OUTP1:VID:"
        "EDH:STAT?");
    if (avTiming)
        lines.push_back("OUTP1:VID:AVT:STAT?");
    if (black) {
        lines.push_back("OUTP2:STAN?;:OUTP2:SIGN?");
        lines.push_back(
            "SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?;:OUTP2:VID:EDH:STAT?;:OUTP2:VID:NBIT?");
        for (const std::string& l : AudioReads(2)) lines.push_back(l);
    }
    return lines;
}

struct ReadCase {
    const char* name;
    const char* option;  // OUTP:CONF?
    double firmware;
    int steps;
};

TEST_F(SormetDocument, ReadsEverythingInOrderAndFillsTheBar) {
    const ReadCase cases[] = {
        {"black option", "1", 3.1, 2 * 32 + 51},
        {"no black option", "0", 3.1, 2 * 32 + 29},
        {"firmware 3.0", "1", 3.0, 2 * 32 + 51},
    };
    Load("/525-270/Bars/Bars75.cmp");
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Instrument().SetReplyOverride("OUTP:CONF?", c.option);
        m_doc->SetFirmwareVersion(c.firmware);
        ASSERT_EQ(m_doc->ReadAll(), 1);
        const bool black = std::string(c.option) == "1";
        EXPECT_EQ(TakeLines(), SormetRead(black, c.firmware >= 3.1));
        // Everything after the catalogue fills the bar exactly, the AV timing's step taken
        // also where firmware 3.0 does not read it.
        EXPECT_EQ(
            m_progress.TakeRuns(),
            (std::vector<ProgressRecord>{{"Reading Sormet [2] ...", c.steps, c.steps, true}}));
        EXPECT_EQ(m_doc->m_blackOption, black ? 1 : 0);
        EXPECT_EQ(m_doc->m_formatIndex, 1);
        EXPECT_EQ(m_doc->m_signalPath, "525-270/Bars/Bars75.cmp");
        EXPECT_EQ(m_doc->m_logos, Lines{"Logo1.lgo"});
    }
}

TEST_F(SormetDocument, AFramePictureFindsItsFormatFolderByName) {
    Load("/625-270/Lin/Step.cmp");
    Load("/PICTURE/Cards/Circle.pic");
    ASSERT_EQ(m_doc->ReadAll(), 1);
    EXPECT_EQ(m_doc->m_framePicture, 1);
    EXPECT_EQ(m_doc->m_formatIndex, 2);
    // Folder 2 does not exist: the format is the folder named "625-270", the second listed.
    EXPECT_EQ(m_doc->m_formatName, "625-270");
    EXPECT_EQ(m_doc->m_signalSetName, "Lin");
    EXPECT_EQ(m_doc->m_signalName, "Step.cmp");
    EXPECT_EQ(m_doc->m_pictureFolderName, "Cards");
    EXPECT_EQ(m_doc->m_pictureFileName, "Circle.pic");
}

TEST_F(SormetDocument, ReadsThatCannotGoOnSayWhyOrFailQuietly) {
    struct Case {
        const char* name;
        const char* query;
        const char* reply;
        const char* box;  // null: no box
        platform::UINT icon;
    };
    const Case cases[] = {
        {"nothing active", "MMEM:SIGN:ACT? 2", "\"\"", "Signal is not selected.\n\nCan not open.",
         platform::MB_ICONEXCLAMATION},
        {"signal not listed", "MMEM:SIGN:ACT? 2", "\"/525-270/Bars/Gone.cmp\"",
         "Could not read signal name.\n\nCan not continue.", platform::MB_ICONSTOP},
        {"blink period", "OUTP1:OVER:BLIN:STAT?", "1", nullptr, 0},
        {"unknown standard", "OUTP1:STAN?", "D1_SECAM", nullptr, 0},
        {"unknown black signal", "OUTP2:STAN?;:OUTP2:SIGN?", "D1_PAL;PINK", nullptr, 0},
    };
    Load("/525-270/Bars/Bars75.cmp");
    Instrument().SetReplyOverride("OUTP1:OVER:BLIN:PER?", "2.0");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Instrument().SetReplyOverride(c.query, c.reply);
        if (c.box)
            m_boxes.Expect(c.box, c.icon, platform::IDOK);
        EXPECT_EQ(m_doc->ReadAll(), 0);
        Instrument().ClearReplyOverrides();
        Instrument().SetReplyOverride("OUTP1:OVER:BLIN:PER?", "2.0");
        TakeLines();
        for (const ProgressRecord& run : m_progress.TakeRuns()) EXPECT_TRUE(run.ended);
    }
}

TEST_F(SormetDocument, LiveTimingAsksTheOutputsHeadersInFull) {
    struct Case {
        const char* name;
        int output;
        const char* reply;
        int result;
        int lines;
        double delay;
    };
    const Case cases[] = {
        // The override answers the first header; the second answer follows it.
        {"output 1", 1, "-3;1.5", 1, -3, 1.5e-6},
        {"output 2", 2, "12.9;-0.25", 1, 12, -0.25e-6},
    };
    Load("/525-270/Bars/Bars75.cmp");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string query = c.output == 1 ? "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?"
                                                : "SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?";
        Instrument().SetReplyOverride(query, c.reply);
        int lines = 0;
        double delay = 0.0;
        const int result = c.output == 1 ? m_doc->ReadLiveTiming(lines, delay)
                                         : m_doc->ReadLiveBlackTiming(lines, delay);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(TakeLines(), (Lines{ModuleSelect(), query}));
        if (c.result) {
            EXPECT_EQ(lines, c.lines);
            EXPECT_DOUBLE_EQ(delay, c.delay);
        }
        EXPECT_FALSE(m_doc->IsModified());
        Instrument().ClearReplyOverrides();
    }
}

// One Apply after the given changes: what went out between INST:SEL and "*OPC?".
struct ApplyCase {
    const char* name;
    std::function<void(CSerialVideoDoc&)> change;
    Lines sent;
    Posts posts;
};

TEST_F(SormetDocument, ApplySendsOnlyWhatChangedInItsOrder) {
    const ApplyCase cases[] = {
        {"signal",
         [](CSerialVideoDoc& d) { d.SetSignal(1, "Ramp.cmp"); },
         {"MMEM:LOAD:SIGN 2,\"/525-270/Bars/Ramp.cmp\"", "*OPC?"},
         {{WM_MODULE_APPLIED, 0}}},
        {"frame picture",
         [](CSerialVideoDoc& d) { d.SetFramePicture(1); },
         {"MMEM:LOAD:SIGN 2,\"/PICTURE/Cards/Circle.pic\"", "*OPC?"},
         {}},
        {"timing",
         [](CSerialVideoDoc& d) {
             d.SetDelay(1.5e-6);
             d.SetLines(-3);
         },
         {"SENS1:CORR:MDEL:VERT -3", "SENS1:CORR:MDEL:HOR 1.50000000"},
         {}},
        {"moving picture and blink",
         [](CSerialVideoDoc& d) {
             d.SetBlinkMode(CSerialVideoDoc::kBlinkSlow);
             d.SetMovingRandom(1);
             d.SetMovingHorizontalStep(4);
         },
         {"OUTP1:MOV:HOR 4", "OUTP1:MOV:RAND:STAT 1", "OUTP1:OVER:BLIN:STAT 1",
          "OUTP1:OVER:BLIN:PER 1.0"},
         {}},
        {"logo position alone saves the logo and the text once",
         [](CSerialVideoDoc& d) { d.SetLogoHorizontal(-12.5); },
         {"OUTP1:LOGO:POS:HOR -12.5", "OUTP1:LOGO:SAVE", "OUTP1:TEXT:SAVE"},
         {}},
        {"logo on with a new name selects it once and saves only the logo",
         [](CSerialVideoDoc& d) {
             d.SetLogoName("Logo1.lgo");
             d.SetLogoState(1);
         },
         {"OUTP1:LOGO:SEL \"Logo1.lgo\"", "OUTP1:LOGO:STAT 1", "OUTP1:LOGO:SAVE"},
         {}},
        {"text with a quote and a text position",
         [](CSerialVideoDoc& d) {
             d.SetText("Cam \"A\"");
             d.SetTextVertical(7);
         },
         {"OUTP1:TEXT:DATA \"Cam A\"", "OUTP1:TEXT:SAVE", "OUTP1:TEXT:POS:VERT 7",
          "OUTP1:TEXT:SAVE"},
         {}},
        {"circle",
         [](CSerialVideoDoc& d) {
             d.SetCircleDiameter(30);
             d.SetCircleState(1);
         },
         {"OUTP1:CIRC:STAT 1", "OUTP1:CIRC:DIAM 30"},
         {}},
        {"channel 13 is group 4 channel 2; hertz, never a list index",
         [](CSerialVideoDoc& d) {
             d.SetAudioFrequency(1, 13, 1000);
             d.SetAudioPreEmphasis(1, 3, kPreEmphasisCcit);
             d.SetAudioClick(2, 0, 3);
         },
         {"OUTP1:EAUD:GRO4:PRE CCIT", "OUTP1:EAUD:CHAN14:FREQ 1000", "OUTP2:EAUD:CHAN1:CLIC 3"},
         {}},
        {"video and black",
         [](CSerialVideoDoc& d) {
             d.SetBlackDelay(-2e-6);
             d.SetBlackFormat(2);
             d.SetBlackSignal(3);
             d.SetAvTiming(1);
             d.SetVideoEdh(0);
         },
         {"OUTP1:VID:EDH:STAT 0", "OUTP1:VID:AVT:STAT 1", "OUTP2:STAN D1_PAL", "OUTP2:SIGN WHIT",
          "SENS2:CORR:MDEL:HOR -2.00000000"},
         {{WM_MODULE_APPLIED, 0}}},
    };
    Load("/525-270/Bars/Bars75.cmp");
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReadOk();
        m_posts.clear();
        c.change(*m_doc);
        ASSERT_EQ(m_doc->Apply(), 1);
        Lines expected{"INST:SEL \"Sormet:2\""};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        expected.push_back("*OPC?");
        expected.push_back("SYST:ERR?");
        Lines got = TakeLines();
        // The re-reads after a load or a logo change follow; they are checked below.
        got.resize(std::min(got.size(), expected.size()));
        EXPECT_EQ(got, expected);
        EXPECT_EQ(m_posts, c.posts);
        EXPECT_FALSE(m_doc->IsModified());
        const auto runs = m_progress.TakeRuns();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].steps, 163);
        EXPECT_TRUE(runs[0].ended);
    }
}

TEST_F(SormetDocument, CodesWithoutAWordStayFlaggedRatherThanGoOutBare) {
    struct Case {
        const char* name;
        std::function<void(CSerialVideoDoc&)> change;
        std::function<bool(const CSerialVideoDoc&)> flagged;
    };
    const Case cases[] = {
        {"pre-emphasis", [](CSerialVideoDoc& d) { d.SetAudioPreEmphasis(1, 0, 3); },
         [](const CSerialVideoDoc& d) { return d.m_audio.preEmphasis[0].Changed(); }},
        {"sampling", [](CSerialVideoDoc& d) { d.SetAudioSampling(2, 3, -1); },
         [](const CSerialVideoDoc& d) { return d.m_blackAudio.sampling[3].Changed(); }},
        {"black signal", [](CSerialVideoDoc& d) { d.SetBlackSignal(4); },
         [](const CSerialVideoDoc& d) { return d.m_blackSignal.Changed(); }},
    };
    Load("/525-270/Bars/Bars75.cmp");
    ReadOk();
    for (const Case& c : cases) c.change(*m_doc);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(), (Lines{ModuleSelect(), "*OPC?", "SYST:ERR?"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.flagged(*m_doc));
    }
}

TEST_F(SormetDocument, AfterALoadTheTextIsReadAgainAndTheTimingReloaded) {
    Load("/525-270/Bars/Bars75.cmp");
    ReadOk();
    m_doc->SetSignal(1, "Ramp.cmp");
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(),
              (Lines{"INST:SEL \"Sormet:2\"", "MMEM:LOAD:SIGN 2,\"/525-270/Bars/Ramp.cmp\"",
                     "*OPC?", "*OPC?", "SYST:ERR?", "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?",
                     "OUTP1:TEXT:DATA?"}));
    EXPECT_EQ(m_doc->TakeTimingChanged(), 1);
    EXPECT_EQ(m_doc->TakeTextReread(), 1);
    EXPECT_EQ(m_doc->TakeTimingChanged(), 0);
}

TEST_F(SormetDocument, FirmwareBelow31KeepsTheAvTimingChangeUnsent) {
    Load("/525-270/Bars/Bars75.cmp");
    m_doc->SetFirmwareVersion(3.0);
    ReadOk();
    m_doc->SetAvTiming(1);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Sormet:2\"", "*OPC?", "SYST:ERR?"}));
    EXPECT_TRUE(m_doc->m_avTiming.Changed());
}

TEST_F(SormetDocument, RefusedLoadRearmsItAndTheRestStillGetsItsFollowUps) {
    struct Case {
        const char* name;
        std::function<void(CSerialVideoDoc&)> change;
        const char* box;
        bool modified;
        Posts posts;
    };
    const Case cases[] = {
        {"load alone posts nothing",
         [](CSerialVideoDoc& d) { d.SetSignal(0, "Nothing.cmp"); },
         "/525-270/Bars/Nothing.cmp is not assigned to test signal key.",
         true,
         {}},
        {"load and black format: the black format is still told",
         [](CSerialVideoDoc& d) {
             d.SetSignal(0, "Nothing.cmp");
             d.SetBlackFormat(0);
         },
         "/525-270/Bars/Nothing.cmp is not assigned to test signal key.",
         true,
         {{WM_MODULE_APPLIED, 0}}},
        {"picture",
         [](CSerialVideoDoc& d) {
             d.SetFramePicture(1);
             d.SetPictureFile(0, "Nothing.pic");
         },
         "/Cards/Nothing.pic is not assigned to 'OTHER' key.",
         true,
         {}},
    };
    Load("/525-270/Bars/Bars75.cmp");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadOk();
        m_posts.clear();
        c.change(*m_doc);
        m_boxes.Expect(c.box, platform::MB_ICONSTOP, platform::IDOK);
        ASSERT_EQ(m_doc->Apply(), 1);
        EXPECT_EQ(m_doc->IsModified(), c.modified);
        EXPECT_TRUE(m_doc->m_signal.Changed() || m_doc->m_pictureFile.Changed());
        EXPECT_EQ(m_posts, c.posts);
        // The text is read again all the same.
        Lines got = TakeLines();
        EXPECT_EQ(got.back(), "OUTP1:TEXT:DATA?");
        m_doc->SetFramePicture(0);
    }
}

TEST_F(SormetDocument, AnErrorWithoutALoadIsACommandSendError) {
    Load("/525-270/Bars/Bars75.cmp");
    ReadOk();
    m_doc->SetCircleState(1);
    Instrument().PushError(-256, "File name not found");
    m_boxes.Expect("Command send error!\n-256,\"File name not found\"", platform::MB_ICONSTOP,
                   platform::IDOK);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_FALSE(m_doc->m_signal.Changed());
}

TEST_F(SormetDocument, ASendFailingMidwayKeepsWhatWasNotSent) {
    Load("/525-270/Bars/Bars75.cmp");
    ReadOk();
    m_doc->SetLines(5);
    m_doc->SetCircleState(1);
    m_doc->SetVideoY(0);
    BreakBefore("OUTP1:CIRC:STAT 1");
    EXPECT_EQ(m_doc->Apply(), 0);
    EXPECT_FALSE(m_doc->m_lines.Changed());
    EXPECT_TRUE(m_doc->m_circleState.Changed());
    EXPECT_TRUE(m_doc->m_videoY.Changed());
    EXPECT_TRUE(m_doc->IsModified());
    const auto runs = m_progress.TakeRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].ended);
}

TEST_F(UlmethDocument, ReadsWithoutOtherHdModulesAndAnnouncesItsClockAfterALoad) {
    Load("/720 25p/Bars/Bars75.cmp");
    m_doc->SetOtherHdModules(false, false);
    ASSERT_EQ(m_doc->ReadAll(), 1);
    const Lines lines = TakeLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "INST:SEL \"Ulmeth:2\"");
    EXPECT_EQ(m_doc->m_brumoClockFamily, kClockNoBrumo);
    EXPECT_EQ(m_doc->m_kintorClockFamily, kClockNoKintor);
    EXPECT_EQ(m_doc->m_formatIndex, 17);
    // No resolution or EDH on the Ulmeth.
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?"),
              lines.end());

    struct Case {
        const char* folder;
        Posts posts;
    };
    const Case cases[] = {
        {"1080 59.94i", {{WM_ULMETH_CLOCK_FAMILY, 2}, {WM_MODULE_APPLIED, 0}}},
        {"720 25p", {{WM_ULMETH_CLOCK_FAMILY, 1}, {WM_MODULE_APPLIED, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        m_posts.clear();
        m_doc->SetFormat(FormatCode(VideoModel::Ulmeth, c.folder), c.folder);
        m_doc->SetSignalSet(0, "Bars");
        m_doc->SetSignal(0, "Bars75.cmp");
        ASSERT_EQ(m_doc->Apply(), 1);
        EXPECT_EQ(m_posts, c.posts);
    }
    // A refused load tells nobody a clock the module does not put out.
    m_posts.clear();
    m_doc->SetSignal(0, "Nothing.cmp");
    m_boxes.Expect("/720 25p/Bars/Nothing.cmp is not assigned to test signal key.",
                   platform::MB_ICONSTOP, platform::IDOK);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(m_posts, Posts{});
}

TEST_F(UlmethDocument, AClockTakenIsAnnouncedThoughTheLinkBreaksAfterwards) {
    struct Case {
        const char* name;
        const char* breakBefore;
        int result;
        Posts posts;
    };
    const Case cases[] = {
        {"during the text's re-read",
         "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?",
         0,
         {{WM_ULMETH_CLOCK_FAMILY, 2}}},
        {"before the error check", "SYST:ERR?", 0, {}},
    };
    Load("/720 25p/Bars/Bars75.cmp");
    m_doc->SetOtherHdModules(false, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadOk();
        m_posts.clear();
        m_doc->SetFormat(FormatCode(VideoModel::Ulmeth, "1080 59.94i"), "1080 59.94i");
        m_doc->SetSignalSet(0, "Bars");
        m_doc->SetSignal(0, "Bars75.cmp");
        BreakBefore(c.breakBefore);
        EXPECT_EQ(m_doc->Apply(), c.result);
        EXPECT_EQ(m_posts, c.posts);
        TakeLines();
        Reconnect();
        Load("/720 25p/Bars/Bars75.cmp");
    }
}

TEST_F(UlmethDocument, BlackFormatGoesAsItsKeywordAndBitsAndEdhAreNeverSent) {
    Load("/720 25p/Bars/Bars75.cmp");
    m_doc->SetOtherHdModules(false, false);
    Instrument().SetReplyOverride("OUTP2:STAN?;:OUTP2:SIGN?", "HD1080_50I;GRAY");
    ReadOk();
    EXPECT_EQ(m_doc->m_blackFormat.Value(), 2);
    EXPECT_EQ(m_doc->m_blackSignal.Value(), 1);
    m_doc->SetBlackFormat(19);
    m_doc->SetBlackBits(10);
    m_doc->SetBlackEdh(1);
    m_doc->SetVideoBits(10);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(),
              (Lines{"INST:SEL \"Ulmeth:2\"", "OUTP2:STAN HD720_23P", "*OPC?", "SYST:ERR?"}));
    // A code of no format stays flagged rather than going out as an empty word.
    m_doc->SetBlackFormat(20);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(), (Lines{"INST:SEL \"Ulmeth:2\"", "*OPC?", "SYST:ERR?"}));
    EXPECT_TRUE(m_doc->m_blackFormat.Changed());
}

}  // namespace
}  // namespace corvane::testing
