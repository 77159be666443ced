// CTimingPage: the "Timing" tab of the Pirvo and the Kintor windows, and through
// CBrumoTimingPage the Brumo's: per output (group), the vertical delay in lines and the
// horizontal delay, within the limits of the output's format. One class serves the models
// through their table (TimingPageTable); what the Brumo's page does beyond it is in its own
// class.
//
// The view hands the page the document's per-output block with Load, before the page is
// created and again before each reload message; the page never reaches the document. Every
// accepted change goes to the view at once: lines as a number, the delay by the address of the
// page's own double in seconds. Whenever the limits are taken afresh (creation, a reload after
// a format or signal change, the live timing after an Apply) values outside them are set to
// the nearest limit and sent without a message, so the document never holds a timing its
// format cannot take. A format the model's table does not know (the Pirvo's SIGNAL output
// names its format folder by index, and only the first three are formats the table has) keeps
// the limits the group had, NTSC's at first: such a group holding PAL timing is clamped to
// NTSC's when the page opens.
//
// Typed delays snap to the format's sample clock, and the delay spin counts its steps. The page
// writes its own fields with the ready flag at 0, so no write of its own comes back as typed;
// what a write stands for is taken once, by the page itself: a spin's step is checked and sent
// as if typed, with the echo flag set-by-spin telling the check not to move the spin again.
// The flag is cleared once that write returns, whatever notification it raised, so the next
// value the operator types moves the spin and is sent. Leaving a field only rewrites it.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>

#include "corvane/pages/common/TabPage.h"
#include "corvane/pages/timing/TimingLimits.h"
#include "corvane/pages/timing/TimingMessages.h"
#include "resources/corvane/TimingPageForms.h"

namespace corvane {

// One output as the document holds it.
struct TimingOutput {
    int format = 0;  // the output's format code; the Pirvo SIGNAL output: its folder's index
    int signal = 0;  // Kintor: the HD code of an output in HD sync
    int lines = 0;
    double delay = 0.0;  // seconds; the whole horizontal delay (Brumo: coarse + fine)
};
using TimingValues = std::array<TimingOutput, 4>;

struct TimingPageTable {
    const platform::DialogTemplate& pageTemplate;
    const TimingMessages& messages;
    std::span<const TimingGroupIds> groups;
    // The limits of a group's output; false for a format outside the model's table, which
    // keeps the last limits.
    bool (*limits)(int group, const TimingOutput& output, TimingLimits& limits);
    const char* delayMessage;  // takes the lower and the upper limit in microseconds
};

const TimingPageTable& PirvoTimingTable();
const TimingPageTable& KintorTimingTable();
const TimingPageTable& BrumoTimingTable();

class CTimingPage : public CTabPage {
public:
    explicit CTimingPage(const TimingPageTable& table);

    // The document's block, handed over by the view before the page is created and before
    // the view sends a reload.
    void Load(const TimingValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;

    const TimingValues& Values() const { return m_values; }
    const TimingLimits& Limits(int group) const { return m_groups.at(group).limits; }
    int GroupCount() const { return static_cast<int>(m_table.groups.size()); }

protected:
    struct Group {
        TimingLimits limits;
        // The delay as its fields show it: the part on the step grid and, where the page has
        // a fine field, the rest. Without one the whole delay is the coarse part.
        double coarse = 0.0;
        double fine = 0.0;
        int setBySpin = 0;  // the spin stands where the value puts it already
        std::string linesText;
    };

    // Splits a group's delay into its fields' parts.
    virtual void SplitDelay(int group);
    // Writes the group's fields and spins, with the ready flag at 0.
    virtual void WriteGroup(int group);
    // Enables what the values leave usable.
    virtual void EnableGroups() {}

    // The group whose control `id` is (any of its edits or spins), -1 for none.
    int GroupOf(int id) const;
    const TimingGroupIds& Ids(int group) const { return m_table.groups[group]; }
    // One of a group's delay fields: the coarse part (the whole delay where there is no fine
    // field) or the fine part, shown in `format` of the part in `unit` seconds.
    struct DelayPart {
        int editId;
        int spinId;
        double Group::*part;
        const char* format;
        double unit;
        int (TimingLimits::*position)(double seconds) const;
    };
    DelayPart CoarsePart(int group) const;
    // An accepted typed value of a part: stored, the whole delay (coarse + fine) sent, and the
    // spin moved unless it stands there already.
    void TakePart(int group, const DelayPart& part, double value);
    // A refused one: the box, the stored part back in the field and the spin, the focus back.
    void RefusePart(int group, const DelayPart& part, const std::string& message);
    // The stored part in its field and spin, with the ready flag at 0.
    void WritePart(int group, const DelayPart& part);
    // The text of a spin's position, written as the page's own and taken once, here, whatever
    // the write itself raised.
    void TakeSpunText(int group, const DelayPart& part, double value,
                      const std::function<void()>& updated);

    const TimingPageTable& m_table;
    TimingValues m_values{};
    std::array<Group, 4> m_groups{};

private:
    // Takes each group's limits, sends what lies beyond them as the nearest limit, splits the
    // delays and writes every group.
    void ApplyLimits();
    void LinesUpdated(int group);
    void DelayUpdated(int group);
    platform::LRESULT Reload(platform::WPARAM wParam, platform::LPARAM lParam, bool format);
    platform::LRESULT LiveTimingRequested(platform::WPARAM wParam);
    // wParam as a group index, -1 when the page has no such group or no window.
    int GroupFromWParam(platform::WPARAM wParam) const;
};

}  // namespace corvane
