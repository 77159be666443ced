// The signal page of the four video models, driven as the operator drives it and checked
// through the messages its view receives.
#include <gtest/gtest.h>

#include <QDir>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "corvane/pages/videosignal/VideoSignalPage.h"
#include "platform/MessageBox.h"
#include "resources/corvane/VideoSignalPageForms.h"
#include "tests/corvane/VideoPageHost.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;
using Kind = VideoPageHost::Kind;

constexpr platform::UINT kYesNo = platform::MB_YESNO | platform::MB_ICONEXCLAMATION;
constexpr platform::UINT kOk = platform::MB_OK | platform::MB_ICONEXCLAMATION;

// The numbers as each model's view documents them.
std::vector<VideoPageHost::Message> SignalMessages(VideoModel model) {
    const platform::UINT base[] = {1324, 1424, 1154, 1214};
    const platform::UINT b = base[VideoModelIndex(model)];
    return {{b, "format", Kind::Text},           {b + 1, "set", Kind::Text},
            {b + 2, "signal", Kind::Text},       {b + 3, "lines", Kind::Value},
            {b + 4, "delay", Kind::Micros},      {b + 50, "frame", Kind::Switch},
            {b + 51, "picture-set", Kind::Text}, {b + 52, "picture", Kind::Text},
            {b + 46, "query", Kind::Query}};
}

CatalogFolder Folder(const std::string& name, const std::vector<std::string>& files) {
    CatalogFolder folder{name, {}};
    for (const std::string& file : files)
        folder.files.push_back({file, file.substr(0, file.rfind('.'))});
    return folder;
}

// Two formats of the model: the first is selected, the second has a set without signals
// before one with two.
VideoSignalValues Values(const std::vector<std::string>& formats) {
    VideoSignalValues v;
    for (const std::string& format : formats)
        v.signalTree.push_back(
            {format, {Folder("Empty", {}), Folder("Ramp", {"Ramp^Y.cmp", "Ramp`hC.cmp"})}});
    v.signalTree[0].sets = {Folder("Bars", {"Bars^75.cmp", "Bars^100.cmp"}),
                            Folder("Ramp", {"Ramp^Y.cmp"})};
    v.formatName = formats[0];
    v.signalSetName = "Bars";
    v.signalName = "Bars^100.cmp";
    v.pictures.folders = {Folder("Logo", {"Quarn.pic", "Test.pic"}), Folder("None", {})};
    v.pictureSetName = "Logo";
    v.pictureName = "Test";
    return v;
}

TEST(VideoSignalTables, SormetSendsItsFormatsCodeAndEverySpinFitsSixteenBits) {
    EXPECT_EQ(SignalPageFormatCode(VideoModel::Sormet, "525-143"), 0);
    EXPECT_EQ(SignalPageFormatCode(VideoModel::Sormet, "625-270"), 2);
    EXPECT_EQ(SignalPageFormatCode(VideoModel::Sormet, "PAL"), 1);
    EXPECT_EQ(SignalPageFormatCode(VideoModel::Ulmeth, "720 24p"), 18);
    EXPECT_EQ(UlmethBlackClockFamily(16), kClock7418);
    EXPECT_EQ(UlmethBlackClockFamily(18), kClock7425);
    EXPECT_EQ(UlmethBlackClockFamily(-1), kClock7425);
    for (VideoModel model :
         {VideoModel::Oltra, VideoModel::Yarlo, VideoModel::Sormet, VideoModel::Ulmeth})
        for (const VideoFormat& format : VideoFormats(model)) {
            SCOPED_TRACE(std::string(format.name));
            // The spin counts whole steps of one line period either way.
            const int steps = format.timing.StepCount();
            EXPECT_LE(steps, 32767);
            EXPECT_LE(steps * format.timing.step, format.timing.delayBound);
            EXPECT_GT((steps + 1) * format.timing.step, format.timing.delayBound);
        }
}

