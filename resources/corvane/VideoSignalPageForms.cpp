#include "resources/corvane/VideoSignalPageForms.h"

#include <array>
#include <string>
#include <vector>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;
using videoform::kRowStep;

namespace {

struct SignalPageModel {
    int id;
    std::vector<std::string> formats;  // the template's list, replaced from the catalogue
    // Analog models: the coarse and fine fields; 0 for the serial models' single delay.
    int coarseEdit = 0, coarseSpin = 0, fineEdit = 0, fineSpin = 0;
    const char* fineLabel = "";
};

// The HD format names of the codes first..last.
std::vector<std::string> HdNames(int first, int last) {
    const std::vector<std::string>& all = HdFormatNames();
    return {all.begin() + first, all.begin() + last + 1};
}

platform::DialogTemplate Build(const SignalPageModel& model) {
    platform::DialogTemplate page = videoform::Page(model.id);
    videoform::PageBuilder b(page);
    const int right = videoform::kRightHalfX;
    const int labelCx = 44;
    const int listCx = videoform::kHalfCx - 2 * kMargin - labelCx - 2;
    const auto listRow = [&](int labelId, const char* text, int listId, int x, int row,
                             const std::vector<std::string>& items) {
        const int y = 17 + kRowStep * row;
        b.Label(labelId, text, x + kMargin, y, labelCx);
        b.List(listId, x + kMargin + labelCx + 2, y, listCx, 100, items);
    };

    b.Group(IDC_STATIC, "Test Signal", kMargin, 5, videoform::kHalfCx, 68);
    listRow(IDC_SIGNAL_FORMAT_LABEL, "Format", IDC_SIGNAL_FORMAT, kMargin, 0, model.formats);
    listRow(IDC_SIGNAL_SET_LABEL, "Signal set", IDC_SIGNAL_SET, kMargin, 1, {});
    listRow(IDC_SIGNAL_SIGNAL_LABEL, "Signal", IDC_SIGNAL_SIGNAL, kMargin, 2,
            {"Black", "40% Flat Field"});

    b.Group(IDC_STATIC, "Picture", right, 5, videoform::kHalfCx, 68);
    b.Check(IDC_SIGNAL_FRAME_PICTURE, "Frame picture", right + kMargin, 18, 80);
    listRow(IDC_SIGNAL_PICTURE_SET_LABEL, "Picture set", IDC_SIGNAL_PICTURE_SET, right, 1, {});
    listRow(IDC_SIGNAL_PICTURE_LABEL, "Picture", IDC_SIGNAL_PICTURE, right, 2, {});

    const bool split = model.coarseEdit != 0;
    const int top = 78;
    const int rows = split ? 3 : 2;
    const int x = kMargin + kMargin;
    const int fieldX = x + 68;
    const int fieldCx = 52;
    const int unitX = fieldX + fieldCx + 4;
    b.Group(IDC_STATIC, "Timing", kMargin, top, videoform::kPageCx - 2 * kMargin,
            12 + kRowStep * rows + 2);
    int y = top + 12;
    b.Label(IDC_STATIC, "Vertical Lines", x, y, 66);
    b.SpinEdit(IDC_SIGNAL_LINES, IDC_SIGNAL_LINES_SPIN, fieldX, y, fieldCx, true);
    y += kRowStep;
    if (split) {
        b.Label(IDC_STATIC, "Horizontal Course", x, y, 66);
        b.SpinEdit(model.coarseEdit, model.coarseSpin, fieldX, y, fieldCx, false);
        b.Label(IDC_STATIC, "[usec]", unitX, y, 24);
        y += kRowStep;
        b.Label(IDC_STATIC, model.fineLabel, x, y, 66);
        b.SpinEdit(model.fineEdit, model.fineSpin, fieldX, y, fieldCx, false);
        b.Label(IDC_STATIC, "[nsec]", unitX, y, 24);
    } else {
        b.Label(IDC_STATIC, "Horizontal Delay", x, y, 66);
        b.SpinEdit(IDC_SIGNAL_DELAY, IDC_SIGNAL_DELAY_SPIN, fieldX, y, fieldCx, false);
        b.Label(IDC_STATIC, "[usec]", unitX, y, 24);
    }
    return page;
}

}  // namespace

const platform::DialogTemplate& VideoSignalPageTemplate(VideoModel model) {
    static const std::array<platform::DialogTemplate, 4> pages{
        Build({IDD_OLTRA_SIGNAL, HdNames(0, kHdFormatsBefore31 - 1), IDC_OLTRA_COARSE,
               IDC_OLTRA_COARSE_SPIN, IDC_OLTRA_FINE, IDC_OLTRA_FINE_SPIN, "Horizotal Fine"}),
        Build({IDD_YARLO_SIGNAL,
               [] {
                   // All but "720 50p", which the Yarlo's first list did not have.
                   std::vector<std::string> names = HdNames(0, kHdFormatsBefore31 - 1);
                   for (const std::string& name : HdNames(15, 19)) names.push_back(name);
                   return names;
               }(),
               IDC_YARLO_COARSE, IDC_YARLO_COARSE_SPIN, IDC_YARLO_FINE, IDC_YARLO_FINE_SPIN,
               "Hrizontal Fine"}),
        Build({IDD_SORMET_SIGNAL, SdFormatNames()}),
        Build({IDD_ULMETH_SIGNAL, HdNames(0, kHdFormatsBefore31 - 1)}),
    };
    return pages[static_cast<size_t>(VideoModelIndex(model))];
}

}  // namespace corvane
