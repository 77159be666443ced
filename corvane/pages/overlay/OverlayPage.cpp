#include "corvane/pages/overlay/OverlayPage.h"

#include <cmath>
#include <initializer_list>

#include "corvane/pages/overlay/OverlayIdText.h"
#include "platform/DataExchange.h"
#include "platform/Numbers.h"
#include "resources/corvane/OverlayPageForms.h"

namespace corvane {

namespace {

const char* const kLogoXMessage = "Position X must be within\n%6.1f to %6.1f [%%].";
const char* const kLogoYMessage = "Position Y must be within\n%6.1f to %6.1f [%%].";
const char* const kPositionXMessage = "Position X must be within\n%d to %d [%%].";
const char* const kPositionYMessage = "Position Y must be within\n%d to %d [%%].";
const char* const kDiameterMessage = "Diameter must be within\n%d to %d [%%].";

// In the order of COverlayPage::Field.
const CGridFieldPage::GridField kFields[] = {
    {IDC_LOGO_X, IDC_LOGO_X_SPIN, -1000, 0, 0.1, true, kLogoXMessage},
    {IDC_LOGO_Y, IDC_LOGO_Y_SPIN, -1000, 0, 0.1, true, kLogoYMessage},
    {IDC_TEXT_X, IDC_TEXT_X_SPIN, 0, 100, 1.0, false, kPositionXMessage},
    {IDC_TEXT_Y, IDC_TEXT_Y_SPIN, 0, 100, 1.0, false, kPositionYMessage},
    {IDC_CIRCLE_X, IDC_CIRCLE_X_SPIN, -50, 50, 1.0, false, kPositionXMessage},
    {IDC_CIRCLE_Y, IDC_CIRCLE_Y_SPIN, -50, 50, 1.0, false, kPositionYMessage},
    {IDC_CIRCLE_DIAMETER, IDC_CIRCLE_DIAMETER_SPIN, 0, 100, 1.0, false, kDiameterMessage},
};

const std::initializer_list<int> kLogoControls = {
    IDC_LOGO_NAME,    IDC_LOGO_X_LABEL, IDC_LOGO_X,      IDC_LOGO_X_SPIN, IDC_LOGO_X_UNIT,
    IDC_LOGO_Y_LABEL, IDC_LOGO_Y,       IDC_LOGO_Y_SPIN, IDC_LOGO_Y_UNIT};
const std::initializer_list<int> kTextControls = {
    IDC_TEXT,         IDC_TEXT_X_LABEL, IDC_TEXT_X,      IDC_TEXT_X_SPIN, IDC_TEXT_X_UNIT,
    IDC_TEXT_Y_LABEL, IDC_TEXT_Y,       IDC_TEXT_Y_SPIN, IDC_TEXT_Y_UNIT};
const std::initializer_list<int> kCircleControls = {IDC_CIRCLE_DIAMETER,
                                                    IDC_CIRCLE_DIAMETER_SPIN,
                                                    IDC_CIRCLE_DIAMETER_UNIT,
                                                    IDC_CIRCLE_X_LABEL,
                                                    IDC_CIRCLE_X,
                                                    IDC_CIRCLE_X_SPIN,
                                                    IDC_CIRCLE_X_UNIT,
                                                    IDC_CIRCLE_Y_LABEL,
                                                    IDC_CIRCLE_Y,
                                                    IDC_CIRCLE_Y_SPIN,
                                                    IDC_CIRCLE_Y_UNIT,
                                                    IDC_CIRCLE_DIAMETER_LABEL};

const OverlayMessages& MessagesOf(VideoModel model) {
    static const OverlayMessages* const tables[] = {&kOltraOverlay, &kYarloOverlay, &kSormetOverlay,
                                                    &kUlmethOverlay};
    return *tables[VideoModelIndex(model)];
}

constexpr int kBlinkModes[] = {0, 2, 3};

int LogoSteps(double percent) {
    return platform::DoubleToIntSaturated(std::round(percent * 10.0));
}

}  // namespace

int BlinkModeOfButton(int index) {
    return index >= 0 && index < 3 ? kBlinkModes[index] : 0;
}

int BlinkButtonOfMode(int mode) {
    for (int i = 0; i < 3; ++i)
        if (kBlinkModes[i] == mode)
            return i;
    return 0;
}

COverlayPage::COverlayPage(VideoModel model)
    : CGridFieldPage(OverlayPageTemplate(model)), m_messages(MessagesOf(model)) {
    OnMessage(m_messages.logoReload,
              [this](platform::WPARAM, platform::LPARAM) { return ReloadLogo(); });
    OnMessage(m_messages.textReload,
              [this](platform::WPARAM, platform::LPARAM) { return ReloadText(); });
}

platform::BOOL COverlayPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    m_values = m_loaded;
    m_idText = m_values.text.text;
    m_steps = {LogoSteps(m_values.logo.horizontal),
               LogoSteps(m_values.logo.vertical),
               m_values.text.horizontal,
               m_values.text.vertical,
               m_values.circle.horizontal,
               m_values.circle.vertical,
               m_values.circle.diameter};
    for (int f = 0; f < kFieldCount; ++f) WriteField(static_cast<Field>(f));
    LimitText(IDC_TEXT, kIdTextLimit);

