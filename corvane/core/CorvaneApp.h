// CCorvaneApp: Corvane's application object. It starts the socket support, loads the
// settings, registers the document templates, creates the main frame and runs the connection
// sequence before the event loop starts; when the sequence fails the program ends.
#pragma once

#include <string>

#include "platform/WinApp.h"

namespace corvane {

class CMainFrame;

class CCorvaneApp : public platform::CWinApp {
public:
    CCorvaneApp();
    ~CCorvaneApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    const std::string& GetTargetHost() const { return m_targetHost; }
    void SetTargetHost(const std::string& host);
    void GetFramePlacement(int& x, int& y, int& width, int& height) const;
    void SetFramePlacement(int x, int y, int width, int height);
    void OnAppAbout();

    CMainFrame* GetMainFrame() const;

    std::string m_targetHost;
    int m_windowX = -1;
    int m_windowY = -1;
    int m_windowWidth = 720;
    int m_windowHeight = 560;

    // The address a fresh installation points at, until the operator gives another.
    static constexpr const char* kDefaultTargetHost = "192.168.0.100";

private:
    void LoadSettings();
    void RegisterDocTemplates();
    std::unique_ptr<CMainFrame> m_mainFrame;
};

CCorvaneApp* CorvaneApp();

}  // namespace corvane
