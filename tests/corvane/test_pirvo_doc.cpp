// The Pirvo document without a window: the read at opening, the catalogue of its own drive,
// the live timing and the Apply against the simulated instrument, checked through the lines
// the instrument received, the recorded progress, the boxes shown and what was posted.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/Messages.h"
#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/pirvo/PirvoSignalWords.h"
#include "platform/MessageBox.h"
#include "quarnsim/Options.h"
#include "tests/corvane/ModuleDocFixture.h"
#include "tests/corvane/PirvoSeed.h"
#include "tests/support/ItemsNamingNothing.h"
// clang-format on

namespace corvane::testing {
namespace {

using platform::IDOK;
using platform::MB_ICONEXCLAMATION;
using platform::MB_ICONSTOP;
using namespace pirvo;

class RecordedPirvoDoc : public CPirvoDoc {
public:
    std::vector<platform::UINT> posted;

protected:
    void PostToMainFrame(platform::UINT message) override { posted.push_back(message); }
};

class PirvoDocTest : public ModuleDocFixture<RecordedPirvoDoc> {
protected:
    PirvoDocTest() : ModuleDocFixture("Pirvo", 1) {}

    void SetUp() override {
        ModuleDocFixture::SetUp();
        ASSERT_EQ(quarnsim::SeedVideoFiles(Instrument().Files(), "Pirvo", PirvoTree()), 1);
        for (const auto& [header, value] : PirvoSettings()) Seed(header, value);
    }
    // What the module answers, query by query.
    void Answer(const std::string& query, const std::string& answer) {
        m_sim->SetReplyOverride(query, answer);
    }
    // Reads the seeded settings, whatever an earlier Apply left, and forgets what the read
    // left in the logs.
    void Open() {
        for (const auto& [header, value] : PirvoSettings()) Seed(header, value);
        ASSERT_EQ(m_doc->ReadAll(), 1);
        m_doc->SetModifiedFlag(false);
        m_progress.TakeRuns();
        TakeLines();
    }
    // The lines of an Apply between INST:SEL and "*OPC?", "SYST:ERR?".
    static Lines ApplyLines(const Lines& middle) {
        return Join({{kSelect}, middle, {"*OPC?", "SYST:ERR?"}});
    }
};

// ---- reading ------------------------------------------------------------------------------

TEST_F(PirvoDocTest, ReadAllAsksForEverythingOnceInOrderAndStoresIt) {
    ASSERT_EQ(m_doc->ReadAll(), 1);
    EXPECT_EQ(TakeLines(), ReadLines());
    const CPirvoDoc& doc = *m_doc;
    EXPECT_EQ(doc.m_catalog.size(), 2u);
    EXPECT_EQ(doc.m_active.format, 0);
    EXPECT_EQ(doc.m_active.set, 0);
    EXPECT_EQ(doc.m_active.signal, 1);
    EXPECT_EQ(doc.m_active.signalName, "Split-75");
    EXPECT_EQ(doc.m_active.fileName, "Split`h75.cmp");
    EXPECT_EQ(doc.m_active.path, "NTSC/Bars/Split-75");
    EXPECT_EQ(doc.m_aplMode.Value(), "APL_LOW");
    EXPECT_EQ(doc.m_aplPeriod.Value(), "1.5");
    EXPECT_EQ(doc.m_format.Values(), (std::array<int, 4>{1, 2, 0, 0}));
    EXPECT_EQ(doc.m_signal.Values(), (std::array<int, 4>{2, 3, 0, 30}));
    EXPECT_EQ(doc.m_lines.Values(), (std::array<int, 4>{1, -2, 3, 4}));
    const double delays[] = {-1.5e-6, 2.25e-6, 0.0185e-6, 4.5e-6};
    for (size_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(doc.m_delay[i], delays[i]) << i;
    EXPECT_EQ(doc.IdText(kPirvoSignalOutput).mode, kIdTextBlinkSlow);
    EXPECT_EQ(doc.IdText(kPirvoSignalOutput).text, "CAM 3");
    EXPECT_EQ(doc.IdText(kPirvoSignalOutput).x, 10);
    EXPECT_EQ(doc.IdText(kPirvoSignalOutput).y, 20);
    EXPECT_EQ(doc.IdText(kPirvoBarsOutput).mode, kIdTextDisable);
    EXPECT_EQ(doc.IdText(kPirvoBarsOutput).text, "BARS 4");
    EXPECT_FALSE(doc.IsModified());
    // Two signal sets stepped within a range of 32 per root entry, the settings then taking
    // the last thirteen steps.
    const std::vector<ProgressRecord> runs = m_progress.TakeRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "Reading Pirvo [1] ...");
    EXPECT_EQ(runs[0].steps, 2 * 32 + 13);
    EXPECT_EQ(runs[0].position, 2 * 32 + 13);
    EXPECT_TRUE(runs[0].ended);
}

struct ModeCase {
    const char* blinkState;
    const char* blinkPeriod;
    const char* textState;
    int mode;
};

// The mode is derived from three answers; the blink period matters only while blinking.
TEST_F(PirvoDocTest, IdTextModeFollowsTextStateBlinkAndPeriod) {
    const ModeCase cases[] = {
        {"0", "0.5", "0", kIdTextDisable},   {"1", "0.5", "0", kIdTextDisable},
        {"0", "0.5", "1", kIdTextEnable},    {"0", "1.0", "1", kIdTextEnable},
        {"1", "0.5", "1", kIdTextBlinkFast}, {"1", "1.0", "1", kIdTextBlinkSlow},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(std::string(c.blinkState) + " " + c.blinkPeriod + " " + c.textState);
        Answer("OUTP4:OVER:BLINk:STAT?", c.blinkState);
        Answer("OUTP4:OVER:BLINk:PER?", c.blinkPeriod);
        Answer("OUTP4:TEXT:STAT?", c.textState);
        ASSERT_EQ(m_doc->ReadAll(), 1);
        EXPECT_EQ(m_doc->IdText(kPirvoBarsOutput).mode, c.mode);
        EXPECT_EQ(m_doc->IdText(kPirvoBarsOutput).blinkPeriod, c.blinkPeriod);
    }
    TakeLines();
}

struct ReadCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> answers;
    int result;
    std::string lastLine;  // the last line the read sent
    const char* box;       // the box shown, if any
    platform::UINT icon;
    std::function<void(const CPirvoDoc&)> check;
};

const std::vector<ReadCase>& ReadCases() {
    static const std::vector<ReadCase> cases = {
        {"NothingSelected",
         {{"MMEM:SIGN:ACT?", "\"\""}},
         0,
         "MMEM:SIGN:ACT? 1",
         "Signal is not selected.\n\nCan not continue.",
         MB_ICONEXCLAMATION,
         {}},
        // The display name is never what the module lists.
        {"SignalByDisplayName",
         {{"MMEM:SIGN:ACT?", "\"/NTSC/Bars/Split-75.cmp\""}},
         0,
         "MMEM:SIGN:ACT? 1",
         "Could not read signal name.\n\nCan not continue.",
         MB_ICONSTOP,
         {}},
        // A frame picture is a file the catalogue never lists.
        {"PictureLoaded",
         {{"MMEM:SIGN:ACT?", "\"/NTSC/Bars/Full.pic\""}},
         0,
         "MMEM:SIGN:ACT? 1",
         "Could not read signal name.\n\nCan not continue.",
         MB_ICONSTOP,
         {}},
        {"UnpairedQuoteInRoot",
         {{Cat(""), "0,0,\"NTSC/,DIR,0"}},
         0,
         Cat(""),
         "Could not read 'signal directory' correctry!\n\nCan not continue.",
         MB_ICONSTOP,
         {}},
        // Items naming nothing in the folder listed are neither read nor counted: every
        // index refers to the good items alone.
        {"ItemsNamingNothing",
         {{Cat(""),
           testsupport::CatalogueReply(testsupport::AmongItemsNamingNothing({"NTSC/", "PAL/"}))},
          {Cat("/NTSC"),
           testsupport::CatalogueReply(testsupport::AmongItemsNamingNothing({"Bars/", "Ramp/"}))},
          {Cat("/NTSC/Bars"), testsupport::CatalogueReply(testsupport::AmongItemsNamingNothing(
                                  {"Full.cmp", "Split`h75.cmp"}))}},
         1,
         TimingQuery(4),
         nullptr,
         0,
         [](const CPirvoDoc& doc) {
             Lines names;
             for (const SignalSet& format : doc.m_catalog) {
                 names.push_back(format.name);
                 for (const CatalogFolder& set : format.sets) {
                     names.push_back(" " + set.name);
                     for (const CatalogFile& file : set.files)
                         names.push_back("  " + file.fileName);
                 }
             }
             EXPECT_EQ(names,
                       (Lines{"NTSC", " Bars", "  Full.cmp", "  Split`h75.cmp", " Ramp",
                              "  Ramp.cmp", "PAL", " Bars", "  Full.cmp", "  Split`h75.cmp"}));
             EXPECT_EQ(
                 (std::array<int, 3>{doc.m_active.format, doc.m_active.set, doc.m_active.signal}),
                 (std::array<int, 3>{0, 0, 1}));
         }},
        {"AplModeUnknown", {{"OUTP3:APL:MOD?", "apl_low"}}, 0, "OUTP3:APL:MOD?", nullptr, 0, {}},
        {"AplPeriodUnknown", {{"OUTP3:APL:PER?", "1.50"}}, 0, "OUTP3:APL:PER?", nullptr, 0, {}},
        {"BlinkStateUnknown",
         {{"OUTP4:OVER:BLINk:STAT?", "2"}},
         0,
         "OUTP4:OVER:BLINk:STAT?",
         nullptr,
         0,
         {}},
        {"BlinkPeriodUnknown",
         {{"OUTP3:OVER:BLINk:PER?", "1"}},
         0,
         "OUTP3:OVER:BLINk:PER?",
         nullptr,
         0,
         {}},
        {"TextStateUnknown", {{"OUTP3:TEXT:STAT?", "ON"}}, 0, "OUTP3:TEXT:STAT?", nullptr, 0, {}},
        {"TextUnquoted", {{"OUTP4:TEXT:DATA?", "BARS 4"}}, 0, "OUTP4:TEXT:DATA?", nullptr, 0, {}},
        // A text longer than any buffer the window once had is kept whole.
        {"TextLong",
         {{"OUTP4:TEXT:DATA?", "\"" + std::string(300, 'T') + "\" trailing"}},
         1,
         TimingQuery(4),
         nullptr,
         0,
         [](const CPirvoDoc& doc) {
             EXPECT_EQ(doc.IdText(kPirvoBarsOutput).text, std::string(300, 'T'));
         }},
        // Positions and lines are cut toward zero, whatever the module writes after the point.
        {"Fractions",
         {{"OUTP3:TEXT:POS:HOR?", "10.9"}, {"SENS2:CORR:MDEL:VERT?", "-2.9"}},
         1,
         TimingQuery(4),
         nullptr,
         0,
         [](const CPirvoDoc& doc) {
             EXPECT_EQ(doc.IdText(kPirvoSignalOutput).x, 10);
             EXPECT_EQ(doc.m_lines[1], -2);
         }},
        {"SignalWordUnknown", {{"OUTP2:SIGN?", "bb"}}, 0, "OUTP2:SIGN?", nullptr, 0, {}},
        // An output on a standard the window cannot choose names its signal instead, and
        // its signal is not asked.
        {"OtherStandard",
         {{"OUTP4:STAN?", "CB75PER"}},
         1,
         TimingQuery(4),
         nullptr,
         0,
         [](const CPirvoDoc& doc) {
             EXPECT_EQ(doc.m_format[kPirvoBarsOutput], kPirvoOtherFormat);
             EXPECT_EQ(doc.m_signal[kPirvoBarsOutput], 29);
         }},
        {"OtherStandardUnknown", {{"OUTP1:STAN?", "SECAM"}}, 0, "OUTP1:STAN?", nullptr, 0, {}},
    };
    return cases;
}

// Every answer the read cannot take ends it at once; the read stops on the line that got it.
TEST_F(PirvoDocTest, ReadRefusesWhatItCannotTakeAndSaysWhyWhereItMust) {
    for (const ReadCase& c : ReadCases()) {
        SCOPED_TRACE(c.name);
        m_sim->ClearReplyOverrides();
        for (const auto& [query, answer] : c.answers) Answer(query, answer);
        if (c.box != nullptr)
            m_boxes.Expect(c.box, c.icon, IDOK);
        RecordedPirvoDoc doc;
        doc.SetLink(&m_breakable);
        doc.SetProgressSink(&m_progress);
        doc.m_slot = 1;
        EXPECT_EQ(doc.ReadAll(), c.result);
        const Lines lines = TakeLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), c.lastLine);
        EXPECT_EQ(m_boxes.Pending(), 0u);
        if (c.check)
            c.check(doc);
        EXPECT_TRUE(m_progress.TakeRuns().back().ended);
    }
}

