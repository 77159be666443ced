// The black output pages of the Kintor and the Pirvo, hosted as their views host them and
// driven as the operator drives them: what they send (a log compared with a table), the clock
// questions they ask and what a refusal puts back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "corvane/pages/blackoutput/BlackOutputPage.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "resources/corvane/BlackOutputPageForms.h"
#include "resources/corvane/VideoForms.h"
#include "tests/corvane/PageHost.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;

constexpr int kYesNo = platform::MB_YESNO | platform::MB_ICONEXCLAMATION;
const char* const k7425 = "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?";
const char* const k7418 = "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?";

BlackOutputValues Values(std::array<int, 4> format, std::array<int, 4> signal, int ulmeth = -4,
                         int brumo = -2, int config = 0) {
    BlackOutputValues v;
    v.format = format;
    v.signal = signal;
    v.ulmethClockFamily = ulmeth;
    v.brumoClockFamily = brumo;
    v.output3Config = config;
    return v;
}

std::string Line(platform::UINT message, int output, int value) {
    return platform::Format("%u %d %d", message, output, value);
}
std::string KFormat(int output, int value) {
    return Line(1144, output, value);
}
std::string KSignal(int output, int value) {
    return Line(1145, output, value);
}
std::string PFormat(int output, int value) {
    return Line(1284, output, value);
}
std::string PSignal(int output, int value) {
    return Line(1285, output, value);
}

TEST(BlackOutputTables, ListsFollowFormatOutputAndConfiguration) {
    struct Row {
        const BlackOutputTable& table;
        int output, format, config;
        std::vector<int> codes;
    };
    const BlackOutputTable& k = KintorBlackOutputTable();
    const BlackOutputTable& p = PirvoBlackOutputTable();
    const std::vector<int> hd{14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26};
    const std::vector<Row> rows{
        {k, 0, 0, 1, {0, 1}},  // the configuration enlarges outputs 3 and 4 only
        {k, 1, 2, 1, {0, 1}},
        {k, 2, 0, 0, {0, 1}},
        {k, 2, 2, 1, {0, 1, 27, 28, 29, 30, 31, 12, 13}},
        {k, 3, 1, 0, {0, 2}},
        {k, 3, 1, 1, {0, 2, 28, 29, 32, 33, 31, 12, 13}},
        {k, 1, 3, 0, hd},
        {k, 0, 4, 0, {}},
        {p, 0, 0, 0, {0, 1, 3, 4, 9, 5, 6, 7}},
        {p, 1, 2, 0, {0, 1, 3, 4, 9, 5, 6, 7}},
        {p, 1, 1, 0, {0, 2, 3, 4, 9, 5, 6, 7, 8}},
        {p, 0, 3, 0, {}},  // another standard: no list, nothing to index
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.table.outputs << " outputs, output " << r.output
                                          << " format " << r.format << " config " << r.config);
        std::vector<int> codes;
        for (const BlackSignal& s : r.table.signalList(r.output, r.format, r.config != 0)) {
            codes.push_back(s.code);
            // Every entry reads back as its own code through the model's names.
            EXPECT_EQ(BlackSignalCode(r.table, s.name), s.code) << s.name;
        }
        EXPECT_EQ(codes, r.codes);
    }
    EXPECT_EQ(KintorBlackOutputTable().names.size(), 25u);
    EXPECT_EQ(PirvoBlackOutputTable().names.size(), 18u);
    // Texts another model's list has are not this model's codes.
    EXPECT_EQ(BlackSignalCode(p, "1080 60i"), 0);
    EXPECT_EQ(BlackSignalCode(k, "Pal Pulse"), 0);
    EXPECT_EQ(BlackSignalCode(k, ""), 0);
}

TEST(BlackOutputTables, ClockQuestionNamesTheFirstClockInUseThatDiffers) {
    struct Row {
        int ulmeth, brumo;
        std::array<int, 4> format, signal;
        int output, code;
        int question;  // 0: none
    };
    const std::vector<Row> rows{
        // The Ulmeth on 59.94 Hz: a 50 Hz format asks about 74.18 MHz.
        {2, -2, {3, 0, 0, 0}, {14, 0, 0, 0}, 0, 16, 144},
        {2, -2, {3, 0, 0, 0}, {14, 0, 0, 0}, 0, 20, 0},
        // The Ulmeth is asked about before the Brumo.
        {1, 2, {0, 0, 0, 0}, {0, 0, 0, 0}, 1, 14, 143},
        {1, 2, {0, 0, 0, 0}, {0, 0, 0, 0}, 1, 16, 144},
        // The Brumo on black burst (4) or absent, the Ulmeth absent: the outputs decide.
        {-4, 4, {3, 0, 3, 0}, {15, 0, 15, 0}, 2, 25, 143},
        {-4, -2, {3, 0, 3, 0}, {15, 0, 15, 0}, 2, 24, 0},
        // The output itself never conflicts with its own clock, SD outputs never do.
        {-4, -2, {3, 0, 0, 0}, {15, 0, 0, 0}, 0, 14, 0},
        {-4, -2, {0, 1, 2, 0}, {14, 18, 20, 0}, 3, 16, 0},
        // A failed relay (-3) or a mixed module (3) is no clock in use.
        {-3, 3, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 14, 0},
        // The first other HD output found, in output order.
        {-4, -2, {3, 3, 0, 3}, {23, 16, 0, 0}, 3, 26, 144},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "output " << r.output << " code " << r.code);
        EXPECT_EQ(
            BlackHdClockQuestion(Values(r.format, r.signal, r.ulmeth, r.brumo), r.output, r.code),
            r.question);
    }
    for (int code = 14; code <= 26; ++code)
        EXPECT_EQ(BlackHdClock(code),
                  code == 14 || code == 18 || code == 20 || code == 23 || code == 25 ? kClock7418
                                                                                     : kClock7425)
            << code;
}

