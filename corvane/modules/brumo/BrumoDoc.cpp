#include "corvane/modules/brumo/BrumoDoc.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <string_view>
#include <utility>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/video/VideoFormats.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

using namespace brumo;

namespace {

// The bar's steps, one per position whatever number of exchanges it took: the selection, the
// reference, the genlock timing, the CW frame with the lock loss, each output's format and
// signal, and each output's timing.
constexpr int kReadSteps = 1 + 1 + 1 + 1 + 2 * kOutputs;
// One per parameter position: the selection, the reference's five (source, genlock lines and
// delay, lock loss, CW frame), each output's format, lines and delay, the signals of BLACK 1
// and 2, and the closing "*OPC?" and "SYST:ERR?".
constexpr int kApplySteps = 1 + 5 + 3 * kOutputs + 2 + 2;

// "INP:REF:STAN" words of the references 1..6.
constexpr const char* kReferences[] = {"NBUR", "PBUR", "N318M", "PSYN", "NSYN", "HDSY"};
constexpr const char* kSignals[] = {"BB", "BB_FREF", "BB_NO_FREF"};

bool ValidOutput(int output) {
    return output >= 0 && output < kOutputs;
}

// The formats an output takes: BLACK 1 0..2, BLACK 2 0..3, BLACK 3 4..17.
bool FormatOfOutput(int output, int format) {
    switch (output) {
        case 0:
            return format >= 0 && format < kFormatHdSync;
        case 1:
            return format >= 0 && format <= kFormatHdSync;
        case 2:
            return format >= kFormatBlackBurst && format <= kLastFormat;
        default:
            return false;
    }
}

std::string FormatKeywordOf(int format) {
    const VideoFormat* row = FindFormatByCode(videoformat::kBrumoOutput, format);
    return row != nullptr ? std::string(row->keyword) : std::string();
}

// The format code of an output's "OUTPn:STAN?" answer (exact), or -1.
int FormatFromKeyword(int output, const std::string& keyword) {
    for (const VideoFormat& row : videoformat::kBrumoOutput)
        if (row.keyword == keyword && FormatOfOutput(output, row.code))
            return row.code;
    return -1;
}

int IndexOf(const std::string& word, const char* const* begin, const char* const* end) {
    const auto* found = std::find_if(begin, end, [&](const char* w) { return word == w; });
    return found == end ? -1 : static_cast<int>(found - begin);
}

bool SameWithoutCase(const std::string& a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string TimingQuery(int output) {
    return platform::Format("SENS%d:CORR:MDEL:VERT?;:SENS%d:CORR:MDEL:HOR?", output + 1,
                            output + 1);
}

const char* const kGenlockTimingQuery = "SOUR:CORR:MDEL:VERT?;HOR?";

}  // namespace

namespace brumo {

std::string SignalKeyword(int format, int signal) {
    if (signal == 0)
        return "BB";
    return format == kFormatPal ? "BB_NO_FREF" : "BB_FREF";
}

int HdSyncCode(const std::string& reply) {
    for (int code = 0; code < static_cast<int>(std::size(videoformat::kBrumoHdReferenceUlmethCode));
         ++code) {
        const VideoFormat* row =
            FindFormatByCode(VideoModel::Ulmeth, videoformat::kBrumoHdReferenceUlmethCode[code]);
        if (row != nullptr && SameWithoutCase(reply, row->keyword))
            return code;
    }
    return kNoHdSync;
}

}  // namespace brumo

CBrumoDoc::CBrumoDoc() : CModuleDoc(kModuleBrumo, IDS_APPLY_BRUMO) {
    m_outputFormat[2].Load(kFormatBlackBurst);
}

void CBrumoDoc::SetOtherHdModules(bool kintor, bool ulmeth) {
    m_hasKintor = kintor ? 1 : 0;
    m_hasUlmeth = ulmeth ? 1 : 0;
}

void CBrumoDoc::PostToMainFrame(platform::UINT message, platform::WPARAM wParam) {
    if (CMainFrame* frame = MainFrame())
        frame->PostMessage(message, wParam, 0);
}

// ---- setters ---------------------------------------------------------------------------------

void CBrumoDoc::SetSource(int source) {
    if (source >= kSourceInternal && source <= kSourceCw)
        SetParameter(m_source, source);
}

void CBrumoDoc::SetGenlockLines(int lines) {
    SetParameter(m_genlockLines, lines);
}

void CBrumoDoc::SetLockLossAction(int action) {
    if (action == 0 || action == 1)
        SetParameter(m_lockLossAction, action);
}

void CBrumoDoc::SetCwFrame(double hertz) {
    if (std::isfinite(hertz))
        SetParameter(m_cwFrame, hertz);
}

void CBrumoDoc::SetGenlockDelay(double seconds) {
    if (std::isfinite(seconds))
        SetParameter(m_genlockDelay, seconds);
}

void CBrumoDoc::SetOutputFormat(int output, int format) {
    if (FormatOfOutput(output, format))
        SetParameter(m_outputFormat[static_cast<size_t>(output)], format);
}

void CBrumoDoc::SetOutputSignal(int output, int signal) {
    // BLACK 3 has no signal of its own.
    if (output >= 0 && output < 2 && signal >= 0 && signal < static_cast<int>(std::size(kSignals)))
        SetParameter(m_outputSignal[static_cast<size_t>(output)], signal);
}

void CBrumoDoc::SetOutputLines(int output, int lines) {
    if (ValidOutput(output))
        SetParameter(m_outputLines[static_cast<size_t>(output)], lines);
}

void CBrumoDoc::SetOutputDelay(int output, double seconds) {
    if (ValidOutput(output) && std::isfinite(seconds))
        SetParameter(m_outputDelay[static_cast<size_t>(output)], seconds);
}

int CBrumoDoc::TakeOutputMark(int output) {
    if (!ValidOutput(output))
        return 0;
    return std::exchange(m_outputMark[static_cast<size_t>(output)], false) ? 1 : 0;
}

int CBrumoDoc::TakeReferenceMark() {
    return std::exchange(m_referenceMark, false) ? 1 : 0;
}

int CBrumoDoc::TakeHdSyncMark() {
    return std::exchange(m_hdSyncMark, false) ? 1 : 0;
}

// ---- reading ---------------------------------------------------------------------------------

int CBrumoDoc::ReadAll() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), platform::Format("Reading Brumo [%d] ...", m_slot), kReadSteps);
    if (!ReadFamilies() || !SelectModule())
        return 0;
    Progress().Step();
    m_hdSyncFormat = kNoHdSync;
    if (!ReadSource())
        return 0;
    Progress().Step();

    if (m_source != kSourceInternal) {
        if (!QueryTiming(kGenlockTimingQuery, m_genlockLines, m_genlockDelay))
            return 0;
    } else {
        m_genlockLines.Load(0);
        m_genlockDelay.Load(0.0);
    }
    Progress().Step();

    ReplyCursor reply;
    double frame = 0.0;
    std::string action;
    if (!QueryReply("INP:CWAV:FRAM?;:INP:LLOS:ACT?", reply) || !reply.NextDouble(frame) ||
        !reply.NextText(action) || (action != "INT" && action != "STA"))
        return 0;
    m_cwFrame.Load(frame);
    m_lockLossAction.Load(action == "STA" ? 1 : 0);
    Progress().Step();

    if (!ReadOutputs())
        return 0;
    for (int i = 0; i < kOutputs; ++i) Progress().Step();  // one exchange each

    for (int output = 0; output < kOutputs; ++output) {
        const size_t i = static_cast<size_t>(output);
        if (!QueryTiming(TimingQuery(output), m_outputLines[i], m_outputDelay[i]))
            return 0;
        Progress().Step();
    }
    return 1;
}

