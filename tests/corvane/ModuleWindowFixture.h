// A Corvane with one module of a model in a slot of its simulated instrument, and that
// module's window opened the way the operator opens it (File > Open Module > Slot n).
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "corvane/core/InstrumentLink.h"
#include "corvane/core/MainFrame.h"
#include "platform/Document.h"
#include "platform/MdiChildWnd.h"
#include "platform/MessageBox.h"
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

// An operator's action on the pages of a module's window, and the lines the next Apply sends
// for it between the module's selection and the closing "*OPC?".
template <typename ViewT>
struct PageAction {
    const char* name;
    std::function<void(ViewT&)> act;
    std::vector<std::string> sent;
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
    // Opens the module's slot and forgets the opening's lines.
    virtual ViewT* OpenQuiet() {
        ViewT* view = Open();
        TakeLines();
        return view;
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
    // Closes the window by `button` (IDC_MODULE_OK, IDC_MODULE_CANCEL, or 0 for the frame's
    // close) and answers the apply question `question` with `answer`: the window is gone
    // unless the answer was Cancel.
    void CloseAnswering(ViewT& view, int button, const std::string& question, int answer) {
        m_boxes.Expect(question, platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION, answer);
        const bool closes = answer != platform::IDCANCEL;
        if (button == 0)
            EXPECT_EQ(Frame()->Children().front()->OnClose(), closes);
        else
            view.ClickButton(button);
        if (closes) {
            EXPECT_TRUE(WaitUntilClosed());
        }
        RunPendingEvents();
        EXPECT_EQ(WindowOpen(), !closes);
        EXPECT_EQ(m_boxes.Pending(), 0u);
    }

    // Opens the window, does `act` on it and applies: the document is changed until the Apply
    // sends `expected` (with `leading`, its lines begin with them) and unchanged after it. The
    // window is closed again.
    void ApplyPageAction(const std::function<void(ViewT&)>& act,
                         const std::vector<std::string>& expected, bool leading = false) {
        ViewT* view = OpenQuiet();
        ASSERT_NE(view, nullptr);
        act(*view);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_TRUE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        ASSERT_TRUE(view->ClickButton(IDC_MODULE_APPLY));
        std::vector<std::string> sent = TakeLines();
        if (leading)
            sent.resize(std::min(sent.size(), expected.size()));
        EXPECT_EQ(sent, expected);
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_FALSE(view->IsDlgItemEnabled(IDC_MODULE_APPLY));
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
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