// ---- the catalogue ------------------------------------------------------------------------

// Folders and sets with nothing in them are listed and kept empty; only the two hidden set
// names are left out, by exact spelling; the display name resolves the drive's escapes.
TEST_F(PirvoDocTest, CatalogueKeepsEmptyLevelsSkipsHiddenSetsAndResolvesNames) {
    const quarnsim::VideoFileTree tree{
        {{"NTSC",
          {{"APL", {"Apl.cmp"}},
           {"BARS", {"Bars.cmp"}},
           {"bars", {"Low-Bars.cmp", "Note.txt", "Pic.PIC", "Upper.CMP"}},
           {"Empty", {}}}},
         {"Zone Plates", {}}},
        {},
        {}};
    ASSERT_EQ(quarnsim::SeedVideoFiles(Instrument().Files(), "Pirvo", tree), 1);
    Answer("MMEM:SIGN:ACT?", "\"/NTSC/bars/Low`hBars.cmp\"");
    ASSERT_EQ(m_doc->ReadAll(), 1);
    const Lines lines = TakeLines();
    // The hidden sets are never listed.
    for (const char* hidden : {"/NTSC/APL", "/NTSC/BARS"})
        EXPECT_EQ(std::count(lines.begin(), lines.end(), Cat(hidden)), 0) << hidden;

    const PirvoCatalog& catalog = m_doc->m_catalog;
    ASSERT_EQ(catalog.size(), 3u);
    EXPECT_EQ(catalog[0].name, "NTSC");
    std::vector<std::string> sets;
    for (const CatalogFolder& set : catalog[0].sets) sets.push_back(set.name);
    EXPECT_EQ(sets, (Lines{"Bars", "Empty", "Ramp", "bars"}));
    const CatalogFolder& lower = catalog[0].sets[3];
    ASSERT_EQ(lower.files.size(), 2u);
    EXPECT_EQ(lower.files[0].fileName, "Low`hBars.cmp");
    EXPECT_EQ(lower.files[0].displayName, "Low-Bars");
    EXPECT_EQ(lower.files[1].displayName, "Upper");
    EXPECT_TRUE(catalog[0].sets[1].files.empty());
    // Folder names stay as listed: they go back in the load.
    EXPECT_EQ(catalog[2].name, "Zone Plates");
    EXPECT_TRUE(catalog[2].sets.empty());
    EXPECT_EQ(m_doc->m_active.set, 3);
    EXPECT_EQ(m_doc->m_active.path, "NTSC/bars/Low-Bars");
}