int CBrumoDoc::ReadFamilies() {
    const CMainFrame* frame = MainFrame();
    const bool kintor = m_hasKintor >= 0 ? m_hasKintor != 0 : frame && frame->m_hasKintor;
    const bool ulmeth = m_hasUlmeth >= 0 ? m_hasUlmeth != 0 : frame && frame->m_hasUlmeth;
    IInstrumentLink* link = Link();
    if (link == nullptr)
        return 0;
    if (!ReadClockFamily(QueryKintorClockFamily, *link, kintor, m_kintorClockFamily) ||
        !ReadClockFamily(QueryUlmethClockFamily, *link, ulmeth, m_ulmethClockFamily))
        return 0;
    return 1;
}

// The reference takes one to three queries, the HD one the detection's two exchanges more.
int CBrumoDoc::ReadSource() {
    std::string word;
    if (!QueryReply("INP:SOUR?", word))
        return 0;
    if (word == "INT") {
        m_source.Load(kSourceInternal);
        return 1;
    }
    if (word != "EXT" || !QueryReply("INP:SEL?", word))
        return 0;
    if (word == "CW") {
        m_source.Load(kSourceCw);
        return 1;
    }
    if (word != "REF" || !QueryReply("INP:REF:STAN?", word))
        return 0;
    const int reference = IndexOf(word, std::begin(kReferences), std::end(kReferences));
    if (reference < 0)
        return 0;
    m_source.Load(reference + 1);
    if (m_source == kSourceHdSync) {
        if (ReadHdSyncFormat() < 0)
            return 0;
    }
    return 1;
}

