#include "corvane/modules/kintor/KintorDoc.h"

#include <string_view>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/video/VideoFormats.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

namespace {

struct KintorWord {
    int code;
    std::string_view keyword;
};

// 1080 60i stands before 1080 59.94i, as the module has always listed them.
constexpr KintorWord kKintorWords[] = {
    {0, "BB"},           {1, "BB_FREF"},      {2, "BB_NO_FREF"},  {12, "OTHER_ONE"},
    {13, "OTHER_TWO"},   {15, "HD1080_60I"},  {14, "HD1080_59I"}, {16, "HD1080_50I"},
    {17, "HD1080_24SF"}, {18, "HD1080_23SF"}, {19, "HD1080_30P"}, {20, "HD1080_29P"},
    {21, "HD1080_25P"},  {22, "HD1080_24P"},  {23, "HD1080_23P"}, {24, "HD720_60P"},
    {25, "HD720_59P"},   {26, "HD720_50P"},   {27, "BB_10FID"},   {28, "CB100PER"},
    {29, "CB75PER"},     {30, "CB_SMPTE"},    {31, "FF40PER"},    {32, "CB100_OR"},
    {33, "CB75_OR"}};

// The selection, output 3's configuration, and each output's format, signal and timing.
constexpr int kReadSteps = 2 + 3 * CKintorDoc::kOutputs;
constexpr double kMicro = 1e-6;

bool ValidOutput(int output) {
    return output >= 0 && output < CKintorDoc::kOutputs;
}

std::string TimingQuery(int n) {
    return platform::Format("SENS%d:CORR:MDEL:VERT?;:SENS%d:CORR:MDEL:HOR?", n, n);
}

// "<lines>;<microseconds>": both answers, or nothing.
int ParseTiming(ReplyCursor& reply, int& lines, double& seconds) {
    int readLines = 0;
    double micro = 0.0;
    if (!reply.NextTruncated(readLines) || !reply.NextDouble(micro))
        return 0;
    lines = readLines;
    seconds = micro * kMicro;
    return 1;
}

}  // namespace

std::string KintorKeyword(int code) {
    for (const KintorWord& word : kKintorWords)
        if (word.code == code)
            return std::string(word.keyword);
    return "BB";
}

int KintorCode(const std::string& keyword) {
    for (const KintorWord& word : kKintorWords)
        if (word.keyword == keyword)
            return word.code;
    return -1;
}

CKintorDoc::CKintorDoc() : CModuleDoc(kModuleKintor, IDS_APPLY_KINTOR) {
    for (size_t i = 0; i < kOutputs; ++i) {
        const int n = static_cast<int>(i) + 1;
        AddSend(
            m_format[i],
            [this, i, n] {
                const int format = m_format[i];
                if (format == kHdFormat)
                    return platform::Format("OUTP%d:STAN ", n) + KintorKeyword(m_signal[i]);
                const VideoFormat* row = FindFormatByCode(videoformat::kAnalogSd, format);
                return platform::Format("OUTP%d:STAN ", n) +
                       std::string(row != nullptr ? row->keyword : "NTSC");
            },
            [this, i] {
                // The HD word carried the code: nothing of the signal is left to send.
                if (m_format[i] == kHdFormat)
                    m_signal[i].ClearChanged();
                FormatSent(static_cast<int>(i));
            });
        AddSend(
            m_signal[i],
            [this, i, n] {
                return platform::Format(m_format[i] == kHdFormat ? "OUTP%d:STAN " : "OUTP%d:SIGN ",
                                        n) +
                       KintorKeyword(m_signal[i]);
            },
            [this, i] {
                m_sentSetting = true;
                if (m_format[i] == kHdFormat)
                    FormatSent(static_cast<int>(i));
            });
        AddSend(m_verticalLines[i], [this, i, n] {
            return platform::Format("SENS%d:CORR:MDEL:VERT %d.0", n, m_verticalLines[i].Value());
        });
        AddSend(m_horizontalDelay[i], [this, i, n] {
            return platform::Format("SENS%d:CORR:MDEL:HOR %.8f", n,
                                    m_horizontalDelay[i].Value() / kMicro);
        });
    }
}

void CKintorDoc::FormatSent(int output) {
    m_formatSent[static_cast<size_t>(output)] = true;
    m_sentFormat = true;
    m_sentSetting = true;
}

void CKintorDoc::SetFormat(int output, int format) {
    if (ValidOutput(output) && format >= 0 && format <= kHdFormat)
        SetParameter(m_format[static_cast<size_t>(output)], format);
}

void CKintorDoc::SetSignal(int output, int code) {
    // A code outside the table would go out as the "BB" its keyword defaults to.
    if (ValidOutput(output) && KintorCode(KintorKeyword(code)) == code)
        SetParameter(m_signal[static_cast<size_t>(output)], code);
}

void CKintorDoc::SetVerticalLines(int output, int lines) {
    if (ValidOutput(output))
        SetParameter(m_verticalLines[static_cast<size_t>(output)], lines);
}

void CKintorDoc::SetHorizontalDelay(int output, double seconds) {
    if (ValidOutput(output))
        SetParameter(m_horizontalDelay[static_cast<size_t>(output)], seconds);
}

int CKintorDoc::TakeFormatSent(int output) {
    if (!ValidOutput(output) || !m_formatSent[static_cast<size_t>(output)])
        return 0;
    m_formatSent[static_cast<size_t>(output)] = false;
    return 1;
}

