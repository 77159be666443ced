#include "corvane/modules/tavix/TavixDoc.h"

#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

namespace {

constexpr std::array<int, CTavixDoc::kFrequencyEntries> kFrequencies{
    -1,   0,    50,   100,  150,  200,   250,   300,   400,   500,  600,
    750,  800,  1000, 1200, 1500, 1600,  2000,  2400,  3000,  3200, 4000,
    4800, 5000, 6000, 8000, 9600, 10000, 12000, 15000, 16000, 20000};

const char* const kDelayQuery = "SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?";

bool ValidChannel(int channel) {
    return channel >= 0 && channel < CTavixDoc::kChannels;
}

}  // namespace

CTavixDoc::CTavixDoc() : CModuleDoc(kModuleTavix, IDS_APPLY_TAVIX) {}

CTavixDoc::~CTavixDoc() = default;

int CTavixDoc::FrequencyIndex(int hertz) {
    for (size_t i = 0; i < kFrequencies.size(); ++i)
        if (kFrequencies[i] == hertz)
            return static_cast<int>(i);
    return -1;
}

int CTavixDoc::FrequencyOfIndex(int index) {
    if (index < 0 || index >= kFrequencyEntries)
        return -1;
    return kFrequencies[static_cast<size_t>(index)];
}

const char* CTavixDoc::SyncKeyword(int mode) {
    switch (mode) {
        case kSyncFrameOne:
            return "FRAME_ONE";
        case kSyncFrameTwo:
            return "FRAME_TWO";
        default:
            return "FREE";
    }
}

int CTavixDoc::SyncModeFromKeyword(const std::string& keyword) {
    if (keyword == "FREE")
        return kSyncFree;
    if (keyword == "FRAME_ONE")
        return kSyncFrameOne;
    if (keyword == "FRAME_TWO")
        return kSyncFrameTwo;
    return -1;
}

void CTavixDoc::Changed() {
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, 0);
}

void CTavixDoc::SetFrequency(int channel, int hertz) {
    if (!ValidChannel(channel))
        return;
    m_frequency[static_cast<size_t>(channel)] = hertz;
    m_frequencyChanged[static_cast<size_t>(channel)] = 1;
    Changed();
}

void CTavixDoc::SetAmplitude(int channel, int dbfs) {
    if (!ValidChannel(channel))
        return;
    SetModifiedFlag(true);
    if (dbfs < kMinAmplitude || dbfs > kMaxAmplitude) {
        AmplitudeRefusal refusal{channel, m_amplitude[static_cast<size_t>(channel)]};
        UpdateAllViews(nullptr, kHintAmplitudeRefused, &refusal);
        return;
    }
    m_amplitude[static_cast<size_t>(channel)] = dbfs;
    m_amplitudeChanged[static_cast<size_t>(channel)] = 1;
    UpdateAllViews(nullptr, 0);
}

void CTavixDoc::SetClick(int channel, int value) {
    if (!ValidChannel(channel))
        return;
    m_click[static_cast<size_t>(channel)] = value;
    m_clickChanged[static_cast<size_t>(channel)] = 1;
    Changed();
}

void CTavixDoc::SetBits(int bits) {
    m_bits = bits;
    m_bitsChanged = 1;
    Changed();
}

void CTavixDoc::SetSyncMode(int mode) {
    m_syncMode = mode;
    m_syncModeChanged = 1;
    Changed();
}

void CTavixDoc::SetAudioDelay(int microseconds) {
    SetModifiedFlag(true);
    if (microseconds < kMinAudioDelay || microseconds > kMaxAudioDelay) {
        int oldDelay = m_audioDelay;
        UpdateAllViews(nullptr, kHintDelayRefused, &oldDelay);
        return;
    }
    m_audioDelay = microseconds;
    m_audioDelayChanged = 1;
    UpdateAllViews(nullptr, 0);
}

int CTavixDoc::ReadDelayAndFrames(int& delay, double& frame1, double& frame2) {
    ReplyCursor reply;
    if (!QueryReply(kDelayQuery, reply))
        return 0;
    return reply.NextTruncated(delay) && reply.NextDouble(frame1) && reply.NextDouble(frame2);
}

