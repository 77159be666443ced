// The timing pages of the Pirvo, the Kintor and the Brumo, hosted as their views host them and
// driven as the operator drives them: what each sends (a log compared with a table), the boxes
// it shows, and the page's own writes, which must never come back as the operator's nor swallow
// what the operator types next.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "corvane/pages/timing/BrumoTimingPage.h"
#include "corvane/pages/timing/TimingPage.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "tests/corvane/PageHost.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;

constexpr int kOk = platform::MB_OK | platform::MB_ICONEXCLAMATION;
const std::string kNtscDelayBox = "Horizontal delay must be within\n-63.5556 to  63.5556 [usec].";

enum class Model { Pirvo, Kintor, Brumo };

const char* Name(Model model) {
    return model == Model::Pirvo ? "Pirvo" : model == Model::Kintor ? "Kintor" : "Brumo";
}

const TimingPageTable& Table(Model model) {
    return model == Model::Pirvo    ? PirvoTimingTable()
           : model == Model::Kintor ? KintorTimingTable()
                                    : BrumoTimingTable();
}

TimingValues Values(std::initializer_list<TimingOutput> outputs) {
    TimingValues values{};
    int i = 0;
    for (const TimingOutput& o : outputs) values[i++] = o;
    return values;
}

class TimingPage : public HostedPageTest<CTimingPage> {
protected:
    void Open(Model model, const TimingValues& values) {
        m_model = model;
        const TimingMessages& m = M();
        NewHost();
        m_host->Record(m.lines);
        m_host->RecordDelay(m.delay);
        m_host->OnMessage(m.timingQuery, [this](platform::WPARAM w, platform::LPARAM l) {
            m_queries.push_back(static_cast<int>(w));
            if (!m_liveAnswers)
                return platform::LRESULT{0};
            *reinterpret_cast<LiveTiming*>(l) = m_live;
            return platform::LRESULT{1};
        });
        if (model == Model::Brumo)
            m_page = std::make_unique<CBrumoTimingPage>();
        else
            m_page = std::make_unique<CTimingPage>(Table(model));
        m_page->Load(values);
        ASSERT_TRUE(m_page->Create(m_host.get()));
        m_page->ShowWindow(true);
    }
    const TimingMessages& M() const { return Table(m_model).messages; }
    const TimingGroupIds& Ids(int group) const { return Table(m_model).groups[group]; }
    std::string Lines(int group, long lines) const {
        return platform::Format("%u %d %ld", M().lines, group, lines);
    }
    std::string Delay(int group, double micro) const {
        return platform::Format("%u %d %.4f", M().delay, group, micro);
    }
    CBrumoTimingPage& Brumo() { return dynamic_cast<CBrumoTimingPage&>(Page()); }

    testsupport::BoxScript m_boxes;
    Model m_model = Model::Pirvo;
    LiveTiming m_live{};
    bool m_liveAnswers = true;
    std::vector<int> m_queries;
};

