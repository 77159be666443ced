#include "resources/corvane/BlackOutputPageForms.h"

#include <string>
#include <vector>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;

namespace {

constexpr int kRowCy = 30;

// One box per output, each holding its format list and its signal list side by side.
platform::DialogTemplate Build(int id, int outputs, const std::vector<std::string>& formats) {
    platform::DialogTemplate page = videoform::Page(id);
    videoform::PageBuilder b(page);
    const int boxCx = videoform::kPageCx - 2 * kMargin;
    const int formatX = 2 * kMargin + 30;
    const int signalX = formatX + 110 + 14;
    for (int output = 0; output < outputs; ++output) {
        const int top = 5 + output * (kRowCy + 4);
        const int y = top + 12;
        const size_t i = static_cast<size_t>(output);
        b.Group(IDC_STATIC, "BLACK " + std::to_string(output + 1), kMargin, top, boxCx, kRowCy);
        b.Label(IDC_STATIC, "Format", 2 * kMargin, y, 28);
        b.List(kBlackFormatIds[i], formatX, y, 90, 70, formats);
        b.Label(IDC_STATIC, "Signal", signalX - 30, y, 28);
        b.List(kBlackSignalIds[i], signalX, y, 150, 120);
    }
    return page;
}

}  // namespace

const platform::DialogTemplate& KintorOutputPageTemplate() {
    static const platform::DialogTemplate page =
        Build(IDD_KINTOR_OUTPUT, 4, {"NTSC", "PAL", "NTSC No Setup", "HD SYNC"});
    return page;
}

const platform::DialogTemplate& PirvoBlackPageTemplate() {
    static const platform::DialogTemplate page =
        Build(IDD_PIRVO_BLACK, 2, {"NTSC", "PAL", "NTSC No Setup"});
    return page;
}

}  // namespace corvane
