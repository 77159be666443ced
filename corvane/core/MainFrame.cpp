// The main frame itself: creation and placement, the status bar, the Open Module menu, the
// status prompts and the table of open editor windows.
#include "corvane/core/MainFrame.h"

#include <QMainWindow>

#include "corvane/core/CorvaneApp.h"
#include "corvane/core/PresetTable.h"
#include "platform/Document.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/WindowPlacement.h"
#include "resources/corvane/Resource.h"

namespace corvane {

CMainFrame* MainFrame() {
    return dynamic_cast<CMainFrame*>(platform::AfxGetMainWnd());
}

CMainFrame::CMainFrame() {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        m_slotText[static_cast<size_t>(slot - 1)] = platform::Format("%d : ---", slot);
        g_slotKind[static_cast<size_t>(slot - 1)] = kModuleNone;
    }
    ResetPresetTable();
    RegisterCommands();
    RegisterRelay();
    OnMessage(platform::WM_DESTROY, [this](platform::WPARAM, platform::LPARAM) {
        StorePlacement();
        return 0;
    });
}

CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate() {
    if (CMDIFrameWnd::OnCreate() == -1)
        return -1;
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators({platform::ID_SEPARATOR, platform::ID_INDICATOR_CAPS,
                                       platform::ID_INDICATOR_NUM, platform::ID_INDICATOR_SCRL}))
        return -1;
    SetMessageText(platform::AFX_IDS_IDLEMESSAGE);
    PlaceWindow();
    return 0;
}

void CMainFrame::PlaceWindow() {
    int x, y, width, height;
    CorvaneApp()->GetFramePlacement(x, y, width, height);
    // The placement is the frame's rectangle, as StorePlacement reads it back.
    MoveWindow(x, y, width, height);
    // A position kept from a screen that is no longer there would put the window out of
    // reach; centre it instead.
    if ((x < 0 && y < 0) || !platform::RectFitsScreen(QRect(x, y, width, height)))
        CenterWindow();
}

void CMainFrame::StorePlacement() {
    // The normal rectangle while maximised or minimised, not the one the window fills then.
    platform::WINDOWPLACEMENT placement;
    if (!platform::GetWindowPlacement(this, placement))
        return;
    const QRect& rect = placement.rcNormalPosition;
    CorvaneApp()->SetFramePlacement(rect.left(), rect.top(), rect.width(), rect.height());
}

void CMainFrame::RegisterCommands() {
    OnCommandId(ID_FILE_OPEN_QUARN, [this] { OpenMainframe(); });
    OnUpdateCommand(ID_FILE_OPEN_QUARN,
                    [this](platform::CCmdUI* ui) { ui->Enable(m_mainframeDoc == nullptr); });
    OnCommandRange(ID_OPEN_SLOT_FIRST, ID_OPEN_SLOT_LAST,
                   [this](int id) { OpenModule(id - ID_OPEN_SLOT_FIRST); });
    OnUpdateCommandRange(ID_OPEN_SLOT_FIRST, ID_OPEN_SLOT_LAST, [this](platform::CCmdUI* ui) {
        const size_t index = static_cast<size_t>(ui->m_nID - ID_OPEN_SLOT_FIRST);
        ui->Enable(g_slotKind[index] != kModuleNone && m_slotDoc[index] == nullptr);
    });

    auto usedRow = [](int id, int first) {
        return g_presetTable[static_cast<size_t>(id - first)].used == 1;
    };
    OnCommandId(ID_RECALL_POWER_ON_DEFAULT, [this] { RecallPreset(kPowerOnDefault); });
    OnCommandId(ID_RECALL_USER_DEFAULT, [this] { RecallPreset(kUserDefault); });
    OnUpdateCommand(ID_RECALL_USER_DEFAULT,
                    [this](platform::CCmdUI* ui) { ui->Enable(m_userDefaultUsed == 1); });
    OnCommandId(ID_RECALL_FACTORY_DEFAULT, [this] { RecallPreset(kFactoryDefault); });
    OnCommandRange(ID_RECALL_PRESET_FIRST, ID_RECALL_PRESET_LAST, [this](int id) {
        RecallPreset(g_presetTable[static_cast<size_t>(id - ID_RECALL_PRESET_FIRST)].name);
    });
    OnUpdateCommandRange(ID_RECALL_PRESET_FIRST, ID_RECALL_PRESET_LAST,
                         [usedRow](platform::CCmdUI* ui) {
                             ui->Enable(usedRow(ui->m_nID, ID_RECALL_PRESET_FIRST));
                         });
    OnCommandId(ID_SAVE_POWER_ON_DEFAULT, [this] {
        if (SavePreset(kPowerOnDefault))
            ShowStatusText("Ready");
    });
    OnCommandRange(ID_SAVE_PRESET_FIRST, ID_SAVE_PRESET_LAST,
                   [this](int id) { SaveNumberedPreset(id - ID_SAVE_PRESET_FIRST); });
    OnCommandRange(ID_RENAME_PRESET_FIRST, ID_RENAME_PRESET_LAST,
                   [this](int id) { RenamePreset(id - ID_RENAME_PRESET_FIRST); });
    OnUpdateCommandRange(ID_RENAME_PRESET_FIRST, ID_RENAME_PRESET_LAST,
                         [usedRow](platform::CCmdUI* ui) {
                             ui->Enable(usedRow(ui->m_nID, ID_RENAME_PRESET_FIRST));
                         });
    OnCommandRange(ID_DELETE_PRESET_FIRST, ID_DELETE_PRESET_LAST,
                   [this](int id) { DeletePreset(id - ID_DELETE_PRESET_FIRST); });
    OnUpdateCommandRange(ID_DELETE_PRESET_FIRST, ID_DELETE_PRESET_LAST,
                         [usedRow](platform::CCmdUI* ui) {
                             ui->Enable(usedRow(ui->m_nID, ID_DELETE_PRESET_FIRST));
                         });
}