int CBrumoDoc::ReadOutputs() {
    for (int output = 0; output < 2; ++output) {
        ReplyCursor reply;
        std::string format;
        std::string signal;
        const int n = output + 1;
        if (!QueryReply(platform::Format("OUTP%d:STAN?;:OUTP%d:SIGN?", n, n), reply) ||
            !reply.NextText(format) || !reply.NextText(signal))
            return 0;
        const int code = FormatFromKeyword(output, format);
        // BLACK 2 on HD sync still answers a signal, and it must be one of the words.
        const int signalCode = IndexOf(signal, std::begin(kSignals), std::end(kSignals));
        if (code < 0 || signalCode < 0)
            return 0;
        m_outputFormat[static_cast<size_t>(output)].Load(code);
        m_outputSignal[static_cast<size_t>(output)].Load(signalCode);
    }
    std::string format;
    if (!QueryReply("OUTP3:STAN?", format))
        return 0;
    const int code = FormatFromKeyword(2, format);
    if (code < 0)
        return 0;
    m_outputFormat[2].Load(code);
    return 1;
}

int CBrumoDoc::QueryTiming(const std::string& query, Flagged<int>& lines, Flagged<double>& delay) {
    ReplyCursor reply;
    int count = 0;
    double microseconds = 0.0;
    if (!QueryReply(query, reply) || !reply.NextTruncated(count) || !reply.NextDouble(microseconds))
        return 0;
    lines.Load(count);
    delay.Load(microseconds * 1e-6);
    return 1;
}

int CBrumoDoc::QueryLiveTiming(const std::string& query, Flagged<int>& lines,
                               Flagged<double>& delay, LiveTiming& timing) {
    platform::CWaitCursor wait;
    if (!SelectModule() || !QueryTiming(query, lines, delay))
        return 0;
    timing.lines = lines;
    timing.delay = delay;
    return 1;
}

int CBrumoDoc::QueryOutputTiming(int output, LiveTiming& timing) {
    if (!ValidOutput(output))
        return 0;
    const size_t i = static_cast<size_t>(output);
    return QueryLiveTiming(TimingQuery(output), m_outputLines[i], m_outputDelay[i], timing);
}

int CBrumoDoc::QueryGenlockTiming(LiveTiming& timing) {
    return QueryLiveTiming(kGenlockTimingQuery, m_genlockLines, m_genlockDelay, timing);
}

int CBrumoDoc::ReadHdSyncFormat() {
    platform::CWaitCursor wait;
    // A failed selection is a failure like a failed query: code 0 is a real reference.
    std::string reply;
    if (!SelectModule() || !QueryReply("INP:REF:HDSY?", reply))
        return kHdSyncFailed;
    m_hdSyncFormat = HdSyncCode(reply);
    return m_hdSyncFormat;
}

// ---- applying --------------------------------------------------------------------------------

int CBrumoDoc::Apply() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), "Sending...", kApplySteps);
    if (!SelectModule())
        return 0;
    Progress().Step();
    bool applied = false;
    if (!SendChanges(applied))
        return 0;
    std::string error;
    if (!QueryCompletion(error))
        return 0;
    if (const int number = platform::StrToInt(error.c_str()); number != 0)
        ReportInstrumentError(number, error);
    if (applied)
        PostToMainFrame(WM_MODULE_APPLIED, 0);
    Progress().ShowStatus("Ready");
    SetModifiedFlag(false);
    return 1;
}

