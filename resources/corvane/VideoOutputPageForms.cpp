#include "resources/corvane/VideoOutputPageForms.h"

#include <array>

#include "resources/corvane/VideoForms.h"

namespace corvane {

using platform::IDC_STATIC;
using videoform::kMargin;

namespace {

// Boxes of On/Off pairs, three to a row.
constexpr int kBoxCx = videoform::kThirdCx;
constexpr int kBoxStep = kBoxCx + videoform::kThirdGap;
constexpr int kBoxCy = 28;
constexpr int kRowTop = 5;
constexpr int kSecondRowTop = kRowTop + kBoxCy + 5;
constexpr int kWideCx = videoform::kHalfCx;

// A box holding a pair of radio buttons side by side, at place `column` of a row.
void PairBox(videoform::PageBuilder& b, int boxId, const char* title, int column, int top,
             int firstId, int secondId, const char* first, const char* second) {
    const int x = kMargin + column * kBoxStep;
    b.Group(boxId, title, x, top, kBoxCx, kBoxCy);
    b.Radios({firstId, secondId}, {first, second}, x + kMargin, top + 12, 44, 48);
}

// A wide box holding a pair of radio buttons one above the other.
void StackedBox(videoform::PageBuilder& b, int boxId, const char* title, int column, int firstId,
                int secondId, const char* first, const char* second) {
    const int x = kMargin + column * (kWideCx + kMargin);
    b.Group(boxId, title, x, kSecondRowTop, kWideCx, 40);
    b.Radios({firstId, secondId}, {first, second}, x + kMargin, kSecondRowTop + 12,
             kWideCx - 2 * kMargin, 0, 13);
}

void Channels(videoform::PageBuilder& b, const char* ch1, const char* ch2, const char* ch3) {
    PairBox(b, IDC_STATIC, ch1, 0, kRowTop, IDC_CHANNEL1_ON, IDC_CHANNEL1_OFF, "On", "Off");
    PairBox(b, IDC_STATIC, ch2, 1, kRowTop, IDC_CHANNEL2_ON, IDC_CHANNEL2_OFF, "On", "Off");
    PairBox(b, IDC_STATIC, ch3, 2, kRowTop, IDC_CHANNEL3_ON, IDC_CHANNEL3_OFF, "On", "Off");
}

void AvTiming(videoform::PageBuilder& b, int column) {
    PairBox(b, IDC_AV_TIMING_LABEL, "AV Timing Mode", column, kSecondRowTop, IDC_AV_TIMING_ON,
            IDC_AV_TIMING_OFF, "On", "Off");
}

platform::DialogTemplate Oltra() {
    platform::DialogTemplate page = videoform::Page(IDD_OLTRA_VIDEO);
    videoform::PageBuilder b(page);
    Channels(b, "CH1", "CH2", "CH3");
    StackedBox(b, IDC_OLTRA_SYNC_GROUP, "GBR Sync", 0, IDC_SYNC_ALL, IDC_SYNC_GREEN,
               "Sync ON All Channel", "Sync ON Green");
    StackedBox(b, IDC_OLTRA_COMPOSITE_GROUP, "Composite", 1, IDC_CONFIG_YC, IDC_CONFIG_COMPOSITE,
               "Y/C/Composite", "Composite");
    const int top = kSecondRowTop + 45;
    const int right = videoform::kRightHalfX;
    b.Group(IDC_STATIC, "APL", kMargin, top, videoform::kPageCx - 2 * kMargin, 32);
    b.Label(IDC_STATIC, "APL Mode", 2 * kMargin, top + 12, 40);
    b.List(IDC_APL_MODE, 2 * kMargin + 42, top + 12, 100, 100);
    b.Label(IDC_STATIC, "Period", right + kMargin, top + 12, 30);
    b.List(IDC_APL_PERIOD, right + kMargin + 32, top + 12, 60, 80);
    return page;
}

platform::DialogTemplate Yarlo() {
    platform::DialogTemplate page = videoform::Page(IDD_YARLO_VIDEO);
    videoform::PageBuilder b(page);
    Channels(b, "CH1", "CH2", "CH3");
    StackedBox(b, IDC_YARLO_SYNC_GROUP, "GBR Sync", 0, IDC_SYNC_ALL, IDC_SYNC_GREEN,
               "Sync ON All Channel", "Sync ON Green");
    return page;
}

platform::DialogTemplate Sormet() {
    platform::DialogTemplate page = videoform::Page(IDD_SORMET_VIDEO);
    videoform::PageBuilder b(page);
    Channels(b, "Y", "Pb", "Pr");
    PairBox(b, IDC_STATIC, "EDH", 0, kSecondRowTop, IDC_EDH_ON, IDC_EDH_OFF, "On", "Off");
    PairBox(b, IDC_STATIC, "Resolution", 1, kSecondRowTop, IDC_BITS8, IDC_BITS10, "8 bits",
            "10 bits");
    AvTiming(b, 2);
    return page;
}

platform::DialogTemplate Ulmeth() {
    platform::DialogTemplate page = videoform::Page(IDD_ULMETH_VIDEO);
    videoform::PageBuilder b(page);
    Channels(b, "Y", "Pb", "Pr");
    AvTiming(b, 0);
    return page;
}

}  // namespace

const platform::DialogTemplate& VideoOutputPageTemplate(VideoModel model) {
    static const std::array<platform::DialogTemplate, 4> pages{Oltra(), Yarlo(), Sormet(),
                                                               Ulmeth()};
    return pages[static_cast<size_t>(VideoModelIndex(model))];
}

}  // namespace corvane