// The Pirvo lists sixteen format folders; the others are never asked for.
TEST_F(PirvoDocTest, CatalogueStopsAtSixteenFormatFolders) {
    quarnsim::VideoFileTree tree;
    for (int i = 0; i < 18; ++i)
        tree.formats.push_back({"F" + std::string(i < 10 ? "0" : "") + std::to_string(i), {}});
    ASSERT_EQ(quarnsim::SeedVideoFiles(Instrument().Files(), "Pirvo", tree), 1);
    Answer("MMEM:SIGN:ACT?", "\"/NTSC/Ramp/Ramp.cmp\"");
    // NTSC sorts after the first sixteen, so the active signal is not found among them.
    m_boxes.Expect("Could not read signal name.\n\nCan not continue.", MB_ICONSTOP, IDOK);
    EXPECT_EQ(m_doc->ReadAll(), 0);
    const Lines lines = TakeLines();
    EXPECT_EQ(m_doc->m_catalog.size(), 16u);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Cat("/F15")), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Cat("/F16")), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Cat("/NTSC")), 0);
}

// ---- live timing --------------------------------------------------------------------------

struct TimingCase {
    const char* name;
    int output;
    std::string reply;  // what the module answers
    int result;
    PirvoTiming timing;  // what the record holds afterwards
    bool asked;
};

