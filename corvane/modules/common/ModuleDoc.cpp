#include "corvane/modules/common/ModuleDoc.h"

#include <cctype>

#include "corvane/core/MainFrame.h"
#include "corvane/modules/common/ParameterSend.h"
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

IInstrumentLink* CModuleDoc::Link() const {
    if (m_link != nullptr)
        return m_link;
    return MainFrame();
}

IProgressSink& CModuleDoc::Progress() {
    return m_progress != nullptr ? *m_progress : m_statusBarProgress;
}

void CModuleDoc::AddRead(std::string query, std::function<int(ReplyCursor&)> store) {
    m_reads.push_back({std::move(query), std::move(store)});
}

void CModuleDoc::AddSend(ChangeFlag& parameter, std::function<std::string()> command,
                         std::function<void()> sent) {
    m_sends.push_back({&parameter, std::move(command), std::move(sent)});
}

void CModuleDoc::AddSend(Flagged<int>& parameter, const std::string& header) {
    AddSend(parameter,
            [&parameter, header] { return header + " " + std::to_string(parameter.Value()); });
}

void CModuleDoc::NotifyViews(const ModuleHint& hint) {
    UpdateAllViews(nullptr, kModuleHintTyped, const_cast<ModuleHint*>(&hint));
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
    ProgressRun run(Progress(),
                    platform::Format("Reading %s [%d] ...", ModelName(m_kind).c_str(), m_slot),
                    ReadExchangeCount());
    if (!SelectModule())
        return 0;
    Progress().Step();
    return ReadParameters();
}

int CModuleDoc::ReadParameters() {
    for (Read& read : m_reads) {
        ReplyCursor reply;
        if (!QueryReply(read.query, reply) || !read.store(reply))
            return 0;
        Progress().Step();
    }
    return 1;
}

int CModuleDoc::Apply() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), "Sending...", ApplyStepCount());
    if (!SelectModule())
        return 0;
    Progress().Step();
    if (!SendChangedParameters())
        return 0;
    std::string error;
    if (!QueryCompletion(error))
        return 0;
    const int number = platform::StrToInt(error.c_str());
    if (number != 0)
        ReportInstrumentError(number, error);
    PostApplyNotifications();
    Progress().ShowStatus("Ready");
    SetModifiedFlag(false);
    return 1;
}

int CModuleDoc::QueryCompletion(std::string& error) {
    std::string reply;
    if (!QueryReply("*OPC?", reply))
        return 0;
    Progress().Step();
    if (!QueryReply("SYST:ERR?", error))
        return 0;
    Progress().Step();
    return 1;
}

int CModuleDoc::SendChangedParameters() {
    IInstrumentLink* link = Link();
    for (Send& send : m_sends) {
        if (send.parameter->Changed()) {
            if (link == nullptr || !link->SendCommand(send.command()))
                return 0;
            send.parameter->ClearChanged();
            if (send.sent)
                send.sent();
        }
        Progress().Step();
    }
    return 1;
}

void CModuleDoc::PostToMainFrame(platform::UINT message, platform::WPARAM wParam) {
    if (m_post) {
        m_post(message, wParam);
        return;
    }
    if (CMainFrame* frame = MainFrame())
        frame->PostMessage(message, wParam, 0);
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
    IInstrumentLink* link = Link();
    if (link == nullptr)
        return 0;
    return link->SendCommand("INST:SEL \"" + ModuleAddress() + "\"");
}

int CModuleDoc::SendCommand(const std::string& command) {
    return SendLine(Link(), command);
}

int CModuleDoc::SendIfChanged(ChangeFlag& parameter, const std::string& command) {
    return corvane::SendIfChanged(Link(), Progress(), parameter, command);
}

int CModuleDoc::QueryActiveSignal(std::string& reply) {
    if (!QueryReply(platform::Format("MMEM:SIGN:ACT? %d", m_slot), reply))
        return 0;
    // The module answers "nothing loaded" with an empty quoted path.
    if (reply == "\"\"") {
        platform::AfxMessageBox("Signal is not selected.\n\nCan not continue.",
                                platform::MB_ICONEXCLAMATION);
        return 0;
    }
    return 1;
}

std::string CModuleDoc::OutputTimingQuery(int number) {
    return platform::Format("SENS%d:CORR:MDEL:VERT?;:SENS%d:CORR:MDEL:HOR?", number, number);
}

int CModuleDoc::NextTiming(ReplyCursor& reply, int& lines, double& seconds) {
    int count = 0;
    double microseconds = 0.0;
    if (!reply.NextTruncated(count) || !reply.NextDouble(microseconds))
        return 0;
    lines = count;
    seconds = microseconds * 1e-6;
    return 1;
}

int CModuleDoc::LoadTiming(const std::string& query, Flagged<int>& lines, Flagged<double>& delay) {
    ReplyCursor reply;
    int count = 0;
    double seconds = 0.0;
    if (!QueryReply(query, reply) || !NextTiming(reply, count, seconds))
        return 0;
    lines.Load(count);
    delay.Load(seconds);
    return 1;
}

int CModuleDoc::LoadLiveTiming(const std::string& query, Flagged<int>& lines,
                               Flagged<double>& delay) {
    return SelectModule() && LoadTiming(query, lines, delay) ? 1 : 0;
}

int CModuleDoc::QueryReply(const std::string& query, std::string& reply) {
    IInstrumentLink* link = Link();
    if (link == nullptr)
        return 0;
    if (!link->Query(query, reply))
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

}  // namespace corvane
