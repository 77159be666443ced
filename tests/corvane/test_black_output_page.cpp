// The black output pages of the Kintor and the Pirvo, hosted as their views host them and
// driven as the operator drives them: what they send (a log compared with a table), the clock
// questions they ask and what a refusal puts back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "corvane/pages/blackoutput/BlackOutputPage.h"
#include "platform/MessageBox.h"
#include "resources/corvane/BlackOutputPageForms.h"
#include "tests/corvane/PageHost.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;
using platform::IDNO;
using platform::IDYES;

constexpr int kYesNo = platform::MB_YESNO | platform::MB_ICONEXCLAMATION;
const char* const k7425 = "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?";
const char* const k7418 = "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?";

BlackOutputValues Values(std::array<int, 4> format, std::array<int, 4> signal, int ulmeth = -4,
                         int brumo = -2, int config = 0) {
    return {format, signal, config, brumo, ulmeth};
}

// "<number> <output> <value>", as the host logs a message.
std::string Sent(platform::UINT message, int output, int value) {
    return platform::Format("%u %d %d", message, output, value);
}

TEST(BlackOutputTables, ClockQuestionNamesTheFirstClockInUseThatDiffers) {
    struct Row {
        int ulmeth, brumo;
        std::array<int, 4> format, signal;
        int output, code, question;  // question: the string id, 0 for none
    };
    const std::vector<Row> rows{
        {2, -2, {3, 0, 0, 0}, {14, 0, 0, 0}, 0, 16, 144},  // Ulmeth on 59.94 Hz, a 50 Hz code
        {2, -2, {3, 0, 0, 0}, {14, 0, 0, 0}, 0, 20, 0},
        {1, 2, {0, 0, 0, 0}, {0, 0, 0, 0}, 1, 14, 143},  // the Ulmeth before the Brumo
        {1, 2, {0, 0, 0, 0}, {0, 0, 0, 0}, 1, 16, 144},
        {-4, 4, {3, 0, 3, 0}, {15, 0, 15, 0}, 2, 25, 143},   // another HD output decides
        {-4, -2, {3, 0, 0, 0}, {15, 0, 0, 0}, 0, 14, 0},     // never the output itself
        {-4, -2, {0, 1, 2, 0}, {14, 18, 20, 0}, 3, 16, 0},   // nor SD outputs
        {-3, 3, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 14, 0},       // a failed or mixed family
        {-4, -2, {3, 3, 0, 3}, {23, 16, 0, 0}, 3, 26, 144},  // the first in output order
    };
    for (const Row& r : rows)
        EXPECT_EQ(
            BlackHdClockQuestion(Values(r.format, r.signal, r.ulmeth, r.brumo), r.output, r.code),
            r.question)
            << "output " << r.output << " code " << r.code;
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
    // What each output shows, "<format>/<signal>" joined by ", "; an empty list shows "".
    std::string Shown(int outputs) {
        std::string shown;
        for (size_t i = 0; i < static_cast<size_t>(outputs); ++i) {
            const auto text = [this](int id) {
                const int index = Page().GetCurSel(id);
                return index < 0 ? std::string() : Page().GetLBText(id, index);
            };
            shown +=
                (i == 0 ? "" : ", ") + text(kBlackFormatIds[i]) + "/" + text(kBlackSignalIds[i]);
        }
        return shown;
    }

    testsupport::BoxScript m_boxes;
};

