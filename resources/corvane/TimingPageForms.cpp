#include "resources/corvane/TimingPageForms.h"

#include <string>
#include <utility>
#include <vector>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

// Where each model's groups sit: two rows of two halves, or one row of three thirds.
struct TimingLayout {
    int id;
    std::vector<std::string> groupNames;
    std::span<const TimingGroupIds> ids;
    int columns;
    int boxCx;
    int labelCx;
    int fieldCx;
    const char* delayLabel;
};

int LabelId(int id) {
    return id != 0 ? id : IDC_STATIC;
}

platform::DialogTemplate Build(const TimingLayout& layout) {
    platform::DialogTemplate page = videoform::Page(layout.id);
    videoform::PageBuilder b(page);
    const bool fine = layout.ids.front().fineEdit != 0;
    const int rows = fine ? 3 : 2;
    const int boxCy = 12 + rows * kRowStep + 2;
    const int gap = layout.columns == 3 ? videoform::kThirdGap : kMargin;
    constexpr int kUnitCx = 24;
    for (size_t g = 0; g < layout.ids.size(); ++g) {
        const TimingGroupIds& ids = layout.ids[g];
        const int column = static_cast<int>(g) % layout.columns;
        const int row = static_cast<int>(g) / layout.columns;
        const int left = kMargin + column * (layout.boxCx + gap);
        const int top = 5 + row * (boxCy + 6);
        b.Group(IDC_STATIC, layout.groupNames[g], left, top, layout.boxCx, boxCy);
        const int x = left + 6;
        const int fieldX = x + layout.labelCx + 2;
        const int unitX = fieldX + layout.fieldCx + 4;
        int y = top + 12;
        b.Label(LabelId(ids.labels[0]), "Vertical", x, y, layout.labelCx);
        b.SpinEdit(ids.linesEdit, ids.linesSpin, fieldX, y, layout.fieldCx, true);
        y += kRowStep;
        b.Label(LabelId(ids.labels[1]), layout.delayLabel, x, y, layout.labelCx);
        b.SpinEdit(ids.delayEdit, ids.delaySpin, fieldX, y, layout.fieldCx, false);
        b.Label(LabelId(ids.labels[2]), "[usec]", unitX, y, kUnitCx);
        if (fine) {
            y += kRowStep;
            b.Label(LabelId(ids.labels[3]), "Fine", x, y, layout.labelCx);
            b.SpinEdit(ids.fineEdit, ids.fineSpin, fieldX, y, layout.fieldCx, false);
            b.Label(LabelId(ids.labels[4]), "[nsec]", unitX, y, kUnitCx);
        }
    }
    return page;
}

// The Pirvo's and the Kintor's page: four groups of one delay field, two by two.
platform::DialogTemplate BuildHalves(int id, std::vector<std::string> groupNames) {
    return Build({id, std::move(groupNames), kPirvoKintorTimingIds, 2, videoform::kHalfCx, 60, 50,
                  "Horizontal"});
}

}  // namespace

const platform::DialogTemplate& PirvoTimingPageTemplate() {
    static const platform::DialogTemplate page =
        BuildHalves(IDD_PIRVO_TIMING, {"BLACK 1", "BLACK 2", "SIGNAL", "BARS"});
    return page;
}

const platform::DialogTemplate& KintorTimingPageTemplate() {
    static const platform::DialogTemplate page =
        BuildHalves(IDD_KINTOR_TIMING, {"BLACK 1", "BLACK 2", "BLACK 3", "BLACK 4"});
    return page;
}

const platform::DialogTemplate& BrumoTimingPageTemplate() {
    static const platform::DialogTemplate page = Build({IDD_BRUMO_TIMING,
                                                        {"BLACK 1", "BLACK 2", "BLACK 3"},
                                                        kBrumoTimingIds,
                                                        3,
                                                        videoform::kThirdCx,
                                                        26,
                                                        46,
                                                        "Coarse"});
    return page;
}

}  // namespace corvane
