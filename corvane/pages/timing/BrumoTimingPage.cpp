#include "corvane/pages/timing/BrumoTimingPage.h"

#include "platform/Numbers.h"

namespace corvane {

namespace {

const char* const kFineMessage = "Horizontal fine must be within\n%6.2f to %6.2f [nsec].";
const char* const kFineFormat = "%6.2f";
constexpr int kBlack2 = 1;
constexpr int kBlack2FollowsBlack3 = 3;  // BLACK 2's HD sync format

}  // namespace

CBrumoTimingPage::CBrumoTimingPage() : CTimingPage(BrumoTimingTable()) {}

platform::BOOL CBrumoTimingPage::OnCommand(int id, int code) {
    const int g = GroupOf(id);
    if (g < 0 || id != Ids(g).fineEdit)
        return CTimingPage::OnCommand(id, code);
    if (code == platform::EN_UPDATE && IsReady())
        FineUpdated(g);
    else if (code == platform::EN_KILLFOCUS && IsReady())
        WritePart(g, FinePart(g));
    return platform::TRUE;
}

void CBrumoTimingPage::OnVScroll(int code, int pos, int id) {
    const int g = GroupOf(id);
    if (g < 0 || id != Ids(g).fineSpin) {
        CTimingPage::OnVScroll(code, pos, id);
        return;
    }
    if (code != platform::SB_ENDSCROLL && IsReady())
        TakeSpunText(g, FinePart(g), pos * timinglimits::kFineUnit, [this, g] { FineUpdated(g); });
}

void CBrumoTimingPage::SplitDelay(int group) {
    Group& g = m_groups[group];
    g.limits.Split(m_values[group].delay, g.coarse, g.fine);
}

void CBrumoTimingPage::WriteGroup(int group) {
    CTimingPage::WriteGroup(group);
    const int tenths = m_groups[group].limits.FineSpinBound();
    SetSpinRange(Ids(group).fineSpin, -tenths, tenths);
    WritePart(group, FinePart(group));
}

CTimingPage::DelayPart CBrumoTimingPage::FinePart(int group) const {
    return {Ids(group).fineEdit,
            Ids(group).fineSpin,
            &Group::fine,
            kFineFormat,
            1e-9,
            &TimingLimits::FineSpinPosition};
}

void CBrumoTimingPage::EnableGroups() {
    const TimingGroupIds& ids = Ids(kBlack2);
    const bool enable = m_values[kBlack2].format != kBlack2FollowsBlack3;
    for (int id :
         {ids.linesEdit, ids.linesSpin, ids.delayEdit, ids.delaySpin, ids.fineEdit, ids.fineSpin})
        EnableDlgItem(id, enable);
    for (int id : ids.labels)
        if (id != 0)
            EnableDlgItem(id, enable);
}

void CBrumoTimingPage::FineUpdated(int group) {
    const TimingLimits& limits = m_groups[group].limits;
    double fine = 0.0;
    if (limits.FineFromText(GetDlgItemText(Ids(group).fineEdit), fine)) {
        TakePart(group, FinePart(group), fine);
        return;
    }
    const double bound = limits.fineBound * 1e9;
    RefusePart(group, FinePart(group), platform::Format(kFineMessage, -bound, bound));
}

}  // namespace corvane
