// The preset commands: the names in the four preset menus, recall, save, rename, delete.
#include "corvane/core/MainFrame.h"
#include "corvane/core/PresetTable.h"
#include "corvane/core/RenameDlg.h"
#include "corvane/core/ReplyParsers.h"
#include "platform/Document.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/Resource.h"

namespace corvane {

namespace {

bool AskYesNo(const std::string& question) {
    return platform::AfxMessageBox(question, platform::MB_YESNO | platform::MB_ICONEXCLAMATION) ==
           platform::IDYES;
}

// Rewrites the items of one preset submenu from `keep` on with the 13 names.
void RewritePresetItems(platform::CMenu menu, int keep, int firstId) {
    for (int pos = menu.GetMenuItemCount() - 1; pos >= keep; --pos)
        menu.DeleteMenu(pos, platform::MF_BYPOSITION);
    for (int i = 0; i < kPresetCount; ++i)
        menu.AppendMenu(platform::MF_STRING, firstId + i,
                        platform::EscapeMnemonics(g_presetTable[static_cast<size_t>(i)].name));
}

// The submenu of `file`, searched from the last item, whose item at `position` has `id`.
platform::CMenu FindSubmenu(const platform::CMenu& file, int position, int id) {
    for (int pos = file.GetMenuItemCount() - 1; pos >= 0; --pos) {
        platform::CMenu sub = file.GetSubMenu(pos);
        if (sub.IsValid() && sub.GetMenuItemID(position) == id)
            return sub;
    }
    return platform::CMenu();
}

}  // namespace

int CMainFrame::ReadPresetNames() {
    PresetTable names = g_presetTable;
    for (int n = 1; n <= kPresetCount; ++n) {
        std::string reply;
        if (!Query(platform::Format("MMEM:PRES:CAT? %d", n), reply))
            return 0;
        PresetEntry& row = names[static_cast<size_t>(n - 1)];
        if (!ParsePresetName(reply, row.name))
            return 0;
        row.used = 0;
    }
    std::string reply;
    if (!Query("MMEM:PRES:CAT:ALL?", reply))
        return 0;
    std::array<int, kPresetCount> used{};
    int userDefaultUsed = 0;
    if (!ParsePresetCatalog(reply, used, userDefaultUsed))
        return 0;
    // Only a complete read changes the table, so a failed one leaves the menus as they were.
    for (size_t i = 0; i < names.size(); ++i) names[i].used = used[i];
    g_presetTable = names;
    m_userDefaultUsed = userDefaultUsed;
    return 1;
}

void CMainFrame::BuildPresetMenus() {
    platform::CMenu file = GetMenu().GetSubMenu(0);
    if (platform::CMenu recall = FindSubmenu(file, 4, ID_RECALL_PRESET_FIRST); recall.IsValid())
        RewritePresetItems(recall, 4, ID_RECALL_PRESET_FIRST);
    if (platform::CMenu save = FindSubmenu(file, 2, ID_SAVE_PRESET_FIRST); save.IsValid())
        RewritePresetItems(save, 2, ID_SAVE_PRESET_FIRST);
    if (platform::CMenu rename = FindSubmenu(file, 0, ID_RENAME_PRESET_FIRST); rename.IsValid())
        RewritePresetItems(rename, 0, ID_RENAME_PRESET_FIRST);
    if (platform::CMenu remove = FindSubmenu(file, 0, ID_DELETE_PRESET_FIRST); remove.IsValid())
        RewritePresetItems(remove, 0, ID_DELETE_PRESET_FIRST);
}

bool CMainFrame::SendAndCheck(const std::string& command, int& error, std::string& errorReply) {
    std::string reply;
    if (!SendCommand(command))
        return false;
    // An empty reply is a read that failed (its box has been shown): the outcome is unknown,
    // so nothing may be recorded as done.
    if (!Query("*OPC?", reply) || reply.empty())
        return false;
    if (!Query("SYST:ERR?", errorReply) || errorReply.empty())
        return false;
    error = ErrorNumber(errorReply);
    return true;
}

void CMainFrame::RecallPreset(const std::string& name) {
    if (!AskYesNo("Recall '" + name + "' ?"))
        return;
    platform::CWaitCursor wait;
    ShowStatusText("Recalling " + name + "...");
    int error = 0;
    std::string errorReply;
    if (!SendAndCheck("MMEM:LOAD:PRES \"" + name + "\"", error, errorReply))
        return;
    if (error != 0) {
        ShowErrorMessage("Recall error!\n" + errorReply);
        return;
    }
    ShowStatusText("Reading preset file names");
    if (!ReadPresetNames()) {
        ReportPresetReadFailure();  // the program goes on with the names it had
        return;
    }
    BuildPresetMenus();
    ReopenAllDocuments();
    ShowStatusText("Ready");
}

void CMainFrame::ReopenAllDocuments() {
    // Every window shows the instrument's new state; changes not applied are dropped.
    if (m_mainframeDoc != nullptr) {
        m_mainframeDoc->SetModifiedFlag(false);
        m_mainframeDoc->OnCloseDocument();
        m_mainframeDoc = nullptr;
        OpenMainframe();
    }
    for (int index = 0; index < kSlotCount; ++index) {
        platform::CDocument*& doc = m_slotDoc[static_cast<size_t>(index)];
        if (doc == nullptr)
            continue;
        doc->SetModifiedFlag(false);
        doc->OnCloseDocument();
        doc = nullptr;
        OpenModule(index);
    }
}

int CMainFrame::SavePreset(const std::string& name) {
    if (!AskYesNo("Save '" + name + "' ?"))
        return 0;
    ShowStatusText("Saving " + name + "...");
    platform::CWaitCursor wait;
    int error = 0;
    std::string errorReply;
    if (!SendAndCheck("MMEM:STOR:PRES \"" + name + "\"", error, errorReply))
        return 0;
    if (error != 0) {
        // The instrument refused: nothing was stored, so nothing may be marked as stored.
        ShowErrorMessage("Save error!\n" + errorReply);
        return 0;
    }
    return 1;
}

void CMainFrame::SaveNumberedPreset(int index) {
    if (index < 0 || index >= kPresetCount)
        return;
    PresetEntry& row = g_presetTable[static_cast<size_t>(index)];
    if (!SavePreset(row.name))
        return;
    row.used = 1;
    BuildPresetMenus();
    ShowStatusText("Ready");
}

void CMainFrame::RenamePreset(int index) {
    if (index < 0 || index >= kPresetCount)
        return;
    PresetEntry& row = g_presetTable[static_cast<size_t>(index)];
    CRenameDlg dialog(this, row.name);
    if (dialog.DoModal() != platform::IDOK)
        return;
    const std::string newName = dialog.m_newName;
    platform::CWaitCursor wait;
    int error = 0;
    std::string errorReply;
    if (!SendAndCheck(platform::Format("MMEM:PRES:REN %d,\"%s\"", index + 1, newName.c_str()),
                      error, errorReply))
        return;
    if (error != 0) {
        ShowErrorMessage("Save error! (Rename)\n" + errorReply);
        return;
    }
    if (!SendAndCheck("MMEM:STOR:PRES \"" + newName + "\"", error, errorReply))
        return;
    // The rename itself has succeeded, so the row takes the new name even when the
    // instrument refuses the store that follows.
    if (error != 0)
        ShowErrorMessage("Save error!\n" + errorReply);
    row.name = newName;
    BuildPresetMenus();
}

void CMainFrame::DeletePreset(int index) {
    if (index < 0 || index >= kPresetCount)
        return;
    PresetEntry& row = g_presetTable[static_cast<size_t>(index)];
    if (!AskYesNo("Are you sure want to delete '" + row.name + "' ?"))
        return;
    platform::CWaitCursor wait;
    ShowStatusText("Deleting " + row.name + "...");
    int error = 0;
    std::string errorReply;
    if (!SendAndCheck(platform::Format("MMEM:PRES:DEL %d;", index + 1), error, errorReply))
        return;
    if (error != 0) {
        ShowErrorMessage("Delete error!\n" + errorReply);
        return;
    }
    row.used = 0;
    BuildPresetMenus();
    ShowStatusText("Ready");
}

}  // namespace corvane