namespace {

// One parameter position of the apply: sent when flagged and `allowed`, the bar stepped
// either way. 0 when the send failed (the flag then stays set).
template <typename Send>
int SendIf(ChangeFlag& flag, bool allowed, IProgressSink& progress, Send&& send) {
    if (flag.Changed() && allowed) {
        if (!send())
            return 0;
        flag.ClearChanged();
    }
    progress.Step();
    return 1;
}

}  // namespace

int CBrumoDoc::SendChanges(bool& applied) {
    IProgressSink& progress = Progress();
    const int source = m_source;
    const bool external = source != kSourceInternal;
    auto sourceCommand = [source] {
        if (source == kSourceInternal)
            return std::string("INP:SOUR INT");
        if (source == kSourceCw)
            return std::string("INP:SOUR EXT;:INP:SEL CW");
        const int reference = std::clamp(source, 1, 6) - 1;
        return std::string("INP:SOUR EXT;:INP:SEL REF;:INP:REF:STAN ") + kReferences[reference];
    };
    if (!SendIf(m_source, true, progress, [&] {
            if (!SendCommand(sourceCommand()))
                return false;
            m_referenceMark = m_referenceMark || external;
            applied = true;
            return true;
        }))
        return 0;
    if (source == kSourceHdSync)
        m_hdSyncMark = true;
    // With the internal clock there is no genlock timing to set: the changes wait.
    if (!SendIf(m_genlockLines, external, progress, [&] {
            return SendCommand(platform::Format("SOUR:CORR:MDEL:VERT %d", m_genlockLines.Value()));
        }))
        return 0;
    if (!SendIf(m_genlockDelay, external, progress, [&] {
            if (!SendCommand(
                    platform::Format("SOUR:CORR:MDEL:HOR %.4f", m_genlockDelay.Value() * 1e6)))
                return false;
            m_referenceMark = true;
            return true;
        }))
        return 0;
    if (!SendIf(m_lockLossAction, true, progress, [&] {
            return SendCommand(std::string("INP:LLOS:ACT ") +
                               (m_lockLossAction == 1 ? "STA" : "INT"));
        }))
        return 0;
    if (!SendIf(m_cwFrame, true, progress, [&] {
            return SendCommand(platform::Format("INP:CWAV:FRAM %6.3f", m_cwFrame.Value()));
        }))
        return 0;
    for (int output = 0; output < kOutputs; ++output)
        if (!SendOutput(output, applied))
            return 0;
    return 1;
}

int CBrumoDoc::SendOutput(int output, bool& applied) {
    IProgressSink& progress = Progress();
    const size_t i = static_cast<size_t>(output);
    const int n = output + 1;
    const int format = m_outputFormat[i];
    if (!SendIf(m_outputFormat[i], true, progress, [&] {
            const std::string keyword = FormatKeywordOf(format);
            if (!SendCommand(platform::Format("OUTP%d:STAN %s", n, keyword.c_str())))
                return false;
            m_outputMark[i] = true;
            applied = true;
            // The other HD modules hear of BLACK 3's clock at once; black burst runs on none.
            if (output == 2 && format != kFormatBlackBurst)
                PostToMainFrame(WM_BRUMO_CLOCK_FAMILY,
                                static_cast<platform::WPARAM>(HdClockFamily(keyword)));
            return true;
        }))
        return 0;
    // BLACK 2 on HD sync repeats BLACK 3 and BLACK 3 on black burst repeats BLACK 2: neither
    // has a signal or a timing of its own. Its timing changes wait; its signal change is moot.
    const bool follows =
        (output == 1 && format == kFormatHdSync) || (output == 2 && format == kFormatBlackBurst);
    if (output < 2) {
        Flagged<int>& signal = m_outputSignal[i];
        if (!SendIf(signal, !follows, progress, [&] {
                return SendCommand(
                    platform::Format("OUTP%d:SIGN %s", n, SignalKeyword(format, signal).c_str()));
            }))
            return 0;
        signal.ClearChanged();
    }
    if (!SendIf(m_outputLines[i], !follows, progress, [&] {
            return SendCommand(
                platform::Format("SENS%d:CORR:MDEL:VERT %d", n, m_outputLines[i].Value()));
        }))
        return 0;
    return SendIf(m_outputDelay[i], !follows, progress, [&] {
        if (!SendCommand(
                platform::Format("SENS%d:CORR:MDEL:HOR %.4f", n, m_outputDelay[i].Value() * 1e6)))
            return false;
        m_outputMark[i] = true;
        return true;
    });
}

}  // namespace corvane
