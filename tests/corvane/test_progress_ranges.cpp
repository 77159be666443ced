// Every model's read and Apply against the simulated instrument, seen only through the progress
// bar: whatever the module answered and whatever the operator changed, a run that succeeds
// ends with the bar exactly at the range it was given.
// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/CommandLink.h"
#include "corvane/modules/brumo/BrumoDoc.h"
#include "corvane/modules/kintor/KintorDoc.h"
#include "corvane/modules/oltra/OltraDoc.h"
#include "corvane/modules/pirvo/PirvoDoc.h"
#include "corvane/modules/sormet/SormetDoc.h"
#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/ulmeth/UlmethDoc.h"
#include "corvane/modules/yarlo/YarloDoc.h"
#include "tests/corvane/ModuleDocFixture.h"
#include "tests/corvane/PirvoSeed.h"
// clang-format on

namespace corvane::testing {
namespace {

constexpr int kSlot = 1;

// The module as a test arranges it before the read: its drive, its settings, its answers.
struct Module {
    quarnsim::Simulator& sim;
    CCommandLink& link;
    const std::string model;

    void Seed(const std::string& header, const std::string& value) {
        ASSERT_EQ(sim.GetInstrument().SetModuleSetting(kSlot, header, value), 1) << header;
    }
    void Answer(const std::string& query, const std::string& answer) {
        sim.SetReplyOverride(query, answer);
    }
    void Files(const quarnsim::VideoFileTree& tree) {
        ASSERT_EQ(quarnsim::SeedVideoFiles(sim.GetInstrument().Files(), model, tree), 1);
    }
    // Puts the module on a signal or frame picture, as an operator at the instrument would.
    void Load(const std::string& path) {
        std::string reply;
        ASSERT_EQ(link.SendCommand("INST:SEL \"" + model + ":" + std::to_string(kSlot) + "\""), 1);
        ASSERT_EQ(link.SendCommand("MMEM:LOAD:SIGN " + std::to_string(kSlot) + ",\"" + path + "\""),
                  1);
        ASSERT_EQ(link.Query("SYST:ERR?", reply), 1);
        ASSERT_EQ(reply.substr(0, 2), "0,") << path;
    }
};

// Marks parameters changed with the value they hold, as an operator who touched every control.
template <typename T>
void Touch(Flagged<T>& parameter) {
    parameter.Set(parameter.Value());
}
template <typename T, size_t N>
void Touch(FlaggedArray<T, N>& parameters) {
    for (Flagged<T>& parameter : parameters) Touch(parameter);
}
template <typename... P>
void TouchAll(P&... parameters) {
    (Touch(parameters), ...);
}

void TouchAudio(SerialAudio& audio) {
    TouchAll(audio.groupState, audio.preEmphasis, audio.sampling, audio.bits, audio.amplitude,
             audio.frequencyHertz, audio.click);
}

struct RangeCase {
    std::string name;
    std::function<void(Module&, CModuleDoc&)> arrange;  // before the read
    std::function<void(CModuleDoc&)> change;            // between the read and the Apply
};

struct ModelRow {
    const char* model;
    std::function<std::unique_ptr<CModuleDoc>()> make;
    std::vector<RangeCase> cases;
};

void PrintTo(const ModelRow& row, std::ostream* out) {
    *out << row.model;
}

template <typename Doc>
Doc& As(CModuleDoc& doc) {
    return static_cast<Doc&>(doc);
}

template <typename Doc>
std::unique_ptr<CModuleDoc> MakeSerial() {
    auto doc = std::make_unique<Doc>();
    doc->SetPostSink([](platform::UINT, platform::WPARAM) {});
    doc->SetFirmwareVersion(3.1);
    return doc;
}

void TouchSerial(CModuleDoc& base) {
    auto& doc = As<CSerialVideoDoc>(base);
    TouchAll(doc.m_signalMode, doc.m_signalSet, doc.m_signal, doc.m_lines, doc.m_delay,
             doc.m_movingHorizontalStep, doc.m_movingVerticalStep, doc.m_movingPeriod,
             doc.m_movingRandom, doc.m_blinkMode, doc.m_logoState, doc.m_logoHorizontal,
             doc.m_logoVertical, doc.m_textState, doc.m_text, doc.m_textHorizontal,
             doc.m_textVertical, doc.m_circleState, doc.m_circleHorizontal, doc.m_circleVertical,
             doc.m_circleDiameter, doc.m_videoY, doc.m_videoPb, doc.m_videoPr, doc.m_videoBits,
             doc.m_videoEdh, doc.m_avTiming, doc.m_blackFormat, doc.m_blackSignal, doc.m_blackLines,
             doc.m_blackDelay, doc.m_blackEdh, doc.m_blackBits);
    TouchAudio(doc.m_audio);
    TouchAudio(doc.m_blackAudio);
    // The logo is off as read, with no name to send.
    doc.SetLogoName(doc.m_logos.front());
}

// The serial models' cases: with and without the black option, on old and new firmware, on a
// test signal and on a frame picture.
std::vector<RangeCase> SerialCases(const std::string& signal, const quarnsim::VideoFileTree& tree) {
    const auto files = [tree, signal](Module& m) {
        m.Files(tree);
        m.Load(signal);
    };
    return {
        {"black option, nothing changed",
         [files](Module& m, CModuleDoc&) {
             files(m);
             m.Answer("OUTP:CONF?", "1");
         },
         {}},
        {"no black option, firmware 3.0, a few changed",
         [files](Module& m, CModuleDoc& doc) {
             files(m);
             m.Answer("OUTP:CONF?", "0");
             As<CSerialVideoDoc>(doc).SetFirmwareVersion(3.0);
         },
         [](CModuleDoc& base) {
             auto& doc = As<CSerialVideoDoc>(base);
             doc.SetLines(3);
             doc.SetText("ID");
             doc.SetAudioAmplitude(1, 5, -20);
         }},
        {"frame picture, black option, everything changed",
         [files](Module& m, CModuleDoc&) {
             files(m);
             m.Load("/PICTURE/Cards/Circle.pic");
             m.Answer("OUTP:CONF?", "1");
         },
         TouchSerial},
    };
}

void TouchAnalog(CModuleDoc& base) {
    auto& doc = As<CAnalogVideoDoc>(base);
    // A pick of the signal page names its file; the first signal of the first set.
    doc.SetSignal(0, doc.m_signals.front().sets.front().files.front().fileName);
    TouchAll(doc.m_formatIndex, doc.m_signalSetIndex, doc.m_timingLines, doc.m_timingDelay,
             doc.m_movingHorizontal, doc.m_movingVertical, doc.m_movingPeriod, doc.m_movingRandom,
             doc.m_logoState, doc.m_logoHorizontal, doc.m_logoVertical, doc.m_textState,
             doc.m_textHorizontal, doc.m_textVertical, doc.m_text, doc.m_circleState,
             doc.m_circleHorizontal, doc.m_circleVertical, doc.m_circleDiameter, doc.m_blinkCode,
             doc.m_channelY, doc.m_channelPb, doc.m_channelPr, doc.m_syncState);
    doc.SetLogoSelection(doc.m_logoNames.front());
    // The APL is never read: it goes out once picked.
    if (auto* oltra = dynamic_cast<COltraDoc*>(&doc)) {
        Touch(oltra->m_videoConfiguration);
        oltra->SetAplMode("APL_HIGH");
        oltra->SetAplPeriod("1.5");
    }
}

// The analog models' cases: overlay off, blinking with a logo on, a frame picture.
std::vector<RangeCase> AnalogCases() {
    const quarnsim::VideoFileTree tree{
        {{"NTSC", {{"Bars", {"Full.cmp", "Split.cmp"}}}}, {"PAL", {{"Ramp", {"Ramp.cmp"}}}}},
        {{"Cards", {"Grey.pic"}}},
        {"STATION.lgo"}};
    const auto files = [tree](Module& m) {
        m.Files(tree);
        m.Load("/NTSC/Bars/Split.cmp");
    };
    return {
        {"test signal, overlay off, nothing changed",
         [files](Module& m, CModuleDoc&) { files(m); },
         {}},
        {"blinking with a logo, a few changed",
         [files](Module& m, CModuleDoc&) {
             files(m);
             m.Seed("OUTP1:OVER:BLIN:STAT", "1");
             m.Seed("OUTP1:LOGO:SEL", "STATION.lgo");
             m.Seed("OUTP1:LOGO:STAT", "1");
         },
         [](CModuleDoc& base) {
             auto& doc = As<CAnalogVideoDoc>(base);
             doc.SetTimingLines(2);
             doc.SetTextData("ID");
             doc.SetChannelPb(0);
         }},
        {"frame picture, everything changed",
         [files](Module& m, CModuleDoc&) {
             files(m);
             m.Load("/PICTURE/Cards/Grey.pic");
         },
         TouchAnalog},
    };
}

const std::vector<ModelRow>& Rows() {
    static const std::vector<ModelRow> rows = {
        {"Tavix",
         [] { return std::make_unique<CTavixDoc>(); },
         {{"nothing changed", {}, {}},
          {"free running, a few changed",
           [](Module& m, CModuleDoc&) { m.Seed("OUTP:AUD:SYNC", "FREE"); },
           [](CModuleDoc& base) {
               auto& doc = As<CTavixDoc>(base);
               doc.SetAmplitude(0, -20);
               doc.SetFrequency(3, 1000);
           }},
          {"everything changed",
           {},
           [](CModuleDoc& base) {
               auto& doc = As<CTavixDoc>(base);
               TouchAll(doc.m_amplitude, doc.m_click, doc.m_bits, doc.m_syncMode, doc.m_audioDelay);
               // The frequency is held as read by its place in the list; a pick is in hertz.
               for (int channel = 0; channel < CTavixDoc::kChannels; ++channel)
                   doc.SetFrequency(channel, 1000);
           }}}},
        {"Kintor",
         [] {
             auto doc = std::make_unique<CKintorDoc>();
             doc->SetPostSink([](platform::UINT, platform::WPARAM) {});
             return doc;
         },
         {{"SD outputs, nothing changed", {}, {}},
          {"an HD output, a few changed",
           [](Module& m, CModuleDoc&) { m.Seed("OUTP4:STAN", "HD1080_59I"); },
           [](CModuleDoc& base) { As<CKintorDoc>(base).SetVerticalLines(0, 5); }},
          {"everything changed", [](Module& m, CModuleDoc&) { m.Seed("OUTP3:CONF", "1"); },
           [](CModuleDoc& base) {
               auto& doc = As<CKintorDoc>(base);
               TouchAll(doc.m_format, doc.m_signal, doc.m_verticalLines, doc.m_horizontalDelay);
           }}}},
        {"Brumo",
         [] {
             auto doc = std::make_unique<CBrumoDoc>();
             doc->SetOtherHdModules(false, false);
             return doc;
         },
         {{"internal reference, a few changed",
           {},
           [](CModuleDoc& base) { As<CBrumoDoc>(base).SetOutputLines(0, 3); }},
          {"CW reference, nothing changed",
           [](Module& m, CModuleDoc&) {
               m.Seed("INP:SOUR", "EXT");
               m.Seed("INP:SEL", "CW");
           },
           {}},
          {"HD sync reference, everything changed",
           [](Module& m, CModuleDoc&) {
               m.Seed("INP:SOUR", "EXT");
               m.Seed("INP:SEL", "REF");
               m.Seed("INP:REF:STAN", "HDSY");
               m.Seed("INP:REF:HDSY", "HD720_59P");
           },
           [](CModuleDoc& base) {
               auto& doc = As<CBrumoDoc>(base);
               TouchAll(doc.m_source, doc.m_lockLossAction, doc.m_cwFrame, doc.m_genlockLines,
                        doc.m_genlockDelay, doc.m_outputFormat, doc.m_outputSignal,
                        doc.m_outputLines, doc.m_outputDelay);
           }}}},
        {"Pirvo", [] { return std::make_unique<CPirvoDoc>(); },
         [] {
             const auto seed = [](Module& m, CModuleDoc&) {
                 m.Files(pirvo::PirvoTree());
                 for (const auto& [header, value] : pirvo::PirvoSettings()) m.Seed(header, value);
             };
             return std::vector<RangeCase>{{"nothing changed", seed, {}},
                                           {"outputs named by their signal, a few changed",
                                            [seed](Module& m, CModuleDoc& doc) {
                                                seed(m, doc);
                                                m.Answer("OUTP1:STAN?", "BB_NO_FREF");
                                                m.Answer("OUTP4:STAN?", "CB75PER");
                                            },
                                            [](CModuleDoc& base) {
                                                auto& doc = As<CPirvoDoc>(base);
                                                doc.SetLines(1, 3);
                                                doc.SetIdText(3, "ID");
                                            }},
                                           {"everything changed", seed, [](CModuleDoc& base) {
                                                auto& doc = As<CPirvoDoc>(base);
                                                TouchAll(doc.m_aplMode, doc.m_aplPeriod,
                                                         doc.m_format, doc.m_signal, doc.m_lines,
                                                         doc.m_delay, doc.m_idMode, doc.m_idText,
                                                         doc.m_idX, doc.m_idY);
                                            }}};
         }()},
        {"Sormet", [] { return MakeSerial<CSormetDoc>(); },
         SerialCases("/525-270/Bars/Bars75.cmp", {{{"525-270", {{"Bars", {"Bars75.cmp"}}}},
                                                   {"625-270", {{"Lin", {"Step.cmp"}}}}},
                                                  {{"Cards", {"Circle.pic"}}},
                                                  {"Logo1.lgo"}})},
        {"Ulmeth", [] { return MakeSerial<CUlmethDoc>(); },
         SerialCases("/1080 59.94i/Bars/Bars75.cmp", {{{"720 25p", {{"Bars", {"Bars75.cmp"}}}},
                                                       {"1080 59.94i", {{"Bars", {"Bars75.cmp"}}}}},
                                                      {{"Cards", {"Circle.pic"}}},
                                                      {"Logo1.lgo"}})},
        {"Oltra", [] { return std::make_unique<COltraDoc>(); }, AnalogCases()},
        {"Yarlo", [] { return std::make_unique<CYarloDoc>(); }, AnalogCases()},
    };
    return rows;
}

class ProgressRange : public CorvaneFixture, public ::testing::WithParamInterface<ModelRow> {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartSimulator({{GetParam().model, kSlot}});
        ASSERT_EQ(m_link.Connect(m_address), 1);
    }
    void TearDown() override {
        m_link.Disconnect();
        CorvaneFixture::TearDown();
    }
    // The one run a read or an Apply made, which must have ended full.
    void ExpectOneFullRun(const std::string& text) {
        const std::vector<ProgressRecord> runs = m_progress.TakeRuns();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].text, text);
        EXPECT_GT(runs[0].steps, 0);
        EXPECT_EQ(runs[0].position, runs[0].steps);
        EXPECT_TRUE(runs[0].ended);
    }

    CCommandLink m_link;
    RecordingProgress m_progress;
};

TEST_P(ProgressRange, ReadAndApplyEndExactlyFull) {
    const ModelRow& row = GetParam();
    const std::string reading = std::string("Reading ") + row.model + " [1] ...";
    for (const RangeCase& c : row.cases) {
        SCOPED_TRACE(c.name);
        Module module{*m_sim, m_link, row.model};
        std::unique_ptr<CModuleDoc> doc = row.make();
        doc->SetLink(&m_link);
        doc->SetProgressSink(&m_progress);
        doc->m_slot = kSlot;
        if (c.arrange)
            c.arrange(module, *doc);
        ASSERT_EQ(doc->ReadAll(), 1);
        ExpectOneFullRun(reading);
        if (c.change)
            c.change(*doc);
        ASSERT_EQ(doc->Apply(), 1);
        ExpectOneFullRun("Sending...");
        m_sim->ClearReplyOverrides();
    }
}

INSTANTIATE_TEST_SUITE_P(Corvane, ProgressRange, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<ModelRow>& info) {
                             return std::string(info.param.model);
                         });

}  // namespace
}  // namespace corvane::testing