TEST_F(TimingPage, OpeningSendsOnlyWhatTheFormatsDoNotAllowAndShowsEveryGroup) {
    struct Row {
        Model model;
        TimingValues values;
        Log sent;
        std::vector<std::string> delays;  // the delay (coarse) fields, group by group
        std::vector<int> positions;       // the delay spins
    };
    const std::vector<Row> rows{
        {Model::Pirvo,
         Values({{1, 0, 1000, 70e-6}, {0, 0, 1000, -70e-6}, {7, 0, 900, 10e-6}, {2, 0, -3, 0.0}}),
         // SIGNAL's folder index 7 keeps the NTSC limits every group starts with.
         {"1287 0 64.0000", "1286 1 525", "1287 1 -63.5556", "1286 2 525"},
         {" 64.0000", "-63.5556", " 10.0000", "  0.0000"},
         {3456, -3432, 540, 0}},
        {Model::Kintor,
         Values({{3, 26, 700, 40e-6}, {3, 24, 400, 0.0}, {1, 0, 0, 0.0}, {0, 0, 0, 1e-6}}),
         // Code 26 (720 50p) is timed as code 14, 1080 59.94i.
         {"1146 0 562", "1147 0 29.6000", "1146 1 375"},
         {" 29.6000", "  0.0000", "  0.0000", "  1.0000"},
         {2200, 0, 0, 54}},
        {Model::Brumo,
         Values({{0, 0, 0, 63.6e-6}, {3, 0, 1, 1e-6}, {17, 0, -400, 26.67e-6}}),
         {"1132 0 63.5556", "1131 2 -375", "1132 2 26.6667"},
         {" 63.5556", "  0.9966", " 26.6667"},
         {3432, 74, 1980}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Name(r.model));
        Open(r.model, r.values);
        EXPECT_EQ(m_host->Take(), r.sent);
        for (int g = 0; g < Page().GroupCount(); ++g) {
            SCOPED_TRACE(g);
            EXPECT_EQ(Page().GetDlgItemText(Ids(g).delayEdit), r.delays[g]);
            EXPECT_EQ(Page().GetPos(Ids(g).delaySpin), r.positions[g]);
            EXPECT_EQ(Page().GetDlgItemText(Ids(g).linesEdit),
                      std::to_string(Page().Values()[g].lines));
        }
    }
}

TEST_F(TimingPage, LinesAreRefusedBeyondTheFormatAndSentOnceWhenTypedOrSpun) {
    for (Model model : {Model::Pirvo, Model::Kintor, Model::Brumo}) {
        SCOPED_TRACE(Name(model));
        Open(model, Values({{1, 0, 7}, {0}, {model == Model::Brumo ? 17 : 0}, {0}}));
        const int group = 2;  // NTSC on the Pirvo and the Kintor, 720 24p on the Brumo
        const int limit = model == Model::Brumo ? 375 : 525;
        m_boxes.Expect(platform::Format("Vertical lines must be within\n%d to %d.", -limit, limit),
                       kOk, platform::IDOK);
        Page().TypeText(Ids(group).linesEdit, std::to_string(limit + 1));
        EXPECT_EQ(Page().GetDlgItemText(Ids(group).linesEdit), "0");
        EXPECT_EQ(Page().GetFocusId(), Ids(group).linesEdit);
        Page().TypeText(Ids(group).linesEdit, std::to_string(-limit));
        Page().SpinBy(Ids(group).linesSpin, 1);
        Page().TypeText(Ids(0).linesEdit, "1250");  // PAL on the Pirvo and the Kintor
        Page().TypeText(Ids(group).linesEdit, "12 lines");
        Page().FocusControl(Ids(0).linesEdit);  // the canonical rewrite sends nothing
        EXPECT_EQ(Page().GetDlgItemText(Ids(group).linesEdit), "12");
        EXPECT_EQ(m_host->Take(), (Log{Lines(group, -limit), Lines(group, 1 - limit),
                                       Lines(0, 1250), Lines(group, 12)}));
    }
}

