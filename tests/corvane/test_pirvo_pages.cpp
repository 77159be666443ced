// The Pirvo's Signal and Bars pages driven as the operator drives them, on a view that logs
// each message as "number output value" (a text by its content): the log is compared with a
// table for every control, and the pages' own writes must never reach it.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "corvane/pages/pirvo/PirvoBarsPage.h"
#include "corvane/pages/pirvo/PirvoBarsSignals.h"
#include "corvane/pages/pirvo/PirvoSignalPage.h"
#include "platform/Numbers.h"
#include "platform/Wnd.h"
#include "tests/corvane/PageHost.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;

// The view as the pages see it: every message of theirs, the texts read through their address.
class PirvoLogView : public platform::CWnd {
public:
    PirvoLogView() {
        AttachWidget(new QWidget);
        for (platform::UINT m = 1291; m <= 1305; ++m) {
            const bool text = (m >= 1292 && m <= 1296) || m == 1302;
            OnMessage(m, [this, m, text](platform::WPARAM w, platform::LPARAM l) {
                const std::string value =
                    text ? "\"" + std::string(reinterpret_cast<const char*>(l)) + "\""
                         : std::to_string(static_cast<long>(l));
                m_log.push_back(platform::Format("%u %d ", m, static_cast<int>(w)) + value);
                return platform::LRESULT{0};
            });
        }
    }
    ~PirvoLogView() override { DestroyWindow(); }
    Log Take() { return std::exchange(m_log, {}); }

private:
    Log m_log;
};

template <class Page>
class PirvoPageTest : public ::testing::Test {
protected:
    // Opens a page of class `Concrete` (the fixture's own page class unless told) on `values`.
    template <class Concrete = Page, class Values>
    Concrete& Open(const Values& values) {
        Close();
        auto page = std::make_unique<Concrete>();
        page->Load(values);
        Concrete& opened = *page;
        m_page = std::move(page);
        EXPECT_TRUE(m_page->Create(&m_view));
        return opened;
    }
    void Close() {
        if (m_page)
            m_page->DestroyWindow();
        m_page.reset();
        m_view.Take();
    }
    void TearDown() override { Close(); }
    std::string Text(int id) const { return m_page->GetDlgItemText(id); }
    std::string Shown(int comboId) const {
        const int index = m_page->GetCurSel(comboId);
        return index < 0 ? "" : m_page->GetLBText(comboId, index);
    }

    testsupport::BoxScript m_boxes;
    PirvoLogView m_view;
    std::unique_ptr<Page> m_page;
};

// --- Rules without a window -----------------------------------------------------------------

TEST(PirvoBarsSignals, NamesCodesAndListsByFormat) {
    struct Row {
        const char* name;
        int code;
        int ntscIndex;  // in the NTSC list, -1 when not there
        int palIndex;
    };
    const Row rows[] = {
        {"Black Burst", 0, 0, 0},
        {"Black Burst with Field REF", 1, 1, -1},
        {"Black Burst No Field REF", 2, -1, 1},
        {"Composite Sync", 3, -1, -1},
        {"Composite Blanking", 4, -1, -1},
        {"H Drive", 5, -1, -1},
        {"V Drive", 6, -1, -1},
        {"Field Reference", 7, -1, -1},
        {"Pal Pulse", 8, -1, -1},
        {"100% Color Bar", 28, 2, 2},
        {"75% Color Bar", 29, 3, 3},
        {"SMPTE Color Bar", 30, 4, -1},
        {"40% Flat Field", 31, 5, 6},
        {"Other 1", 12, 6, 7},
        {"Other 2", 13, 7, 8},
        {"100% Color Bar Over Red", 32, -1, 4},
        {"75% Color Bar Over Red", 33, -1, 5},
        // Not a name of the lists: Black Burst, as a text the page cannot read.
        {"Subcarrier", 0, 0, 0},
        {"black burst", 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BarsSignalCode(row.name), row.code);
        EXPECT_EQ(BarsSignalIndex(0, row.code), row.ntscIndex);
        EXPECT_EQ(BarsSignalIndex(2, row.code), row.ntscIndex);
        EXPECT_EQ(BarsSignalIndex(1, row.code), row.palIndex);
    }
    EXPECT_EQ(BarsSignalList(0).size(), 8u);
    EXPECT_EQ(BarsSignalList(1).size(), 9u);
    for (int format : {-1, 3, 4}) {
        EXPECT_TRUE(BarsSignalList(format).empty());
        EXPECT_EQ(BarsSignalIndex(format, 0), -1);
    }
}

