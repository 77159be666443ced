#include "corvane/pages/videooutput/VideoOutputPage.h"

#include <array>

#include "platform/DataExchange.h"
#include "resources/corvane/VideoOutputPageForms.h"

namespace corvane {

namespace {

const VideoOutputMessages& MessagesOf(VideoModel model) {
    static const std::array<const VideoOutputMessages*, 4> tables{
        &kOltraVideoOutput, &kYarloVideoOutput, &kSormetVideoOutput, &kUlmethVideoOutput};
    return *tables[static_cast<size_t>(VideoModelIndex(model))];
}

// The APL lists reserve room for their sixteen entries.
constexpr int kAplEntries = 16;
constexpr int kAplEntryBytes = 64;

}  // namespace

CVideoOutputPage::CVideoOutputPage(VideoModel model)
    : CTabPage(VideoOutputPageTemplate(model)), m_messages(MessagesOf(model)), m_model(model) {
    const VideoOutputMessages& m = m_messages;
    const Pair pairs[] = {
        {IDC_CHANNEL1_ON, m.channel1, 1, 0, &VideoOutputValues::channel1},
        {IDC_CHANNEL2_ON, m.channel2, 1, 0, &VideoOutputValues::channel2},
        {IDC_CHANNEL3_ON, m.channel3, 1, 0, &VideoOutputValues::channel3},
        {IDC_SYNC_ALL, m.sync, 1, 0, &VideoOutputValues::sync},
        // "Y/C/Composite" first, "Composite" second.
        {IDC_CONFIG_YC, m.composite, 0, 1, &VideoOutputValues::composite},
        {IDC_EDH_ON, m.edh, 1, 0, &VideoOutputValues::edh},
        {IDC_BITS8, m.bits, 8, 10, &VideoOutputValues::bits},
        {IDC_AV_TIMING_ON, m.avTiming, 1, 0, &VideoOutputValues::avTiming},
    };
    for (const Pair& pair : pairs)
        if (pair.message != 0)
            m_pairs.push_back(pair);
    if (m.reload != 0)
        OnMessage(m.reload, [this](platform::WPARAM, platform::LPARAM) {
            ReadyOff off(*this);
            FillAplLists();
            Enable();
            return platform::LRESULT{0};
        });
}

bool CVideoOutputPage::CompositeEnabled(int outputCode) {
    return outputCode == 0 || outputCode == 1 || outputCode == 10;
}

bool CVideoOutputPage::GbrSyncEnabled(int outputCode) {
    return outputCode >= 32768;
}

platform::BOOL CVideoOutputPage::OnInitDialog() {
    m_ready = 0;
    CTabPage::OnInitDialog();
    for (Pair& pair : m_pairs) pair.index = m_values.*pair.value == pair.firstValue ? 0 : 1;
    if (m_messages.avTiming != 0 && m_values.firmwareVersion < kAvTimingFirmware)
        for (int id : {IDC_AV_TIMING_LABEL, IDC_AV_TIMING_ON, IDC_AV_TIMING_OFF})
            EnableDlgItem(id, false);
    FillAplLists();
    Enable();
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CVideoOutputPage::DoDataExchange(platform::CDataExchange* dx) {
    for (Pair& pair : m_pairs) platform::DDX_Radio(dx, pair.firstId, pair.index);
}

void CVideoOutputPage::FillAplLists() {
    if (m_messages.aplMode == 0)
        return;
    FillAplList(IDC_APL_MODE, m_values.aplModes, m_values.aplMode, m_aplMode);
    FillAplList(IDC_APL_PERIOD, m_values.aplPeriods, m_values.aplPeriod, m_aplPeriod);
}

void CVideoOutputPage::FillAplList(int id, const std::vector<AplChoice>& choices,
                                   const std::string& current, int& index) {
    std::vector<std::string> names;
    index = -1;
    for (const AplChoice& choice : choices) {
        if (choice.displayName.empty())
            break;
        if (choice.fileName == current && index < 0)
            index = static_cast<int>(names.size());
        names.push_back(choice.displayName);
    }
    FillComboList(id, names, kAplEntries, kAplEntryBytes, index);
}

void CVideoOutputPage::Enable() {
    if (m_messages.composite != 0) {
        const bool composite = CompositeEnabled(m_values.outputCode);
        for (int id : {IDC_CONFIG_YC, IDC_CONFIG_COMPOSITE, IDC_OLTRA_COMPOSITE_GROUP})
            EnableDlgItem(id, composite);
    }
    if (m_messages.sync != 0) {
        const bool sync = GbrSyncEnabled(m_values.outputCode);
        const int group =
            m_model == VideoModel::Oltra ? IDC_OLTRA_SYNC_GROUP : IDC_YARLO_SYNC_GROUP;
        for (int id : {IDC_SYNC_ALL, IDC_SYNC_GREEN, group}) EnableDlgItem(id, sync);
    }
}

void CVideoOutputPage::SendApl(int id, platform::UINT message,
                               const std::vector<AplChoice>& choices, int& index) {
    index = GetCurSel(id);
    if (index < 0 || index >= static_cast<int>(choices.size()))
        return;
    SendToView(
        message, 0,
        reinterpret_cast<platform::LPARAM>(choices[static_cast<size_t>(index)].fileName.c_str()));
}

platform::BOOL CVideoOutputPage::OnCommand(int id, int code) {
    if (code == platform::BN_CLICKED) {
        for (Pair& pair : m_pairs) {
            const int button = id == pair.firstId ? 0 : id == pair.firstId + 1 ? 1 : -1;
            if (button < 0)
                continue;
            if (IsReady()) {
                pair.index = button;
                SendToView(pair.message, 0,
                           static_cast<platform::LPARAM>(button == 0 ? pair.firstValue
                                                                     : pair.secondValue));
            }
            return platform::TRUE;
        }
    }
    if (code == platform::CBN_SELCHANGE && m_messages.aplMode != 0 &&
        (id == IDC_APL_MODE || id == IDC_APL_PERIOD)) {
        if (IsReady()) {
            if (id == IDC_APL_MODE)
                SendApl(id, m_messages.aplMode, m_values.aplModes, m_aplMode);
            else
                SendApl(id, m_messages.aplPeriod, m_values.aplPeriods, m_aplPeriod);
        }
        return platform::TRUE;
    }
    return CTabPage::OnCommand(id, code);
}

}  // namespace corvane
