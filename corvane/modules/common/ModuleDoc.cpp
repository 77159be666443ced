#include "corvane/modules/common/ModuleDoc.h"

#include <cctype>

#include "corvane/core/MainFrame.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

CModuleDoc::CModuleDoc(ModuleKind kind, int questionId) : m_kind(kind), m_questionId(questionId) {
    RegisterModuleStrings();
}

CModuleDoc::~CModuleDoc() {
    // A document that never got a valid slot has no entry to clear.
    if (m_slot >= 1 && m_slot <= kSlotCount) {
        if (CMainFrame* frame = MainFrame())
            frame->SlotDocClosed(m_slot - 1, this);
    }
}

int CModuleDoc::SlotFromPath(const std::string& path) {
    size_t i = 0;
    long slot = 0;
    while (i < path.size() && std::isdigit(static_cast<unsigned char>(path[i])) &&
           slot <= kSlotCount) {
        slot = slot * 10 + (path[i] - '0');
        ++i;
    }
    return slot >= 1 && slot <= kSlotCount ? static_cast<int>(slot) : 0;
}

std::string CModuleDoc::ModuleAddress() const {
    return ModelName(m_kind) + ":" + std::to_string(m_slot);
}

bool CModuleDoc::OnOpenDocument(const std::string& path) {
    if (!OnNewDocument())
        return false;
    platform::CWaitCursor wait;
    m_slot = SlotFromPath(path);
    if (m_slot == 0)
        return false;
    if (ReadAll() != 1)
        return false;
    UpdateAllViews(nullptr, 0);
    return true;
}

int CModuleDoc::ReadAll() {
    platform::CWaitCursor wait;
    ModuleProgress progress(
        platform::Format("Reading %s [%d] ...", ModelName(m_kind).c_str(), m_slot),
        ReadExchangeCount());
    if (!SelectModule())
        return 0;
    progress.Step();
    return ReadParameters(progress) == 1 ? 1 : 0;
}

int CModuleDoc::RunApply(int steps) {
    platform::CWaitCursor wait;
    ModuleProgress progress("Sending...", steps);
    if (!SelectModule())
        return 0;
    progress.Step();
    if (!SendChangedParameters(progress))
        return 0;
    std::string reply;
    if (!QueryReply("*OPC?", reply))
        return 0;
    progress.Step();
    std::string error;
    if (!QueryReply("SYST:ERR?", error))
        return 0;
    progress.Step();
    const int number = platform::StrToInt(error.c_str());
    if (number != 0)
        ReportInstrumentError(number, error);
    PostApplyNotifications();
    if (CMainFrame* frame = MainFrame())
        frame->ShowStatusText("Ready");
    SetModifiedFlag(false);
    return 1;
}

void CModuleDoc::ReportInstrumentError(int, const std::string& reply) {
    platform::AfxMessageBox("Command send error!\n" + reply, platform::MB_ICONSTOP);
}

int CModuleDoc::AskApplyQuestion() const {
    return platform::AfxMessageBox(platform::LoadString(m_questionId),
                                   platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION);
}

bool CModuleDoc::SaveModified() {
    if (!IsModified())
        return true;
    switch (AskApplyQuestion()) {
        case platform::IDCANCEL:
            return false;
        case platform::IDNO:
            SetModifiedFlag(false);
            return true;
        default:
            Apply();  // the window closes whatever the apply gave
            return true;
    }
}

int CModuleDoc::SelectModule() {
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return 0;
    return frame->SendCommand("INST:SEL \"" + ModuleAddress() + "\"");
}

int CModuleDoc::QueryReply(const std::string& query, std::string& reply) {
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return 0;
    if (!frame->Query(query, reply))
        return 0;
    return reply.empty() ? 0 : 1;
}

int CModuleDoc::QueryReply(const std::string& query, ReplyCursor& cursor) {
    std::string reply;
    if (!QueryReply(query, reply))
        return 0;
    cursor.Reset(std::move(reply));
    return 1;
}

int CModuleDoc::SendFlagged(int& flag, const std::string& command) {
    if (flag == 0)
        return 1;
    CMainFrame* frame = MainFrame();
    if (frame == nullptr || !frame->SendCommand(command))
        return 0;
    flag = 0;
    return 1;
}

}  // namespace corvane
