#include "corvane/pages/movingpicture/MovingPicturePage.h"

#include <cmath>

#include "platform/DataExchange.h"
#include "platform/Numbers.h"
#include "resources/corvane/MovingPicturePageForms.h"

namespace corvane {

namespace {

constexpr int kHorizontalUnit = 4;
constexpr int kPeriodLower = 1;
constexpr int kPeriodUpper = 16;
// The Sormet's format whose lines move in pairs.
constexpr int kSormet525_143 = 0;

VerticalLimit AnalogVertical(int) {
    return {15, 1};
}
VerticalLimit SormetVertical(int formatCode) {
    // Any format but 525-143 (even one the page does not know) moves line by line.
    return formatCode == kSormet525_143 ? VerticalLimit{244, 2} : VerticalLimit{255, 1};
}
VerticalLimit UlmethVertical(int) {
    return {255, 1};
}

const MovingPictureTable kTables[] = {
    {VideoModel::Oltra, kOltraMovingPicture, 60, 0, AnalogVertical},
    {VideoModel::Yarlo, kYarloMovingPicture, 60, 0, AnalogVertical},
    {VideoModel::Sormet, kSormetMovingPicture, 252, WM_SORMET_FORMAT, SormetVertical},
    {VideoModel::Ulmeth, kUlmethMovingPicture, 252, 0, UlmethVertical},
};

// A step count for `value` on a grid of `unit`, rounded half away from zero.
int StepsOf(int value, int unit) {
    const double count = static_cast<double>(value) / unit;
    return platform::DoubleToIntSaturated(count >= 0.0 ? count + 0.5 : count - 0.5);
}

}  // namespace

const MovingPictureTable& MovingPictureTableOf(VideoModel model) {
    return kTables[VideoModelIndex(model)];
}

CMovingPicturePage::CMovingPicturePage(VideoModel model)
    : CGridFieldPage(MovingPicturePageTemplate(model)), m_table(MovingPictureTableOf(model)) {
    const int h = m_table.horizontalLimit / kHorizontalUnit;
    m_fields[kHorizontal] = {IDC_MOVING_HSTEP,
                             IDC_MOVING_HSTEP_SPIN,
                             -h,
                             h,
                             static_cast<double>(kHorizontalUnit),
                             false,
                             "Horizontal step must be within\n%d to %d."};
    m_fields[kVertical] = {IDC_MOVING_VSTEP,
                           IDC_MOVING_VSTEP_SPIN,
                           0,
                           0,
                           1.0,
                           false,
                           "Vertical step must be within\n%d to %d."};
    m_fields[kPeriod] = {IDC_MOVING_PERIOD,
                         IDC_MOVING_PERIOD_SPIN,
                         kPeriodLower,
                         kPeriodUpper,
                         1.0,
                         false,
                         "Period must be within\n%d to %d."};
    if (m_table.formatMessage != 0)
        OnMessage(m_table.formatMessage, [this](platform::WPARAM w, platform::LPARAM) {
            return FollowFormat(static_cast<int>(static_cast<platform::LPARAM>(w)));
        });
}

void CMovingPicturePage::SetLimits() {
    const VerticalLimit v = m_table.vertical(m_values.formatCode);
    GridField& field = m_fields[kVertical];
    field.step = v.unit;
    field.lowerSteps = -v.limit / v.unit;
    field.upperSteps = v.limit / v.unit;
}

void CMovingPicturePage::FitVerticalStep() {
    const GridField& field = m_fields[kVertical];
    const int unit = static_cast<int>(field.step);
    const int steps =
        Clamp(StepsOf(m_values.settings.verticalStep, unit), field.lowerSteps, field.upperSteps);
    m_steps[kVertical] = steps;
    if (steps * unit != m_values.settings.verticalStep)
        Send(kVertical);
}

platform::BOOL CMovingPicturePage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    const MovingPictureSettings& s = m_values.settings;
    m_randomRadio = s.random == 1 ? 0 : 1;
    SetLimits();
    m_steps[kHorizontal] = StepsOf(s.horizontalStep, kHorizontalUnit);
    m_steps[kPeriod] = s.period;
    FitVerticalStep();
    for (int f = 0; f < kFieldCount; ++f) WriteGridField(m_fields[f], m_steps[f]);
    WriteControls();
    m_ready = 1;
    return platform::TRUE;
}

void CMovingPicturePage::DoDataExchange(platform::CDataExchange* dx) {
    platform::DDX_Radio(dx, IDC_MOVING_RANDOM_ON, m_randomRadio);
}

void CMovingPicturePage::Send(Field field) {
    const int value = platform::DoubleToIntSaturated(m_steps[field] * m_fields[field].step);
    MovingPictureSettings& s = m_values.settings;
    const MovingPictureMessages& m = m_table.messages;
    switch (field) {
        case kHorizontal:
            s.horizontalStep = value;
            SendToView(m.horizontalStep, 0, value);
            break;
        case kVertical:
            s.verticalStep = value;
            SendToView(m.verticalStep, 0, value);
            break;
        case kPeriod:
            s.period = value;
            SendToView(m.period, 0, value);
            break;
        case kFieldCount:
            break;
    }
}

platform::BOOL CMovingPicturePage::OnCommand(int id, int code) {
    for (int f = 0; f < kFieldCount; ++f) {
        if (id != m_fields[f].editId)
            continue;
        const Field which = static_cast<Field>(f);
        if (code == platform::EN_UPDATE)
            OnGridFieldUpdate(m_fields[f], m_steps[f], [this, which](int) { Send(which); });
        else if (code == platform::EN_KILLFOCUS)
            OnGridFieldKillFocus(m_fields[f], m_steps[f]);
        return platform::TRUE;
    }
    if ((id == IDC_MOVING_RANDOM_ON || id == IDC_MOVING_RANDOM_OFF) &&
        code == platform::BN_CLICKED) {
        if (IsReady()) {
            m_randomRadio = id == IDC_MOVING_RANDOM_ON ? 0 : 1;
            m_values.settings.random = m_randomRadio == 0 ? 1 : 0;
            SendToView(m_table.messages.random,
                       static_cast<platform::WPARAM>(m_values.settings.random), 0);
        }
        return platform::TRUE;
    }
    return CGridFieldPage::OnCommand(id, code);
}

void CMovingPicturePage::OnVScroll(int code, int pos, int id) {
    for (int f = 0; f < kFieldCount; ++f)
        if (m_fields[f].spinId == id) {
            OnGridSpinScroll(m_fields[f], code, pos);
            return;
        }
}

platform::LRESULT CMovingPicturePage::FollowFormat(int formatCode) {
    m_values.formatCode = formatCode;
    if (!IsWindow())
        return 0;
    ReadyOff off(*this);
    SetLimits();
    FitVerticalStep();
    WriteGridField(m_fields[kVertical], m_steps[kVertical]);
    return 0;
}

}  // namespace corvane