TEST(VideoSignalTables, DelaySplitsIntoGridStepsAndTenthsOfANanosecond) {
    struct Case {
        double delay;
        int steps;
        int tenths;
    };
    for (const Case& c :
         {Case{10.01e-6, 541, -85}, Case{-10.01e-6, -541, 85}, Case{10.0185185e-6 + 5e-9, 541, 50},
          Case{9.2e-9, 0, 92}, Case{9.3e-9, 1, -92}, Case{0.0, 0, 0}}) {
        SCOPED_TRACE(c.delay);
        const DelaySplit split = SplitDelay(c.delay, videoformat::kStepSd270);
        EXPECT_NEAR(split.coarse, c.steps * videoformat::kStepSd270, 1e-18);
        EXPECT_NEAR(split.fine, c.tenths * 1e-10, 1e-18);
    }
    EXPECT_EQ(SplitDelay(std::nan(""), videoformat::kStepSd270).coarse, 0.0);
}

TEST(VideoSignalTables, GuardsAskOnlyAcrossClocks) {
    EXPECT_EQ(HdClockQuestion(kClock7418, {kClockNoHd, kClockNoBrumo, kClockNoKintor}), 0);
    EXPECT_EQ(HdClockQuestion(kClock7418, {kClockNoHd, kClock7425, kClock7418}),
              IDS_HD_CLOCK_IS_7425);
    EXPECT_EQ(HdClockQuestion(kClock7425, {kClockNoHd, kClock7425, kClock7418}),
              IDS_HD_CLOCK_IS_7418);
    EXPECT_EQ(HdClockQuestion(kClockNoHd, {kClock7425, kClock7418, kClock7418}), 0);
    EXPECT_EQ(HdClockQuestion(kClock7425, {kClockBoth, kClockUnknown, kClockNoKintor}), 0);
    // Where a module on both clocks counts, either HD family conflicts with it, SD never.
    EXPECT_EQ(HdClockQuestion(kClock7425, {kClockNoUlmeth, kClockBoth}, true),
              IDS_HD_CLOCK_IS_7418);
    EXPECT_EQ(HdClockQuestion(kClock7418, {kClockNoUlmeth, kClockBoth}, true),
              IDS_HD_CLOCK_IS_7425);
    EXPECT_EQ(HdClockQuestion(kClockNoHd, {kClockNoUlmeth, kClockBoth}, true), 0);
    EXPECT_EQ(SormetBlackFormatQuestion(2, "525-270"), "");
    EXPECT_EQ(SormetBlackFormatQuestion(0, "525-143"), "");
    EXPECT_EQ(SormetBlackFormatQuestion(7, "525-143"),
              "Current Black format is .\n\nAre you sure want to change format?");
}

class VideoSignalPageTest : public VideoPageFixture<CVideoSignalPage, VideoSignalValues> {
protected:
    // The host answers the format message by sending it back, as the view does once it has
    // stored the format.
    void Open(VideoModel model, const VideoSignalValues& values) {
        OpenPage(model, values, SignalMessages(model), SignalMessages(model)[0].number);
    }
};

struct FormatCase {
    VideoModel model;
    std::vector<std::string> formats;
    int lines;
    double delay;
    Log log;  // of choosing the second format
};

TEST_F(VideoSignalPageTest, FormatChangeSendsSetSignalFormatThenTheCorrections) {
    const std::vector<FormatCase> cases{
        {VideoModel::Oltra,
         {"PAL", "NTSC"},
         1000,
         0.0,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 1 NTSC", "lines 525"}},
        {VideoModel::Yarlo,
         {"1080 50i GBR", "720 60p YPbPr"},
         500,
         30e-6,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 24 720 60p YPbPr", "lines 375",
          "delay 22.222222"}},
        {VideoModel::Sormet,
         {"625-270", "525-143"},
         -1000,
         0.0,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 0 525-143", "lines -525"}},
        {VideoModel::Ulmeth,
         {"1080 50i", "720 25p"},
         500,
         -30e-6,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 17 720 25p", "lines 375"}},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(VideoModelName(c.model));
        VideoSignalValues values = Values(c.formats);
        values.lines = c.lines;
        values.delay = c.delay;
        Open(c.model, values);
        // Opening corrects nothing the first format allows, and shows the document's choice.
        EXPECT_EQ(TakeLog(), Log{});
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_FORMAT), 0);
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SET), 0);
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SIGNAL), 1);
        EXPECT_EQ(m_page->GetLBText(IDC_SIGNAL_SIGNAL, 1), "Bars^100");

        ASSERT_TRUE(m_page->ChooseComboItem(IDC_SIGNAL_FORMAT, 1));
        EXPECT_EQ(TakeLog(), c.log);
        EXPECT_EQ(m_page->GetCount(IDC_SIGNAL_SET), 2);
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SET), 1);
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SIGNAL), 0);
        EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_LINES), std::to_string(m_page->Lines()));
    }
}

