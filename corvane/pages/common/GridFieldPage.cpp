#include "corvane/pages/common/GridFieldPage.h"

#include <cmath>

#include "platform/MessageBox.h"
#include "platform/Numbers.h"

namespace corvane {

namespace {
// Beyond this many steps a typed number is refused before any conversion to int.
constexpr double kMostSteps = 1e9;
}  // namespace

std::string CGridFieldPage::GridText(const GridField& field, int steps) {
    if (field.decimal)
        return platform::Format("%6.1f", steps * field.step);
    return platform::Format("%d", static_cast<int>(std::lround(steps * field.step)));
}

bool CGridFieldPage::StepsOfText(const GridField& field, const std::string& text, int& steps) {
    const double typed = platform::StrToDouble(text.c_str());
    // Scaled by the grid's inverse: a tenth step then counts as the typed number times ten,
    // so a value halfway between two tenths (-12.35) rounds away from zero as it reads,
    // where dividing by 0.1 would land just short of the half and round toward zero.
    const double count = typed * (1.0 / field.step);
    if (!std::isfinite(count) || std::fabs(count) > kMostSteps)
        return false;
    const double rounded = std::trunc(count >= 0.0 ? count + 0.5 : count - 0.5);
    if (rounded < field.lowerSteps || rounded > field.upperSteps)
        return false;
    steps = static_cast<int>(rounded);
    return true;
}

int CGridFieldPage::OnGridFieldUpdate(const GridField& field, int& steps, const StepsSender& send) {
    if (!IsReady())
        return 0;
    int accepted = 0;
    if (StepsOfText(field, GetDlgItemText(field.editId), accepted)) {
        steps = accepted;
        send(steps);
        WriteSpin(field.spinId, steps);
        return 1;
    }
    const std::string message =
        field.decimal
            ? platform::Format(field.message, field.lowerSteps * field.step,
                               field.upperSteps * field.step)
            : platform::Format(field.message,
                               static_cast<int>(std::lround(field.lowerSteps * field.step)),
                               static_cast<int>(std::lround(field.upperSteps * field.step)));
    platform::AfxMessageBox(message, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    WriteText(field.editId, GridText(field, steps));
    WriteSpin(field.spinId, steps);
    return 0;
}

void CGridFieldPage::OnGridFieldKillFocus(const GridField& field, int steps) {
    if (!IsReady())
        return;
    WriteText(field.editId, GridText(field, steps));
    WriteSpin(field.spinId, steps);
}

void CGridFieldPage::OnGridSpinScroll(const GridField& field, int code, int position) {
    if (!IsReady() || code == platform::SB_ENDSCROLL)
        return;
    SetDlgItemText(field.editId, GridText(field, position));
}

void CGridFieldPage::WriteGridField(const GridField& field, int steps) {
    SetSpinRange(field.spinId, field.lowerSteps, field.upperSteps);
    WriteSpin(field.spinId, steps);
    WriteText(field.editId, GridText(field, steps));
}

}  // namespace corvane