TEST(PirvoIdTextMode, OpeningModeFromTextStateAndBlinking) {
    struct Row {
        int mode, blinkState;
        const char* period;
        int shown;
    };
    const Row rows[] = {
        {1, 1, "0.5", 1}, {1, 0, "1.0", 1}, {0, 0, "0.5", 0}, {0, 1, "0.5", 2}, {0, 1, "1.0", 3},
        {3, 1, "0.5", 2}, {2, 1, "1.0", 3}, {2, 0, "0.5", 0}, {0, 1, "1.5", 0}, {0, 1, "", 0},
    };
    for (const Row& row : rows) {
        PirvoIdTextValues values;
        values.mode = row.mode;
        values.blinkState = row.blinkState;
        values.blinkPeriod = row.period;
        EXPECT_EQ(PirvoIdTextModeShown(values), row.shown)
            << row.mode << " " << row.blinkState << " " << row.period;
    }
}

PirvoIdTextValues IdTextOf(int mode, int blink, const char* period, const std::string& text, int x,
                           int y) {
    return {.mode = mode, .blinkState = blink, .blinkPeriod = period, .text = text, .x = x, .y = y};
}

// --- Bars page ------------------------------------------------------------------------------

PirvoBarsValues Bars(int format, int signal) {
    PirvoBarsValues v;
    v.format = format;
    v.signal = signal;
    v.idText = IdTextOf(0, 0, "0.5", "BARS 4", 10, 20);
    return v;
}

using BarsPageTest = PirvoPageTest<CPirvoBarsPage>;

TEST_F(BarsPageTest, OpeningShowsTheDocumentAndSendsNothing) {
    struct Row {
        int format, signal;
        const char* format_shown;
        const char* signal_shown;
        int listed;
        int pageCode;
    };
    const Row rows[] = {
        {0, 30, "NTSC", "SMPTE Color Bar", 8, 30},
        {1, 2, "PAL", "Black Burst No Field REF", 9, 2},
        {2, 31, "NTSC No Setup", "40% Flat Field", 8, 31},
        // A code the list does not have: its first entry, without a word to the view.
        {1, 30, "PAL", "Black Burst", 9, 0},
        {0, 9, "NTSC", "Black Burst", 8, 0},
        // A format no list belongs to: nothing chosen, nothing listed.
        {3, 4, "", "", 0, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.format * 100 + row.signal);
        Open(Bars(row.format, row.signal));
        EXPECT_EQ(Shown(IDC_PIRVO_BARS_FORMAT), row.format_shown);
        EXPECT_EQ(Shown(IDC_PIRVO_BARS_SIGNAL), row.signal_shown);
        EXPECT_EQ(m_page->GetCount(IDC_PIRVO_BARS_SIGNAL), row.listed);
        EXPECT_EQ(m_page->SignalCode(), row.pageCode);
        EXPECT_EQ(m_view.Take(), Log{});
    }
}

