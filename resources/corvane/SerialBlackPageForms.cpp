#include "resources/corvane/SerialBlackPageForms.h"

#include <array>
#include <string>
#include <vector>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

platform::DialogTemplate Build(int id, int formatId, const std::vector<std::string>& formats,
                               bool edhAndBits) {
    platform::DialogTemplate page = videoform::Page(id);
    videoform::PageBuilder b(page);
    const int labelCx = 44;
    int x = 2 * kMargin;
    b.Group(IDC_STATIC, "Output", kMargin, 5, videoform::kHalfCx, 46);
    b.Label(IDC_STATIC, "Format", x, 17, labelCx);
    b.List(formatId, x + labelCx + 2, 17, 110, 100, formats);
    b.Label(IDC_STATIC, "Signal", x, 17 + kRowStep, labelCx);
    b.List(IDC_BLACK_SIGNAL, x + labelCx + 2, 17 + kRowStep, 110, 60, {"Black", "40% Flat Field"});

    const int right = videoform::kRightHalfX;
    x = right + kMargin;
    const int fieldX = x + 66;
    b.Group(IDC_STATIC, "Timing", right, 5, videoform::kHalfCx, 46);
    b.Label(IDC_STATIC, "Vertical Lines", x, 17, 64);
    b.SpinEdit(IDC_BLACK_LINES, IDC_BLACK_LINES_SPIN, fieldX, 17, 52, true);
    b.Label(IDC_STATIC, "Horizontal Delay", x, 17 + kRowStep, 64);
    b.SpinEdit(IDC_BLACK_DELAY, IDC_BLACK_DELAY_SPIN, fieldX, 17 + kRowStep, 52, false);
    b.Label(IDC_STATIC, "[usec]", fieldX + 56, 17 + kRowStep, 24);

    if (edhAndBits) {
        const int top = 56;
        const int boxCx = videoform::kThirdCx;
        b.Group(IDC_STATIC, "EDH", kMargin, top, boxCx, 28);
        b.Radios({IDC_BLACK_EDH_ON, IDC_BLACK_EDH_OFF}, {"On", "Off"}, 2 * kMargin, top + 12, 44,
                 48);
        b.Group(IDC_STATIC, "Resolution", kMargin + boxCx + videoform::kThirdGap, top, boxCx, 28);
        b.Radios({IDC_BLACK_BITS8, IDC_BLACK_BITS10}, {"8 bits", "10 bits"},
                 2 * kMargin + boxCx + videoform::kThirdGap, top + 12, 44, 48);
    }
    return page;
}

}  // namespace

const platform::DialogTemplate& SerialBlackPageTemplate(VideoModel model) {
    static const std::array<platform::DialogTemplate, 2> pages{
        Build(IDD_SORMET_BLACK, IDC_SORMET_BLACK_FORMAT, SdFormatNames(), true),
        Build(IDD_ULMETH_BLACK, IDC_ULMETH_BLACK_FORMAT,
              {HdFormatNames().begin(), HdFormatNames().begin() + kHdFormatsBefore31}, false)};
    return pages[static_cast<size_t>(SerialModelIndex(model))];
}

}  // namespace corvane
