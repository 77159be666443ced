// An instrument that stops answering: every exchange of the link gives up after its time-out
// with the "Connection aborted" box and closes the link, and the caller takes its own way out.
// The simulator shows what was sent before and after.
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "corvane/core/PresetTable.h"
#include "platform/MessageBox.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"
#include "tests/corvane/TavixFixture.h"

namespace corvane::testing {
namespace {

using platform::IDOK;
using platform::IDYES;
using platform::MB_ICONEXCLAMATION;
using platform::MB_ICONSTOP;
using platform::MB_YESNO;
using std::chrono::milliseconds;

// Long enough for every answered exchange on a loaded machine, short enough to wait out.
constexpr milliseconds kShortTimeout{1000};

const std::string kAborted = "Connection aborted. (Timeout, etc...)";
const std::string kOverlong = "Error: WSAEMSGSIZE";
const std::string kClosedLink = "Descriptor is not socket.";

// The ways an instrument stops answering, each from a given line on.
enum class Fault {
    Withheld,      // reads on, answers nothing
    StopsReading,  // neither answers nor reads
    Overlong,      // answers 5 MiB without a line end, then nothing, the connection open
};

// A time-out the tests can wait for, and a line limit far below it: the overlong line's first
// part is read whole long before the time runs out, however slow the build or busy the machine.
void ShortenLinkLimits() {
    CCommandLink::SetTimeout(kShortTimeout);
    CCommandLink::SetMaxReplyLine(64 * 1024);
}

void Arm(quarnsim::Simulator& sim, Fault fault, const std::string& line) {
    switch (fault) {
        case Fault::Withheld:
            sim.GoSilentAt(line);
            break;
        case Fault::StopsReading:
            sim.StopReadingAt(line);
            break;
        case Fault::Overlong:
            sim.GoSilentAt(line, std::string(5 << 20, 'x'));
            break;
    }
}

std::string FaultName(Fault fault) {
    switch (fault) {
        case Fault::Withheld:
            return "Withheld";
        case Fault::StopsReading:
            return "StopsReading";
        case Fault::Overlong:
            return "Overlong";
    }
    return "?";
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One try of the operator's action: the boxes it shows and what the instrument received.
struct Round {
    std::vector<std::string> boxes;
    std::vector<std::string> lines;
};

// Runs the action once per round. A round whose boxes hold the time-out's takes at least the
// time-out. Afterwards the link is closed, and one more try fails at once with the closed
// link's box and sends nothing.
template <typename Base>
class Rounds : public Base {
protected:
    void RunRounds(const std::vector<Round>& rounds, const std::function<void()>& action,
                   const std::string& question = {}) {
        std::vector<Round> all = rounds;
        all.push_back({{kClosedLink}, {}});
        for (size_t i = 0; i < all.size(); ++i) {
            SCOPED_TRACE("round " + std::to_string(i + 1));
            const Round& round = all[i];
            if (!question.empty())
                this->m_boxes.Expect(question, MB_YESNO | MB_ICONEXCLAMATION, IDYES);
            for (const std::string& box : round.boxes) this->m_boxes.Expect(box, MB_ICONSTOP, IDOK);
            QElapsedTimer clock;
            clock.start();
            action();
            EXPECT_EQ(this->m_boxes.Pending(), 0u);
            EXPECT_EQ(this->TakeLines(), round.lines);
            const bool timedOut =
                std::find(round.boxes.begin(), round.boxes.end(), kAborted) != round.boxes.end();
            if (timedOut) {
                EXPECT_GE(clock.elapsed(), kShortTimeout.count());
            }
            if (i + 2 == all.size()) {
                EXPECT_EQ(this->Frame()->IsConnected(), false);
            }
        }
    }
};

// --- The link itself ---

class LinkTimeout : public Rounds<CorvaneFixture> {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartReady();
        ShortenLinkLimits();
    }
};

TEST_F(LinkTimeout, TheTimeOutIsThirtySecondsUnlessATestShortensIt) {
    EXPECT_EQ(CCommandLink::kTimeout, milliseconds(30000));
    EXPECT_EQ(CCommandLink::Timeout(), kShortTimeout);
}

TEST_F(LinkTimeout, AReplyWithinTheTimeOutIsTakenAsUsual) {
    m_sim->DelayNextReply(kShortTimeout / 4);
    std::string reply;
    EXPECT_EQ(Frame()->Query("*OPC?", reply), 1);
    EXPECT_EQ(reply, "1");
    EXPECT_TRUE(Frame()->IsConnected());
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(LinkTimeout, AWithheldReplyFailsAndTheLateAnswerIsNeverRead) {
    // The answer comes, but only after the link has given up on it.
    m_sim->DelayNextReply(kShortTimeout * 2);
    std::string reply = "stale";
    RunRounds({{{kAborted}, {"*OPC?"}}}, [&] {
        // A read that failed still gives 1; only a send that failed gives 0.
        const int expected = Frame()->IsConnected() ? 1 : 0;
        EXPECT_EQ(Frame()->Query("*OPC?", reply), expected);
        EXPECT_EQ(reply, "");
    });
}

// A line that keeps coming a byte at a time never gets a wait long enough to trip a limit
// per receive; the limit covers the whole line.
TEST_F(LinkTimeout, AReplyTrickledAByteAtATimeEndsAtTheTimeOut) {
    m_sim->ReplaceNextReply(std::string(200, 'y') + "\r\n");
    m_sim->SetReplyPacing(1, kShortTimeout / 40);
    std::string reply = "stale";
    RunRounds({{{kAborted}, {"*OPC?"}}}, [&] { Frame()->Query("*OPC?", reply); });
    EXPECT_EQ(reply, "");
}

TEST_F(LinkTimeout, ASendThatCannotGoOutFailsAndClosesTheLink) {
    m_sim->StopReadingAt("*CLS");
    ASSERT_EQ(Frame()->SendCommand("*CLS"), 1);
    // Far more than the buffers between the two can hold.
    const std::string command(32 << 20, 'x');
    RunRounds({{{kAborted}, {"*CLS"}}}, [&] { EXPECT_EQ(Frame()->SendCommand(command), 0); });
}

TEST_F(LinkTimeout, TimersRunButPostedMessagesWaitWhileTheLinkWaits) {
    constexpr platform::UINT kProbe = platform::WM_USER + 900;
    int ticks = 0;
    int handledDuringWait = 0;
    int handled = 0;
    bool waiting = false;
    Frame()->OnMessage(platform::WM_TIMER, [&](platform::WPARAM, platform::LPARAM) {
        if (++ticks == 1)
            Frame()->PostMessage(kProbe);
        return platform::LRESULT{0};
    });
    Frame()->OnMessage(kProbe, [&](platform::WPARAM, platform::LPARAM) {
        ++handled;
        if (waiting)
            ++handledDuringWait;
        return platform::LRESULT{0};
    });
    Frame()->SetTimer(77, 50);
    m_sim->GoSilentAt("*OPC?");
    m_boxes.Expect(kAborted, MB_ICONSTOP, IDOK);
    std::string reply;
    waiting = true;
    Frame()->Query("*OPC?", reply);
    waiting = false;
    Frame()->KillTimer(77);
    EXPECT_GT(ticks, 1);
    EXPECT_EQ(handledDuringWait, 0);
    for (int i = 0; i < 20 && handled == 0; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(handled, 1);
}

// --- Start-up ---

std::vector<std::string> StartupLinesUpToPreset(int preset) {
    std::vector<std::string> lines{"*OPT?", "*CLS;:INST:CAT?"};
    for (int n = 1; n <= preset; ++n) lines.push_back("MMEM:PRES:CAT? " + std::to_string(n));
    return lines;
}

struct StartupCase {
    const char* name;
    Fault fault;
    std::string line;
    bool badPresetCatalogue;
    std::vector<std::string> boxes;
    std::vector<std::string> lines;
};

class StartupTimeout : public CorvaneFixture, public ::testing::WithParamInterface<StartupCase> {};

TEST_P(StartupTimeout, EndsTheProgramAfterTheBoxesAndSendsNothingMore) {
    const StartupCase& c = GetParam();
    StartSimulator();
    if (c.badPresetCatalogue)
        m_sim->SetReplyOverride("MMEM:PRES:CAT:ALL?", "nothing quoted");
    Arm(*m_sim, c.fault, c.line);
    ShortenLinkLimits();
    for (const std::string& box : c.boxes) m_boxes.Expect(box, MB_ICONSTOP, IDOK);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(StartCorvane());
    EXPECT_GE(clock.elapsed(), kShortTimeout.count());
    EXPECT_FALSE(MainWindowAlive());
    EXPECT_EQ(m_boxes.Pending(), 0u);
    EXPECT_EQ(TakeLines(), c.lines);
    EXPECT_EQ(m_sim->ConnectionCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Corvane, StartupTimeout,
    ::testing::Values(
        StartupCase{"OptionsWithheld", Fault::Withheld, "*OPT?", false, {kAborted}, {"*OPT?"}},
        // An empty catalogue is no module; the preset read then meets the closed link, and so
        // does the error query after it.
        StartupCase{"CatalogueWithheld",
                    Fault::Withheld,
                    "*CLS;:INST:CAT?",
                    false,
                    {kAborted, kClosedLink, kClosedLink},
                    StartupLinesUpToPreset(0)},
        StartupCase{"PresetNameWithheld",
                    Fault::Withheld,
                    "MMEM:PRES:CAT? 5",
                    false,
                    {kAborted, kClosedLink},
                    StartupLinesUpToPreset(5)},
        StartupCase{"PresetNameNeverRead",
                    Fault::StopsReading,
                    "MMEM:PRES:CAT? 5",
                    false,
                    {kAborted, kClosedLink},
                    StartupLinesUpToPreset(5)},
        StartupCase{"ErrorQueryWithheldAfterABadCatalogue",
                    Fault::Withheld,
                    "SYST:ERR?",
                    true,
                    {kAborted},
                    Concat(StartupLinesUpToPreset(13), {"MMEM:PRES:CAT:ALL?", "SYST:ERR?"})},
        // The cut-off line's tail never ends: the error query's read runs out dropping it.
        StartupCase{"OverlongPresetNameKeptOpen",
                    Fault::Overlong,
                    "MMEM:PRES:CAT? 5",
                    false,
                    {kOverlong, kAborted},
                    Concat(StartupLinesUpToPreset(5), {"SYST:ERR?"})}),
    [](const ::testing::TestParamInfo<StartupCase>& info) { return info.param.name; });

// --- A preset command ---

class PresetTimeout : public Rounds<CorvaneFixture>, public ::testing::WithParamInterface<Fault> {};

TEST_P(PresetTimeout, SaveFailsWithoutMarkingThePresetAndTheLinkCloses) {
    StartReady();
    ShortenLinkLimits();
    const std::string store = "MMEM:STOR:PRES \"PRESET 4\"";
    std::vector<Round> rounds;
    switch (GetParam()) {
        case Fault::Withheld:
            Arm(*m_sim, Fault::Withheld, "*OPC?");
            rounds = {{{kAborted}, {store, "*OPC?"}}};
            break;
        case Fault::StopsReading:
            Arm(*m_sim, Fault::StopsReading, store);
            rounds = {{{kAborted}, {store}}};
            break;
        case Fault::Overlong:
            // The box of the cut-off line leaves the link up; the next save's "*OPC?" read
            // runs out dropping the tail that never ends.
            Arm(*m_sim, Fault::Overlong, "*OPC?");
            rounds = {{{kOverlong}, {store, "*OPC?"}}, {{kAborted}, {store, "*OPC?"}}};
            break;
    }
    RunRounds(
        rounds, [&] { Frame()->ExecuteCommand(ID_SAVE_PRESET_FIRST + 3); }, "Save 'PRESET 4' ?");
    EXPECT_EQ(g_presetTable[3].used, 0);
    EXPECT_FALSE(Frame()->IsCommandEnabled(ID_RECALL_PRESET_FIRST + 3));
}

INSTANTIATE_TEST_SUITE_P(Corvane, PresetTimeout,
                         ::testing::Values(Fault::Withheld, Fault::StopsReading, Fault::Overlong),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return FaultName(info.param);
                         });

// --- A module window: its read and its Apply ---

const std::vector<std::string> kTavixReadToChannel4{
    "INST:SEL \"Tavix:1\"",
    "OUTP:AUD:CHAN1:AMPL?;:OUTP:AUD:CHAN1:FREQ?;:OUTP:AUD:CHAN1:CLIC?",
    "OUTP:AUD:CHAN2:AMPL?;:OUTP:AUD:CHAN2:FREQ?;:OUTP:AUD:CHAN2:CLIC?",
    "OUTP:AUD:CHAN3:AMPL?;:OUTP:AUD:CHAN3:FREQ?;:OUTP:AUD:CHAN3:CLIC?",
    "OUTP:AUD:CHAN4:AMPL?;:OUTP:AUD:CHAN4:FREQ?;:OUTP:AUD:CHAN4:CLIC?",
};

class ModuleTimeout : public Rounds<TavixFixture>, public ::testing::WithParamInterface<Fault> {};

TEST_P(ModuleTimeout, AReadThatRunsOutOpensNoWindow) {
    ShortenLinkLimits();
    Arm(*m_sim, GetParam(), kTavixReadToChannel4.back());
    std::vector<Round> rounds{{{kAborted}, kTavixReadToChannel4}};
    if (GetParam() == Fault::Overlong)
        rounds = {{{kOverlong}, kTavixReadToChannel4},
                  {{kAborted}, {kTavixReadToChannel4[0], kTavixReadToChannel4[1]}}};
    RunRounds(rounds, [&] {
        EXPECT_EQ(Open(), nullptr);
        EXPECT_FALSE(WindowOpen());
    });
    EXPECT_EQ(Frame()->Children().size(), 0u);
}

TEST_P(ModuleTimeout, AnApplyThatRunsOutKeepsTheChanges) {
    CTavixView* view = Open();
    ASSERT_NE(view, nullptr);
    TakeLines();
    view->ClickButton(IDC_TAVIX_BITS20);
    ShortenLinkLimits();
    const std::string select = "INST:SEL \"Tavix:1\"";
    const std::string bits = "OUTP:AUD:NBIT 20";
    std::vector<Round> rounds;
    switch (GetParam()) {
        case Fault::Withheld:
            Arm(*m_sim, Fault::Withheld, "*OPC?");
            rounds = {{{kAborted}, {select, bits, "*OPC?"}}};
            break;
        case Fault::StopsReading:
            Arm(*m_sim, Fault::StopsReading, bits);
            rounds = {{{kAborted}, {select, bits}}};
            break;
        case Fault::Overlong:
            // The bits went out and are no longer pending; the second Apply sends the rest.
            Arm(*m_sim, Fault::Overlong, "*OPC?");
            rounds = {{{kOverlong}, {select, bits, "*OPC?"}}, {{kAborted}, {select, "*OPC?"}}};
            break;
    }
    RunRounds(rounds, [&] { view->ClickButton(IDC_MODULE_APPLY); });
    EXPECT_TRUE(WindowOpen());
    EXPECT_TRUE(Doc()->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Corvane, ModuleTimeout,
                         ::testing::Values(Fault::Withheld, Fault::StopsReading, Fault::Overlong),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return FaultName(info.param);
                         });

}  // namespace
}  // namespace corvane::testing