TEST_F(BarsPageTest, FormatAndSignalChoicesSendFormatThenSignal) {
    struct Row {
        const char* what;
        int format, signal;  // opening
        int comboId, choice;
        const char* signalShown;
        Log sent;
    };
    const Row rows[] = {
        {"NTSC to PAL drops SMPTE",
         0,
         30,
         IDC_PIRVO_BARS_FORMAT,
         1,
         "Black Burst",
         {"1300 3 1", "1301 3 0"}},
        {"PAL to NTSC keeps the flat field",
         1,
         31,
         IDC_PIRVO_BARS_FORMAT,
         0,
         "40% Flat Field",
         {"1300 3 0", "1301 3 31"}},
        {"NTSC to NTSC No Setup keeps the field REF",
         0,
         1,
         IDC_PIRVO_BARS_FORMAT,
         2,
         "Black Burst with Field REF",
         {"1300 3 2", "1301 3 1"}},
        {"PAL drops the field REF burst",
         2,
         1,
         IDC_PIRVO_BARS_FORMAT,
         1,
         "Black Burst",
         {"1300 3 1", "1301 3 0"}},
        {"an unknown format gets a list",
         3,
         4,
         IDC_PIRVO_BARS_FORMAT,
         1,
         "Black Burst",
         {"1300 3 1", "1301 3 0"}},
        {"PAL signal", 1, 0, IDC_PIRVO_BARS_SIGNAL, 4, "100% Color Bar Over Red", {"1301 3 32"}},
        {"NTSC signal", 0, 0, IDC_PIRVO_BARS_SIGNAL, 7, "Other 2", {"1301 3 13"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Open(Bars(row.format, row.signal));
        ASSERT_TRUE(m_page->ChooseComboItem(row.comboId, row.choice));
        EXPECT_EQ(Shown(IDC_PIRVO_BARS_SIGNAL), row.signalShown);
        EXPECT_EQ(m_view.Take(), row.sent);
    }
}

// --- Signal page ----------------------------------------------------------------------------

CatalogFolder Set(const std::string& name, std::vector<CatalogFile> files) {
    return {name, std::move(files)};
}

PirvoSignalValues Signals() {
    PirvoSignalValues v;
    v.catalogue = {
        {"NTSC",
         {Set("Bars", {{"CB75.cmp", "CB75"}, {"CB`s100.cmp", "CB/100"}}),
          Set("Ramp", {{"RAMP^1.cmp", "RAMP 1"}})}},
        // Nothing to load under it.
        {"EMPTY", {}},
        // Its first set is empty.
        {"PAL", {Set("Void", {}), Set("Multi", {{"MB`h2.cmp", "MB-2"}, {"MB3.cmp", "MB3"}})}},
    };
    v.formatName = "NTSC";
    v.setName = "Bars";
    v.signalName = "CB/100";
    v.aplMode = "APL_LOW";
    v.aplPeriod = "1.5";
    v.idText = IdTextOf(0, 0, "0.5", "SIGNAL 3", 30, 40);
    return v;
}

using SignalPageTest = PirvoPageTest<CPirvoSignalPage>;

TEST_F(SignalPageTest, OpeningSelectsTheActiveSignalByName) {
    Open(Signals());
    EXPECT_EQ(m_page->GetCount(IDC_PIRVO_SIGNAL_FORMAT), 3);
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_FORMAT), "NTSC");
    EXPECT_EQ(m_page->GetCount(IDC_PIRVO_SIGNAL_SET), 2);
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SET), "Bars");
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SIGNAL), "CB/100");
    EXPECT_EQ(Shown(IDC_PIRVO_APL_MODE), "Low APL");
    EXPECT_EQ(m_page->GetCount(IDC_PIRVO_APL_MODE), 5);
    EXPECT_EQ(Shown(IDC_PIRVO_APL_PERIOD), "1.5 sec");
    EXPECT_EQ(m_page->GetCount(IDC_PIRVO_APL_PERIOD), 4);
    EXPECT_EQ(m_view.Take(), Log{});

    // Names the catalogue does not hold leave their lists without a choice.
    PirvoSignalValues lost = Signals();
    lost.setName = "Gone";
    lost.aplMode = "apl_low";
    Open(lost);
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_FORMAT), "NTSC");
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SET), "");
    EXPECT_EQ(m_page->GetCount(IDC_PIRVO_SIGNAL_SIGNAL), 0);
    EXPECT_EQ(Shown(IDC_PIRVO_APL_MODE), "");
    EXPECT_EQ(m_view.Take(), Log{});
}

