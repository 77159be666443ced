#include "resources/corvane/BrumoForms.h"

#include <string>
#include <vector>

#include "corvane/modules/video/VideoFormats.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

constexpr int kLabelCx = 70;
constexpr int kListCx = 150;

// The names of the output format rows from..to, as the format lists show them.
std::vector<std::string> FormatNames(int from, int to) {
    std::vector<std::string> names;
    for (const VideoFormat& row : videoformat::kBrumoOutput)
        if (row.code >= from && row.code <= to)
            names.emplace_back(row.name);
    return names;
}

// One field of the genlock timing: its label, the edit with its up-down and the unit.
void TimingRow(videoform::PageBuilder& b, int y, int labelId, const char* label, int editId,
               int spinId, bool buddyInteger, int unitId, const char* unit) {
    const int fieldX = 2 * kMargin + kLabelCx;
    b.Label(labelId, label, 2 * kMargin, y, kLabelCx);
    b.SpinEdit(editId, spinId, fieldX, y, 60, buddyInteger);
    b.Label(unitId, unit, fieldX + 64, y, 30);
}

}  // namespace

const platform::DialogTemplate& BrumoFormTemplate() {
    static const platform::DialogTemplate form = VideoModuleForm(IDD_BRUMO_FORM, false);
    return form;
}

const platform::DialogTemplate& BrumoGenlockPageTemplate() {
    static const platform::DialogTemplate page = [] {
        platform::DialogTemplate t = videoform::Page(IDD_BRUMO_GENLOCK);
        videoform::PageBuilder b(t);
        const int listX = 2 * kMargin + kLabelCx;
        const int top = 5;
        b.Group(IDC_STATIC, "Reference", kMargin, top, videoform::kPageCx - 2 * kMargin,
                2 * kRowStep + 14);
        b.Label(IDC_STATIC, "Source", 2 * kMargin, top + 12, kLabelCx);
        b.List(IDC_BRUMO_SOURCE, listX, top + 12, kListCx, 110,
               {"Internal", "NTSC Burst", "PAL Burst", "NTSC Burst with 10 Field ID", "625 SYNC",
                "525 SYNC", "HD SYNC", "CW"});
        b.Label(IDC_BRUMO_CW_LABEL, "Frame reset (CW)", 2 * kMargin, top + 12 + kRowStep, kLabelCx);
        b.List(IDC_BRUMO_CW_FRAME, listX, top + 12 + kRowStep, kListCx, 90,
               {"14.985 Hz : NTSC and 59.94 Hz group", "6.250 Hz : PAL and 50 Hz group",
                "15.000 Hz : 60 Hz group", "2.997 Hz : 23.98 Hz group", "3.000 Hz : 24 Hz group",
                "Keep Composite Timing"});

        const int lower = top + 2 * kRowStep + 19;
        const int timingCx = videoform::kHalfCx + 40;
        b.Group(IDC_BRUMO_TIMING_GROUP, "Genlock Timing", kMargin, lower, timingCx,
                3 * kRowStep + 14);
        TimingRow(b, lower + 12, IDC_BRUMO_LINES_LABEL, "Vertical", IDC_BRUMO_LINES,
                  IDC_BRUMO_LINES_SPIN, true, IDC_BRUMO_LINES_UNIT, "[line]");
        TimingRow(b, lower + 12 + kRowStep, IDC_BRUMO_COARSE_LABEL, "Horizontal coarse",
                  IDC_BRUMO_COARSE, IDC_BRUMO_COARSE_SPIN, false, IDC_BRUMO_COARSE_UNIT, "[usec]");
        TimingRow(b, lower + 12 + 2 * kRowStep, IDC_BRUMO_FINE_LABEL, "Horizontal fine",
                  IDC_BRUMO_FINE, IDC_BRUMO_FINE_SPIN, false, IDC_BRUMO_FINE_UNIT, "[nsec]");

        const int lossX = 2 * kMargin + timingCx;
        const int lossCx = videoform::kPageCx - kMargin - lossX;
        b.Group(IDC_BRUMO_LOCK_LOSS_GROUP, "Lock Loss", lossX, lower, lossCx, 40);
        b.Radios({IDC_BRUMO_GO_INTERNAL, IDC_BRUMO_STAY_CURRENT},
                 {"Go Internal Frequency", "Stay Current Frequency"}, lossX + kMargin, lower + 12,
                 lossCx - 2 * kMargin, 0, 13);
        return t;
    }();
    return page;
}

const platform::DialogTemplate& BrumoOutputPageTemplate() {
    static const platform::DialogTemplate page = [] {
        platform::DialogTemplate t = videoform::Page(IDD_BRUMO_OUTPUT);
        videoform::PageBuilder b(t);
        const int top = 5;
        const int boxCy = 2 * kRowStep + 14;
        const int labelCx = 30;
        auto box = [&](const char* title, int x, int y, int formatId, int signalLabelId,
                       int signalId, std::vector<std::string> formats) {
            const int cx = videoform::kHalfCx;
            const int listX = x + kMargin + labelCx;
            const int listCx = cx - 2 * kMargin - labelCx;
            b.Group(IDC_STATIC, title, x, y, cx, signalId != 0 ? boxCy : boxCy - kRowStep);
            b.Label(IDC_STATIC, "Format", x + kMargin, y + 12, labelCx);
            b.List(formatId, listX, y + 12, listCx, 140, formats);
            if (signalId != 0) {
                b.Label(signalLabelId, "Signal", x + kMargin, y + 12 + kRowStep, labelCx);
                b.List(signalId, listX, y + 12 + kRowStep, listCx, 50);
            }
        };
        box("BLACK 1", kMargin, top, IDC_BRUMO_FORMAT1, IDC_BRUMO_SIGNAL1_LABEL, IDC_BRUMO_SIGNAL1,
            FormatNames(0, 2));
        box("BLACK 2", videoform::kRightHalfX, top, IDC_BRUMO_FORMAT2, IDC_BRUMO_SIGNAL2_LABEL,
            IDC_BRUMO_SIGNAL2, FormatNames(0, 3));
        box("BLACK 3", kMargin, top + boxCy + 5, IDC_BRUMO_FORMAT3, 0, 0, FormatNames(4, 17));
        return t;
    }();
    return page;
}

}  // namespace corvane
