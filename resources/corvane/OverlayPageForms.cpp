#include "resources/corvane/OverlayPageForms.h"

#include <array>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

// The three overlays side by side, each in its own box.
constexpr int kColumnCx = videoform::kThirdCx;
constexpr int kColumnStep = kColumnCx + videoform::kThirdGap;
constexpr int kBoxTop = 5;
constexpr int kFirstRow = 31;

struct Field {
    int labelId;
    const char* label;
    int editId, spinId, unitId;
};

int ColumnX(int column) {
    return kMargin + column * kColumnStep;
}

// One overlay's box and its Enable/Disable pair.
void ColumnHead(videoform::PageBuilder& b, int column, const char* title, int enableId,
                int disableId) {
    const int x = ColumnX(column);
    b.Group(IDC_STATIC, title, x, kBoxTop, kColumnCx, kFirstRow + 2 * kRowStep + 18 - kBoxTop);
    b.Radios({enableId, disableId}, {"Enable", "Disable"}, x + kMargin, 17, 44, 48);
}

// Percent fields, one row each from row `first` of the box.
void FieldRows(videoform::PageBuilder& b, int column, int first,
               std::initializer_list<Field> rows) {
    const int x = ColumnX(column) + kMargin;
    int y = kFirstRow + first * kRowStep;
    for (const Field& f : rows) {
        b.Label(f.labelId, f.label, x, y, 40);
        b.SpinEdit(f.editId, f.spinId, x + 42, y, 40, false);
        b.Label(f.unitId, "[%]", x + 86, y, 12);
        y += kRowStep;
    }
}

platform::DialogTemplate Build(int id) {
    platform::DialogTemplate page = videoform::Page(id);
    videoform::PageBuilder b(page);
    const int wide = kColumnCx - 2 * kMargin;

    ColumnHead(b, 0, "Logo", IDC_LOGO_ENABLE, IDC_LOGO_DISABLE);
    b.List(IDC_LOGO_NAME, ColumnX(0) + kMargin, kFirstRow, wide, 120);
    FieldRows(b, 0, 1,
              {{IDC_LOGO_X_LABEL, "X Position", IDC_LOGO_X, IDC_LOGO_X_SPIN, IDC_LOGO_X_UNIT},
               {IDC_LOGO_Y_LABEL, "Y Position", IDC_LOGO_Y, IDC_LOGO_Y_SPIN, IDC_LOGO_Y_UNIT}});

    ColumnHead(b, 1, "ID Text", IDC_TEXT_ENABLE, IDC_TEXT_DISABLE);
    b.Edit(IDC_TEXT, ColumnX(1) + kMargin, kFirstRow, wide);
    FieldRows(b, 1, 1,
              {{IDC_TEXT_X_LABEL, "X Position", IDC_TEXT_X, IDC_TEXT_X_SPIN, IDC_TEXT_X_UNIT},
               {IDC_TEXT_Y_LABEL, "Y Position", IDC_TEXT_Y, IDC_TEXT_Y_SPIN, IDC_TEXT_Y_UNIT}});

    ColumnHead(b, 2, "Circle", IDC_CIRCLE_ENABLE, IDC_CIRCLE_DISABLE);
    FieldRows(
        b, 2, 0,
        {{IDC_CIRCLE_DIAMETER_LABEL, "Diameter", IDC_CIRCLE_DIAMETER, IDC_CIRCLE_DIAMETER_SPIN,
          IDC_CIRCLE_DIAMETER_UNIT},
         {IDC_CIRCLE_X_LABEL, "X Position", IDC_CIRCLE_X, IDC_CIRCLE_X_SPIN, IDC_CIRCLE_X_UNIT},
         {IDC_CIRCLE_Y_LABEL, "Y Position", IDC_CIRCLE_Y, IDC_CIRCLE_Y_SPIN, IDC_CIRCLE_Y_UNIT}});

    const int blinkTop = kFirstRow + 2 * kRowStep + 24;
    b.Group(IDC_STATIC, "Blink", kMargin, blinkTop, videoform::kPageCx - 2 * kMargin, 28);
    b.Radios({IDC_BLINK_OFF, IDC_BLINK_FAST, IDC_BLINK_SLOW},
             {"Blink OFF", "Blink Fast", "Blink Slow"}, 2 * kMargin, blinkTop + 12, 60, 70);
    return page;
}

}  // namespace

const platform::DialogTemplate& OverlayPageTemplate(VideoModel model) {
    static const std::array<platform::DialogTemplate, 4> pages{
        Build(IDD_OLTRA_OVERLAY), Build(IDD_YARLO_OVERLAY), Build(IDD_SORMET_OVERLAY),
        Build(IDD_ULMETH_OVERLAY)};
    return pages[static_cast<size_t>(VideoModelIndex(model))];
}

}  // namespace corvane