TEST_F(SignalPageTest, ListChoicesSendFileNamesInOrder) {
    struct Row {
        const char* what;
        int comboId, choice;
        Log sent;
        const char* format;  // what the lists show afterwards
        const char* set;
        const char* signal;
    };
    const Row rows[] = {
        {"a set sends its name, then its first signal's file name",
         IDC_PIRVO_SIGNAL_SET,
         1,
         {"1293 2 \"Ramp\"", "1292 2 \"RAMP^1.cmp\""},
         "NTSC",
         "Ramp",
         "RAMP 1"},
        {"a signal sends its file name as listed",
         IDC_PIRVO_SIGNAL_SIGNAL,
         0,
         {"1292 2 \"CB75.cmp\""},
         "NTSC",
         "Bars",
         "CB75"},
        {"a folder starts on its first set that holds a signal",
         IDC_PIRVO_SIGNAL_FORMAT,
         2,
         {"1293 2 \"Multi\"", "1292 2 \"MB`h2.cmp\"", "1291 2 2"},
         "PAL",
         "Multi",
         "MB-2"},
        {"a folder without sets sends nothing and stays as it was",
         IDC_PIRVO_SIGNAL_FORMAT,
         1,
         {},
         "NTSC",
         "Bars",
         "CB/100"},
        {"APL mode sends its keyword",
         IDC_PIRVO_APL_MODE,
         3,
         {"1294 2 \"APL_BOUNCE\""},
         "NTSC",
         "Bars",
         "CB/100"},
        {"APL period sends its keyword",
         IDC_PIRVO_APL_PERIOD,
         0,
         {"1295 2 \"0.5\""},
         "NTSC",
         "Bars",
         "CB/100"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Open(Signals());
        ASSERT_TRUE(m_page->ChooseComboItem(row.comboId, row.choice));
        EXPECT_EQ(m_view.Take(), row.sent);
        EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_FORMAT), row.format);
        EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SET), row.set);
        EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SIGNAL), row.signal);
    }
}

TEST_F(SignalPageTest, AnEmptySetSendsNothing) {
    Open(Signals());
    ASSERT_TRUE(m_page->ChooseComboItem(IDC_PIRVO_SIGNAL_FORMAT, 2));
    m_view.Take();
    ASSERT_TRUE(m_page->ChooseComboItem(IDC_PIRVO_SIGNAL_SET, 0));
    EXPECT_EQ(m_view.Take(), Log{});
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SET), "Multi");
    EXPECT_EQ(Shown(IDC_PIRVO_SIGNAL_SIGNAL), "MB-2");
    ASSERT_TRUE(m_page->ChooseComboItem(IDC_PIRVO_SIGNAL_SIGNAL, 1));
    EXPECT_EQ(m_view.Take(), Log{"1292 2 \"MB3.cmp\""});
}

// --- The ID text box both pages share -------------------------------------------------------

// One page's ids and numbers, as its view documents them.
struct Box {
    const char* page;
    int text, x, y, xSpin, ySpin;
    int enable, disable, blinkFast, blinkSlow;
    int output;
    platform::UINT first;  // the ID text message; mode, X and Y follow
};
const Box kBoxes[] = {
    {"signal", 1380, 1381, 1382, 1387, 1388, 1383, 1386, 1384, 1385, 2, 1296},
    {"bars", 1366, 1367, 1368, 1370, 1369, 1374, 1371, 1373, 1372, 3, 1302},
};

