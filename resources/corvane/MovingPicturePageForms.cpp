#include "resources/corvane/MovingPicturePageForms.h"

#include <array>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

platform::DialogTemplate Build(int id) {
    platform::DialogTemplate page = videoform::Page(id);
    videoform::PageBuilder b(page);
    const int x = 2 * kMargin;
    const int fieldX = x + 46;
    b.Group(IDC_STATIC, "Movement", kMargin, 5, videoform::kHalfCx, 68);
    b.Label(IDC_STATIC, "H Step", x, 17, 44);
    b.SpinEdit(IDC_MOVING_HSTEP, IDC_MOVING_HSTEP_SPIN, fieldX, 17, 44, false);
    b.Label(IDC_STATIC, "V Step", x, 17 + kRowStep, 44);
    b.SpinEdit(IDC_MOVING_VSTEP, IDC_MOVING_VSTEP_SPIN, fieldX, 17 + kRowStep, 44, false);
    b.Label(IDC_STATIC, "Period", x, 17 + 2 * kRowStep, 44);
    b.SpinEdit(IDC_MOVING_PERIOD, IDC_MOVING_PERIOD_SPIN, fieldX, 17 + 2 * kRowStep, 44, false,
               platform::ES_NUMBER);

    const int right = videoform::kRightHalfX;
    b.Group(IDC_STATIC, "Random", right, 5, videoform::kHalfCx, 28);
    b.Radios({IDC_MOVING_RANDOM_ON, IDC_MOVING_RANDOM_OFF}, {"Enable", "Disable"}, right + kMargin,
             17, 44, 50);
    return page;
}

}  // namespace

const platform::DialogTemplate& MovingPicturePageTemplate(VideoModel model) {
    static const std::array<platform::DialogTemplate, 4> pages{
        Build(IDD_OLTRA_MOVING_PICTURE), Build(IDD_YARLO_MOVING_PICTURE),
        Build(IDD_SORMET_MOVING_PICTURE), Build(IDD_ULMETH_MOVING_PICTURE)};
    return pages[static_cast<size_t>(VideoModelIndex(model))];
}

}  // namespace corvane