class BlackOutputPage : public HostedPageTest<CBlackOutputPage> {
protected:
    void Open(const BlackOutputTable& table, const BlackOutputValues& values) {
        NewHost();
        m_host->Record(table.messages.format);
        m_host->Record(table.messages.signal);
        m_page = std::make_unique<CBlackOutputPage>(table);
        m_page->Load(values);
        ASSERT_TRUE(m_page->Create(m_host.get()));
        m_page->ShowWindow(true);
    }
    std::string Signal(int output) {
        const int id = kBlackSignalIds[static_cast<size_t>(output)];
        const int index = Page().GetCurSel(id);
        return index < 0 ? "" : Page().GetLBText(id, index);
    }
    int Format(int output) {
        return Page().GetCurSel(kBlackFormatIds[static_cast<size_t>(output)]);
    }

    testsupport::BoxScript m_boxes;
};

TEST_F(BlackOutputPage, OpensOnTheStoredValuesAndSendsNothing) {
    struct Row {
        const char* name;
        const BlackOutputTable& table;
        BlackOutputValues values;
        std::vector<int> formats;  // selected, per output
        std::vector<std::string> lists;
        std::array<int, 4> storedSignal;
    };
    const std::vector<Row> rows{
        {"Kintor",
         KintorBlackOutputTable(),
         Values({0, 1, 2, 3}, {1, 2, 31, 25}, -4, -2, 1),
         {0, 1, 2, 3},
         {"Black Burst with Field REF", "Black Burst No Field REF", "40% Flat Field", "720 59.94p"},
         {1, 2, 31, 25}},
        // A code its list lacks shows the first entry and is kept as 0, the HD list too.
        {"Kintor unknown codes",
         KintorBlackOutputTable(),
         Values({0, 1, 0, 3}, {31, 1, 2, 7}),
         {0, 1, 0, 3},
         {"Black Burst", "Black Burst", "Black Burst", "1080 59.94i"},
         {0, 0, 0, 0}},
        {"Pirvo",
         PirvoBlackOutputTable(),
         Values({1, 2, 0, 0}, {8, 9, 0, 0}),
         {1, 2},
         {"Pal Pulse", "Subcarrier"},
         {8, 9, 0, 0}},
        // Another standard: no format shown, an empty list, the code kept.
        {"Pirvo other standard",
         PirvoBlackOutputTable(),
         Values({3, 0, 0, 0}, {5, 6, 0, 0}),
         {-1, 0},
         {"", "V Drive"},
         {5, 6, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.table, r.values);
        for (size_t i = 0; i < r.formats.size(); ++i) {
            EXPECT_EQ(Format(static_cast<int>(i)), r.formats[i]) << i;
            EXPECT_EQ(Signal(static_cast<int>(i)), r.lists[i]) << i;
        }
        EXPECT_EQ(Page().Values().signal, r.storedSignal);
        EXPECT_EQ(m_host->Take(), Log{});
        std::string shot = std::string("black_output_") + r.name;
        std::replace(shot.begin(), shot.end(), ' ', '_');
        SavePagePicture(Page(), shot);
    }
}

TEST_F(BlackOutputPage, ChoicesSendTheirMessagesAndRefusalsPutEverythingBack) {
    struct Action {
        bool format;  // else the signal list
        int output, index;
        const char* question;  // null: none is asked
        int answer;
    };
    struct Row {
        const char* name;
        const BlackOutputTable& table;
        BlackOutputValues values;
        std::vector<Action> actions;
        Log sent;
        std::vector<int> formats;
        std::vector<std::string> lists;
    };
    const BlackOutputTable& k = KintorBlackOutputTable();
    const BlackOutputTable& p = PirvoBlackOutputTable();
    const std::vector<Row> rows{
        {"Pirvo NTSC to PAL with field REF",
         p,
         Values({0, 0, 0, 0}, {1, 0, 0, 0}),
         {{true, 0, 1, nullptr, 0}},
         {PFormat(0, 1), PSignal(0, 0)},
         {1, 0},
         {"Black Burst", "Black Burst"}},
        {"Pirvo PAL to NTSC with Pal Pulse",
         p,
         Values({1, 1, 0, 0}, {0, 8, 0, 0}),
         {{true, 1, 0, nullptr, 0}},
         {PFormat(1, 0), PSignal(1, 0)},
         {1, 0},
         {"Black Burst", "Black Burst"}},
        {"Pirvo signal",
         p,
         Values({0, 1, 0, 0}, {0, 0, 0, 0}),
         {{false, 1, 8, nullptr, 0}, {false, 0, 4, nullptr, 0}},
         {PSignal(1, 8), PSignal(0, 9)},
         {0, 1},
         {"Subcarrier", "Pal Pulse"}},
        {"Pirvo other standard takes a format",
         p,
         Values({3, 0, 0, 0}, {5, 0, 0, 0}),
         {{true, 0, 2, nullptr, 0}},
         {PFormat(0, 2), PSignal(0, 5)},
         {2, 0},
         {"H Drive", "Black Burst"}},
        {"Kintor second HD output on the same clock",
         k,
         Values({3, 0, 0, 0}, {14, 1, 0, 0}),
         {{true, 1, 3, nullptr, 0}},
         {KFormat(1, 3), KSignal(1, 14)},
         {3, 3, 0, 0},
         {"1080 59.94i", "1080 59.94i", "Black Burst", "Black Burst"}},
        {"Kintor Ulmeth on 74.18, No",
         k,
         Values({3, 0, 0, 0}, {14, 0, 0, 0}, 2),
         {{false, 0, 2, k7418, platform::IDNO}},
         {},
         {3, 0, 0, 0},
         {"1080 59.94i", "Black Burst", "Black Burst", "Black Burst"}},
        {"Kintor Ulmeth on 74.18, Yes",
         k,
         Values({3, 0, 0, 0}, {14, 0, 0, 0}, 2),
         {{false, 0, 2, k7418, platform::IDYES}},
         {KSignal(0, 16)},
         {3, 0, 0, 0},
         {"1080 50i", "Black Burst", "Black Burst", "Black Burst"}},
        {"Kintor refused format change sends the old format back",
         k,
         Values({0, 0, 0, 0}, {0, 1, 0, 0}, 1),
         {{true, 1, 3, k7425, platform::IDNO}},
         {KFormat(1, 3), KFormat(1, 0)},
         {0, 0, 0, 0},
         {"Black Burst", "Black Burst with Field REF", "Black Burst", "Black Burst"}},
        // After an accepted change a refusal goes back to it, not to what the page opened with.
        {"Kintor refusal restores the last accepted signal",
         k,
         Values({3, 0, 0, 0}, {15, 0, 0, 0}, 1),
         {{false, 0, 2, nullptr, 0}, {false, 0, 0, k7425, platform::IDNO}},
         {KSignal(0, 16)},
         {3, 0, 0, 0},
         {"1080 50i", "Black Burst", "Black Burst", "Black Burst"}},
        {"Kintor Brumo on 74.18",
         k,
         Values({0, 0, 0, 3}, {0, 0, 0, 15}, -4, 2),
         {{false, 3, 3, k7418, platform::IDYES}},
         {KSignal(3, 17)},
         {0, 0, 0, 3},
         {"Black Burst", "Black Burst", "Black Burst", "1080 24sF"}},
        {"Kintor test signals on BLACK 3",
         k,
         Values({0, 0, 1, 0}, {0, 0, 0, 0}, -4, -2, 1),
         {{false, 2, 4, nullptr, 0}, {true, 2, 0, nullptr, 0}},
         {KSignal(2, 32), KFormat(2, 0), KSignal(2, 0)},
         {0, 0, 0, 0},
         {"Black Burst", "Black Burst", "Black Burst", "Black Burst"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.table, r.values);
        for (const Action& a : r.actions) {
            if (a.question != nullptr)
                m_boxes.Expect(a.question, kYesNo, a.answer);
            const size_t i = static_cast<size_t>(a.output);
            Page().ChooseComboItem(a.format ? kBlackFormatIds[i] : kBlackSignalIds[i], a.index);
            EXPECT_EQ(m_boxes.Pending(), 0u);
        }
        EXPECT_EQ(m_host->Take(), r.sent);
        for (size_t i = 0; i < r.formats.size(); ++i) {
            EXPECT_EQ(Format(static_cast<int>(i)), r.formats[i]) << i;
            EXPECT_EQ(Signal(static_cast<int>(i)), r.lists[i]) << i;
        }
        // The page's own copy says what the lists show.
        for (size_t i = 0; i < r.lists.size(); ++i) {
            if (!r.lists[i].empty()) {
                EXPECT_EQ(Page().Values().signal[i], BlackSignalCode(r.table, r.lists[i])) << i;
            }
        }
    }
}

}  // namespace
}  // namespace corvane::testing
