#include "corvane/pages/timing/BrumoTimingPage.h"

#include "platform/MessageBox.h"
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
        WriteFine(g);
    return platform::TRUE;
}

void CBrumoTimingPage::OnVScroll(int code, int pos, int id) {
    const int g = GroupOf(id);
    if (g < 0 || id != Ids(g).fineSpin) {
        CTimingPage::OnVScroll(code, pos, id);
        return;
    }
    if (code != platform::SB_ENDSCROLL && IsReady())
        FineSpun(g, pos);
}

void CBrumoTimingPage::SplitDelay(int group) {
    Group& g = m_groups[group];
    g.limits.Split(m_values[group].delay, g.coarse, g.fine);
}

void CBrumoTimingPage::WriteGroup(int group) {
    CTimingPage::WriteGroup(group);
    const int tenths = m_groups[group].limits.FineSpinBound();
    SetSpinRange(Ids(group).fineSpin, -tenths, tenths);
    WriteFine(group);
}

void CBrumoTimingPage::WriteFine(int group) {
    const Group& g = m_groups[group];
    WriteText(Ids(group).fineEdit, platform::Format(kFineFormat, g.fine * 1e9));
    WriteSpin(Ids(group).fineSpin, g.limits.FineSpinPosition(g.fine));
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
    const TimingGroupIds& ids = Ids(group);
    Group& g = m_groups[group];
    double fine = 0.0;
    if (!g.limits.FineFromText(GetDlgItemText(ids.fineEdit), fine)) {
        const double bound = g.limits.fineBound * 1e9;
        platform::AfxMessageBox(platform::Format(kFineMessage, -bound, bound),
                                platform::MB_OK | platform::MB_ICONEXCLAMATION);
        WriteFine(group);
        GotoDlgCtrl(ids.fineEdit);
        ClearEcho(group);
        return;
    }
    g.fine = fine;
    SendDelay(group);
    if (g.setBySpin == 0)
        WriteSpin(ids.fineSpin, g.limits.FineSpinPosition(fine));
    ClearEcho(group);
}

void CBrumoTimingPage::FineSpun(int group, int position) {
    m_groups[group].setBySpin = 1;
    WriteText(Ids(group).fineEdit,
              platform::Format(kFineFormat, position * timinglimits::kFineUnit * 1e9));
    FineUpdated(group);
    ClearEcho(group);
}

}  // namespace corvane