TEST_F(PirvoDocTest, QueryTimingTakesBothFieldsOrNothing) {
    const TimingCase cases[] = {
        {"Signal output", 2, "-7.9;12.5", 1, {-7, 12.5e-6}, true},
        {"Bars output", 3, "8;-0.0185", 1, {8, -0.0185e-6}, true},
        // Without the second field the lines are not taken for the delay.
        {"No delay field", 0, "8", 0, {99, 9.0}, true},
        {"Output below", -1, "8;1", 0, {99, 9.0}, false},
        {"Output above", 4, "8;1", 0, {99, 9.0}, false},
    };
    Open();
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.asked)
            m_sim->ReplaceNextReply(c.reply + "\n");
        const std::array<int, 4> linesBefore = m_doc->m_lines.Values();
        const std::array<double, 4> delaysBefore = m_doc->m_delay.Values();
        PirvoTiming timing{99, 9.0};
        EXPECT_EQ(m_doc->QueryTiming(c.output, timing), c.result);
        EXPECT_EQ(timing.lines, c.timing.lines);
        EXPECT_DOUBLE_EQ(timing.delay, c.timing.delay);
        if (c.result == 1) {
            const auto i = static_cast<size_t>(c.output);
            EXPECT_EQ(m_doc->m_lines[i], c.timing.lines);
            EXPECT_DOUBLE_EQ(m_doc->m_delay[i], c.timing.delay);
            EXPECT_FALSE(m_doc->m_lines[i].Changed() || m_doc->m_delay[i].Changed());
        } else {
            EXPECT_EQ(m_doc->m_lines.Values(), linesBefore);
            EXPECT_EQ(m_doc->m_delay.Values(), delaysBefore);
        }
        EXPECT_EQ(TakeLines(), (c.asked ? Lines{kSelect, TimingQuery(c.output + 1)} : Lines{}));
    }
}

