#include "corvane/core/QuarnDoc.h"

#include "corvane/core/MainFrame.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/QuarnForm.h"

namespace corvane {

namespace {

// One exchange; an empty reply means the read failed (the link has said why).
bool Ask(CMainFrame* frame, const std::string& query, std::string& reply) {
    return frame->Query(query, reply) == 1 && !reply.empty();
}

}  // namespace

CQuarnDoc::CQuarnDoc() = default;

CQuarnDoc::~CQuarnDoc() = default;

bool CQuarnDoc::OnOpenDocument(const std::string&) {
    if (!OnNewDocument())
        return false;
    platform::CWaitCursor wait;
    if (ReadAll() != 1)
        return false;
    UpdateAllViews(nullptr, kHintRefresh);
    return true;
}

int CQuarnDoc::ParseFrameCatalog(const std::string& reply, std::array<int, kSlots>& marks) {
    marks.fill(0);
    if (reply.empty())
        return 1;
    std::string::size_type pos = reply.find('"');
    if (pos == std::string::npos)
        return 0;
    ++pos;
    for (;;) {
        const int slot = platform::StrToInt(reply.c_str() + pos);
        if (slot <= 0)
            break;
        if (slot <= kSlots)
            marks[static_cast<size_t>(slot - 1)] = 1;
        pos = reply.find(',', pos);
        if (pos == std::string::npos)
            break;
        ++pos;
    }
    return 1;
}

int CQuarnDoc::ParseMemory(const std::string& reply, double& used, double& free) {
    const std::string::size_type quote = reply.find('"');
    const std::string head = reply.substr(0, quote);
    // The way "%lf,%lf" reads it: a number, a comma right after it, a second number.
    const char* end = nullptr;
    const double first = platform::StrToDouble(head.c_str(), &end);
    if (end == head.c_str() || *end != ',')
        return 0;
    const char* second = end + 1;
    const double next = platform::StrToDouble(second, &end);
    if (end == second)
        return 0;
    // An empty root is its two counts alone, or with the comma a first entry would follow;
    // anything else without an entry is no listing.
    if (quote == std::string::npos) {
        const std::string rest = head.substr(static_cast<std::size_t>(end - head.c_str()));
        if (!rest.empty() && rest != ",")
            return 0;
    }
    used = first;
    free = next;
    return 1;
}

int CQuarnDoc::ReadAll() {
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return 0;
    platform::CWaitCursor wait;
    frame->ShowStatusText("Reading...");
    if (!frame->SendCommand("INST:SEL \"CPU:0\""))
        return 0;

    // Everything goes into locals first: a read that fails half-way (after another window's
    // Apply) must leave the window showing what it showed.
    std::array<std::string, kFrameResets> frequency;
    std::array<std::array<int, kSlots>, kFrameResets> used{};
    std::string reply;
    for (int j = 0; j < kFrameResets; ++j) {
        const size_t i = static_cast<size_t>(j);
        if (!Ask(frame, platform::Format("SENS:ROSC:FRAME%d:FREQ?", j + 1), frequency[i]))
            return 0;
        // The one query whose empty reply means something: no slot uses this reset. A
        // failed read has shown its error and leaves the link out of step, so the next
        // query fails the read anyway.
        if (frame->Query(platform::Format("SENS:ROSC:FRAME%d:CAT?", j + 1), reply) != 1)
            return 0;
        if (!ParseFrameCatalog(reply, used[i]))
            return 0;
    }
    std::string option;
    if (!Ask(frame, "*OPT?", option) || option.find("CPU:0:") == std::string::npos)
        return 0;
    double usedBytes = 0.0;
    double freeBytes = 0.0;
    if (!Ask(frame, "MMEM:CAT? \"/F0:/\"", reply) || !ParseMemory(reply, usedBytes, freeBytes))
        return 0;
    if (!Ask(frame, "DISP:CONT?", reply))
        return 0;
    // The view puts the old contrast back after refusing a typed one; a value outside the
    // range from the instrument would be refused in its turn, without end.
    const int contrast = platform::StrToInt(reply.c_str());
    if (contrast < kContrastMin || contrast > kContrastMax)
        return 0;

    m_frameFrequency = frequency;
    m_frameUsedBySlot = used;
    m_optionReply = option;
    m_usedBytes = usedBytes;
    m_freeBytes = freeBytes;
    // A contrast the operator has typed but not applied stays what the next Apply sends.
    if (m_contrastChanged != 1)
        m_contrast = contrast;
    return 1;
}

int CQuarnDoc::Apply() {
    CMainFrame* frame = MainFrame();
    if (frame == nullptr)
        return 0;
    platform::CWaitCursor wait;
    if (m_contrastChanged == 1) {
        if (!frame->SendCommand(platform::Format("DISP:CONT %d", m_contrast)))
            return 0;
        m_contrastChanged = 0;
    }
    SetModifiedFlag(false);
    return 1;
}

void CQuarnDoc::SetContrast(int value) {
    SetModifiedFlag(true);
    if (value >= kContrastMin && value <= kContrastMax) {
        m_contrast = value;
        m_contrastChanged = 1;
        UpdateAllViews(nullptr, kHintRefresh);
        return;
    }
    int old = m_contrast;
    UpdateAllViews(nullptr, kHintContrastRange, &old);
}

bool CQuarnDoc::SaveModified() {
    if (!IsModified())
        return true;
    const int answer =
        platform::AfxMessageBox(platform::LoadString(IDS_APPLY_CHANGES_TO_MAINFRAME),
                                platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION);
    if (answer == platform::IDCANCEL)
        return false;
    if (answer == platform::IDYES) {
        Apply();
    } else {
        SetModifiedFlag(false);
    }
    return true;
}

}  // namespace corvane