struct GuardCase {
    const char* what;
    VideoModel model;
    std::vector<std::string> formats;
    std::function<void(VideoSignalValues&)> setUp;
    std::string question;  // empty: none
    int answer;
    Log log;
};

TEST_F(VideoSignalPageTest, FormatChangeAsksWhenAnotherOutputRunsOnTheOtherClock) {
    const std::string to7425 = "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?";
    const std::string to7418 = "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?";
    const Log ulmeth5994{"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 1 1080 59.94i"};
    const std::vector<GuardCase> cases{
        {"Brumo on 74.25, same family",
         VideoModel::Ulmeth,
         {"1080 59.94i", "1080 60i"},
         [](VideoSignalValues& v) { v.brumoFamily = kClock7425; },
         "",
         0,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 0 1080 60i"}},
        {"Brumo on 74.25, refused",
         VideoModel::Ulmeth,
         {"1080 60i", "1080 59.94i"},
         [](VideoSignalValues& v) { v.brumoFamily = kClock7425; },
         to7425,
         platform::IDNO,
         {}},
        {"Brumo on 74.18",
         VideoModel::Ulmeth,
         {"1080 60i", "1080 59.94i"},
         [](VideoSignalValues& v) { v.brumoFamily = kClock7418; },
         "",
         0,
         ulmeth5994},
        {"Kintor on 74.18, accepted",
         VideoModel::Ulmeth,
         {"1080 59.94i", "1080 60i"},
         [](VideoSignalValues& v) { v.kintorFamily = kClock7418; },
         to7418,
         platform::IDYES,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 0 1080 60i"}},
        {"black output on 720 29.97p",
         VideoModel::Ulmeth,
         {"1080 59.94i", "1080 60i"},
         [](VideoSignalValues& v) {
             v.otherOutput = 1;
             v.otherOutputFormat = 16;
         },
         to7418,
         platform::IDNO,
         {}},
        {"black output off",
         VideoModel::Ulmeth,
         {"1080 60i", "1080 59.94i"},
         [](VideoSignalValues& v) { v.otherOutputFormat = 2; },
         "",
         0,
         ulmeth5994},
        {"output 2 on 74.18",
         VideoModel::Yarlo,
         {"1080 59i GBR", "1080 60i YPbPr"},
         [](VideoSignalValues& v) {
             v.otherOutput = 1;
             v.otherOutputFamily = kClock7418;
         },
         to7418,
         platform::IDNO,
         {}},
        {"output 2 on 74.25",
         VideoModel::Oltra,
         {"PVW", "1080 60i"},
         [](VideoSignalValues& v) {
             v.otherOutput = 1;
             v.otherOutputFamily = kClock7425;
         },
         "",
         0,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 2 1080 60i"}},
        {"black on 525-270, to 625-270",
         VideoModel::Sormet,
         {"525-270", "625-270"},
         [](VideoSignalValues& v) {
             v.otherOutput = 1;
             v.otherOutputFormat = 1;
         },
         "",
         0,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 2 625-270"}},
        {"black on 525-270, to 525-143",
         VideoModel::Sormet,
         {"525-270", "525-143"},
         [](VideoSignalValues& v) {
             v.otherOutput = 1;
             v.otherOutputFormat = 1;
         },
         "Current Black format is 525-270.\n\nAre you sure want to change format?",
         platform::IDNO,
         {}},
        {"black on 525-143, to 625-270",
         VideoModel::Sormet,
         {"525-143", "625-270"},
         [](VideoSignalValues& v) { v.otherOutput = 1; },
         "Current Black format is 525-143.\n\nAre you sure want to change format?",
         platform::IDYES,
         {"set 1 Ramp", "signal 0 Ramp^Y.cmp", "format 2 625-270"}},
    };
    for (const GuardCase& c : cases) {
        SCOPED_TRACE(c.what);
        VideoSignalValues values = Values(c.formats);
        c.setUp(values);
        Open(c.model, values);
        if (!c.question.empty())
            m_boxes.Expect(c.question, kYesNo, c.answer);
        ASSERT_TRUE(m_page->ChooseComboItem(IDC_SIGNAL_FORMAT, 1));
        EXPECT_EQ(m_boxes.Pending(), 0u);
        EXPECT_EQ(TakeLog(), c.log);
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_FORMAT), c.log.empty() ? 0 : 1);
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SET), c.log.empty() ? 0 : 1);
    }
}

