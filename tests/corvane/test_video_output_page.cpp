// The video output page of the four video models: what each button and list sends, what the
// page shows of the document's values, and the enabling that follows the output standard and
// the firmware.
#include <gtest/gtest.h>

#include <QDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "corvane/pages/videooutput/VideoOutputPage.h"
#include "resources/corvane/VideoOutputPageForms.h"
#include "tests/corvane/VideoPageHost.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;
using Kind = VideoPageHost::Kind;

// The numbers as each model's view documents them.
std::vector<VideoPageHost::Message> OutputMessages(VideoModel model) {
    switch (model) {
        case VideoModel::Oltra:
            return {{1352, "ch1", Kind::Value},       {1353, "ch2", Kind::Value},
                    {1354, "ch3", Kind::Value},       {1384, "sync", Kind::Value},
                    {1385, "composite", Kind::Value}, {1382, "apl-mode", Kind::Text},
                    {1383, "apl-period", Kind::Text}};
        case VideoModel::Yarlo:
            return {{1452, "ch1", Kind::Value},
                    {1453, "ch2", Kind::Value},
                    {1454, "ch3", Kind::Value},
                    {1484, "sync", Kind::Value}};
        case VideoModel::Sormet:
            return {{1182, "ch1", Kind::Value}, {1183, "ch2", Kind::Value},
                    {1184, "ch3", Kind::Value}, {1185, "bits", Kind::Value},
                    {1186, "edh", Kind::Value}, {1209, "av", Kind::Value}};
        case VideoModel::Ulmeth:
            return {{1242, "ch1", Kind::Value},
                    {1243, "ch2", Kind::Value},
                    {1244, "ch3", Kind::Value},
                    {1270, "av", Kind::Value}};
    }
    return {};
}

class VideoOutputPageTest : public VideoPageFixture<CVideoOutputPage, VideoOutputValues> {
protected:
    void Open(VideoModel model, const VideoOutputValues& values) {
        OpenPage(model, values, OutputMessages(model));
    }
};

struct ClickCase {
    VideoModel model;
    std::function<void(VideoOutputValues&)> setUp;
    std::vector<int> checked;   // buttons shown chosen after opening
    std::vector<int> disabled;  // buttons the operator cannot click
    std::vector<int> clicks;
    Log log;
};

TEST_F(VideoOutputPageTest, EachClickSendsItsValueAgainAndAgain) {
    const std::vector<ClickCase> cases{
        {VideoModel::Oltra,
         [](VideoOutputValues& v) {
             v.channel1 = 0;
             v.outputCode = 32769;
         },
         {IDC_CHANNEL1_OFF, IDC_CHANNEL2_ON, IDC_SYNC_ALL, IDC_CONFIG_COMPOSITE},
         {IDC_CONFIG_YC, IDC_CONFIG_COMPOSITE},
         {IDC_CHANNEL1_OFF, IDC_CHANNEL1_OFF, IDC_CHANNEL2_ON, IDC_SYNC_GREEN},
         {"ch1 0", "ch1 0", "ch2 1", "sync 0"}},
        {VideoModel::Yarlo,
         [](VideoOutputValues& v) {
             v.channel3 = 7;
             v.sync = 0;
             v.outputCode = 32768;
         },
         {IDC_CHANNEL3_OFF, IDC_SYNC_GREEN},
         {},
         {IDC_CHANNEL3_ON, IDC_SYNC_ALL, IDC_CHANNEL2_OFF},
         {"ch3 1", "sync 1", "ch2 0"}},
        {VideoModel::Sormet,
         [](VideoOutputValues& v) {
             v.bits = 9;
             v.firmwareVersion = 3.1;
         },
         {IDC_BITS10, IDC_EDH_ON, IDC_AV_TIMING_ON},
         {},
         {IDC_BITS8, IDC_BITS10, IDC_EDH_OFF, IDC_AV_TIMING_OFF, IDC_CHANNEL1_OFF},
         {"bits 8", "bits 10", "edh 0", "av 0", "ch1 0"}},
        {VideoModel::Ulmeth,
         [](VideoOutputValues& v) {
             v.avTiming = 0;
             v.firmwareVersion = 3.0;
         },
         {IDC_AV_TIMING_OFF, IDC_CHANNEL2_ON},
         {IDC_AV_TIMING_ON, IDC_AV_TIMING_OFF},
         {IDC_CHANNEL2_OFF, IDC_CHANNEL3_OFF},
         {"ch2 0", "ch3 0"}},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(VideoModelName(c.model));
        VideoOutputValues values;
        c.setUp(values);
        Open(c.model, values);
        EXPECT_EQ(TakeLog(), Log{});
        for (int id : c.checked) EXPECT_EQ(m_page->IsDlgButtonChecked(id), 1) << id;
        for (int id : c.disabled) EXPECT_FALSE(m_page->ClickButton(id)) << id;
        for (int id : c.clicks) EXPECT_TRUE(m_page->ClickButton(id)) << id;
        EXPECT_EQ(TakeLog(), c.log);
    }
}

