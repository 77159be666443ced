// A Corvane under test against its own simulated instrument.
//
// Each test gets a fresh settings folder, a simulator on a loopback address of its own (so
// tests run in parallel on the fixed port 5000) and a Corvane started as the operator would
// start it: the Ethernet dialog is answered through the dialog hook and every message box
// must be expected.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "corvane/core/CorvaneApp.h"
#include "corvane/core/MainFrame.h"
#include "platform/Dialog.h"
#include "quarnsim/Simulator.h"
#include "tests/support/BoxScript.h"
#include "tests/support/DialogScript.h"

namespace corvane::testing {

class CorvaneFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulator with these modules ("Tavix:1" style) and optional options.
    void StartSimulator(const std::vector<quarnsim::ModuleSpec>& modules = {},
                        const std::function<void(quarnsim::Options&)>& adjust = {});
    // Writes a setting before Corvane starts.
    void WriteSetting(const std::string& key, const std::string& value);
    std::string ReadSetting(const std::string& key);

    // Runs the start-up. The Ethernet dialog is answered by `ethernet` (default: OK with the
    // address already shown, which is the simulator's).
    bool StartCorvane(std::function<void(platform::CDialog&)> ethernet = {});
    // Start-up that must reach "Ready".
    void StartReady(const std::vector<quarnsim::ModuleSpec>& modules = {});

    // Queue the handler of the next modal dialog; an unexpected dialog fails the test.
    void ExpectDialog(int templateId, std::function<void(platform::CDialog&)> handler);

    CMainFrame* Frame() const;
    bool MainWindowAlive() const;
    // Lines the simulator received since the last call.
    std::vector<std::string> TakeLines();
    std::string PaneText() const;
    // Texts of a File submenu found by its title.
    std::vector<std::string> SubmenuTexts(const std::string& title) const;
    static void SaveScreenshot(QWidget* widget, const std::string& name);

    QTemporaryDir m_temp;
    std::string m_address;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    std::unique_ptr<CCorvaneApp> m_app;
    testsupport::BoxScript m_boxes;
    testsupport::DialogScript m_dialogs;
    bool m_initResult = false;
};

// Answers the Ethernet dialog by typing an address, then OK.
std::function<void(platform::CDialog&)> TypeAddressAndOk(const std::string& address);

}  // namespace corvane::testing
