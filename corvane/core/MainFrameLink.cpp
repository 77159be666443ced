// The frame's side of the command link: the link itself is a CCommandLink; the frame adds the
// instrument's address, the status text while connecting and the status-bar services the
// documents use while they talk to the instrument.
#include <QProgressBar>

#include "corvane/core/CorvaneApp.h"
#include "corvane/core/MainFrame.h"
#include "platform/MessageBox.h"

namespace corvane {

int CMainFrame::Connect() {
    if (m_link.IsConnected())
        return 1;
    ShowStatusText("Connecting...");
    return m_link.Connect(CorvaneApp()->GetTargetHost());
}

int CMainFrame::SendCommand(const std::string& command) {
    return m_link.SendCommand(command);
}

int CMainFrame::ReceiveLine(std::string& reply) {
    return m_link.ReceiveLine(reply);
}

int CMainFrame::Query(const std::string& command, std::string& reply) {
    return m_link.Query(command, reply);
}

int CMainFrame::Disconnect() {
    return m_link.Disconnect();
}

void CMainFrame::ReportSocketError() {
    CCommandLink::ReportSocketError();
}

void CMainFrame::ShowStatusText(const std::string& text) {
    if (m_wndStatusBar.IsWindow())
        m_wndStatusBar.SetPaneText(0, text, true);
}

QRect CMainFrame::ProgressRect(const QRect& pane, bool withText) {
    if (!withText)
        return pane;
    // The bar takes the right part of the pane, leaving room for the text; the left edge
    // follows the old rule exactly (a quarter of the pane only when it starts at 0).
    const int left = pane.left();
    const int right = pane.left() + pane.width();
    QRect rect = pane;
    rect.setLeft(right - (left + right) / 4);
    return rect;
}

int CMainFrame::CreateProgressInStatusBar(platform::CProgressCtrl& progress, unsigned style,
                                          const char* text) {
    if (!m_wndStatusBar.IsWindow())
        return 0;
    progress.Create(style, ProgressRect(m_wndStatusBar.GetItemRect(0), text != nullptr),
                    &m_wndStatusBar, -1);
    if (text != nullptr)
        ShowStatusText(text);
    return 1;
}

void CMainFrame::ShowErrorMessage(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

}  // namespace corvane
