#include "nimbrel/ui/TMainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "nimbrel/BuildProgress.h"
#include "nimbrel/CFileMakeInfo.h"
#include "nimbrel/MessageByCode.h"
#include "nimbrel/ui/TMDIChild.h"
#include "nimbrel/ui/ToolIcons.h"
#include "platform/MdiWindowCommands.h"

namespace nimbrel {

namespace {

// Hint indexes, in the order of MainSwitches::ReadHints.
enum Hint {
    kHintOpen,
    kHintSaveFrame,
    kHintSavePic,
    kHintExit,
    kHintBuildFrame,
    kHintBuildPicFile,
    kHintBuildPicBmp,
    kHintCascade,
    kHintHorizontal,
    kHintVertical,
    kHintMinimize,
    kHintArrange,
    kHintSetting,
    kHintBackground,
    kHintFilter,
    kHintFormat,
    kHintGbrCheck,
};

struct ActionSpec {
    const char* caption;
    const char* shortcut;
    int hint;  // -1: the hint comes from elsewhere or there is none
};

const ActionSpec kActionSpecs[TMainForm::kActionCount] = {
    {"&Open...", "Ctrl+O", kHintOpen},
    {"&Save Frame Bmp As...", "Ctrl+S", kHintSaveFrame},
    {"S&ave Pic Bmp As...", "Ctrl+A", kHintSavePic},
    {"E&xit", "Ctrl+X", kHintExit},
    {"&Build Frame Bmp", "Ctrl+B", kHintBuildFrame},
    {"Buil&d Pic File", "Ctrl+D", kHintBuildPicFile},
    {"Build &Pic Bmp", "Ctrl+P", kHintBuildPicBmp},
    {"&Cascade", "", kHintCascade},
    {"&Horizonal", "", kHintHorizontal},
    {"&Vertical", "", kHintVertical},
    {"&MinimizeAll", "", kHintMinimize},
    {"&ArrangeIcon", "", kHintArrange},
    {"&Tool...", "", -1},
    {"&About Nimbrel...", "", -1},
};

}  // namespace

TMainForm::TMainForm(CFileMakeInfo& job, CSettingMngInfo& settings, QWidget* parent)
    : QMainWindow(parent), m_job(job), m_settings(settings) {
    setWindowTitle("Nimbrel");
    setWindowIcon(ToolIcons::Make(ToolIcons::kBuildFrame));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    statusBar();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    resize(1024, 720);
    FormCreate();
}

TMainForm::~TMainForm() {
    if (m_toolForm) {
        m_toolForm->removeEventFilter(this);
    }
}

void TMainForm::SetForms(QDialog* aboutBox, BuildProgress* progress, QWidget* toolForm) {
    m_aboutBox = aboutBox;
    m_progress = progress;
    if (m_toolForm) {
        m_toolForm->removeEventFilter(this);
    }
    m_toolForm = toolForm;
    if (m_toolForm) {
        // The form is disabled while the tool is open; it comes back when the tool goes.
        m_toolForm->installEventFilter(this);
    }
}

void TMainForm::CreateActions() {
    for (int i = 0; i < kActionCount; ++i) {
        auto* action = new QAction(kActionSpecs[i].caption, this);
        if (*kActionSpecs[i].shortcut != '\0') {
            action->setShortcut(QKeySequence(kActionSpecs[i].shortcut));
        }
        m_actions[i] = action;
    }
    m_actions[kActOpen]->setIcon(ToolIcons::Make(ToolIcons::kOpen));
    m_actions[kActSaveFrame]->setIcon(ToolIcons::Make(ToolIcons::kSaveFrame));
    m_actions[kActSavePic]->setIcon(ToolIcons::Make(ToolIcons::kSavePic));
    m_actions[kActBuildFrame]->setIcon(ToolIcons::Make(ToolIcons::kBuildFrame));
    m_actions[kActBuildPicFile]->setIcon(ToolIcons::Make(ToolIcons::kBuildPicFile));
    m_actions[kActBuildPicBmp]->setIcon(ToolIcons::Make(ToolIcons::kBuildPicBmp));
    m_actions[kActCascade]->setIcon(ToolIcons::Make(ToolIcons::kCascade));
    m_actions[kActHorizontal]->setIcon(ToolIcons::Make(ToolIcons::kTileHorizontal));
    m_actions[kActVertical]->setIcon(ToolIcons::Make(ToolIcons::kTileVertical));
    m_actions[kActTool]->setIcon(ToolIcons::Make(ToolIcons::kTool));
    m_actions[kActAbout]->setIcon(ToolIcons::Make(ToolIcons::kAbout));

    auto bind = [this](ActionId id, void (TMainForm::*handler)()) {
        connect(m_actions[id], &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    bind(kActOpen, &TMainForm::FileOpenExecute);
    bind(kActSaveFrame, &TMainForm::FileSaveFrameBmpExecute);
    bind(kActSavePic, &TMainForm::FileSavePicBmpExecute);
    bind(kActExit, &TMainForm::FileExitExecute);
    bind(kActBuildFrame, &TMainForm::BuildFrameBmpExecute);
    bind(kActBuildPicFile, &TMainForm::BuildPicFileExecute);
    bind(kActBuildPicBmp, &TMainForm::BuildPicBmpExecute);
    bind(kActTool, &TMainForm::ToolExecute);
    bind(kActAbout, &TMainForm::HelpAboutExecute);
    connect(m_actions[kActCascade], &QAction::triggered, this,
            [this] { platform::MdiWindowCommands::Cascade(m_mdi); });
    connect(m_actions[kActHorizontal], &QAction::triggered, this,
            [this] { platform::MdiWindowCommands::TileHorizontal(m_mdi); });
    connect(m_actions[kActVertical], &QAction::triggered, this,
            [this] { platform::MdiWindowCommands::TileVertical(m_mdi); });
    connect(m_actions[kActMinimizeAll], &QAction::triggered, this,
            [this] { platform::MdiWindowCommands::MinimizeAll(m_mdi); });
    connect(m_actions[kActArrangeIcon], &QAction::triggered, this,
            [this] { platform::MdiWindowCommands::ArrangeIcons(m_mdi); });
}

void TMainForm::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction(m_actions[kActOpen]);
    file->addAction(m_actions[kActSaveFrame]);
    file->addAction(m_actions[kActSavePic]);
    file->addSeparator();
    file->addAction(m_actions[kActExit]);
    QMenu* build = menuBar()->addMenu("&Build");
    build->addAction(m_actions[kActBuildFrame]);
    build->addAction(m_actions[kActBuildPicFile]);
    build->addSeparator();
    build->addAction(m_actions[kActBuildPicBmp]);
    m_settingMenu = menuBar()->addMenu("&Settings");
    m_backgroundMenu = m_settingMenu->addMenu("Background");
    m_filterMenu = m_settingMenu->addMenu("Filter");
    m_formatMenu = m_settingMenu->addMenu("Format");
    QMenu* window = menuBar()->addMenu("&Window");
    for (ActionId id :
         {kActCascade, kActHorizontal, kActVertical, kActMinimizeAll, kActArrangeIcon}) {
        window->addAction(m_actions[id]);
    }
    m_toolMenu = menuBar()->addMenu("&Tool");
    m_toolMenu->addAction(m_actions[kActTool]);
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(m_actions[kActAbout]);
}

void TMainForm::CreateToolBar() {
    m_toolBar = addToolBar("Tools");
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    for (ActionId id : {kActOpen, kActSaveFrame, kActSavePic}) {
        m_toolBar->addAction(m_actions[id]);
    }
    m_toolBar->addSeparator();
    for (ActionId id : {kActBuildFrame, kActBuildPicFile, kActBuildPicBmp}) {
        m_toolBar->addAction(m_actions[id]);
    }
    m_toolBar->addSeparator();
    for (ActionId id : {kActCascade, kActHorizontal, kActVertical}) {
        m_toolBar->addAction(m_actions[id]);
    }
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actions[kActTool]);
    m_toolBar->addAction(m_actions[kActAbout]);
    m_toolBar->addSeparator();
    m_gbrCheck = new QCheckBox("GBR Output", m_toolBar);
    m_gbrCheckAction = m_toolBar->addWidget(m_gbrCheck);
}

void TMainForm::FormCreate() {
    m_switches = MainSwitches::Read(m_job.MainIni());
    m_actions[kActTool]->setVisible(m_switches.toolEnabled);
    m_toolMenu->menuAction()->setVisible(m_switches.toolEnabled);

    for (ViewSlot& slot : m_slots) {
        slot = ViewSlot{};
    }
    m_bmpPath.clear();
    m_framePath.clear();
    m_savedBmpPath.clear();
    m_picPath.clear();
    for (ActionId id : {kActSaveFrame, kActSavePic, kActBuildFrame, kActBuildPicFile}) {
        m_actions[id]->setEnabled(false);
    }

    m_hints = MainSwitches::ReadHints(m_job.MainIni(), m_switches.english);
    ApplyHints();
    m_gbrCheckAction->setVisible(false);

    m_settings.BuildFormatMenu(m_switches.english);
    FillSettingMenus();
    bool gbr = false;
    m_settings.RestoreChoices(gbr);
    m_gbrCheck->setChecked(gbr);
    // The restored choice is applied without a question; there is no frame bitmap yet.
    if (const PictureFormat* format = m_settings.SelectedFormatInfo()) {
        m_width = format->width;
        m_height = format->height;
    }
    ApplyGbrCheckVisibility();
    SyncSettingMenus();
}

void TMainForm::ApplyHints() {
    for (int i = 0; i < kActionCount; ++i) {
        if (kActionSpecs[i].hint >= 0) {
            m_actions[i]->setStatusTip(QString::fromStdString(m_hints[kActionSpecs[i].hint]));
        }
    }
    m_actions[kActTool]->setStatusTip(QString::fromStdString(m_switches.toolHint));
    m_settingMenu->menuAction()->setStatusTip(QString::fromStdString(m_hints[kHintSetting]));
    m_backgroundMenu->menuAction()->setStatusTip(QString::fromStdString(m_hints[kHintBackground]));
    m_filterMenu->menuAction()->setStatusTip(QString::fromStdString(m_hints[kHintFilter]));
    m_formatMenu->menuAction()->setStatusTip(QString::fromStdString(m_hints[kHintFormat]));
    const QString gbrHint = QString::fromStdString(m_hints[kHintGbrCheck]);
    m_gbrCheck->setStatusTip(gbrHint);
    m_gbrCheck->setToolTip(gbrHint);
}

void TMainForm::FillSettingMenus() {
    m_formatMenu->clear();
    m_backgroundMenu->clear();
    m_filterMenu->clear();
    m_formatItems.clear();
    m_backgroundItems.clear();
    m_filterItems.clear();
    for (int i = 0; i < m_settings.FormatCount(); ++i) {
        const PictureFormat* format = m_settings.Format(i);
        QAction* item = m_formatMenu->addAction(QString::fromStdString(format->caption));
        item->setCheckable(true);
        item->setStatusTip(QString::fromStdString(format->hint));
        connect(item, &QAction::triggered, this, [this, i] { ClickFormatMenu(i); });
        m_formatItems.push_back(item);
    }
    for (int i = 0; i < CSettingMngInfo::kBackgroundCount; ++i) {
        QAction* item =
            m_backgroundMenu->addAction(QString::fromStdString(m_settings.BackgroundCaption(i)));
        item->setCheckable(true);
        item->setStatusTip(QString::fromStdString(m_hints[kHintBackground]));
        connect(item, &QAction::triggered, this, [this, i] { ClickBackColorMenu(i); });
        m_backgroundItems.push_back(item);
    }
    for (int i = 0; i < CSettingMngInfo::kFilterCount; ++i) {
        QAction* item = m_filterMenu->addAction(CSettingMngInfo::FilterCaption(i));
        item->setCheckable(true);
        item->setStatusTip(QString::fromStdString(m_hints[kHintFilter]));
        connect(item, &QAction::triggered, this, [this, i] { ClickFilterMenu(i); });
        m_filterItems.push_back(item);
    }
}

void TMainForm::SyncSettingMenus() {
    for (int i = 0; i < static_cast<int>(m_formatItems.size()); ++i) {
        m_formatItems[i]->setChecked(i == m_settings.SelectedFormat());
    }
    for (int i = 0; i < static_cast<int>(m_backgroundItems.size()); ++i) {
        m_backgroundItems[i]->setChecked(i == m_settings.SelectedBackground());
        m_backgroundItems[i]->setText(QString::fromStdString(m_settings.BackgroundCaption(i)));
    }
    for (int i = 0; i < static_cast<int>(m_filterItems.size()); ++i) {
        m_filterItems[i]->setChecked(i == m_settings.SelectedFilter());
    }
}

bool TMainForm::GbrCheckShown() const {
    return m_gbrCheckAction->isVisible();
}

void TMainForm::ApplyGbrCheckVisibility() {
    const PictureFormat* format = m_settings.SelectedFormatInfo();
    m_gbrCheckAction->setVisible(format != nullptr && format->showGbrCheck);
}

void TMainForm::ClickFormatMenu(int index) {
    const PictureFormat* format = m_settings.Format(index);
    if (format == nullptr) {
        return;
    }
    const bool rebuild = !m_settings.SameFormatSize(index);
    // A question only when there is a frame bitmap the change would replace.
    if (rebuild && m_actions[kActBuildPicFile]->isEnabled() && !Confirm(48)) {
        SyncSettingMenus();
        return;
    }
    m_settings.SelectFormat(index);
    m_width = format->width;
    m_height = format->height;
    ApplyGbrCheckVisibility();
    SyncSettingMenus();
    if (rebuild && !m_framePath.empty()) {
        BuildFrameFrom(m_framePath, true);
    } else if (m_slots[kSlotFrame].window) {
        // The frame bitmap serves the new format as it is; its window names the format.
        SetDoneStatus(kSlotFrame);
    }
}

void TMainForm::ClickBackColorMenu(int index) {
    if (index < 0 || index >= CSettingMngInfo::kBackgroundCount) {
        return;
    }
    const bool rebuild = !m_settings.IsSelectedBackground(index);
    if (rebuild && m_actions[kActBuildPicFile]->isEnabled() && !Confirm(49)) {
        SyncSettingMenus();
        return;
    }
    m_settings.SelectBackground(index);
    SyncSettingMenus();
    if (rebuild && !m_framePath.empty()) {
        BuildFrameFrom(m_framePath, true);
    }
}

void TMainForm::ClickFilterMenu(int index) {
    m_settings.SelectFilter(index);
    SyncSettingMenus();
}

void TMainForm::HelpAboutExecute() {
    if (m_aboutBox) {
        m_aboutBox->exec();
    }
}

void TMainForm::ToolExecute() {
    if (!m_toolForm) {
        return;
    }
    setEnabled(false);
    m_toolForm->show();
    m_toolForm->raise();
    m_toolForm->activateWindow();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_toolForm && event->type() == QEvent::Hide && !m_loopRunning) {
        setEnabled(true);
        activateWindow();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FileExitExecute() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A loop in progress still uses the slots; the window manager's close must wait for it.
    if (m_loopRunning) {
        event->ignore();
        return;
    }
    // The tool goes with the form, unless it is in the middle of its own build.
    if (m_toolForm && m_toolForm->isVisible() && !m_toolForm->close()) {
        event->ignore();
        return;
    }
    if (!m_choicesSaved) {
        m_settings.SaveChoices(m_gbrCheck->isChecked());
        m_choicesSaved = true;
    }
    for (ViewSlot& slot : m_slots) {
        slot.bitmap.reset();
    }
    event->accept();
}

TMDIChild* TMainForm::SlotWindow(int slot) const {
    return slot >= 0 && slot < kSlotCount ? m_slots[slot].window.data() : nullptr;
}

std::shared_ptr<const platform::Bitmap> TMainForm::SlotBitmap(int slot) const {
    return slot >= 0 && slot < kSlotCount ? m_slots[slot].bitmap : nullptr;
}

QString TMainForm::MainStatus() const {
    return statusBar()->currentMessage();
}

void TMainForm::ShowCode(int code) const {
    MessageByCode::ShowMessageByCode(code, m_switches.english, m_job.MainIni());
}

bool TMainForm::Confirm(int code, const std::string* fileName) const {
    return MessageByCode::ConfirmByCode(code, fileName, m_switches.english, m_job.MainIni());
}

void TMainForm::OnChildClosed(int slot) {
    if (slot < 0 || slot >= kSlotCount) {
        return;
    }
    m_slots[slot].window = nullptr;
    switch (slot) {
        case kSlotBmp:
            m_actions[kActBuildFrame]->setEnabled(false);
            break;
        case kSlotFrame:
            m_actions[kActSaveFrame]->setEnabled(false);
            m_actions[kActBuildPicFile]->setEnabled(false);
            break;
        case kSlotPic:
            m_actions[kActSavePic]->setEnabled(false);
            break;
    }
}

}  // namespace nimbrel
