// CWinApp: the one application object of a program.
//
// RunProgram does what the framework's entry did: InitInstance, then the event loop while the
// main window lives, then ExitInstance. A program whose main window is destroyed during
// InitInstance ends without entering the loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/CmdTarget.h"
#include "platform/DocTemplate.h"
#include "platform/Profile.h"

namespace platform {

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(std::string appName);
    ~CWinApp() override;

    virtual bool InitInstance();
    virtual int ExitInstance();
    // InitInstance, the event loop, ExitInstance. Returns the process exit status: 1 when
    // InitInstance failed, else the loop's status.
    int RunProgram();

    // The profile under "company\appName"; SetRegistryKey chooses the company.
    void SetRegistryKey(const std::string& company);
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = {}) const;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value);
    int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);

    void AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CMultiDocTemplate>>& DocTemplates() const {
        return m_templates;
    }
    bool SaveAllModified();
    void CloseAllDocuments();

    const std::string& AppName() const { return m_appName; }
    void OnMainWindowDestroyed();

    CWnd* m_pMainWnd = nullptr;

private:
    std::string m_appName;
    std::unique_ptr<Profile> m_profile;
    std::vector<std::unique_ptr<CMultiDocTemplate>> m_templates;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

}  // namespace platform
