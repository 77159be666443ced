#include "corvane/pages/pirvo/PirvoIdTextPage.h"

#include "platform/DataExchange.h"
#include "platform/Numbers.h"

namespace corvane {

namespace {
constexpr int kPositionMin = 0;
constexpr int kPositionMax = 100;
}  // namespace

int PirvoIdTextModeShown(const PirvoIdTextValues& values) {
    if (values.mode == 1)
        return 1;
    if (values.blinkState == 1 && values.blinkPeriod == "0.5")
        return 2;
    if (values.blinkState == 1 && values.blinkPeriod == "1.0")
        return 3;
    return 0;
}

CPirvoIdTextPage::CPirvoIdTextPage(const platform::DialogTemplate& pageTemplate,
                                   const PirvoIdTextControls& controls,
                                   const PirvoIdTextMessages& messages)
    : CTabPage(pageTemplate),
      m_controls(controls),
      m_messages(messages),
      m_positions{Position{controls.x, controls.xSpin, messages.x, 0, {}},
                  Position{controls.y, controls.ySpin, messages.y, 0, {}}} {}

void CPirvoIdTextPage::InitIdText() {
    m_mode = PirvoIdTextModeShown(m_loaded);
    m_idText = m_loaded.text;
    m_positions[0].value = Clamp(m_loaded.x, kPositionMin, kPositionMax);
    m_positions[1].value = Clamp(m_loaded.y, kPositionMin, kPositionMax);
    LimitText(m_controls.text, kPirvoIdTextLimit);
    for (Position& position : m_positions) {
        LimitText(position.editId, kPirvoPositionLimit);
        WritePosition(position);
    }
    EnableIdText();
}

void CPirvoIdTextPage::DoDataExchange(platform::CDataExchange* dx) {
    platform::DDX_Radio(dx, m_controls.modes[0], m_mode);
    platform::DDX_Text(dx, m_controls.text, m_idText);
}

void CPirvoIdTextPage::WritePosition(Position& position) {
    position.text = platform::Format("%d", position.value);
    WriteText(position.editId, position.text);
}

void CPirvoIdTextPage::SendToOutput(platform::UINT message, platform::LPARAM lParam) {
    SendToView(message, static_cast<platform::WPARAM>(m_messages.output), lParam);
}

void CPirvoIdTextPage::SendTextToOutput(platform::UINT message, const std::string& text) {
    SendToOutput(message, reinterpret_cast<platform::LPARAM>(text.c_str()));
}

void CPirvoIdTextPage::SendPosition(const Position& position) {
    SendToOutput(position.message, static_cast<platform::LPARAM>(position.value));
}

void CPirvoIdTextPage::CommitPosition(Position& position) {
    position.value = Clamp(platform::StrToInt(GetDlgItemText(position.editId).c_str()),
                           kPositionMin, kPositionMax);
    const std::string canonical = platform::Format("%d", position.value);
    position.text = canonical;
    if (GetDlgItemText(position.editId) != canonical)
        WriteText(position.editId, canonical);
    SendPosition(position);
}

void CPirvoIdTextPage::CommitPositions() {
    if (!IsWindow() || !IsReady())
        return;
    for (Position& position : m_positions)
        if (GetDlgItemText(position.editId) != platform::Format("%d", position.value))
            CommitPosition(position);
}

void CPirvoIdTextPage::ReloadIdText(const PirvoIdTextValues& values) {
    m_loaded.text = values.text;
    m_loaded.x = values.x;
    m_loaded.y = values.y;
    if (!IsWindow())
        return;
    ReadyOff off(*this);
    m_idText = values.text;
    WriteText(m_controls.text, m_idText);
    m_positions[0].value = Clamp(values.x, kPositionMin, kPositionMax);
    m_positions[1].value = Clamp(values.y, kPositionMin, kPositionMax);
    for (Position& position : m_positions) WritePosition(position);
}

void CPirvoIdTextPage::EnableIdText() {
    const bool enable = m_mode != 1;
    const PirvoIdTextControls& c = m_controls;
    for (int id : {c.text, c.x, c.xSpin, c.xLabel, c.xUnit, c.y, c.ySpin, c.yLabel, c.yUnit})
        EnableDlgItem(id, enable);
}

void CPirvoIdTextPage::OnModeClicked() {
    UpdateData(platform::TRUE);
    SendToOutput(m_messages.mode, static_cast<platform::LPARAM>(m_mode));
    EnableIdText();
}

platform::BOOL CPirvoIdTextPage::OnCommand(int id, int code) {
    if (id == m_controls.text) {
        if (code == platform::EN_SETFOCUS)
            DisableInputMethod(id);
        else if (code == platform::EN_UPDATE)
            OnIdTextUpdate(id, m_idText, [this](const std::string& text) {
                SendTextToOutput(m_messages.text, text);
            });
        return platform::TRUE;
    }
    for (Position& position : m_positions) {
        if (id != position.editId)
            continue;
        if (!IsReady())
            return platform::TRUE;
        if (code == platform::EN_UPDATE) {
            position.text = GetDlgItemText(id);
            SendPosition(position);
        } else if (code == platform::EN_KILLFOCUS) {
            CommitPosition(position);
        }
        return platform::TRUE;
    }
    for (int modeId : m_controls.modes)
        if (id == modeId) {
            if (IsReady() && code == platform::BN_CLICKED)
                OnModeClicked();
            return platform::TRUE;
        }
    return CTabPage::OnCommand(id, code);
}

platform::BOOL CPirvoIdTextPage::OnNotify(int id, int code, void* data, platform::LRESULT* result) {
    if (code == platform::UDN_DELTAPOS)
        for (Position& position : m_positions)
            if (id == position.spinId) {
                *result = OnPercentDeltaPos(
                    position.editId, *static_cast<platform::NMUPDOWN*>(data), position.text,
                    position.value, [this, &position](int) { SendPosition(position); },
                    kPositionMin, kPositionMax);
                return platform::TRUE;
            }
    return CTabPage::OnNotify(id, code, data, result);
}

}  // namespace corvane