TEST_F(TimingPage, TypedDelaysSnapToTheSampleClockOrAreRefusedWithTheFormatsLimits) {
    struct Row {
        Model model;
        TimingOutput output;  // in group 1
        const char* typed;
        const char* sent;   // "" when refused
        const char* shown;  // once the focus has left
        int position;
        const char* box;
    };
    const std::string hdBox = "Horizontal delay must be within\n-29.6296 to  29.6296 [usec].";
    const std::string brumoBox = "Horizontal coarse must be within\n-29.6296 to  29.6296 [usec].";
    const std::vector<Row> rows{
        {Model::Pirvo, {0}, "10", "10.0000", " 10.0000", 540, ""},
        {Model::Pirvo, {0}, "10.01", "10.0185", " 10.0185", 541, ""},
        {Model::Pirvo, {0}, "-10.01", "-10.0185", "-10.0185", -541, ""},
        {Model::Pirvo, {0}, "70", "", "  0.0000", 0, kNtscDelayBox.c_str()},
        {Model::Pirvo, {1}, "64", "64.0000", " 64.0000", 3456, ""},
        {Model::Pirvo, {0}, "nan", "", "  0.0000", 0, kNtscDelayBox.c_str()},
        {Model::Pirvo, {0}, "1e12", "", "  0.0000", 0, kNtscDelayBox.c_str()},
        {Model::Kintor, {3, 15}, "29.6296", "29.6296", " 29.6296", 2200, ""},
        {Model::Kintor, {3, 15}, "0x10", "", "  0.0000", 0, hdBox.c_str()},
        {Model::Kintor, {3, 14}, "1", "0.9956", "  0.9956", 74, ""},  // 1/(74.25 MHz x 1.001)
        {Model::Brumo, {5}, "29.64", "", "  0.0000", 0, brumoBox.c_str()},
        {Model::Brumo, {5}, "-1", "-0.9966", " -0.9966", -74, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(Name(r.model)) + " " + r.typed);
        TimingValues values{};
        values[1] = r.output;
        Open(r.model, values);
        if (*r.box != '\0')
            m_boxes.Expect(r.box, kOk, platform::IDOK);
        Page().FocusControl(Ids(1).delayEdit);
        Page().TypeText(Ids(1).delayEdit, r.typed);
        Page().FocusControl(Ids(1).linesEdit);
        EXPECT_EQ(m_host->Take(),
                  *r.sent == '\0' ? Log{} : Log{platform::Format("%u 1 %s", M().delay, r.sent)});
        EXPECT_EQ(Page().GetDlgItemText(Ids(1).delayEdit), r.shown);
        EXPECT_EQ(Page().GetPos(Ids(1).delaySpin), r.position);
    }
}

TEST_F(TimingPage, ASpinClickIsOneStepSentOnceAndTheNextTypedValueIsNotLost) {
    for (Model model : {Model::Pirvo, Model::Kintor, Model::Brumo}) {
        SCOPED_TRACE(Name(model));
        Open(model, Values({{0, 0, 0, 63.55556363e-6}, {1, 0, 0, 10e-6}}));
        Page().SpinBy(Ids(1).delaySpin, 1);
        EXPECT_EQ(m_host->Take(), Log{Delay(1, 10.0185)});
        EXPECT_EQ(Page().GetPos(Ids(1).delaySpin), 541);
        EXPECT_EQ(Page().GetDlgItemText(Ids(1).delayEdit), " 10.0185");

        // Leaving the field rewrites the text it holds already and sends nothing; what is
        // typed next is taken all the same.
        Page().FocusControl(Ids(1).delayEdit);
        Page().FocusControl(Ids(1).linesEdit);
        Page().FocusControl(Ids(1).delayEdit);
        Page().TypeText(Ids(1).delayEdit, "2");
        Page().SpinBy(Ids(1).delaySpin, -1);
        EXPECT_EQ(m_host->Take(), (Log{Delay(1, 2.0), Delay(1, 1.9815)}));
        EXPECT_EQ(Page().GetPos(Ids(1).delaySpin), 107);

        // At its top the spin stays; the exact limit off the grid is kept, not its text's step.
        Page().FocusControl(Ids(0).delayEdit);
        Page().FocusControl(Ids(0).linesEdit);
        EXPECT_TRUE(m_host->Take().empty());
        EXPECT_DOUBLE_EQ(Page().Values()[0].delay, 63.55556363e-6);
        Page().SpinBy(Ids(0).delaySpin, 1);
        EXPECT_EQ(Page().GetPos(Ids(0).delaySpin), 3432);
        Page().SpinBy(Ids(0).delaySpin, -2);
        EXPECT_EQ(m_host->Take().back(), Delay(0, 63.5185));
        EXPECT_EQ(Page().GetPos(Ids(0).delaySpin), 3430);
    }
}