std::string Msg(const Box& box, int offset, const std::string& value) {
    return platform::Format("%u %d ", box.first + static_cast<platform::UINT>(offset), box.output) +
           value;
}

// Both pages under one test: each row runs on a fresh page of the kind `box` names.
class IdTextBoxTest : public PirvoPageTest<CPirvoIdTextPage> {
protected:
    platform::CDialog& Open(const Box& box, const PirvoIdTextValues& idText) {
        if (std::string(box.page) == "bars") {
            PirvoBarsValues values = Bars(0, 0);
            values.idText = idText;
            return PirvoPageTest::Open<CPirvoBarsPage>(values);
        }
        PirvoSignalValues values = Signals();
        values.idText = idText;
        return PirvoPageTest::Open<CPirvoSignalPage>(values);
    }
    CPirvoIdTextPage& Page() { return *m_page; }
};

TEST_F(IdTextBoxTest, OpeningShowsModeTextAndClampedPositions) {
    struct Row {
        PirvoIdTextValues values;
        int checked;  // 0..3: the radio in mode order
        const char* x;
        const char* y;
    };
    const Row rows[] = {
        {IdTextOf(0, 0, "0.5", "ONE", 5, 95), 0, "5", "95"},
        {IdTextOf(1, 1, "0.5", "TWO", 150, -5), 1, "100", "0"},
        {IdTextOf(2, 1, "0.5", "THREE", 0, 100), 2, "0", "100"},
        {IdTextOf(0, 1, "1.0", "FOUR", 50, 50), 3, "50", "50"},
        // The module may hold more than the operator can type: shown whole.
        {IdTextOf(0, 0, "0.5", "TWENTY CHARACTERS AB", 1, 2), 0, "1", "2"},
    };
    for (const Box& box : kBoxes)
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(box.page) + " " + row.values.text);
            platform::CDialog& page = Open(box, row.values);
            const int radios[] = {box.enable, box.disable, box.blinkFast, box.blinkSlow};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(page.IsDlgButtonChecked(radios[i]), i == row.checked ? 1 : 0) << i;
            EXPECT_EQ(page.GetDlgItemText(box.text), row.values.text);
            EXPECT_EQ(page.GetDlgItemText(box.x), row.x);
            EXPECT_EQ(page.GetDlgItemText(box.y), row.y);
            for (int id : {box.text, box.x, box.y, box.xSpin, box.ySpin})
                EXPECT_EQ(page.IsDlgItemEnabled(id), row.checked != 1) << id;
            EXPECT_EQ(m_view.Take(), Log{});
        }
}

// Each page's picture, saved under the build tree's screenshots/ to be looked at, shows what
// the page was opened on: its lists' choices and its ID text.
TEST_F(IdTextBoxTest, PicturesShowWhatEachPageWasOpenedOn) {
    struct Row {
        const Box& box;
        PirvoIdTextValues idText;
        int checked;  // 0..3: the radio in mode order
        std::vector<std::pair<int, const char*>> shown;
        const char* picture;
    };
    const Row rows[] = {
        {kBoxes[1],
         IdTextOf(1, 0, "0.5", "BARS 4", 10, 20),
         1,
         {{IDC_PIRVO_BARS_FORMAT, "NTSC"}, {IDC_PIRVO_BARS_SIGNAL, "Black Burst"}},
         "pirvo_bars"},
        {kBoxes[0],
         IdTextOf(0, 1, "0.5", "SIGNAL 3", 30, 40),
         2,
         {{IDC_PIRVO_SIGNAL_FORMAT, "NTSC"},
          {IDC_PIRVO_SIGNAL_SET, "Bars"},
          {IDC_PIRVO_SIGNAL_SIGNAL, "CB/100"},
          {IDC_PIRVO_APL_MODE, "Low APL"},
          {IDC_PIRVO_APL_PERIOD, "1.5 sec"}},
         "pirvo_signal"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.picture);
        platform::CDialog& page = Open(row.box, row.idText);
        for (const auto& [id, text] : row.shown) EXPECT_EQ(Shown(id), text) << id;
        const int radios[] = {row.box.enable, row.box.disable, row.box.blinkFast,
                              row.box.blinkSlow};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(page.IsDlgButtonChecked(radios[i]), i == row.checked ? 1 : 0) << i;
        EXPECT_EQ(page.GetDlgItemText(row.box.text), row.idText.text);
        EXPECT_EQ(page.GetDlgItemText(row.box.x), std::to_string(row.idText.x));
        EXPECT_EQ(page.GetDlgItemText(row.box.y), std::to_string(row.idText.y));
        SavePagePicture(page, row.picture);
    }
}

