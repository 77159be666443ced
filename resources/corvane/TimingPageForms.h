// The timing pages of the analog black and test-signal module windows: per output, the
// vertical delay in lines and the horizontal delay in microseconds; the Brumo's page splits the
// horizontal delay into a coarse part on the sample clock and a fine part in nanoseconds.
#pragma once

#include <array>
#include <span>

#include "platform/DialogTemplate.h"

namespace corvane {

constexpr int IDD_PIRVO_TIMING = 236;
constexpr int IDD_KINTOR_TIMING = 213;
constexpr int IDD_BRUMO_TIMING = 182;

// The controls of one output's group. The lines up-down writes its position into its edit; the
// delay (coarse) and fine up-downs count steps and the page writes their edits. The labels
// are 0 where the page never disables them.
struct TimingGroupIds {
    int linesEdit;
    int linesSpin;
    int delayEdit;
    int delaySpin;
    int fineEdit = 0;  // 0: the delay is one field
    int fineSpin = 0;
    std::array<int, 5> labels{};  // lines, delay, delay unit, fine, fine unit
};

inline constexpr std::array<TimingGroupIds, 4> kPirvoKintorTimingIds{{
    {1276, 1277, 1278, 1279},
    {1280, 1281, 1282, 1283},
    {1284, 1285, 1286, 1287},
    {1288, 1289, 1290, 1291},
}};

inline constexpr std::array<TimingGroupIds, 3> kBrumoTimingIds{{
    {1016, 1021, 1013, 1110, 1147, 1150},
    // BLACK 2 follows BLACK 3 when it carries its HD sync: its labels are greyed with it.
    {1017, 1022, 1014, 1019, 1148, 1151, {1153, 1154, 1155, 1156, 1157}},
    {1018, 1023, 1015, 1020, 1149, 1152},
}};

const platform::DialogTemplate& PirvoTimingPageTemplate();
const platform::DialogTemplate& KintorTimingPageTemplate();
const platform::DialogTemplate& BrumoTimingPageTemplate();

}  // namespace corvane
