// A Corvane with one module of a model in a slot of its simulated instrument, and that
// module's window opened the way the operator opens it (File > Open Module > Slot n).
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/InstrumentLink.h"
#include "corvane/core/MainFrame.h"
#include "platform/Document.h"
#include "platform/MdiChildWnd.h"
#include "quarnsim/Instrument.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {

// The main frame's link as a window's document sees it, broken just before one command goes
// out, as when the instrument goes away in the middle of an Apply.
class FrameLinkBrokenBefore : public IInstrumentLink {
public:
    FrameLinkBrokenBefore(CMainFrame& frame, std::string before)
        : m_frame(frame), m_before(std::move(before)) {}
    int SendCommand(const std::string& command) override {
        BreakIfDue(command);
        return m_frame.SendCommand(command);
    }
    int Query(const std::string& command, std::string& reply) override {
        BreakIfDue(command);
        return m_frame.Query(command, reply);
    }

private:
    void BreakIfDue(const std::string& command) {
        if (command == m_before) {
            m_before.clear();
            m_frame.Disconnect();
        }
    }
    CMainFrame& m_frame;
    std::string m_before;
};

template <typename DocT, typename ViewT>
class ModuleWindowFixture : public CorvaneFixture {
protected:
    ModuleWindowFixture(std::string model, int slot) : m_model(std::move(model)), m_slot(slot) {}

    void SetUp() override {
        CorvaneFixture::SetUp();
        std::vector<quarnsim::ModuleSpec> modules{{m_model, m_slot}};
        modules.insert(modules.end(), m_others.begin(), m_others.end());
        StartReady(modules);
    }

    quarnsim::Instrument& Instrument() { return m_sim->GetInstrument(); }
    void Seed(const std::string& header, const std::string& value) {
        ASSERT_EQ(Instrument().SetModuleSetting(m_slot, header, value), 1)
            << header << " " << value;
    }
    std::string Setting(const std::string& header) {
        return Instrument().ModuleSetting(m_slot, header);
    }

    // Opens the module's slot; null when no window opened.
    ViewT* Open() {
        Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST + m_slot - 1);
        DocT* doc = Doc();
        if (doc == nullptr || doc->GetViews().empty())
            return nullptr;
        return dynamic_cast<ViewT*>(doc->GetViews().front());
    }
    DocT* Doc() const { return dynamic_cast<DocT*>(SlotDoc()); }
    bool WindowOpen() const { return SlotDoc() != nullptr; }

    // Runs the event loop until the window is gone (a child frame closes from the loop);
    // false when it is still open after a generous while.
    bool WaitUntilClosed() {
        QElapsedTimer timer;
        timer.start();
        while (WindowOpen() && timer.elapsed() < 5000) QCoreApplication::processEvents();
        return !WindowOpen();
    }
    // Runs what the event loop has queued, such as a close that must not happen.
    static void RunPendingEvents() {
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    }

    const std::string m_model;
    const int m_slot;
    // Modules in other slots, set before SetUp.
    std::vector<quarnsim::ModuleSpec> m_others;

private:
    platform::CDocument* SlotDoc() const {
        return Frame()->m_slotDoc[static_cast<size_t>(m_slot - 1)];
    }
};

}  // namespace corvane::testing
