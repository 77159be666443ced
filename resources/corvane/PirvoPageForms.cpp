#include "resources/corvane/PirvoPageForms.h"

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kHalfCx;
using videoform::kMargin;
using videoform::kRightHalfX;
using videoform::kRowStep;

namespace {

constexpr int kBoxTop = 5;
constexpr int kFirstRow = 19;
constexpr int kLabelCx = 38;
constexpr int kListCx = kHalfCx - 2 * kMargin - kLabelCx - 2;
constexpr int kListHeight = 120;

// Labelled lists, one row each, in a box on the left half.
void ListBox(videoform::PageBuilder& b, const char* title, int top,
             std::initializer_list<std::pair<int, const char*>> rows,
             const std::vector<std::string>& firstItems = {}) {
    const int count = static_cast<int>(rows.size());
    b.Group(IDC_STATIC, title, kMargin, top, kHalfCx, 14 + count * kRowStep);
    int y = top + 12;
    bool first = true;
    for (const auto& [id, label] : rows) {
        b.Label(IDC_STATIC, label, 2 * kMargin, y, kLabelCx);
        b.List(id, 2 * kMargin + kLabelCx, y, kListCx, kListHeight,
               first ? firstItems : std::vector<std::string>{});
        first = false;
        y += kRowStep;
    }
}

// The ID text box on the right half: the text, its mode and its position.
void IdTextBox(videoform::PageBuilder& b, const PirvoIdTextControls& c) {
    const int left = kRightHalfX + kMargin;
    b.Group(IDC_STATIC, "ID Text", kRightHalfX, kBoxTop, kHalfCx, 14 + 4 * kRowStep + 8);
    b.Edit(c.text, left, kFirstRow, kHalfCx - 2 * kMargin);
    b.Radios({c.modes[0], c.modes[1], c.modes[2], c.modes[3]},
             {"Enable", "Disable", "Blink Fast", "Blink Slow"}, left, kFirstRow + kRowStep + 2, 56,
             0, 14);
    const int fieldX = left + 62;
    struct Row {
        int labelId;
        const char* label;
        int editId, spinId, unitId;
    };
    const Row rows[] = {{c.xLabel, "X Position", c.x, c.xSpin, c.xUnit},
                        {c.yLabel, "Y Position", c.y, c.ySpin, c.yUnit}};
    int y = kFirstRow + kRowStep + 4;
    for (const Row& r : rows) {
        b.Label(r.labelId, r.label, fieldX, y, 40);
        b.SpinEdit(r.editId, r.spinId, fieldX + 42, y, 36, false);
        b.Label(r.unitId, "[%]", fieldX + 82, y, 14);
        y += kRowStep + 4;
    }
}

platform::DialogTemplate BuildSignal() {
    platform::DialogTemplate page = videoform::Page(IDD_PIRVO_SIGNAL);
    videoform::PageBuilder b(page);
    ListBox(b, "Signal", kBoxTop,
            {{IDC_PIRVO_SIGNAL_FORMAT, "Format"},
             {IDC_PIRVO_SIGNAL_SET, "Signal set"},
             {IDC_PIRVO_SIGNAL_SIGNAL, "Signal"}});
    ListBox(b, "APL", kBoxTop + 14 + 3 * kRowStep + 6,
            {{IDC_PIRVO_APL_MODE, "APL mode"}, {IDC_PIRVO_APL_PERIOD, "Period"}});
    IdTextBox(b, kPirvoSignalIdText);
    return page;
}

platform::DialogTemplate BuildBars() {
    platform::DialogTemplate page = videoform::Page(IDD_PIRVO_BARS);
    videoform::PageBuilder b(page);
    ListBox(b, "Output", kBoxTop,
            {{IDC_PIRVO_BARS_FORMAT, "Format"}, {IDC_PIRVO_BARS_SIGNAL, "Signal"}},
            {"NTSC", "PAL", "NTSC No Setup"});
    IdTextBox(b, kPirvoBarsIdText);
    return page;
}

}  // namespace

const platform::DialogTemplate& PirvoSignalPageTemplate() {
    static const platform::DialogTemplate page = BuildSignal();
    return page;
}

const platform::DialogTemplate& PirvoBarsPageTemplate() {
    static const platform::DialogTemplate page = BuildBars();
    return page;
}

}  // namespace corvane