// ---- the operator's changes -------------------------------------------------------------

struct SetterCase {
    const char* name;
    std::function<void(CPirvoDoc&)> change;
    bool modified;
    std::function<void(const CPirvoDoc&)> check;
};

// Whatever a page hands over is checked against the output, the range and the catalogue
// before it is taken.
TEST_F(PirvoDocTest, SettersTakeOnlyWhatTheirOutputAndRangeAllow) {
    const std::vector<SetterCase> cases = {
        {"Format of the signal output", [](CPirvoDoc& d) { d.SetFormat(2, 1); }, false, {}},
        {"Format beyond the list", [](CPirvoDoc& d) { d.SetFormat(0, 3); }, false, {}},
        {"Bars format", [](CPirvoDoc& d) { d.SetFormat(3, 1); }, true,
         [](const CPirvoDoc& d) { EXPECT_EQ(d.m_format[3], 1); }},
        {"Signal of the signal output", [](CPirvoDoc& d) { d.SetSignal(2, 4); }, false, {}},
        // A code the word table lacks would go out as a plain black burst.
        {"Signal code without a word", [](CPirvoDoc& d) { d.SetSignal(1, 10); }, false, {}},
        {"Delay not a number", [](CPirvoDoc& d) { d.SetDelay(0, std::nan("")); }, false, {}},
        {"Folder below", [](CPirvoDoc& d) { d.SetFormatFolder(-1); }, false, {}},
        {"Folder past the catalogue", [](CPirvoDoc& d) { d.SetFormatFolder(2); }, false, {}},
        {"Folder", [](CPirvoDoc& d) { d.SetFormatFolder(1); }, true,
         [](const CPirvoDoc& d) {
             EXPECT_EQ(d.m_format[2], 1);
             EXPECT_EQ(d.m_active.formatName, "PAL");
         }},
        {"Empty file name", [](CPirvoDoc& d) { d.SetSignalFile(""); }, false, {}},
        {"APL mode not a keyword", [](CPirvoDoc& d) { d.SetAplMode("High APL"); }, false, {}},
        {"ID text of a black output", [](CPirvoDoc& d) { d.SetIdText(1, "X"); }, false, {}},
        {"ID text loses quotes and line ends", [](CPirvoDoc& d) { d.SetIdText(3, "A\"B\r\nC;D?"); },
         true, [](const CPirvoDoc& d) { EXPECT_EQ(d.m_idText[3].Value(), "ABC;D?"); }},
        {"Mode beyond the list", [](CPirvoDoc& d) { d.SetIdMode(2, 4); }, false, {}},
        {"X above 100", [](CPirvoDoc& d) { d.SetIdX(2, 150); }, true,
         [](const CPirvoDoc& d) { EXPECT_EQ(d.m_idX[2], 100); }},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        c.change(*m_doc);
        EXPECT_EQ(m_doc->IsModified(), c.modified);
        if (c.check)
            c.check(*m_doc);
    }
}

// ---- applying -----------------------------------------------------------------------------

struct ApplyCase {
    const char* name;
    std::function<void(CPirvoDoc&)> change;
    Lines lines;  // between INST:SEL and the closing queries
    std::array<int, 4> formatSent;
};

const Lines kSaves{"OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"};