TEST_F(BlackOutputPage, OpensOnTheStoredValuesAndSendsNothing) {
    struct Row {
        const char* name;
        const BlackOutputTable& table;
        BlackOutputValues values;
        const char* shown;
        std::array<int, 4> kept;  // the page's codes afterwards
    };
    const BlackOutputTable& k = KintorBlackOutputTable();
    const BlackOutputTable& p = PirvoBlackOutputTable();
    const std::vector<Row> rows{
        {"kintor",
         k,
         Values({0, 1, 2, 3}, {1, 2, 31, 25}, -4, -2, 1),
         "NTSC/Black Burst with Field REF, PAL/Black Burst No Field REF, NTSC No Setup/40% Flat "
         "Field, HD SYNC/720 59.94p",
         {1, 2, 31, 25}},
        // A code the list lacks shows the first entry and is kept as 0, on the HD list too;
        // without the configuration BLACK 3 offers black burst only.
        {"kintor_unknown_codes",
         k,
         Values({0, 1, 0, 3}, {31, 1, 31, 7}),
         "NTSC/Black Burst, PAL/Black Burst, NTSC/Black Burst, HD SYNC/1080 59.94i",
         {0, 0, 0, 0}},
        {"pirvo",
         p,
         Values({1, 2, 0, 0}, {8, 9, 0, 0}),
         "PAL/Pal Pulse, NTSC No Setup/Subcarrier",
         {8, 9, 0, 0}},
        // Another standard: no format, an empty list, the code kept.
        {"pirvo_other_standard",
         p,
         Values({3, 0, 0, 0}, {5, 6, 0, 0}),
         "/, NTSC/V Drive",
         {5, 6, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.table, r.values);
        EXPECT_EQ(Shown(r.table.outputs), r.shown);
        EXPECT_EQ(Page().Values().signal, r.kept);
        EXPECT_EQ(m_host->Take(), Log{});
        SavePagePicture(Page(), std::string("black_output_") + r.name);
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
        const char* shown;
        bool codesAsShown = true;  // false where a code the list lacked was kept as 0
    };
    const BlackOutputTable& k = KintorBlackOutputTable();
    const BlackOutputTable& p = PirvoBlackOutputTable();
    const auto kf = [](int output, int value) { return Sent(1144, output, value); };
    const auto ks = [](int output, int value) { return Sent(1145, output, value); };
    const auto pf = [](int output, int value) { return Sent(1284, output, value); };
    const auto ps = [](int output, int value) { return Sent(1285, output, value); };
    // clang-format off
    const std::vector<Row> rows{
        {"Pirvo NTSC to PAL with field REF", p, Values({0, 0, 0, 0}, {1, 0, 0, 0}),
         {{true, 0, 1, nullptr, 0}}, {pf(0, 1), ps(0, 0)},
         "PAL/Black Burst, NTSC/Black Burst"},
        {"Pirvo PAL to NTSC with Pal Pulse", p, Values({1, 1, 0, 0}, {0, 8, 0, 0}),
         {{true, 1, 0, nullptr, 0}}, {pf(1, 0), ps(1, 0)},
         "PAL/Black Burst, NTSC/Black Burst"},
        {"Pirvo signals", p, Values({0, 1, 0, 0}, {0, 0, 0, 0}),
         {{false, 1, 8, nullptr, 0}, {false, 0, 4, nullptr, 0}}, {ps(1, 8), ps(0, 9)},
         "NTSC/Subcarrier, PAL/Pal Pulse"},
        {"Pirvo other standard takes a format", p, Values({3, 0, 0, 0}, {5, 0, 0, 0}),
         {{true, 0, 2, nullptr, 0}}, {pf(0, 2), ps(0, 5)},
         "NTSC No Setup/H Drive, NTSC/Black Burst"},
        {"Kintor second HD output on the same clock", k, Values({3, 0, 0, 0}, {14, 1, 0, 0}),
         {{true, 1, 3, nullptr, 0}}, {kf(1, 3), ks(1, 14)},
         "HD SYNC/1080 59.94i, HD SYNC/1080 59.94i, NTSC/Black Burst, NTSC/Black Burst"},
        {"Kintor Ulmeth on 74.18, No", k, Values({3, 0, 0, 0}, {14, 0, 0, 0}, 2),
         {{false, 0, 2, k7418, IDNO}}, {},
         "HD SYNC/1080 59.94i, NTSC/Black Burst, NTSC/Black Burst, NTSC/Black Burst"},
        {"Kintor Ulmeth on 74.18, Yes", k, Values({3, 0, 0, 0}, {14, 0, 0, 0}, 2),
         {{false, 0, 2, k7418, IDYES}}, {ks(0, 16)},
         "HD SYNC/1080 50i, NTSC/Black Burst, NTSC/Black Burst, NTSC/Black Burst"},
        {"Kintor refused format change sends the old format back", k,
         Values({0, 0, 0, 0}, {0, 1, 0, 0}, 1), {{true, 1, 3, k7425, IDNO}}, {kf(1, 3), kf(1, 0)},
         "NTSC/Black Burst, NTSC/Black Burst with Field REF, NTSC/Black Burst, NTSC/Black Burst"},
        // After an accepted change a refusal goes back to it, not to what the page opened with.
        {"Kintor refusal restores the last accepted signal", k,
         Values({3, 0, 0, 0}, {15, 0, 0, 0}, 1),
         {{false, 0, 2, nullptr, 0}, {false, 0, 0, k7425, IDNO}}, {ks(0, 16)},
         "HD SYNC/1080 50i, NTSC/Black Burst, NTSC/Black Burst, NTSC/Black Burst"},
        {"Kintor Brumo on 74.18", k, Values({0, 0, 0, 3}, {0, 0, 0, 15}, -4, 2),
         {{false, 3, 3, k7418, IDYES}}, {ks(3, 17)},
         "NTSC/Black Burst, NTSC/Black Burst, NTSC/Black Burst, HD SYNC/1080 24sF"},
        // BLACK 1's code is not on the HD list: it shows, and runs on, 1080 59.94i.
        {"Kintor second HD output beside a code the list lacks", k,
         Values({3, 0, 0, 0}, {7, 1, 0, 0}), {{true, 1, 3, nullptr, 0}}, {kf(1, 3), ks(1, 14)},
         "HD SYNC/1080 59.94i, HD SYNC/1080 59.94i, NTSC/Black Burst, NTSC/Black Burst", false},
        {"Kintor test signals on BLACK 3", k, Values({0, 0, 1, 0}, {0, 0, 0, 0}, -4, -2, 1),
         {{false, 2, 4, nullptr, 0}, {true, 2, 0, nullptr, 0}}, {ks(2, 32), kf(2, 0), ks(2, 0)},
         "NTSC/Black Burst, NTSC/Black Burst, NTSC/Black Burst, NTSC/Black Burst"},
    };
    // clang-format on
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
        EXPECT_EQ(Shown(r.table.outputs), r.shown);
        // The page's own codes are those of what the lists show.
        for (size_t i = 0; r.codesAsShown && i < static_cast<size_t>(r.table.outputs); ++i) {
            const int id = kBlackSignalIds[i];
            EXPECT_EQ(Page().Values().signal[i],
                      BlackSignalCode(r.table, Page().GetLBText(id, Page().GetCurSel(id))))
                << i;
        }
    }
}

}  // namespace
}  // namespace corvane::testing
