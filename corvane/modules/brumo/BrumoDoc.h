// CBrumoDoc: the Brumo, the analog genlock module. It locks the instrument to its internal
// clock or to an external reference (a black burst or sync, an HD tri-level sync whose format
// it detects, or a continuous wave) and drives three black outputs: BLACK 1 and 2 in SD
// (BLACK 2 also as the HD sync of BLACK 3) and BLACK 3 as black burst or in an HD format.
//
// BLACK 3 shares the instrument's HD clock with the Kintor and the Ulmeth, so the document
// keeps their clock families for the output page's question and announces its own as soon as
// it has sent a BLACK 3 HD format. Marks remember what an Apply sent that the pages must read
// back afterwards (the genlock timing, the detected HD reference, an output's timing).
#pragma once

#include <array>
#include <string>

#include "corvane/modules/brumo/BrumoMessages.h"
#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/hdclock/HdClock.h"

namespace corvane {

namespace brumo {

constexpr int kOutputs = 3;
// Sources: 0 internal, 1..6 the references NBUR, PBUR, N318M, PSYN, NSYN, HDSY, 7 CW.
constexpr int kSourceInternal = 0;
constexpr int kSourceHdSync = 6;
constexpr int kSourceCw = 7;
// Output formats: BLACK 1 0..2, BLACK 2 also kHdSync, BLACK 3 kBlackBurst and 5..17 (HD).
constexpr int kFormatPal = 1;
constexpr int kFormatHdSync = 3;
constexpr int kFormatBlackBurst = 4;
constexpr int kLastFormat = 17;
// The detected HD reference: 0..12 its format, 13 none.
constexpr int kNoHdSync = 13;
// ReadHdSyncFormat's answer when the exchange failed.
constexpr int kHdSyncFailed = -3;

// The "OUTPn:SIGN" word of a signal on an output of `format`: 0 plain black burst, any other
// the black burst with the field reference that format has (none on PAL).
std::string SignalKeyword(int format, int signal);
// The code of an "INP:REF:HDSY?" answer, compared without regard to case; kNoHdSync for any
// other text.
int HdSyncCode(const std::string& reply);

}  // namespace brumo

class CBrumoDoc : public CModuleDoc {
public:
    CBrumoDoc();

    int ReadAll() override;
    int Apply() override;

    // The operator's changes. A value the module cannot take (an output outside 0..2, a
    // format of another output, a code outside its list, a delay that is no number) is ignored.
    void SetSource(int source);
    void SetGenlockLines(int lines);
    void SetLockLossAction(int action);
    void SetCwFrame(double hertz);
    void SetGenlockDelay(double seconds);
    void SetOutputFormat(int output, int format);
    void SetOutputSignal(int output, int signal);
    void SetOutputLines(int output, int lines);
    void SetOutputDelay(int output, double seconds);

    // The module's live timing, stored without change flags and handed back. 0 when the
    // exchange failed, the reply lacked an answer or the output is outside 0..2.
    int QueryOutputTiming(int output, LiveTiming& timing);
    int QueryGenlockTiming(LiveTiming& timing);
    // The HD reference the module detects now: 0..12, kNoHdSync, or kHdSyncFailed when the
    // selection or the query failed (an empty answer too). A failure changes nothing.
    int ReadHdSyncFormat();

    // 1 and cleared when the last Apply set the mark, else 0.
    int TakeOutputMark(int output);
    int TakeReferenceMark();
    int TakeHdSyncMark();

    // Which of the other HD modules the instrument has; the main frame's unless set.
    void SetOtherHdModules(bool kintor, bool ulmeth);
    // A family the main frame relays from another window.
    void SetKintorClockFamily(int family) { m_kintorClockFamily = family; }
    void SetUlmethClockFamily(int family) { m_ulmethClockFamily = family; }

    int m_kintorClockFamily = kClockNoKintor;
    int m_ulmethClockFamily = kClockNoUlmeth;
    Flagged<int> m_source;
    Flagged<int> m_lockLossAction;
    Flagged<double> m_cwFrame;
    Flagged<int> m_genlockLines;
    Flagged<double> m_genlockDelay;  // seconds
    int m_hdSyncFormat = brumo::kNoHdSync;
    FlaggedArray<int, brumo::kOutputs> m_outputFormat;
    FlaggedArray<int, brumo::kOutputs> m_outputSignal;
    FlaggedArray<int, brumo::kOutputs> m_outputLines;
    FlaggedArray<double, brumo::kOutputs> m_outputDelay;  // seconds

protected:
    virtual void PostToMainFrame(platform::UINT message, platform::WPARAM wParam);

private:
    // The read steps after the other modules' families; 0 at the first that fails.
    int ReadFamilies();
    // The reference, and for the HD one the format detected on it; 0 when an exchange failed or
    // an answer is unknown.
    int ReadSource();
    int ReadOutputs();
    // Sends the changed parameters in the module's order; 0 at the first failed send.
    int SendChanges(bool& applied);
    int SendOutput(int output, bool& applied);
    // A timing reply "<lines>;<microseconds>" into the two, without change flags; 0 when the
    // exchange failed or an answer is missing, and then nothing is stored.
    int QueryTiming(const std::string& query, Flagged<int>& lines, Flagged<double>& delay);
    int QueryLiveTiming(const std::string& query, Flagged<int>& lines, Flagged<double>& delay,
                        LiveTiming& timing);

    int m_hasKintor = -1;  // -1: ask the main frame
    int m_hasUlmeth = -1;
    bool m_referenceMark = false;
    bool m_hdSyncMark = false;
    std::array<bool, brumo::kOutputs> m_outputMark{};
};

}  // namespace corvane