TEST_F(VideoOutputPageTest, AvTimingNeedsFirmwareThreePointOne) {
    for (VideoModel model : {VideoModel::Sormet, VideoModel::Ulmeth})
        for (double firmware : {3.0, 3.1, 3.2}) {
            SCOPED_TRACE(VideoModelName(model));
            VideoOutputValues values;
            values.firmwareVersion = firmware;
            Open(model, values);
            const bool enabled = firmware >= 3.1;
            for (int id : {IDC_AV_TIMING_LABEL, IDC_AV_TIMING_ON, IDC_AV_TIMING_OFF})
                EXPECT_EQ(m_page->IsDlgItemEnabled(id), enabled) << firmware;
        }
}

TEST_F(VideoOutputPageTest, CompositeShowsAndSendsOneMeaning) {
    struct Case {
        int code;
        bool composite;
        bool sync;
    };
    for (const Case& c :
         {Case{0, true, false}, Case{1, true, false}, Case{10, true, false}, Case{2, false, false},
          Case{32767, false, false}, Case{32768, false, true}}) {
        SCOPED_TRACE(c.code);
        VideoOutputValues values;
        values.outputCode = c.code;
        Open(VideoModel::Oltra, values);
        for (int id : {IDC_CONFIG_YC, IDC_CONFIG_COMPOSITE, IDC_OLTRA_COMPOSITE_GROUP})
            EXPECT_EQ(m_page->IsDlgItemEnabled(id), c.composite) << id;
        for (int id : {IDC_SYNC_ALL, IDC_SYNC_GREEN, IDC_OLTRA_SYNC_GROUP})
            EXPECT_EQ(m_page->IsDlgItemEnabled(id), c.sync) << id;
    }
    for (int composite : {1, 0}) {
        VideoOutputValues values;
        values.composite = composite;
        Open(VideoModel::Oltra, values);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_CONFIG_COMPOSITE), composite);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_CONFIG_YC), 1 - composite);
    }
    m_page->ClickButton(IDC_CONFIG_COMPOSITE);
    m_page->ClickButton(IDC_CONFIG_YC);
    EXPECT_EQ(TakeLog(), (Log{"composite 1", "composite 0"}));
}

TEST_F(VideoOutputPageTest, AplListsHoldTheFilledEntriesAndSendKeywords) {
    VideoOutputValues values;
    values.aplModes = {
        {"Off", "APL_OFF"}, {"High", "APL_HIGH"}, {"Low", "APL_LOW"}, {"", ""}, {"Never", "NEVER"}};
    values.aplPeriods = {{"0.5 s", "0.5"}, {"1.0 s", "1.0"}};
    values.aplMode = "APL_LOW";
    Open(VideoModel::Oltra, values);
    EXPECT_EQ(m_page->GetCount(IDC_APL_MODE), 3);
    EXPECT_EQ(m_page->GetCurSel(IDC_APL_MODE), 2);
    EXPECT_EQ(m_page->GetCurSel(IDC_APL_PERIOD), -1);  // the module's period is not known
    m_page->ChooseComboItem(IDC_APL_MODE, 1);
    m_page->ChooseComboItem(IDC_APL_PERIOD, 1);
    EXPECT_EQ(TakeLog(), (Log{"apl-mode 0 APL_HIGH", "apl-period 0 1.0"}));

    // After an Apply the view hands over the new values and asks for a reload.
    values.aplModes.resize(2);
    values.aplPeriod = "0.5";
    values.outputCode = 40000;
    m_page->Load(values);
    m_page->SendMessage(1386, 0, 0);
    EXPECT_EQ(m_page->GetCount(IDC_APL_MODE), 2);
    EXPECT_EQ(m_page->GetCurSel(IDC_APL_MODE), -1);
    EXPECT_EQ(m_page->GetCurSel(IDC_APL_PERIOD), 0);
    EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_SYNC_ALL));
    EXPECT_EQ(TakeLog(), Log{});

    VideoOutputValues yarlo;
    Open(VideoModel::Yarlo, yarlo);
    EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_YARLO_SYNC_GROUP));
    yarlo.outputCode = 32768;
    m_page->Load(yarlo);
    m_page->SendMessage(1485, 0, 0);
    EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_YARLO_SYNC_GROUP));
    EXPECT_TRUE(m_page->ClickButton(IDC_SYNC_GREEN));
    EXPECT_EQ(TakeLog(), (Log{"sync 0"}));
}

TEST_F(VideoOutputPageTest, ScreenshotsOfEachModel) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    for (VideoModel model :
         {VideoModel::Oltra, VideoModel::Yarlo, VideoModel::Sormet, VideoModel::Ulmeth}) {
        VideoOutputValues values;
        values.firmwareVersion = 3.1;
        values.outputCode = 1;
        values.aplModes = {{"Off", "APL_OFF"}, {"High", "APL_HIGH"}};
        values.aplMode = "APL_OFF";
        Open(model, values);
        EXPECT_TRUE(m_page->GetWidget()->grab().save(QString(QUARN_SCREENSHOT_DIR) +
                                                     "/video_output_page_" + VideoModelName(model) +
                                                     ".png"));
    }
}

}  // namespace
}  // namespace corvane::testing