    const std::vector<std::string>& logos = m_values.logo.logos;
    m_logoIndex = -1;
    for (size_t i = 0; i < logos.size(); ++i)
        if (logos[i] == m_values.logo.selected) {
            m_logoIndex = static_cast<int>(i);
            break;
        }
    if (FillComboList(IDC_LOGO_NAME, logos, 64, 64, m_logoIndex) == 0)
        m_logoIndex = -1;
    // Without a logo on the instrument there is nothing to switch on.
    EnableDlgItem(IDC_LOGO_ENABLE, !logos.empty());
    EnableDlgItem(IDC_LOGO_DISABLE, !logos.empty());

    m_logoRadio = m_values.logo.state == 1 ? 0 : 1;
    m_textRadio = m_values.text.state == 1 ? 0 : 1;
    m_circleRadio = m_values.circle.state == 1 ? 0 : 1;
    UpdateEnabling();
    m_blinkRadio = BlinkButtonOfMode(m_values.blink);
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void COverlayPage::DoDataExchange(platform::CDataExchange* dx) {
    platform::DDX_Radio(dx, IDC_BLINK_OFF, m_blinkRadio);
    platform::DDX_Radio(dx, IDC_LOGO_ENABLE, m_logoRadio);
    platform::DDX_CBIndex(dx, IDC_LOGO_NAME, m_logoIndex);
    platform::DDX_Radio(dx, IDC_TEXT_ENABLE, m_textRadio);
    platform::DDX_Text(dx, IDC_TEXT, m_idText);
    platform::DDX_Radio(dx, IDC_CIRCLE_ENABLE, m_circleRadio);
}

void COverlayPage::WriteField(Field field) {
    WriteGridField(kFields[field], m_steps[static_cast<size_t>(field)]);
}

void COverlayPage::SendField(Field field) {
    const int steps = m_steps[static_cast<size_t>(field)];
    if (field == kLogoX || field == kLogoY) {
        // The view takes the logo's position by address, as a double in percent.
        double& stored = field == kLogoX ? m_values.logo.horizontal : m_values.logo.vertical;
        stored = steps / 10.0;
        SendToView(field == kLogoX ? m_messages.logoX : m_messages.logoY, 0,
                   reinterpret_cast<platform::LPARAM>(&stored));
        return;
    }
    struct Target {
        int* stored;
        platform::UINT message;
    };
    // In the order of Field, from kTextX.
    const Target targets[] = {{&m_values.text.horizontal, m_messages.textX},
                              {&m_values.text.vertical, m_messages.textY},
                              {&m_values.circle.horizontal, m_messages.circleX},
                              {&m_values.circle.vertical, m_messages.circleY},
                              {&m_values.circle.diameter, m_messages.diameter}};
    const Target& target = targets[field - kTextX];
    *target.stored = steps;
    SendToView(target.message, 0, steps);
}

void COverlayPage::UpdateEnabling() {
    for (int id : kLogoControls) EnableDlgItem(id, m_logoRadio == 0);
    for (int id : kTextControls) EnableDlgItem(id, m_textRadio == 0);
    for (int id : kCircleControls) EnableDlgItem(id, m_circleRadio == 0);
}

void COverlayPage::SendState(platform::UINT message, int& state, int value) {
    state = value;
    SendToView(message, static_cast<platform::WPARAM>(value), 0);
    UpdateEnabling();
}

void COverlayPage::SendLogoName() {
    int index = GetCurSel(IDC_LOGO_NAME);
    if (index < 0) {
        index = SetCurSel(IDC_LOGO_NAME, 0);
        if (index < 0)
            index = 0;
    }
    // An empty list has no entry to name.
    if (index >= GetCount(IDC_LOGO_NAME))
        return;
    m_logoIndex = index;
    m_logoName = GetLBText(IDC_LOGO_NAME, index);
    m_values.logo.selected = m_logoName;
    SendToView(m_messages.logoName, 0, reinterpret_cast<platform::LPARAM>(m_logoName.c_str()));
}

platform::BOOL COverlayPage::OnCommand(int id, int code) {
    for (int f = 0; f < kFieldCount; ++f) {
        const GridField& field = kFields[f];
        if (id != field.editId)
            continue;
        const Field which = static_cast<Field>(f);
        int& steps = m_steps[static_cast<size_t>(f)];
        if (code == platform::EN_UPDATE)
            OnGridFieldUpdate(field, steps, [this, which](int) { SendField(which); });
        else if (code == platform::EN_KILLFOCUS)
            OnGridFieldKillFocus(field, steps);
        return platform::TRUE;
    }
    if (id == IDC_TEXT) {
        if (code == platform::EN_SETFOCUS)
            DisableInputMethod(IDC_TEXT);
        else if (code == platform::EN_UPDATE)
            OnIdTextUpdate(
                IDC_TEXT, m_idText,
                [this](const std::string& text) {
                    m_values.text.text = text;
                    SendToView(m_messages.text, 0,
                               reinterpret_cast<platform::LPARAM>(m_values.text.text.c_str()));
                },
                CleanOverlayIdText);
        return platform::TRUE;
    }
    if (id == IDC_LOGO_NAME) {
        if (IsReady() && code == platform::CBN_SELCHANGE)
            SendLogoName();
        return platform::TRUE;
    }
    if (code != platform::BN_CLICKED || !IsReady())
        return CGridFieldPage::OnCommand(id, code);
    struct Switch {
        int enableId;
        int disableId;
        int* radio;
        int* state;
        platform::UINT message;
    };
    const Switch switches[] = {
        {IDC_LOGO_ENABLE, IDC_LOGO_DISABLE, &m_logoRadio, &m_values.logo.state,
         m_messages.logoState},
        {IDC_TEXT_ENABLE, IDC_TEXT_DISABLE, &m_textRadio, &m_values.text.state,
         m_messages.textState},
        {IDC_CIRCLE_ENABLE, IDC_CIRCLE_DISABLE, &m_circleRadio, &m_values.circle.state,
         m_messages.circleState},
    };
    for (const Switch& group : switches) {
        if (id != group.enableId && id != group.disableId)
            continue;
        const int on = id == group.enableId ? 1 : 0;
        *group.radio = 1 - on;
        SendState(group.message, *group.state, on);
        // Switching on sends what goes with the switch, as the page shows it now.
        if (on == 1 && id == IDC_LOGO_ENABLE)
            SendLogoName();
        if (on == 1 && id == IDC_TEXT_ENABLE)
            OnCommand(IDC_TEXT, platform::EN_UPDATE);
        return platform::TRUE;
    }
    if (id >= IDC_BLINK_OFF && id <= IDC_BLINK_SLOW) {
        m_blinkRadio = id - IDC_BLINK_OFF;
        m_values.blink = BlinkModeOfButton(m_blinkRadio);
        SendToView(m_messages.blink, static_cast<platform::WPARAM>(m_values.blink), 0);
        return platform::TRUE;
    }
    return CGridFieldPage::OnCommand(id, code);
}

void COverlayPage::OnVScroll(int code, int pos, int id) {
    for (const GridField& field : kFields)
        if (field.spinId == id) {
            OnGridSpinScroll(field, code, pos);
            return;
        }
}

platform::LRESULT COverlayPage::ReloadLogo() {
    if (!IsWindow())
        return 0;
    ReadyOff off(*this);
    // What the operator set on the page stays; only the logo's values are read again.
    UpdateData(platform::TRUE);
    m_values.logo = m_loaded.logo;
    m_steps[kLogoX] = LogoSteps(m_values.logo.horizontal);
    m_steps[kLogoY] = LogoSteps(m_values.logo.vertical);
    WriteField(kLogoX);
    WriteField(kLogoY);
    UpdateData(platform::FALSE);
    return 0;
}

platform::LRESULT COverlayPage::ReloadText() {
    if (!IsWindow())
        return 0;
    ReadyOff off(*this);
    m_values.text = m_loaded.text;
    m_idText = m_values.text.text;
    m_steps[kTextX] = m_values.text.horizontal;
    m_steps[kTextY] = m_values.text.vertical;
    WriteField(kTextX);
    WriteField(kTextY);
    UpdateData(platform::FALSE);
    return 0;
}

}  // namespace corvane