int CTavixDoc::ReadParameters(ModuleProgress& progress) {
    for (int ch = 0; ch < kChannels; ++ch) {
        const int n = ch + 1;
        ReplyCursor reply;
        if (!QueryReply(
                platform::Format(
                    "OUTP:AUD:CHAN%d:AMPL?;:OUTP:AUD:CHAN%d:FREQ?;:OUTP:AUD:CHAN%d:CLIC?", n, n, n),
                reply))
            return 0;
        int amplitude = 0, hertz = 0, click = 0;
        if (!reply.NextTruncated(amplitude) || !reply.NextTruncated(hertz) || !reply.NextInt(click))
            return 0;
        m_amplitude[static_cast<size_t>(ch)] = amplitude;
        m_frequency[static_cast<size_t>(ch)] = FrequencyIndex(hertz);
        m_click[static_cast<size_t>(ch)] = click;
        progress.Step();
    }

    ReplyCursor reply;
    if (!QueryReply("OUTP:AUD:NBIT?;SYNC?", reply))
        return 0;
    int bits = 0;
    std::string keyword;
    if (!reply.NextInt(bits) || !reply.NextText(keyword))
        return 0;
    m_bits = bits;
    if (const int mode = SyncModeFromKeyword(keyword); mode >= 0)
        m_syncMode = mode;
    progress.Step();

    int delay = 0;
    double frame1 = 0.0, frame2 = 0.0;
    if (!ReadDelayAndFrames(delay, frame1, frame2))
        return 0;
    m_audioDelay = delay;
    m_frame1Frequency = frame1;
    m_frame2Frequency = frame2;
    m_frame1Present = frame1 != 0.0 ? 1 : 0;
    m_frame2Present = frame2 != 0.0 ? 1 : 0;
    progress.Step();
    return 1;
}

int CTavixDoc::RereadSync() {
    platform::CWaitCursor wait;
    if (!SelectModule())
        return 0;
    std::string keyword;
    if (!QueryReply("OUTP:AUD:SYNC?", keyword))
        return 0;
    const int mode = SyncModeFromKeyword(keyword);
    if (mode < 0)
        return 0;
    int delay = 0;
    double frame1 = 0.0, frame2 = 0.0;
    if (!ReadDelayAndFrames(delay, frame1, frame2))
        return 0;
    // A change the operator has not applied yet stays what the operator made it.
    if (m_syncModeChanged == 0)
        m_syncMode = mode;
    if (m_audioDelayChanged == 0)
        m_audioDelay = delay;
    m_frame1Frequency = frame1;
    m_frame2Frequency = frame2;
    m_frame1Present = frame1 != 0.0 ? 1 : 0;
    m_frame2Present = frame2 != 0.0 ? 1 : 0;
    return 1;
}

int CTavixDoc::Apply() {
    return RunApply(30);
}

int CTavixDoc::SendChangedParameters(ModuleProgress& progress) {
    for (int ch = 0; ch < kChannels; ++ch) {
        const size_t i = static_cast<size_t>(ch);
        const int n = ch + 1;
        if (!SendFlagged(m_amplitudeChanged[i],
                         platform::Format("OUTP:AUD:CHAN%d:AMPL %d", n, m_amplitude[i])))
            return 0;
        progress.Step();
        if (!SendFlagged(m_frequencyChanged[i],
                         platform::Format("OUTP:AUD:CHAN%d:FREQ %d", n, m_frequency[i])))
            return 0;
        progress.Step();
        if (!SendFlagged(m_clickChanged[i],
                         platform::Format("OUTP:AUD:CHAN%d:CLIC %d", n, m_click[i])))
            return 0;
        progress.Step();
    }
    if (!SendFlagged(m_bitsChanged, platform::Format("OUTP:AUD:NBIT %d", m_bits)))
        return 0;
    progress.Step();
    const bool sendsFree = m_syncModeChanged != 0 && m_syncMode == kSyncFree;
    if (!SendFlagged(m_syncModeChanged, std::string("OUTP:AUD:SYNC ") + SyncKeyword(m_syncMode)))
        return 0;
    // A free-running module has no audio timing offset to set.
    if (sendsFree)
        m_audioDelayChanged = 0;
    progress.Step();
    if (!SendFlagged(m_audioDelayChanged, platform::Format("SENS:CORR:MDEL %d", m_audioDelay)))
        return 0;
    progress.Step();
    return 1;
}

}  // namespace corvane
