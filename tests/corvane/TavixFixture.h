// A Corvane with a Tavix in slot 1 of its simulated instrument, and the Tavix window opened
// the way the operator opens it (File > Open Module > Slot 1).
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <string>
#include <vector>

#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixView.h"
#include "platform/Document.h"
#include "platform/MdiChildWnd.h"
#include "quarnsim/Instrument.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"
#include "resources/corvane/TavixForms.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {

class TavixFixture : public CorvaneFixture {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        StartReady({{"Tavix", 1}});
        // No frame reset present unless a test gives one.
        Instrument().SetFrameReset(1, "0.0", {});
        Instrument().SetFrameReset(2, "0.0", {});
        for (const auto& t : m_app->DocTemplates()) {
            std::string name;
            t->GetDocString(name, platform::CMultiDocTemplate::docName);
            if (name == "Tavix")
                t->SetFactories([] { return std::make_unique<CTavixDoc>(); },
                                [] { return std::make_unique<CTavixView>(); });
        }
    }

    quarnsim::Instrument& Instrument() { return m_sim->GetInstrument(); }
    void Seed(const std::string& header, const std::string& value) {
        ASSERT_EQ(Instrument().SetModuleSetting(1, header, value), 1) << header << " " << value;
    }
    std::string Setting(const std::string& header) { return Instrument().ModuleSetting(1, header); }

    // Opens slot 1; null when no window opened.
    CTavixView* Open() {
        Frame()->ExecuteCommand(ID_OPEN_SLOT_FIRST);
        auto* doc = dynamic_cast<CTavixDoc*>(Frame()->m_slotDoc[0]);
        if (doc == nullptr || doc->GetViews().empty())
            return nullptr;
        return dynamic_cast<CTavixView*>(doc->GetViews().front());
    }
    CTavixDoc* Doc() const { return dynamic_cast<CTavixDoc*>(Frame()->m_slotDoc[0]); }
    bool WindowOpen() const { return Frame()->m_slotDoc[0] != nullptr; }

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
};

}  // namespace corvane::testing
