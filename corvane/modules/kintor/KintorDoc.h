// CKintorDoc: the Kintor, the black generator with four outputs. Each output has a format (NTSC,
// PAL, NTSC without setup or an HD sync format), a signal for the SD formats and a timing
// offset. An HD output's format word is its signal code's keyword, so a change of either is a
// change of format on the instrument, and of the HD clock the Brumo and the Ulmeth must follow.
#pragma once

#include <array>
#include <string>

#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/modules/hdclock/HdModules.h"
#include "platform/Types.h"

namespace corvane {

// The Kintor's codes for its signal and HD format words. Code to word gives "BB" for a code it
// does not know; word to code gives -1.
std::string KintorKeyword(int code);
int KintorCode(const std::string& keyword);

class CKintorDoc : public CModuleDoc {
public:
    static constexpr int kOutputs = 4;
    static constexpr int kHdFormat = 3;  // formats 0 NTSC, 1 PAL, 2 NTSC_NSU, 3 HD

    CKintorDoc();

    // The operator's changes; an output, format or signal code out of range changes nothing.
    void SetFormat(int output, int format);
    void SetSignal(int output, int code);
    void SetVerticalLines(int output, int lines);
    void SetHorizontalDelay(int output, double seconds);

    // 1 and forgets it when an Apply sent the output's format, else 0.
    int TakeFormatSent(int output);
    // Whether the last Apply went through to its end; after one that failed the link is
    // down, and what it did send is looked at after the next.
    bool LastApplyDone() const { return m_lastApplyDone; }
    // The output's live timing, stored without a change flag and handed back: 1, or 0 when the
    // exchange failed, the reply lacked its second answer or the output is out of range.
    int QueryTiming(int output, int& lines, double& seconds);
    // The clock family of all four outputs: 4 without HD, 3 when they mix the two clocks.
    int CombinedHdClockFamily() const;

    // What an output holds, with its change flags, so a refused change can be undone whole.
    struct OutputState {
        Flagged<int> format;
        Flagged<int> signal;
        Flagged<int> lines;
        Flagged<double> delay;
        bool modified = false;
    };
    OutputState SaveOutput(int output) const;
    void RestoreOutput(int output, const OutputState& state);

    // Which of the other HD modules the instrument has; the main frame's unless set.
    void SetOtherHdModules(bool brumo, bool ulmeth);

    int ReadAll() override;
    int Apply() override;

    int m_brumoClockFamily = kClockNoBrumo;
    int m_ulmethClockFamily = kClockNoUlmeth;
    int m_output3Config = 0;
    FlaggedArray<int, kOutputs> m_format;
    FlaggedArray<int, kOutputs> m_signal;
    FlaggedArray<int, kOutputs> m_verticalLines;
    FlaggedArray<double, kOutputs> m_horizontalDelay;  // seconds

protected:
    void PostApplyNotifications() override;

private:
    int ReadClockFamilies();
    int ReadOutput(int output);
    // An HD output's format or code went out: the instrument now runs the new format.
    void FormatSent(int output);

    std::array<bool, kOutputs> m_formatSent{};
    bool m_sentFormat = false;
    bool m_sentSetting = false;
    bool m_lastApplyDone = false;
    HdModules m_hdModules;
};

}  // namespace corvane