TEST_F(VideoSignalPageTest, LevelsWithNothingToLoadCannotBeChosen) {
    VideoSignalValues values = Values({"NTSC", "PAL", "525 GBR"});
    values.signalTree[1].sets = {Folder("Empty", {}), Folder("APL", {"Apl.cmp"})};
    values.signalTree[2].sets.clear();
    values.signalTree[0].sets.push_back(Folder("Empty", {}));
    Open(VideoModel::Oltra, values);
    EXPECT_EQ(TakeLog(), Log{});

    // A format whose only signals are in an "APL" set, and one with no set at all.
    m_page->ChooseComboItem(IDC_SIGNAL_FORMAT, 1);
    m_page->ChooseComboItem(IDC_SIGNAL_FORMAT, 2);
    EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_FORMAT), 0);
    // A set without signals, a picture folder without pictures.
    m_page->ChooseComboItem(IDC_SIGNAL_SET, 2);
    EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SET), 0);
    m_page->ClickButton(IDC_SIGNAL_FRAME_PICTURE);
    m_page->ChooseComboItem(IDC_SIGNAL_PICTURE_SET, 1);
    EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_PICTURE_SET), 0);
    EXPECT_EQ(TakeLog(), (Log{"picture 1 Test.pic", "frame 1"}));

    // Back from the frame picture to a document whose signal is not in the catalogue: the
    // box stays on.
    VideoSignalValues lost = Values({"NTSC"});
    lost.signalSetName = "Gone";
    lost.framePicture = 1;
    Open(VideoModel::Oltra, lost);
    EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_SET), -1);
    EXPECT_EQ(m_page->GetCount(IDC_SIGNAL_SIGNAL), 0);
    m_page->ClickButton(IDC_SIGNAL_FRAME_PICTURE);
    EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_SIGNAL_FRAME_PICTURE), 1);
    EXPECT_EQ(TakeLog(), Log{});

    // No pictures at all: the box cannot be used.
    VideoSignalValues none = Values({"NTSC"});
    none.pictures.folders.clear();
    Open(VideoModel::Oltra, none);
    EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_SIGNAL_FRAME_PICTURE));
    EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_SIGNAL_PICTURE_SET));
    EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_SIGNAL_FORMAT));
    EXPECT_FALSE(m_page->ClickButton(IDC_SIGNAL_FRAME_PICTURE));
}

TEST_F(VideoSignalPageTest, SignalsAndPicturesSendTheNamesAsListed) {
    for (VideoModel model :
         {VideoModel::Oltra, VideoModel::Yarlo, VideoModel::Sormet, VideoModel::Ulmeth}) {
        SCOPED_TRACE(VideoModelName(model));
        Open(model, Values({"Any"}));
        EXPECT_EQ(m_page->GetCurSel(IDC_SIGNAL_PICTURE), 1);
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_SIGNAL_PICTURE));
        m_page->ChooseComboItem(IDC_SIGNAL_SIGNAL, 0);
        m_page->ChooseComboItem(IDC_SIGNAL_SET, 1);
        m_page->ClickButton(IDC_SIGNAL_FRAME_PICTURE);
        EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_SIGNAL_PICTURE));
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_SIGNAL_SIGNAL));
        m_page->ChooseComboItem(IDC_SIGNAL_PICTURE, 0);
        m_page->ClickButton(IDC_SIGNAL_FRAME_PICTURE);
        EXPECT_EQ(TakeLog(), (Log{"signal 0 Bars^75.cmp", "set 1 Ramp", "signal 0 Ramp^Y.cmp",
                                  "picture 1 Test.pic", "frame 1", "picture 0 Quarn.pic",
                                  "signal 0 Ramp^Y.cmp", "frame 0"}));
    }
}

