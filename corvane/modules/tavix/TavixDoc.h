// CTavixDoc: the parameters of a Tavix module, the eight-channel audio generator.
//
// Per channel a tone frequency, an amplitude in dBFS and an audio click period; for the module
// the sample resolution, the audio-to-video synchronisation and the audio timing offset, with
// the controller's frame reset frequencies that decide which synchronisations exist.
//
// A channel's frequency is the index into the page's frequency list after reading, and the
// frequency in Hz once the operator picks one; only then is its change flag set, so Apply
// always sends Hz.
#pragma once

#include <string>

#include "corvane/modules/common/ModuleDoc.h"

namespace corvane {

class CTavixDoc : public CModuleDoc {
public:
    static constexpr int kChannels = 8;
    static constexpr int kMinAmplitude = -60;
    static constexpr int kMaxAmplitude = 0;
    static constexpr int kMinAudioDelay = -160000;
    static constexpr int kMaxAudioDelay = 160000;

    // What the views are told when a value is refused.
    struct AmplitudeRefused : ModuleHint {
        AmplitudeRefused(int channel, int oldAmplitude)
            : channel(channel), oldAmplitude(oldAmplitude) {}
        int channel;
        int oldAmplitude;
    };
    struct DelayRefused : ModuleHint {
        explicit DelayRefused(int oldDelay) : oldDelay(oldDelay) {}
        int oldDelay;
    };

    enum SyncMode { kSyncFree = 0, kSyncFrameOne = 1, kSyncFrameTwo = 2 };

    CTavixDoc();
    ~CTavixDoc() override;

    // Setters; a channel outside 0..7 is ignored.
    void SetFrequency(int channel, int hertz);
    void SetAmplitude(int channel, int dbfs);
    void SetClick(int channel, int value);
    void SetBits(int bits);
    void SetSyncMode(int mode);
    void SetAudioDelay(int microseconds);

    // Re-reads the synchronisation, the delay and the frame reset frequencies. A mode or
    // delay the operator changed and has not applied is kept. 1 read, 0 failed (nothing kept).
    int RereadSync();

    // "FREE", "FRAME_ONE", "FRAME_TWO" and back; -1 for any other word.
    static const char* SyncKeyword(int mode);
    static int SyncModeFromKeyword(const std::string& keyword);

    FlaggedArray<int, kChannels> m_frequency;
    FlaggedArray<int, kChannels> m_amplitude;
    FlaggedArray<int, kChannels> m_click;
    Flagged<int> m_bits{24};
    Flagged<int> m_syncMode{kSyncFree};
    int m_frame1Present = 0;
    int m_frame2Present = 0;
    double m_frame1Frequency = 0.0;
    double m_frame2Frequency = 0.0;
    Flagged<int> m_audioDelay;

private:
    // The answers of the delay and frame reset query, shared by ReadAll and RereadSync.
    static int TakeDelayAndFrames(ReplyCursor& reply, int& delay, double& frame1, double& frame2);
    void StoreFrames(double frame1, double frame2);
};

}  // namespace corvane
