// CBrumoTimingPage: the Brumo window's "Timing" tab. It is the timing page of its family on
// the Brumo's table (three outputs, the Brumo's formats, its numbers) with what the Brumo adds:
// the horizontal delay shown and typed as a coarse part on the 54 MHz or HD sample clock and a
// fine part in tenths of a nanosecond, of which the view only ever sees the sum; and BLACK 2,
// which carries BLACK 3's HD sync in format 3 and then has no timing of its own to set.
#pragma once

#include "corvane/pages/timing/TimingPage.h"

namespace corvane {

class CBrumoTimingPage : public CTimingPage {
public:
    CBrumoTimingPage();

    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;

    double Coarse(int group) const { return m_groups.at(group).coarse; }
    double Fine(int group) const { return m_groups.at(group).fine; }

protected:
    void SplitDelay(int group) override;
    void WriteGroup(int group) override;
    void EnableGroups() override;

private:
    DelayPart FinePart(int group) const;
    void FineUpdated(int group);
};

}  // namespace corvane
