#include "corvane/modules/tavix/TavixDoc.h"

#include "corvane/modules/common/AudioFrequencies.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

namespace {

const char* const kDelayQuery = "SENS:CORR:MDEL?;:SENS:ROSC:FRAME1:FREQ?;:SENS:ROSC:FRAME2:FREQ?";

bool ValidChannel(int channel) {
    return channel >= 0 && channel < CTavixDoc::kChannels;
}

}  // namespace

CTavixDoc::CTavixDoc() : CModuleDoc(kModuleTavix, IDS_APPLY_TAVIX) {
    for (size_t ch = 0; ch < kChannels; ++ch) {
        const int n = static_cast<int>(ch) + 1;
        AddRead(platform::Format(
                    "OUTP:AUD:CHAN%d:AMPL?;:OUTP:AUD:CHAN%d:FREQ?;:OUTP:AUD:CHAN%d:CLIC?", n, n, n),
                [this, ch](ReplyCursor& reply) {
                    int amplitude = 0, hertz = 0, click = 0;
                    if (!reply.NextTruncated(amplitude) || !reply.NextTruncated(hertz) ||
                        !reply.NextInt(click))
                        return 0;
                    m_amplitude[ch].Load(amplitude);
                    m_frequency[ch].Load(AudioFrequencyIndex(hertz));
                    m_click[ch].Load(click);
                    return 1;
                });
    }
    AddRead("OUTP:AUD:NBIT?;SYNC?", [this](ReplyCursor& reply) {
        int bits = 0;
        std::string keyword;
        if (!reply.NextInt(bits) || !reply.NextText(keyword))
            return 0;
        m_bits.Load(bits);
        if (const int mode = SyncModeFromKeyword(keyword); mode >= 0)
            m_syncMode.Load(mode);
        return 1;
    });
    AddRead(kDelayQuery, [this](ReplyCursor& reply) {
        int delay = 0;
        double frame1 = 0.0, frame2 = 0.0;
        if (!TakeDelayAndFrames(reply, delay, frame1, frame2))
            return 0;
        m_audioDelay.Load(delay);
        StoreFrames(frame1, frame2);
        return 1;
    });

    for (size_t ch = 0; ch < kChannels; ++ch) {
        const int n = static_cast<int>(ch) + 1;
        AddSend(m_amplitude[ch], platform::Format("OUTP:AUD:CHAN%d:AMPL", n));
        // Only the operator's pick sets the flag, and it stores Hz: what goes out is never a
        // list index.
        AddSend(m_frequency[ch], platform::Format("OUTP:AUD:CHAN%d:FREQ", n));
        AddSend(m_click[ch], platform::Format("OUTP:AUD:CHAN%d:CLIC", n));
    }
    AddSend(m_bits, "OUTP:AUD:NBIT");
    AddSend(
        m_syncMode, [this] { return std::string("OUTP:AUD:SYNC ") + SyncKeyword(m_syncMode); },
        [this] {
            // A free-running module has no audio timing offset to set.
            if (m_syncMode == kSyncFree)
                m_audioDelay.ClearChanged();
        });
    AddSend(m_audioDelay, "SENS:CORR:MDEL");
}

CTavixDoc::~CTavixDoc() = default;

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

void CTavixDoc::SetFrequency(int channel, int hertz) {
    if (ValidChannel(channel))
        SetParameter(m_frequency[static_cast<size_t>(channel)], hertz);
}

void CTavixDoc::SetAmplitude(int channel, int dbfs) {
    if (!ValidChannel(channel))
        return;
    Flagged<int>& amplitude = m_amplitude[static_cast<size_t>(channel)];
    if (dbfs < kMinAmplitude || dbfs > kMaxAmplitude) {
        SetModifiedFlag(true);
        NotifyViews(AmplitudeRefused(channel, amplitude));
        return;
    }
    SetParameter(amplitude, dbfs);
}

void CTavixDoc::SetClick(int channel, int value) {
    if (ValidChannel(channel))
        SetParameter(m_click[static_cast<size_t>(channel)], value);
}

void CTavixDoc::SetBits(int bits) {
    SetParameter(m_bits, bits);
}

void CTavixDoc::SetSyncMode(int mode) {
    SetParameter(m_syncMode, mode);
}

void CTavixDoc::SetAudioDelay(int microseconds) {
    if (microseconds < kMinAudioDelay || microseconds > kMaxAudioDelay) {
        SetModifiedFlag(true);
        NotifyViews(DelayRefused(m_audioDelay));
        return;
    }
    SetParameter(m_audioDelay, microseconds);
}

int CTavixDoc::TakeDelayAndFrames(ReplyCursor& reply, int& delay, double& frame1, double& frame2) {
    return reply.NextTruncated(delay) && reply.NextDouble(frame1) && reply.NextDouble(frame2);
}

void CTavixDoc::StoreFrames(double frame1, double frame2) {
    m_frame1Frequency = frame1;
    m_frame2Frequency = frame2;
    m_frame1Present = frame1 != 0.0 ? 1 : 0;
    m_frame2Present = frame2 != 0.0 ? 1 : 0;
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
    ReplyCursor reply;
    int delay = 0;
    double frame1 = 0.0, frame2 = 0.0;
    if (!QueryReply(kDelayQuery, reply) || !TakeDelayAndFrames(reply, delay, frame1, frame2))
        return 0;
    // A change the operator has not applied yet stays what the operator made it.
    if (!m_syncMode.Changed())
        m_syncMode.Load(mode);
    if (!m_audioDelay.Changed())
        m_audioDelay.Load(delay);
    StoreFrames(frame1, frame2);
    return 1;
}

}  // namespace corvane
