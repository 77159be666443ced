// Nimbrel's main form: an MDI window with three view slots, the opened bitmap (0), the frame
// bitmap built from it for the selected format (1) and the preview of a picture file (2), and
// the commands that fill them, save them and build picture files.
//
// A slot's bitmap is shared with whatever loop works on it, and a new bitmap replaces the
// slot's only once it is complete, so a failed or cancelled command leaves every slot as it
// was. While a loop runs the progress form is application-modal and the form refuses to
// close, so nothing a loop uses can be freed under it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "nimbrel/MainSwitches.h"
#include "nimbrel/ui/CSettingMngInfo.h"
#include "platform/Bitmap.h"

class QAction;
class QCheckBox;
class QMdiArea;
class QMenu;
class QToolBar;

namespace nimbrel {

class BuildProgress;
class CFileMakeInfo;
class TMDIChild;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    enum Slot { kSlotBmp = 0, kSlotFrame = 1, kSlotPic = 2, kSlotCount = 3 };
    enum ActionId {
        kActOpen,
        kActSaveFrame,
        kActSavePic,
        kActExit,
        kActBuildFrame,
        kActBuildPicFile,
        kActBuildPicBmp,
        kActCascade,
        kActHorizontal,
        kActVertical,
        kActMinimizeAll,
        kActArrangeIcon,
        kActTool,
        kActAbout,
        kActionCount,
    };

    // The job and the settings live for the whole program and outlive the form.
    TMainForm(CFileMakeInfo& job, CSettingMngInfo& settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The forms made after this one; any may be null (its command then does nothing).
    void SetForms(QDialog* aboutBox, BuildProgress* progress, QWidget* toolForm);

    // The handlers of the commands, callable directly as the menus call them.
    void FormCreate();
    void FileOpenExecute();
    void FileSaveFrameBmpExecute();
    void FileSavePicBmpExecute();
    void FileExitExecute();
    void BuildFrameBmpExecute();
    void BuildPicBmpExecute();
    void BuildPicFileExecute();
    void ClickFormatMenu(int index);
    void ClickBackColorMenu(int index);
    void ClickFilterMenu(int index);
    void HelpAboutExecute();
    void ToolExecute();

    // The switches of the main ini as read when the form was created.
    const MainSwitches& Switches() const { return m_switches; }
    QAction* Action(ActionId id) const { return m_actions[id]; }
    QMenu* FormatMenu() const { return m_formatMenu; }
    QMenu* BackgroundMenu() const { return m_backgroundMenu; }
    QMenu* FilterMenu() const { return m_filterMenu; }
    QCheckBox* GbrCheck() const { return m_gbrCheck; }
    bool GbrCheckShown() const;
    QMdiArea* MdiArea() const { return m_mdi; }
    TMDIChild* SlotWindow(int slot) const;
    std::shared_ptr<const platform::Bitmap> SlotBitmap(int slot) const;
    int LeftEdge() const { return m_leftEdge; }
    int RightMargin() const { return m_rightMargin; }
    const std::string& LastPicPath() const { return m_picPath; }
    bool LoopRunning() const { return m_loopRunning; }
    QString MainStatus() const;

    // The message code of a BMP read's outcome: 28 not 24 bits per pixel, 29 not a plain
    // device-independent bitmap, 26 any other failure.
    static int BitmapLoadCode(platform::Bitmap::ReadStatus status);
    // "Device", "1bit" ... "32bit", "Custom"; "Invalid" for a slot without a bitmap.
    static const char* PixelFormatName(const platform::Bitmap* bitmap);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ViewSlot {
        QPointer<TMDIChild> window;
        std::shared_ptr<platform::Bitmap> bitmap;
        int width = 0;
        int height = 0;
    };

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void FillSettingMenus();
    void SyncSettingMenus();
    void ApplyHints();
    void ApplyGbrCheckVisibility();

    void ShowCode(int code) const;
    bool Confirm(int code, const std::string* fileName = nullptr) const;
    int LoadBitmap(const std::string& path, platform::Bitmap& out) const;
    // Puts a picture in a slot's window, making the window when there is none.
    TMDIChild* ShowInSlot(int slot, const std::string& path, platform::Bitmap picture);
    // A window just added to the area: its place and size inside the client area.
    void PlaceNewWindow(TMDIChild* window);
    void SetLoadingStatus(int slot, bool updating);
    void SetDoneStatus(int slot);
    // Builds the frame bitmap from `path`; updating: the frame window is being refreshed.
    void BuildFrameFrom(const std::string& path, bool updating);
    void SaveSlot(int slot);
    void OnChildClosed(int slot);

    CFileMakeInfo& m_job;
    CSettingMngInfo& m_settings;
    MainSwitches m_switches;
    std::array<std::string, kHintCount> m_hints;

    QMdiArea* m_mdi = nullptr;
    std::array<QAction*, kActionCount> m_actions{};
    QMenu* m_toolMenu = nullptr;
    QMenu* m_settingMenu = nullptr;
    QMenu* m_formatMenu = nullptr;
    QMenu* m_backgroundMenu = nullptr;
    QMenu* m_filterMenu = nullptr;
    std::vector<QAction*> m_formatItems;
    std::vector<QAction*> m_backgroundItems;
    std::vector<QAction*> m_filterItems;
    QToolBar* m_toolBar = nullptr;
    QCheckBox* m_gbrCheck = nullptr;
    QAction* m_gbrCheckAction = nullptr;

    QPointer<QDialog> m_aboutBox;
    BuildProgress* m_progress = nullptr;
    QPointer<QWidget> m_toolForm;

    std::array<ViewSlot, kSlotCount> m_slots;
    std::string m_bmpPath;       // last opened bitmap
    std::string m_framePath;     // bitmap the frame bitmap was last built from
    std::string m_savedBmpPath;  // last saved bitmap
    std::string m_picPath;       // last picture file
    int m_leftEdge = 0;
    int m_rightMargin = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_loopRunning = false;
    bool m_choicesSaved = false;
};

}  // namespace nimbrel
