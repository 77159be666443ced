// A module document without any window: it talks to a simulated instrument through a link of
// its own and reports its progress to a recorder. No Corvane runs.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/CommandLink.h"
#include "corvane/modules/common/ProgressSink.h"
#include "platform/MessageBox.h"
#include "quarnsim/Instrument.h"
#include "tests/corvane/CorvaneFixture.h"
#include "tests/corvane/SimulatorLog.h"

namespace corvane::testing {

// One run of a sink: what it said, its range, how often it stepped and whether it ended.
struct ProgressRecord {
    std::string text;
    int steps = 0;
    int position = 0;
    bool ended = false;
    bool operator==(const ProgressRecord&) const = default;
};
inline void PrintTo(const ProgressRecord& run, std::ostream* out) {
    *out << "{\"" << run.text << "\", " << run.steps << " steps, at " << run.position
         << (run.ended ? ", ended}" : ", running}");
}

class RecordingProgress : public IProgressSink {
public:
    void Begin(const std::string& text, int steps) override { m_runs.push_back({text, steps}); }
    // Counted without a cap: a model that steps past its range shows here.
    void Step() override { ++m_runs.back().position; }
    void SetSteps(int steps) override { m_runs.back().steps = steps; }
    void SetPosition(int position) override { m_runs.back().position = position; }
    void End() override { m_runs.back().ended = true; }
    void ShowStatus(const std::string& text) override { m_statuses.push_back(text); }

    // The runs and status texts since the last call.
    std::vector<ProgressRecord> TakeRuns() { return std::exchange(m_runs, {}); }
    std::vector<std::string> TakeStatuses() { return std::exchange(m_statuses, {}); }

private:
    std::vector<ProgressRecord> m_runs;
    std::vector<std::string> m_statuses;
};

// The fixture's link as the document sees it. It can break the link just before a given
// command goes out, so that the send fails on the closed socket as it does when the
// instrument goes away.
class BreakableLink : public IInstrumentLink {
public:
    explicit BreakableLink(CCommandLink& link) : m_link(link) {}
    void BreakBefore(std::string command) { m_breakBefore = std::move(command); }

    int SendCommand(const std::string& command) override {
        BreakIfDue(command);
        return m_link.SendCommand(command);
    }
    int Query(const std::string& command, std::string& reply) override {
        BreakIfDue(command);
        return m_link.Query(command, reply);
    }

private:
    void BreakIfDue(const std::string& command) {
        if (!m_breakBefore.empty() && command == m_breakBefore) {
            m_breakBefore.clear();
            m_link.Disconnect();
        }
    }
    CCommandLink& m_link;
    std::string m_breakBefore;
};

template <typename DocT>
class ModuleDocFixture : public CorvaneFixture {
protected:
    ModuleDocFixture(std::string model, int slot) : m_model(std::move(model)), m_slot(slot) {}

    void SetUp() override {
        CorvaneFixture::SetUp();
        StartSimulator({{m_model, m_slot}});
        ASSERT_EQ(m_link.Connect(m_address), 1);
        m_doc = std::make_unique<DocT>();
        m_doc->SetLink(&m_breakable);
        m_doc->SetProgressSink(&m_progress);
        m_doc->m_slot = m_slot;
    }
    void TearDown() override {
        m_doc.reset();
        m_link.Disconnect();
        CorvaneFixture::TearDown();
    }

    quarnsim::Instrument& Instrument() { return m_sim->GetInstrument(); }
    void Seed(const std::string& header, const std::string& value) {
        ASSERT_EQ(Instrument().SetModuleSetting(m_slot, header, value), 1)
            << header << " " << value;
    }
    // Breaks the link just before `command` goes out (none when empty); the send then fails
    // with the closed link's box.
    void BreakBefore(const std::string& command) {
        if (command.empty())
            return;
        m_breakable.BreakBefore(command);
        m_boxes.Expect("Descriptor is not socket.", platform::MB_ICONSTOP, platform::IDOK);
    }
    // A link broken by BreakBefore comes back as a new connection.
    void Reconnect() { ASSERT_EQ(m_link.Connect(m_address), 1); }
    // The lines received once there are `count` of them (SimulatorLog.h).
    std::vector<std::string> TakeLines(size_t count) { return TakeLinesCount(*m_sim, count); }
    using CorvaneFixture::TakeLines;

    const std::string m_model;
    const int m_slot;
    CCommandLink m_link;
    BreakableLink m_breakable{m_link};
    RecordingProgress m_progress;
    std::unique_ptr<DocT> m_doc;
};

}  // namespace corvane::testing