struct TimingCase {
    VideoModel model;
    const char* format;
    int boundSteps;  // of the horizontal spin
    int lines;       // the vertical limit
    const char* delayRefusal;
};

TEST_F(VideoSignalPageTest, TimingFieldsRefuseOutsideTheFormatsLimits) {
    const std::vector<TimingCase> cases{
        {VideoModel::Oltra, "NTSC", 3432, 525,
         "Horizontal coarse must be within\n-63.5556 to  63.5556 [usec]."},
        {VideoModel::Oltra, "PVW", 2200, 562,
         "Horizontal coarse must be within\n-29.6296 to  29.6296 [usec]."},
        {VideoModel::Yarlo, "720 23p GBR", 4125, 375,
         "Horizontal coarse must be within\n-55.5001 to  55.5001 [usec]."},
        {VideoModel::Sormet, "525-143", 910, 525,
         "Horizontal delay must be within\n-63.5556 to  63.5556 [usec]."},
        {VideoModel::Ulmeth, "720 29.97p", 3300, 375,
         "Horizontal delay must be within\n-44.4000 to  44.4000 [usec]."},
    };
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.format);
        Open(c.model, Values({c.format}));
        const VideoSignalTable& table = VideoSignalTableOf(c.model);
        int lower = 0, upper = 0;
        m_page->GetRange32(table.delaySpin, lower, upper);
        EXPECT_EQ(upper, c.boundSteps);
        EXPECT_EQ(lower, -c.boundSteps);

        const std::string lines = "Vertical lines must be within\n-" + std::to_string(c.lines) +
                                  " to " + std::to_string(c.lines) + ".";
        m_page->TypeText(IDC_SIGNAL_LINES, std::to_string(c.lines));
        m_boxes.Expect(lines, kOk, platform::IDOK);
        m_page->TypeText(IDC_SIGNAL_LINES, std::to_string(c.lines + 1));
        EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_LINES), std::to_string(c.lines));
        m_boxes.Expect(c.delayRefusal, kOk, platform::IDOK);
        m_page->TypeText(table.delayEdit, "99");
        m_page->TypeText(table.delayEdit, "nan");  // read as 0
        for (const char* huge : {"1e300", "-1e300"}) {
            m_boxes.Expect(c.delayRefusal, kOk, platform::IDOK);
            m_page->TypeText(table.delayEdit, huge);
        }
        EXPECT_EQ(m_boxes.Pending(), 0u);
        EXPECT_EQ(m_page->GetDlgItemText(table.delayEdit), "  0.0000");
        EXPECT_EQ(TakeLog(), (Log{"lines " + std::to_string(c.lines), "delay 0.000000"}));
    }
}

TEST_F(VideoSignalPageTest, EveryKeystrokeOfTheLinesIsCheckedAndSent) {
    Open(VideoModel::Ulmeth, Values({"720 60p"}));
    m_page->FocusControl(IDC_SIGNAL_LINES);
    for (const char* typed : {"-", "-3", "-37", "-376"}) {
        if (std::string(typed) == "-376")
            m_boxes.Expect("Vertical lines must be within\n-375 to 375.", kOk, platform::IDOK);
        m_page->TypeText(IDC_SIGNAL_LINES, typed);
    }
    // The refusal puts back the last accepted text, and the spin moves from there.
    EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_LINES), "-37");
    ASSERT_TRUE(m_page->SpinBy(IDC_SIGNAL_LINES_SPIN, 2));
    m_page->TypeText(IDC_SIGNAL_LINES, " 12abc");
    m_page->FocusControl(IDC_SIGNAL_DELAY);
    EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_LINES), "12");
    EXPECT_EQ(TakeLog(),
              (Log{"lines 0", "lines -3", "lines -37", "lines -36", "lines -35", "lines 12"}));
}

