// CGridFieldPage: a tab page whose numeric fields each count whole steps of a grid (tenths of a
// percent, multiples of 4 pixels, lines), each with a spin without buddy integer that counts
// the same steps.
//
// A field's value is kept as its number of steps. Typed text is read as a decimal number and
// rounded half away from zero to the nearest step; outside the limits it is refused, never
// clamped: the message, the stored value back in the field and the spin, nothing sent. A spin
// arrow writes the field's text, and that write's own update notification sends the value as
// typing does; the spin is already where an accepted value would move it, so nothing echoes.
// Losing the focus rewrites the field in canonical form with the ready flag at 0, so the
// rewrite sends nothing and no flag is left armed to swallow the operator's next edit.
#pragma once

#include <functional>
#include <string>

#include "corvane/pages/common/TabPage.h"

namespace corvane {

class CGridFieldPage : public CTabPage {
public:
    using CTabPage::CTabPage;

    struct GridField {
        int editId = 0;
        int spinId = 0;
        int lowerSteps = 0;  // the limits, as step counts
        int upperSteps = 0;
        double step = 1.0;         // one step in the field's unit
        bool decimal = false;      // "%6.1f" (the field and the limits in the message), else "%d"
        const char* message = "";  // takes the lower and the upper limit
    };

    // The field's canonical text for a step count.
    static std::string GridText(const GridField& field, int steps);
    // The typed text rounded to a step count. False for text out of the limits, or a number
    // too large to count (the limits are then the answer's only meaning).
    static bool StepsOfText(const GridField& field, const std::string& text, int& steps);

protected:
    using StepsSender = std::function<void(int steps)>;

    // EN_UPDATE of the field: accepted (stored in `steps`, sent, the spin moved; answer 1) or
    // refused (answer 0). Does nothing while the page is not ready.
    int OnGridFieldUpdate(const GridField& field, int& steps, const StepsSender& send);
    // EN_KILLFOCUS of the field: the stored value written back in canonical form.
    void OnGridFieldKillFocus(const GridField& field, int steps);
    // The field's spin moved (any scroll code but the end of the move).
    void OnGridSpinScroll(const GridField& field, int code, int position);
    // The spin's range set to the limits, and the spin and the field to `steps`, sending
    // nothing.
    void WriteGridField(const GridField& field, int steps);
};

}  // namespace corvane