TEST_F(TimingPage, ReloadTakesTheNewFormatAndSendsWhatItNoLongerAllows) {
    struct Row {
        Model model;
        TimingValues values;
        bool format;  // the format reload, else the signal reload
        int group;
        int value;
        Log sent;
        int lines;  // the group's upper limit after the reload
    };
    const std::vector<Row> rows{
        // PAL to NTSC with 1000 lines: 525, without a message.
        {Model::Pirvo,
         Values({{1, 0, 1000, 64e-6}}),
         true,
         0,
         0,
         {"1286 0 525", "1287 0 63.5556"},
         525},
        // The SIGNAL output's folder index beyond the table keeps its PAL limits.
        {Model::Pirvo, Values({{0}, {0}, {1, 0, 1200}}), true, 2, 9, {}, 1250},
        // An HD format before its code arrives: the old SD code counts as 1080 59.94i.
        {Model::Kintor,
         Values({{1, 1, 1000, 50e-6}}),
         true,
         0,
         3,
         {"1146 0 562", "1147 0 29.6000"},
         562},
        {Model::Kintor, Values({{3, 14, 500}}), false, 0, 24, {"1146 0 375"}, 375},
        {Model::Brumo,
         Values({{0}, {0}, {4, 0, -560, -29e-6}}),
         true,
         2,
         17,
         {"1131 2 -375", "1132 2 -26.6667"},
         375},
        {Model::Pirvo, Values({{1, 0, 1000}}), true, 4, 0, {}, 1250},   // no such group
        {Model::Pirvo, Values({{1, 0, 1000}}), true, -1, 0, {}, 1250},  // no such group
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(Name(r.model)) + " group " + std::to_string(r.group));
        Open(r.model, r.values);
        ASSERT_TRUE(m_host->Take().empty());
        Page().SendMessage(r.format ? M().formatReload : M().signalReload,
                           static_cast<platform::WPARAM>(r.group), r.value);
        EXPECT_EQ(m_host->Take(), r.sent);
        const int g = r.group >= 0 && r.group < Page().GroupCount() ? r.group : 0;
        int lower = 0, upper = 0;
        Page().GetRange32(Ids(g).linesSpin, lower, upper);
        EXPECT_EQ(upper, r.lines);
        EXPECT_EQ(Page().GetDlgItemText(Ids(g).linesEdit),
                  std::to_string(Page().Values()[g].lines));
        // The page is ready again: what is typed is sent.
        Page().TypeText(Ids(g).linesEdit, "5");
        EXPECT_EQ(m_host->Take(), Log{Lines(g, 5)});
    }
}

TEST_F(TimingPage, ReloadShowsTheBlockTheViewPushedAgain) {
    Open(Model::Kintor, Values({{0}, {0}, {0}, {0}}));
    // The Output page's refused HD change put the document back; the view pushes it.
    Page().Load(Values({{0}, {1, 0, 1100, 60e-6}, {0}, {0}}));
    Page().SendMessage(M().formatReload, 1, 1);
    EXPECT_TRUE(m_host->Take().empty());
    EXPECT_EQ(Page().GetDlgItemText(Ids(1).linesEdit), "1100");
    EXPECT_EQ(Page().GetDlgItemText(Ids(1).delayEdit), " 60.0000");
}

TEST_F(TimingPage, LiveTimingReplacesTheGroupsValuesOnlyWhenTheQueryAnswers) {
    for (Model model : {Model::Pirvo, Model::Kintor, Model::Brumo}) {
        SCOPED_TRACE(Name(model));
        Open(model, Values({{0}, {0, 0, 4, 1e-6}, {0}}));
        m_queries.clear();

        m_live = {600, 5e-6};  // lines beyond NTSC: clamped and sent
        Page().SendMessage(M().liveRequest, 1, 0);
        EXPECT_EQ(m_host->Take(), Log{Lines(1, 525)});
        EXPECT_EQ(Page().GetDlgItemText(Ids(1).linesEdit), "525");
        EXPECT_EQ(Page().GetDlgItemText(Ids(1).delayEdit), "  5.0000");
        EXPECT_EQ(Page().GetPos(Ids(1).delaySpin), 270);

        for (bool answers : {false, true}) {  // a failed query, a delay that is no number
            m_liveAnswers = answers;
            m_live = {-3, answers ? std::numeric_limits<double>::quiet_NaN() : 2e-6};
            Page().SendMessage(M().liveRequest, 1, 0);
            EXPECT_EQ(Page().GetDlgItemText(Ids(1).linesEdit), "525");
            EXPECT_EQ(Page().GetDlgItemText(Ids(1).delayEdit), "  5.0000");
            EXPECT_EQ(Page().Values()[1].lines, 525);
        }
        Page().SendMessage(M().liveRequest, 7, 0);  // no such group: not even asked
        EXPECT_EQ(m_queries, (std::vector<int>{1, 1, 1}));
        Page().TypeText(Ids(1).linesEdit, "8");
        EXPECT_EQ(m_host->Take(), Log{Lines(1, 8)});
        m_liveAnswers = true;
    }
}