TEST_F(IdTextBoxTest, ModeClicksSendTheModeAndGreyTheTextOnDisable) {
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.page);
        platform::CDialog& page = Open(box, IdTextOf(1, 0, "0.5", "ID", 10, 20));
        EXPECT_FALSE(page.IsDlgItemEnabled(box.text));
        ASSERT_TRUE(page.ClickButton(box.blinkSlow));
        EXPECT_TRUE(page.IsDlgItemEnabled(box.text));
        EXPECT_TRUE(page.IsDlgItemEnabled(box.ySpin));
        ASSERT_TRUE(page.ClickButton(box.blinkFast));
        ASSERT_TRUE(page.ClickButton(box.disable));
        EXPECT_FALSE(page.IsDlgItemEnabled(box.x));
        EXPECT_FALSE(page.IsDlgItemEnabled(box.xSpin));
        ASSERT_TRUE(page.ClickButton(box.enable));
        EXPECT_EQ(m_view.Take(),
                  (Log{Msg(box, 1, "3"), Msg(box, 1, "2"), Msg(box, 1, "1"), Msg(box, 1, "0")}));
        EXPECT_EQ(Page().Mode(), 0);
    }
}

TEST_F(IdTextBoxTest, TextAndPositionsSendWhatTheFieldsShow) {
    const char* const quotes = "Can not enter \" and ' character";
    struct Row {
        const char* what;
        int Box::*field;
        const char* typed;
        bool leave;  // the focus moves on afterwards
        const char* box;
        const char* showing;
        std::vector<std::pair<int, const char*>> sent;  // offset from the text message, value
    };
    const Row rows[] = {
        {"text", &Box::text, "CAM 2", false, nullptr, "CAM 2", {{0, "\"CAM 2\""}}},
        {"quotes", &Box::text, "A\"B'C", false, quotes, "ABC", {{0, "\"ABC\""}}},
        {"semicolon", &Box::text, "A;B?", false, nullptr, "A;B?", {{0, "\"A;B?\""}}},
        {"empty", &Box::text, "", false, nullptr, "", {{0, "\"\""}}},
        // Typing stops at 18 characters; the module takes single bytes only.
        {"long",
         &Box::text,
         "ABCDEFGHIJKLMNOPQRST",
         false,
         nullptr,
         "ABCDEFGHIJKLMNOPQR",
         {{0, "\"ABCDEFGHIJKLMNOPQR\""}}},
        {"accent", &Box::text, "CAF\xC3\x89 2", false, nullptr, "CAF", {{0, "\"CAF\""}}},
        // Typing sends the committed value again; leaving commits the clamped one.
        {"x over", &Box::x, "150", true, nullptr, "100", {{2, "10"}, {2, "100"}}},
        {"y under", &Box::y, "-5", true, nullptr, "0", {{3, "20"}, {3, "0"}}},
        {"y decimal", &Box::y, "33.9", true, nullptr, "33", {{3, "20"}, {3, "33"}}},
        {"x word", &Box::x, "abc", true, nullptr, "0", {{2, "10"}, {2, "0"}}},
        {"x typed only", &Box::x, "70", false, nullptr, "70", {{2, "10"}}},
    };
    for (const Box& box : kBoxes)
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(box.page) + " " + row.what);
            platform::CDialog& page = Open(box, IdTextOf(0, 0, "0.5", "ID", 10, 20));
            const int id = box.*row.field;
            ASSERT_TRUE(page.FocusControl(id));
            if (row.box != nullptr)
                m_boxes.Expect(row.box, platform::MB_OK | platform::MB_ICONEXCLAMATION,
                               platform::IDOK);
            ASSERT_TRUE(page.TypeText(id, row.typed));
            if (row.leave) {
                ASSERT_TRUE(page.FocusControl(box.text == id ? box.x : box.text));
            }
            EXPECT_EQ(page.GetDlgItemText(id), row.showing);
            Log expected;
            for (const auto& [offset, value] : row.sent)
                expected.push_back(Msg(box, offset, value));
            EXPECT_EQ(m_view.Take(), expected);
            EXPECT_EQ(m_boxes.Pending(), 0u);
        }
}