const std::vector<ApplyCase>& ApplyCases() {
    static const std::vector<ApplyCase> cases = {
        // The two ID texts are saved on every Apply, changed or not.
        {"Nothing changed", [](CPirvoDoc&) {}, kSaves, {0, 0, 0, 0}},
        // A new format takes the output's signal along and brings a new ID text.
        {"Black 1 format",
         [](CPirvoDoc& d) { d.SetFormat(0, kPirvoNtsc); },
         Join({{"OUTP1:STAN NTSC", "OUTP1:SIGN BB_NO_FREF"}, IdTextRereads(), kSaves}),
         {1, 0, 0, 0}},
        {"Black 2 signal",
         [](CPirvoDoc& d) { d.SetSignal(1, 8); },
         Join({{"OUTP2:SIGN PAL_PULSE"}, IdTextRereads(), kSaves}),
         {0, 0, 0, 0}},
        // A new set and signal make one load, from the file name as listed.
        {"Set and signal",
         [](CPirvoDoc& d) {
             d.SetSignalSet("Ramp");
             d.SetSignalFile("Ramp.cmp");
         },
         Join({{"MMEM:LOAD:SIGN 1,\"/NTSC/Ramp/Ramp.cmp\"", "OUTP3:TEXT:SAV"},
               IdTextRereads(),
               {"OUTP4:TEXT:SAV"}}),
         {0, 0, 1, 0}},
        {"Folder, set and signal",
         [](CPirvoDoc& d) {
             d.SetSignalSet("Bars");
             d.SetSignalFile("Full.cmp");
             d.SetFormatFolder(1);
         },
         Join({{"MMEM:LOAD:SIGN 1,\"/PAL/Bars/Full.cmp\"", "OUTP3:TEXT:SAV"},
               IdTextRereads(),
               {"OUTP4:TEXT:SAV"}}),
         {0, 0, 1, 0}},
        // A folder alone still loads the file the module listed, not the name shown.
        {"Folder alone",
         [](CPirvoDoc& d) { d.SetFormatFolder(1); },
         Join({{"MMEM:LOAD:SIGN 1,\"/PAL/Bars/Split`h75.cmp\"", "OUTP3:TEXT:SAV"},
               IdTextRereads(),
               {"OUTP4:TEXT:SAV"}}),
         {0, 0, 1, 0}},
        // A set or file the catalogue does not list under the folder loads nothing.
        {"Signal not in the catalogue",
         [](CPirvoDoc& d) {
             d.SetSignalSet("Ramp");
             d.SetSignalFile("Full.cmp");
         },
         kSaves,
         {0, 0, 0, 0}},
        {"Timing of outputs 2 and 4",
         [](CPirvoDoc& d) {
             d.SetLines(1, -3);
             d.SetDelay(1, 1.23456789e-6);
             d.SetDelay(3, -0.0185e-6);
         },
         {"SENS2:CORR:MDEL:VERT -3.0", "SENS2:CORR:MDEL:HOR 1.23456789", "OUTP3:TEXT:SAV",
          "SENS4:CORR:MDEL:HOR -0.01850000", "OUTP4:TEXT:SAV"},
         {0, 0, 0, 0}},
        {"APL",
         [](CPirvoDoc& d) {
             d.SetAplPeriod("2.0");
             d.SetAplMode("BOUNCE");
         },
         {"OUTP3:APL:MOD BOUNCE", "OUTP3:APL:PER 2.0", "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"},
         {0, 0, 0, 0}},
        {"ID text of the signal output",
         [](CPirvoDoc& d) {
             d.SetIdY(2, 70);
             d.SetIdX(2, 60);
             d.SetIdText(2, "A;B?");
         },
         {"OUTP3:TEXT:DATA \"A;B?\"", "OUTP3:TEXT:POS:HOR 60", "OUTP3:TEXT:POS:vert 70",
          "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"},
         {0, 0, 0, 0}},
        // Each ID-text mode is the text state, then the blink period and state it needs.
        {"Signal ID text disabled",
         [](CPirvoDoc& d) { d.SetIdMode(2, kIdTextDisable); },
         {"OUTP3:TEXT:STAT 0", "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"},
         {0, 0, 0, 0}},
        {"Signal ID text blinking slowly",
         [](CPirvoDoc& d) { d.SetIdMode(2, kIdTextBlinkSlow); },
         {"OUTP3:TEXT:STAT 1", "OUTP3:OVER:BLIN:PER 1.0", "OUTP3:OVER:BLIN:STAT 1",
          "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"},
         {0, 0, 0, 0}},
        {"Bars format, signal and mode",
         [](CPirvoDoc& d) {
             d.SetFormat(3, kPirvoPal);
             d.SetSignal(3, 31);
             d.SetIdMode(3, kIdTextEnable);
         },
         Join({{"OUTP3:TEXT:SAV", "OUTP4:STAN PAL", "OUTP4:SIGN FF40PER", "OUTP4:TEXT:STAT 1",
                "OUTP4:OVER:BLIN:STAT 0", "OUTP4:TEXT:SAV"},
               IdTextRereads()}),
         {0, 0, 0, 1}},
    };
    return cases;
}

