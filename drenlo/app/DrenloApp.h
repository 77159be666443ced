// CDrenloApp: Drenlo's application object. It loads the settings, makes the link, registers
// the single-document template, shows the explorer window and asks for the instrument's
// address at once; Cancel there leaves Drenlo running without a connection. At exit it
// writes the settings back (the frame and the list hand theirs back when their windows go,
// which is before the save).
//
// PC paths are POSIX paths: the folder the copy dialogs start in defaults to the operator's
// home folder, and the editor of sequence files to $VISUAL or $EDITOR (empty: the desktop's
// default application for the file). The editor path is never stored.
#pragma once

#include <memory>
#include <string>

#include "drenlo/app/DrenloSettings.h"
#include "platform/SingleDocTemplate.h"
#include "platform/WinApp.h"

namespace drenlo {

class CMainFrame;
class CQuarnComm;

class CDrenloApp : public platform::CWinApp {
public:
    // The address a fresh installation points at, until the operator gives another.
    static constexpr const char* kDefaultTargetHost = "192.168.0.100";

    CDrenloApp();
    ~CDrenloApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    int LoadSettings();
    void SaveSettings();

    void GetFrameSettings(int& left, int& top, int& width, int& height) const;
    void SetFrameSettings(int left, int top, int width, int height, int treeWidth);
    int GetTreeWidth() const { return m_privateSetting.Get(CDrenloSettings::kTreeWidth); }
    void GetListSettings(int& viewMode, int& sortKey, int& nameWidth, int& sizeWidth) const;
    void SetListSettings(int viewMode, int sortKey, int nameWidth, int sizeWidth);
    const std::string& GetLocalPath() const { return m_localPath; }
    void SetLocalPath(const std::string& path) { m_localPath = path; }

    CMainFrame* GetMainFrame() const;
    CQuarnComm* GetComm() const { return m_comm.get(); }

    std::unique_ptr<CQuarnComm> m_comm;
    std::string m_editorPath;
    std::string m_localPath;
    CDrenloSettings m_privateSetting;

private:
    std::unique_ptr<platform::CSingleDocTemplate> m_template;
};

// The running application object; null when it is not a CDrenloApp.
CDrenloApp* DrenloApp();

}  // namespace drenlo
