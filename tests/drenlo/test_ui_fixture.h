// Drenlo under test against its own simulated instrument.
//
// Each test gets a fresh settings folder, a PC folder, a simulator on a loopback address of
// its own with a small file system seeded on disk, and a Drenlo started as the operator
// starts it: the Ethernet dialog is answered through the dialog hook, every message box must
// be expected, and file dialogs are answered by a scripted answerer.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drenlo/app/DrenloApp.h"
#include "drenlo/comm/QuarnComm.h"
#include "drenlo/ui/MainFrame.h"
#include "drenlo/ui/UiListView.h"
#include "drenlo/ui/UiTreeView.h"
#include "platform/Dialog.h"
#include "platform/FileDialogs.h"
#include "quarnsim/Simulator.h"
#include "tests/support/BoxScript.h"
#include "tests/support/DialogScript.h"

namespace drenlo::testing {

class DrenloFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The seeded instrument: /F0:/Tavix/SIGNAL (files of several types), /F0:/Tavix/PICTURE,
    // /F0:/Tavix/EMPTY and /F0:/Oltra, with names that the instrument lists with escapes.
    void StartSimulator();
    void WriteSetting(const std::string& key, const std::string& value);
    std::string ReadSetting(const std::string& key);
    // Runs the start-up; the Ethernet dialog is answered by `ethernet` (default: OK with the
    // address shown, which is the simulator's).
    bool StartDrenlo(std::function<void(platform::CDialog&)> ethernet = {});
    // Simulator, then start-up that connects and fills the tree.
    void StartConnected();

    CMainFrame* Frame() const;
    CUiTreeView* Tree() const { return Frame()->TreeView(); }
    CUiListView* List() const { return Frame()->ListView(); }
    CQuarnComm* Comm() const { return m_app->GetComm(); }

    std::vector<std::string> TakeLines();
    // Lines the simulator received since the last TakeLines that begin with `prefix`.
    int CountLines(const std::string& prefix);
    std::vector<std::string> ListNames() const;
    int ListIndex(const std::string& name) const;
    void SelectListItems(const std::vector<std::string>& names);
    std::vector<std::string> TreeChildren(platform::HTREEITEM item) const;
    // Selects the tree folder with this path ("/F0:/Tavix/SIGNAL"), expanding on the way.
    platform::HTREEITEM OpenFolder(const std::string& path);

    std::string InstrumentFile(const std::string& relative) const;
    std::string PcFile(const std::string& name) const;
    static void WriteFile(const std::string& path, const std::string& data);
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);
    std::vector<std::string> PcFolderNames() const;

    // Answers the next file dialogs in order with these paths (empty: Cancel).
    void AnswerFileDialogs(std::vector<std::vector<std::string>> answers);
    // Runs the event loop until the running job has ended and the link is back.
    bool WaitForJobEnd(int seconds = 60);
    static void Pump(int ms);
    static void SaveScreenshot(QWidget* widget, const std::string& name);

    QTemporaryDir m_temp;
    std::string m_address;
    std::string m_instrumentRoot;
    std::string m_pcFolder;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    std::unique_ptr<CDrenloApp> m_app;
    testsupport::BoxScript m_boxes;
    testsupport::DialogScript m_dialogs;
    std::deque<std::vector<std::string>> m_fileAnswers;
    std::vector<platform::FileDialogRecord> m_fileDialogs;
    platform::FileDialogAnswerer m_previousAnswerer;
    bool m_initResult = false;
    // Set before StartSimulator: an empty folder is listed as "<used>,<free>,".
    bool m_emptyCatalogComma = false;
};

}  // namespace drenlo::testing