TEST_F(PirvoDocTest, ApplySendsWhatChangedInOutputOrder) {
    for (const ApplyCase& c : ApplyCases()) {
        SCOPED_TRACE(c.name);
        Open();
        c.change(*m_doc);
        m_doc->posted.clear();
        ASSERT_EQ(m_doc->Apply(), 1);
        EXPECT_EQ(TakeLines(), ApplyLines(c.lines));
        for (int output = 0; output < kPirvoOutputCount; ++output) {
            EXPECT_EQ(m_doc->TakeFormatSent(output), c.formatSent[static_cast<size_t>(output)])
                << output;
            EXPECT_EQ(m_doc->TakeFormatSent(output), 0) << output;
        }
        EXPECT_EQ(m_doc->posted, std::vector<platform::UINT>{WM_MODULE_APPLIED});
        EXPECT_FALSE(m_doc->IsModified());
        const std::vector<ProgressRecord> runs = m_progress.TakeRuns();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0], (ProgressRecord{"Sending...", 34, 34, true}));
        // Sent once: a second Apply has only the saves again.
        ASSERT_EQ(m_doc->Apply(), 1);
        EXPECT_EQ(TakeLines(), ApplyLines(kSaves));
        m_progress.TakeRuns();
    }
}

// A format sent on BLACK 1 reads the ID texts again before outputs 3 and 4 are sent: the
// fields the operator changed keep the operator's value and go out, the others take what the
// module now shows.
TEST_F(PirvoDocTest, RereadAfterAFormatKeepsTheIdTextsTheOperatorChanged) {
    Open();
    m_doc->SetFormat(0, kPirvoNtsc);
    m_doc->SetIdText(3, "MINE");
    m_doc->SetIdX(3, 55);
    m_doc->SetIdMode(3, kIdTextBlinkFast);
    // What the module shows once the format has changed.
    Seed("OUTP3:TEXT:DATA", "NEW 3");
    Seed("OUTP4:TEXT:DATA", "NEW 4");
    Seed("OUTP4:TEXT:POS:HOR", "5");
    Seed("OUTP4:TEXT:POS:VERT", "6");
    Seed("OUTP4:TEXT:STAT", "1");
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(),
              ApplyLines(Join({{"OUTP1:STAN NTSC", "OUTP1:SIGN BB_NO_FREF"},
                               IdTextRereads(),
                               {"OUTP3:TEXT:SAV", "OUTP4:TEXT:STAT 1", "OUTP4:OVER:BLIN:PER 0.5",
                                "OUTP4:OVER:BLIN:STAT 1", "OUTP4:TEXT:DATA \"MINE\"",
                                "OUTP4:TEXT:POS:HOR 55", "OUTP4:TEXT:SAV"}})));
    const PirvoIdText bars = m_doc->IdText(kPirvoBarsOutput);
    EXPECT_EQ(bars.text, "MINE");
    EXPECT_EQ(bars.x, 55);
    EXPECT_EQ(bars.y, 6);
    EXPECT_EQ(bars.mode, kIdTextBlinkFast);
    EXPECT_EQ(m_doc->IdText(kPirvoSignalOutput).text, "NEW 3");
}

// An error after Apply is shown, and the next entry of the module's queue is read off.
TEST_F(PirvoDocTest, AnErrorAfterApplyIsShownAndTheQueueAskedOnceMore) {
    Open();
    m_sim->PushError(-222, "Data out of range");
    m_boxes.Expect("Command send error!\n-222,\"Data out of range\"", MB_ICONSTOP, IDOK);
    m_doc->SetLines(0, 9);
    ASSERT_EQ(m_doc->Apply(), 1);
    EXPECT_EQ(TakeLines(),
              Join({ApplyLines({"SENS1:CORR:MDEL:VERT 9.0", "OUTP3:TEXT:SAV", "OUTP4:TEXT:SAV"}),
                    {"SYST:ERR?"}}));
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_FALSE(m_doc->IsModified());
}

struct BreakCase {
    const char* name;
    std::string breakBefore;
    Lines sent;   // before the break
    Lines again;  // the next Apply, once reconnected
    std::function<void(CPirvoDoc&)> change = [](CPirvoDoc& d) {
        d.SetLines(0, 9);
        d.SetLines(1, 5);
        d.SetIdText(2, "NEXT");
    };
};