platform::CDocument* CMainFrame::OpenModuleDocument(const std::string& name, int slot) {
    for (const auto& docTemplate : CorvaneApp()->DocTemplates()) {
        std::string docName;
        docTemplate->GetDocString(docName, platform::CMultiDocTemplate::docName);
        if (docName != name)
            continue;
        const std::string path =
            name == "Quarn" ? name : platform::Format("%d : %s", slot, name.c_str());
        return docTemplate->OpenDocumentFile(path, true);
    }
    return nullptr;
}

void CMainFrame::OpenMainframe() {
    m_mainframeDoc = OpenModuleDocument("Quarn", 0);
    if (m_mainframeDoc != nullptr)
        m_mainframeDoc->SetTitle("Quarn");
}

void CMainFrame::OpenModule(int index) {
    if (index < 0 || index >= kSlotCount)
        return;
    const size_t i = static_cast<size_t>(index);
    const std::string model = ModelName(g_slotKind[i]);
    if (model.empty())
        return;  // no module there; the menu never offers it
    const int slot = index + 1;
    m_slotDoc[i] = OpenModuleDocument(model, slot);
    if (m_slotDoc[i] != nullptr)
        m_slotDoc[i]->SetTitle(platform::Format("%s[%d]", model.c_str(), slot));
}

void CMainFrame::BuildOpenModuleMenu() {
    platform::CMenu file = GetMenu().GetSubMenu(0);
    for (int pos = file.GetMenuItemCount() - 1; pos >= 0; --pos) {
        platform::CMenu sub = file.GetSubMenu(pos);
        if (!sub.IsValid() || sub.GetMenuItemID(0) != ID_OPEN_SLOT_FIRST)
            continue;
        while (sub.GetMenuItemCount() > 0) sub.DeleteMenu(0, platform::MF_BYPOSITION);
        for (int slot = 0; slot < kSlotCount; ++slot)
            sub.AppendMenu(platform::MF_STRING, ID_OPEN_SLOT_FIRST + slot,
                           platform::EscapeMnemonics(m_slotText[static_cast<size_t>(slot)]));
        return;
    }
}

int CMainFrame::SlotDocClosed(int index, const platform::CDocument* document) {
    if (index >= 0 && index < kSlotCount && m_slotDoc[static_cast<size_t>(index)] == document)
        m_slotDoc[static_cast<size_t>(index)] = nullptr;
    return index;
}

void CMainFrame::MainframeDocClosed(const platform::CDocument* document) {
    if (m_mainframeDoc == document)
        m_mainframeDoc = nullptr;
}

void CMainFrame::GetMessageString(int id, std::string& message) const {
    if (id >= ID_OPEN_SLOT_FIRST && id <= ID_OPEN_SLOT_LAST) {
        const ModuleKind kind = g_slotKind[static_cast<size_t>(id - ID_OPEN_SLOT_FIRST)];
        if (kind != kModuleNone) {
            message = platform::FormatPlaceholders(platform::LoadString(IDS_LOADS_AND_EDITS),
                                                   {platform::LoadString(ModelNameStringId(kind))});
            return;
        }
    }
    CMDIFrameWnd::GetMessageString(id, message);
}

}  // namespace corvane