TEST_F(TimingPage, BrumoShowsTheDelayAsCoarseAndFineAndSendsTheirSum) {
    struct Row {
        int group;
        int format;
        double delay;  // seconds, as the document holds it
        const char* coarse;
        const char* fine;
        int finePosition;
    };
    const std::vector<Row> split{
        {0, 0, 541.0 / 54e6 + 3.3e-9, " 10.0185", "  3.30", 33},
        {0, 0, 541.0 / 54e6 + 15e-9, " 10.0370", " -3.50", -35},  // the nearer step above
        {2, 6, 1.00005e-6, "  0.9956", "  4.40", 44},             // 1080 59.94i on BLACK 3
        {2, 6, -1.00005e-6, " -0.9956", " -4.40", -44},
    };
    for (const Row& r : split) {
        SCOPED_TRACE(r.delay);
        TimingValues values{};
        values[r.group] = {r.format, 0, 0, r.delay};
        Open(Model::Brumo, values);
        EXPECT_TRUE(m_host->Take().empty());
        EXPECT_EQ(Page().GetDlgItemText(Ids(r.group).delayEdit), r.coarse);
        EXPECT_EQ(Page().GetDlgItemText(Ids(r.group).fineEdit), r.fine);
        EXPECT_EQ(Page().GetPos(Ids(r.group).fineSpin), r.finePosition);
        EXPECT_NEAR(Brumo().Coarse(r.group) + Brumo().Fine(r.group), r.delay, 0.051e-9);
    }
}

TEST_F(TimingPage, BrumoFineIsCutToTenthsWithinItsOutputsBoundAndSentWithTheCoarsePart) {
    struct Row {
        int group;
        int format;
        const char* typed;
        const char* sent;  // the whole delay in us, "" when refused
        const char* box;
    };
    const char* const sdBox = "Horizontal fine must be within\n-10.00 to  10.00 [nsec].";
    const char* const hdBox = "Horizontal fine must be within\n -7.00 to   7.00 [nsec].";
    const std::vector<Row> rows{
        {0, 0, "0.29", "2.0002", ""},  // cut, not rounded: 0.2 ns on 2 us
        {0, 0, "-9.99", "1.9901", ""}, {0, 0, "10.1", "", sdBox},
        {1, 6, "9.5", "2.0142", ""},  // BLACK 2 keeps the SD bound on an HD format
        {2, 6, "7", "2.0117", ""},     {2, 6, "7.1", "", hdBox},
        {2, 6, "inf", "", hdBox},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        TimingValues values{};
        values[r.group] = {r.format, 0, 0, 0.0};
        Open(Model::Brumo, values);
        Page().TypeText(Ids(r.group).delayEdit, "2");
        EXPECT_EQ(m_host->Take().size(), 1u);
        const double coarse = Brumo().Coarse(r.group);
        if (*r.box != '\0')
            m_boxes.Expect(r.box, kOk, platform::IDOK);
        Page().TypeText(Ids(r.group).fineEdit, r.typed);
        EXPECT_EQ(m_host->Take(), *r.sent == '\0' ? Log{} : Log{Delay(r.group, std::stod(r.sent))});
        EXPECT_DOUBLE_EQ(Brumo().Coarse(r.group), coarse);
        if (*r.box != '\0') {
            EXPECT_EQ(Page().GetDlgItemText(Ids(r.group).fineEdit), "  0.00");
            EXPECT_EQ(Page().GetFocusId(), Ids(r.group).fineEdit);
        }
    }

    // The fine spin counts tenths and, like the coarse one, is not moved back.
    Open(Model::Brumo, Values({{0, 0, 0, 1e-6}}));
    Page().SpinBy(Ids(0).fineSpin, 3);
    Page().SpinBy(Ids(0).delaySpin, 1);
    EXPECT_EQ(m_host->Take(),
              (Log{Delay(0, 1.0001), Delay(0, 1.0002), Delay(0, 1.0003), Delay(0, 1.0188)}));
    EXPECT_EQ(Page().GetDlgItemText(Ids(0).fineEdit), "  0.30");
    EXPECT_EQ(Page().GetPos(Ids(0).fineSpin), 3);
    Page().FocusControl(Ids(0).fineEdit);
    Page().FocusControl(Ids(0).linesEdit);
    EXPECT_TRUE(m_host->Take().empty());
}