// A send that fails ends the Apply; what was sent is settled, what was not goes out with the
// next Apply.
TEST_F(PirvoDocTest, AFailedSendEndsApplyAndTheNextSendsTheRest) {
    const BreakCase cases[] = {
        {"Before output 2's lines",
         "SENS2:CORR:MDEL:VERT 5.0",
         {"SENS1:CORR:MDEL:VERT 9.0"},
         {"SENS2:CORR:MDEL:VERT 5.0", "OUTP3:TEXT:DATA \"NEXT\"", "OUTP3:TEXT:SAV",
          "OUTP4:TEXT:SAV"}},
        {"Before the signal output's save",
         "OUTP3:TEXT:SAV",
         {"SENS1:CORR:MDEL:VERT 9.0", "SENS2:CORR:MDEL:VERT 5.0", "OUTP3:TEXT:DATA \"NEXT\""},
         kSaves},
        // The signal that goes with a sent format stays owed.
        {"Between a format and its signal",
         "OUTP2:SIGN SYNC",
         {"OUTP2:STAN PAL"},
         Join({{"OUTP2:SIGN SYNC"}, IdTextRereads(), kSaves}),
         [](CPirvoDoc& d) { d.SetFormat(1, kPirvoPal); }},
    };
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        c.change(*m_doc);
        m_doc->posted.clear();
        BreakBefore(c.breakBefore);
        EXPECT_EQ(m_doc->Apply(), 0);
        EXPECT_EQ(TakeLines(1 + c.sent.size()), Join({{kSelect}, c.sent}));
        EXPECT_TRUE(m_doc->posted.empty());
        EXPECT_TRUE(m_doc->IsModified());
        EXPECT_TRUE(m_progress.TakeRuns().back().ended);
        Reconnect();
        ASSERT_EQ(m_doc->Apply(), 1);
        EXPECT_EQ(TakeLines(), ApplyLines(c.again));
        m_progress.TakeRuns();
    }
}

// ---- the demo instrument ------------------------------------------------------------------

class PirvoDemoTest : public CorvaneFixture {};

// The Pirvo the demo instrument of ./run holds opens: its signal is found in its catalogue,
// on the PAL folder, and every setting it answers is one the document takes.
TEST_F(PirvoDemoTest, TheDemoPirvoReadsWhole) {
    StartSimulator({{"Pirvo", 2}},
                   [](quarnsim::Options& options) { quarnsim::ApplyDemo(options); });
    CCommandLink link;
    ASSERT_EQ(link.Connect(m_address), 1);
    RecordedPirvoDoc doc;
    RecordingProgress progress;
    doc.SetLink(&link);
    doc.SetProgressSink(&progress);
    doc.m_slot = 2;
    ASSERT_EQ(doc.ReadAll(), 1);
    EXPECT_EQ(doc.m_active.path, "625 PAL/Linearity/Ramp Y");
    EXPECT_EQ(doc.m_active.fileName, "Ramp^Y.cmp");
    EXPECT_EQ(doc.m_format[kPirvoSignalOutput], 1);
    EXPECT_EQ(doc.m_aplMode.Value(), "APL_BOUNCE");
    EXPECT_EQ(doc.IdText(kPirvoSignalOutput).mode, kIdTextBlinkSlow);
    EXPECT_EQ(doc.IdText(kPirvoSignalOutput).text, "RAMP 625");
    EXPECT_EQ(doc.m_signal[kPirvoBlack2], PirvoSignalCode("PAL_PULSE"));
    link.Disconnect();
}

// ---- the signal words ---------------------------------------------------------------------

TEST(PirvoSignalWords, CodesAndWordsBothWaysWithTheirFallbacks) {
    struct Case {
        int code;
        const char* keyword;
    };
    const Case pairs[] = {
        {0, "BB"},        {2, "BB_NO_FREF"}, {9, "SUBCARRIER"}, {5, "H_DRIVE"},    {8, "PAL_PULSE"},
        {27, "BB_10FID"}, {31, "FF40PER"},   {12, "OTHER_ONE"}, {13, "OTHER_TWO"}, {33, "CB75_OR"}};
    for (const Case& c : pairs) {
        EXPECT_EQ(PirvoSignalKeyword(c.code), c.keyword);
        EXPECT_EQ(PirvoSignalCode(c.keyword), c.code);
    }
    for (int unknown : {-1, 10, 11, 14, 26, 34})
        EXPECT_EQ(PirvoSignalKeyword(unknown), "BB") << unknown;
    for (const char* unknown : {"", "bb", "BB ", "CB100", "SUBCARRIER?"})
        EXPECT_EQ(PirvoSignalCode(unknown), -1) << unknown;
}

}  // namespace
}  // namespace corvane::testing