TEST_F(IdTextBoxTest, SpinsStepThePositionWithinItsRange) {
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.page);
        platform::CDialog& page = Open(box, IdTextOf(0, 0, "0.5", "ID", 99, 1));
        ASSERT_TRUE(page.SpinBy(box.xSpin, 2));
        ASSERT_TRUE(page.SpinBy(box.ySpin, -2));
        ASSERT_TRUE(page.SpinBy(box.ySpin, 1));
        EXPECT_EQ(page.GetDlgItemText(box.x), "100");
        EXPECT_EQ(page.GetDlgItemText(box.y), "1");
        EXPECT_EQ(m_view.Take(), (Log{Msg(box, 2, "100"), Msg(box, 2, "100"), Msg(box, 3, "0"),
                                      Msg(box, 3, "0"), Msg(box, 3, "1")}));
    }
}

// The view commits the positions before Apply, OK, Cancel or a close reads the document.
TEST_F(IdTextBoxTest, APositionTypedAndNotLeftIsCommittedOnce) {
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.page);
        platform::CDialog& page = Open(box, IdTextOf(0, 0, "0.5", "ID", 10, 20));
        ASSERT_TRUE(page.FocusControl(box.x));
        ASSERT_TRUE(page.TypeText(box.x, "120"));
        EXPECT_EQ(m_view.Take(), Log{Msg(box, 2, "10")});
        Page().CommitPositions();
        EXPECT_EQ(page.GetDlgItemText(box.x), "100");
        EXPECT_EQ(m_view.Take(), Log{Msg(box, 2, "100")});
        // Nothing pending: nothing sent.
        Page().CommitPositions();
        EXPECT_EQ(m_view.Take(), Log{});
    }
}

TEST_F(IdTextBoxTest, ReloadShowsTheDocumentAndSendsNothing) {
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.page);
        platform::CDialog& page = Open(box, IdTextOf(0, 0, "0.5", "ID", 10, 20));
        ASSERT_TRUE(page.ClickButton(box.blinkSlow));
        m_view.Take();
        Page().ReloadIdText(IdTextOf(1, 0, "0.5", "AFTER APPLY", 120, 7));
        EXPECT_EQ(page.GetDlgItemText(box.text), "AFTER APPLY");
        EXPECT_EQ(page.GetDlgItemText(box.x), "100");
        EXPECT_EQ(page.GetDlgItemText(box.y), "7");
        // The mode stays as the page shows it.
        EXPECT_EQ(page.IsDlgButtonChecked(box.blinkSlow), 1);
        EXPECT_EQ(m_view.Take(), Log{});
        // The reload is what the next keystroke and the next commit start from.
        Page().CommitPositions();
        ASSERT_TRUE(page.TypeText(box.y, "8"));
        EXPECT_EQ(m_view.Take(), Log{Msg(box, 3, "7")});
    }
}

}  // namespace
}  // namespace corvane::testing
