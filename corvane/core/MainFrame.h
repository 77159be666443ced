// CMainFrame: Corvane's main window.
//
// It owns the one connection to the instrument and every exchange on it (MainFrameLink.cpp),
// the connection sequence with the firmware check and the module catalogue
// (MainFrameConnect.cpp), the preset commands (MainFramePresets.cpp), and the status bar, the
// Open Module menu and the table of open editor windows (MainFrame.cpp). Every document,
// view and page reaches the instrument through it as the application's main window.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <string>

#include "corvane/core/InstrumentLink.h"
#include "corvane/core/ModuleKind.h"
#include "platform/MdiFrameWnd.h"
#include "platform/Socket.h"
#include "platform/StatusBar.h"

namespace platform {
class CDocument;
class CSocketDeadline;
}  // namespace platform

namespace corvane {

class CMainFrame : public platform::CMDIFrameWnd, public IInstrumentLink {
public:
    CMainFrame();
    ~CMainFrame() override;

    // --- Command link ---
    // The longest any send or reply line may take. An instrument that says nothing for this
    // long is taken as gone: the exchange fails with "Connection aborted" and the link closes.
    static constexpr std::chrono::milliseconds kLinkTimeout{30000};
    // For tests, which cannot wait that long; every frame's link takes it from then on.
    static void SetLinkTimeout(std::chrono::milliseconds timeout);
    static std::chrono::milliseconds LinkTimeout();
    // A reply is a few hundred characters at most; a line that runs past this is not a reply,
    // and reading on would only grow memory.
    static constexpr size_t kMaxReplyLine = 1024 * 1024;
    // For tests, whose overlong lines must be read whole well within a shortened time-out,
    // even by a sanitized build on a busy machine.
    static void SetMaxReplyLine(size_t length);

    int Connect();
    int SendCommand(const std::string& command) override;
    int ReceiveLine(std::string& reply);
    int Query(const std::string& command, std::string& reply) override;
    int Disconnect();
    void ReportSocketError();
    static int StripField(std::string& reply);
    void ShowStatusText(const std::string& text);
    int CreateProgressInStatusBar(platform::CProgressCtrl& progress, unsigned style,
                                  const char* text);
    // The rectangle of the progress bar in a pane: all of it, or its right part with a text.
    static QRect ProgressRect(const QRect& pane, bool withText);
    bool IsConnected() const { return m_connected != 0; }

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
    platform::CSocket m_socket;
    int m_connected = 0;
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
    // One byte of a reply within the line's time; false, with the last error set, when the
    // socket failed or the time ran out.
    bool ReceiveByte(platform::CSocketDeadline& deadline, char& byte);
    // The end of a failed read: its box and an empty reply; a read that ran out of time also
    // closes the link. Returns ReceiveLine's result.
    int FailRead(const platform::CSocketDeadline& deadline, std::string& reply);
    // Drops the rest of an over-long reply line before the next read.
    bool m_skipToLineEnd = false;
};

// The main window as the documents see it.
CMainFrame* MainFrame();

}  // namespace corvane
