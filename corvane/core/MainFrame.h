// CMainFrame: Corvane's main window.
//
// It owns the program's one command link to the instrument (a CCommandLink it forwards to,
// MainFrameLink.cpp), the connection sequence with the firmware check and the module catalogue
// (MainFrameConnect.cpp), the preset commands (MainFramePresets.cpp), and the status bar, the
// Open Module menu and the table of open editor windows (MainFrame.cpp). Every document,
// view and page reaches the instrument through it as the application's main window.
#pragma once

#include <array>
#include <string>

#include "corvane/core/CommandLink.h"
#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/ModuleKind.h"
#include "platform/MdiFrameWnd.h"
#include "platform/StatusBar.h"

namespace platform {
class CDocument;
}  // namespace platform

namespace corvane {

class CMainFrame : public platform::CMDIFrameWnd, public IInstrumentLink {
public:
    CMainFrame();
    ~CMainFrame() override;

    // --- Command link (the frame's CCommandLink) ---
    int Connect();
    int SendCommand(const std::string& command) override;
    int ReceiveLine(std::string& reply);
    int Query(const std::string& command, std::string& reply) override;
    int Disconnect();
    void ReportSocketError();
    void ShowStatusText(const std::string& text);
    int CreateProgressInStatusBar(platform::CProgressCtrl& progress, unsigned style,
                                  const char* text);
    // The rectangle of the progress bar in a pane: all of it, or its right part with a text.
    static QRect ProgressRect(const QRect& pane, bool withText);
    bool IsConnected() const { return m_link.IsConnected(); }

    // --- Connection sequence ---
    int RunConnectSequence();
    int CheckFirmware();
    int ReadModuleCatalog();
    ModuleKind ModuleKindFromName(const std::string& name);

    // --- Presets ---
    int ReadPresetNames();
    void BuildPresetMenus();
    void RecallPreset(const std::string& name);
    int SavePreset(const std::string& name);
    void SaveNumberedPreset(int index);
    void RenamePreset(int index);
    void DeletePreset(int index);

    // --- Frame and module opening ---
    platform::CDocument* OpenModuleDocument(const std::string& name, int slot);
    void OpenMainframe();
    void OpenModule(int index);
    void BuildOpenModuleMenu();
    // Called by a module document's destructor; clears the entry only when it is that
    // document's. Returns the index.
    int SlotDocClosed(int index, const platform::CDocument* document);
    // Called by the mainframe view's destructor.
    void MainframeDocClosed(const platform::CDocument* document);
    void GetMessageString(int id, std::string& message) const override;
    int OnCreate() override;

    // State read by documents, views and tests.
    double m_firmwareVersion = 0.0;
    int m_hasKintor = 0;
    int m_hasBrumo = 0;
    int m_hasUlmeth = 0;
    std::array<std::string, kSlotCount> m_slotText;
    std::string m_catalogReply;
    platform::CStatusBar m_wndStatusBar;
    int m_userDefaultUsed = 0;
    platform::CDocument* m_mainframeDoc = nullptr;
    std::array<platform::CDocument*, kSlotCount> m_slotDoc{};

private:
    void RegisterCommands();
    void RegisterRelay();
    void RelayToSlots(platform::UINT message, platform::WPARAM wParam);
    void PlaceWindow();
    void StorePlacement();
    // Sends a command that changes settings, then "*OPC?" and "SYST:ERR?". Returns false
    // when the exchange failed (a send failed or a reply came back empty); otherwise the
    // error number is in `error` and the error reply in `errorReply`.
    bool SendAndCheck(const std::string& command, int& error, std::string& errorReply);
    // The preset-name failure message after a failed read (start-up and recall).
    bool ReportPresetReadFailure();
    void ShowErrorMessage(const std::string& text);
    void ReopenAllDocuments();

    CCommandLink m_link;
};

// The main window as the documents see it.
CMainFrame* MainFrame();

}  // namespace corvane