TEST_F(TimingPage, BrumoBlack2HasNoTimingOfItsOwnWhileItCarriesBlack3sHdSync) {
    Open(Model::Brumo, Values({{0}, {3}, {6}}));
    const TimingGroupIds& ids = Ids(1);
    std::vector<int> controls{ids.linesEdit, ids.linesSpin, ids.delayEdit,
                              ids.delaySpin, ids.fineEdit,  ids.fineSpin};
    controls.insert(controls.end(), ids.labels.begin(), ids.labels.end());
    for (int id : controls) EXPECT_FALSE(Page().IsDlgItemEnabled(id)) << id;
    EXPECT_TRUE(Page().IsDlgItemEnabled(Ids(0).delayEdit));
    EXPECT_FALSE(Page().TypeText(ids.linesEdit, "3"));

    Page().SendMessage(M().formatReload, 1, 1);  // PAL
    for (int id : controls) EXPECT_TRUE(Page().IsDlgItemEnabled(id)) << id;
    EXPECT_TRUE(Page().TypeText(ids.linesEdit, "1000"));
    EXPECT_EQ(m_host->Take(), Log{Lines(1, 1000)});
}

// Each model's picture, saved under the build tree's screenshots/ to be looked at, shows the
// timings the page was opened on: all within their formats, so they are taken as they are.
TEST_F(TimingPage, PicturesOfEachModel) {
    struct Row {
        Model model;
        TimingValues values;
    };
    const std::vector<Row> rows{
        {Model::Pirvo, Values({{0, 0, 12, 10e-6}, {1, 0, -3, -2e-6}, {2}, {0, 0, 1, 0.5e-6}})},
        {Model::Kintor, Values({{0}, {1, 0, 20}, {3, 15, 100, 5e-6}, {3, 24, -5, -1e-6}})},
        {Model::Brumo, Values({{0, 0, 3, 10.0185e-6 + 3.3e-9}, {3}, {6, 0, 2, 1e-6}})},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Name(r.model));
        Open(r.model, r.values);
        EXPECT_EQ(m_host->Take(), Log{});
        for (int g = 0; g < Page().GroupCount(); ++g) {
            const TimingOutput& output = r.values[static_cast<size_t>(g)];
            EXPECT_EQ(Page().GetDlgItemText(Ids(g).linesEdit), std::to_string(output.lines)) << g;
            // The Brumo's delay field holds the coarse part only, its fine part beside it.
            if (r.model != Model::Brumo) {
                EXPECT_NEAR(platform::StrToDouble(Page().GetDlgItemText(Ids(g).delayEdit).c_str()),
                            output.delay * 1e6, 1e-4)
                    << g;
            }
        }
        SavePagePicture(Page(), std::string("page_timing_") + Name(r.model));
    }
}

}  // namespace
}  // namespace corvane::testing