CKintorDoc::OutputState CKintorDoc::SaveOutput(int output) const {
    if (!ValidOutput(output))
        return {};
    const size_t i = static_cast<size_t>(output);
    return {m_format[i], m_signal[i], m_verticalLines[i], m_horizontalDelay[i], IsModified()};
}

void CKintorDoc::RestoreOutput(int output, const OutputState& state) {
    if (!ValidOutput(output))
        return;
    const size_t i = static_cast<size_t>(output);
    m_format[i] = state.format;
    m_signal[i] = state.signal;
    m_verticalLines[i] = state.lines;
    m_horizontalDelay[i] = state.delay;
    SetModifiedFlag(state.modified);
    UpdateAllViews(nullptr, 0);
}

void CKintorDoc::SetOtherHdModules(bool brumo, bool ulmeth) {
    m_hasBrumo = brumo ? 1 : 0;
    m_hasUlmeth = ulmeth ? 1 : 0;
}

int CKintorDoc::CombinedHdClockFamily() const {
    int running = kClockNoHd;
    for (size_t i = 0; i < kOutputs; ++i) {
        const int family =
            m_format[i] == kHdFormat ? HdClockFamily(KintorKeyword(m_signal[i])) : kClockNoHd;
        if (family == kClock7425) {
            if (running == kClock7418)
                return kClockBoth;
            running = kClock7425;
        } else if (family == kClock7418) {
            if (running == kClock7425)
                return kClockBoth;
            running = kClock7418;
        }
    }
    return running;
}

int CKintorDoc::ReadClockFamilies() {
    const CMainFrame* frame = MainFrame();
    const bool brumo = m_hasBrumo >= 0 ? m_hasBrumo != 0 : frame && frame->m_hasBrumo;
    const bool ulmeth = m_hasUlmeth >= 0 ? m_hasUlmeth != 0 : frame && frame->m_hasUlmeth;
    IInstrumentLink* link = Link();
    if (link == nullptr)
        return 0;
    return ReadClockFamily(QueryBrumoClockFamily, *link, brumo, m_brumoClockFamily) &&
                   ReadClockFamily(QueryUlmethClockFamily, *link, ulmeth, m_ulmethClockFamily)
               ? 1
               : 0;
}

int CKintorDoc::ReadAll() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), platform::Format("Reading Kintor [%d] ...", m_slot), kReadSteps);
    if (!ReadClockFamilies() || !SelectModule())
        return 0;
    Progress().Step();
    std::string config;
    if (!QueryReply("OUTP3:CONF?", config))
        return 0;
    m_output3Config = config == "1" ? 1 : 0;
    Progress().Step();
    for (int output = 0; output < kOutputs; ++output)
        if (!ReadOutput(output))
            return 0;
    return 1;
}

int CKintorDoc::ReadOutput(int output) {
    const size_t i = static_cast<size_t>(output);
    const int n = output + 1;
    std::string reply;
    if (!QueryReply(platform::Format("OUTP%d:STAN?", n), reply))
        return 0;
    const VideoFormat* sd = nullptr;
    for (const VideoFormat& row : videoformat::kAnalogSd)
        if (row.keyword == reply)
            sd = &row;
    if (sd != nullptr) {
        m_format[i].Load(sd->code);
    } else {
        // Any other word is an HD format, told by its code.
        const int code = KintorCode(reply);
        if (code < 0)
            return 0;
        m_format[i].Load(kHdFormat);
        m_signal[i].Load(code);
    }
    Progress().Step();
    if (m_format[i] != kHdFormat) {
        if (!QueryReply(platform::Format("OUTP%d:SIGN?", n), reply))
            return 0;
        const int code = KintorCode(reply);
        if (code < 0)
            return 0;
        m_signal[i].Load(code);
    }
    Progress().Step();
    ReplyCursor timing;
    int lines = 0;
    double seconds = 0.0;
    if (!QueryReply(TimingQuery(n), timing) || !ParseTiming(timing, lines, seconds))
        return 0;
    m_verticalLines[i].Load(lines);
    m_horizontalDelay[i].Load(seconds);
    Progress().Step();
    return 1;
}

int CKintorDoc::QueryTiming(int output, int& lines, double& seconds) {
    if (!ValidOutput(output) || !SelectModule())
        return 0;
    ReplyCursor reply;
    int readLines = 0;
    double readSeconds = 0.0;
    if (!QueryReply(TimingQuery(output + 1), reply) || !ParseTiming(reply, readLines, readSeconds))
        return 0;
    const size_t i = static_cast<size_t>(output);
    m_verticalLines[i].Load(readLines);
    m_horizontalDelay[i].Load(readSeconds);
    lines = readLines;
    seconds = readSeconds;
    return 1;
}

int CKintorDoc::Apply() {
    m_sentFormat = false;
    m_sentSetting = false;
    const int done = CModuleDoc::Apply();
    m_lastApplyDone = done == 1;
    return done;
}

void CKintorDoc::PostApplyNotifications() {
    const auto post = [this](platform::UINT message, platform::WPARAM wParam) {
        if (m_post) {
            m_post(message, wParam);
        } else if (CMainFrame* frame = MainFrame()) {
            frame->PostMessage(message, wParam, 0);
        }
    };
    if (m_sentSetting)
        post(WM_MODULE_APPLIED, 0);
    if (m_sentFormat)
        post(WM_KINTOR_CLOCK_FAMILY,
             static_cast<platform::WPARAM>(static_cast<platform::LPARAM>(CombinedHdClockFamily())));
}

}  // namespace corvane