TEST_F(VideoSignalPageTest, CoarseSnapsToTheGridAndFineIsCut) {
    Open(VideoModel::Oltra, Values({"NTSC"}));
    m_page->FocusControl(IDC_OLTRA_COARSE);
    m_page->TypeText(IDC_OLTRA_COARSE, "10.01");
    EXPECT_EQ(m_page->GetDlgItemText(IDC_OLTRA_COARSE), "10.01");
    EXPECT_EQ(m_page->GetPos(IDC_OLTRA_COARSE_SPIN), 541);
    m_page->FocusControl(IDC_OLTRA_FINE);
    EXPECT_EQ(m_page->GetDlgItemText(IDC_OLTRA_COARSE), " 10.0185");
    m_page->TypeText(IDC_OLTRA_FINE, "10.05");
    m_boxes.Expect("Horizontal fine must be within\n-10.00 to  10.00 [nsec].", kOk, platform::IDOK);
    m_page->TypeText(IDC_OLTRA_FINE, "10.2");
    EXPECT_EQ(m_page->GetDlgItemText(IDC_OLTRA_FINE), " 10.00");
    EXPECT_EQ(m_page->GetPos(IDC_OLTRA_FINE_SPIN), 100);
    ASSERT_TRUE(m_page->SpinBy(IDC_OLTRA_FINE_SPIN, -3));
    ASSERT_TRUE(m_page->SpinBy(IDC_OLTRA_COARSE_SPIN, 1));
    EXPECT_EQ(m_page->GetDlgItemText(IDC_OLTRA_COARSE), " 10.0370");
    // Leaving a field rewrites it and sends nothing.
    m_page->FocusControl(IDC_SIGNAL_LINES);
    EXPECT_EQ(TakeLog(), (Log{"delay 10.018519", "delay 10.028519", "delay 10.028419",
                              "delay 10.028319", "delay 10.028219", "delay 10.046737"}));
    EXPECT_NEAR(m_page->Delay(), 542 * videoformat::kStepSd270 + 9.7e-9, 1e-15);
}

TEST_F(VideoSignalPageTest, SerialDelaySpinsOnItsGridAndReloadsTheLiveTiming) {
    Open(VideoModel::Sormet, Values({"525-270"}));
    ASSERT_TRUE(m_page->SpinBy(IDC_SIGNAL_DELAY_SPIN, 2));
    EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_DELAY), "  0.0370");
    m_page->TypeText(IDC_SIGNAL_DELAY, "10.01");
    EXPECT_EQ(m_page->GetPos(IDC_SIGNAL_DELAY_SPIN), 541);

    // A reload the view cannot answer changes nothing; one with the values shown sends
    // nothing; one beyond the limits sends the corrections.
    const platform::UINT reload = 1202;
    m_page->SendMessage(reload, 0, 0);
    m_host->AnswerQuery(12, m_page->Delay());
    m_page->SendMessage(reload, 0, 0);
    EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_LINES), "12");
    m_host->AnswerQuery(2000, -1.0);
    m_page->SendMessage(reload, 0, 0);
    EXPECT_EQ(TakeLog(), (Log{"delay 0.018519", "delay 0.037037", "delay 10.018519", "query",
                              "query", "query", "lines 525", "delay -63.555564"}));
    EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_LINES), "525");
    EXPECT_EQ(m_page->GetDlgItemText(IDC_SIGNAL_DELAY), "-63.5556");
}

TEST_F(VideoSignalPageTest, ScreenshotsOfEachModel) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    const std::vector<std::pair<VideoModel, std::vector<std::string>>> models{
        {VideoModel::Oltra, {"NTSC", "PAL"}},
        {VideoModel::Yarlo, {"1080 59i GBR", "720 60p YPbPr"}},
        {VideoModel::Sormet, {"525-270", "625-270"}},
        {VideoModel::Ulmeth, {"1080 59.94i", "720 25p"}}};
    for (const auto& [model, formats] : models) {
        VideoSignalValues values = Values(formats);
        values.lines = 12;
        values.delay = 1.5e-6;
        Open(model, values);
        EXPECT_TRUE(m_page->GetWidget()->grab().save(QString(QUARN_SCREENSHOT_DIR) +
                                                     "/video_signal_page_" + VideoModelName(model) +
                                                     ".png"));
    }
}

}  // namespace
}  // namespace corvane::testing
