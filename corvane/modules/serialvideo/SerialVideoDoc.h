// CSerialVideoDoc: what the serial digital video generators (Sormet, SD; Ulmeth, HD) share.
//
// Output 1 plays a test signal or a frame picture out of the instrument's own catalogues, with
// its timing, moving picture, blinking, logo, ID text, circle, four embedded-audio groups and
// its video switches; with the black option output 2 carries black or a flat field with its
// own format, timing and audio. The models differ in their format table, a few video and black
// parameters and the HD clock bookkeeping of the Ulmeth; a SerialVideoModel says which.
//
// Reading and applying are written out here rather than in the framework's lists: what is read
// depends on the catalogue, the option and the firmware, and the logo and text saves of an
// Apply depend on what went before them.
#pragma once

#include <array>
#include <string>

#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/video/CatalogRecords.h"
#include "corvane/modules/video/VideoFormats.h"

namespace corvane {

struct SerialVideoModel {
    VideoModel model;
    ModuleKind kind;
    int questionId;
    // Output 1 and output 2 have resolution and EDH switches the module reads and takes.
    bool hasBitsAndEdh;
    // The text shown when the active signal is not in the catalogue.
    const char* signalNotFound;
};

// The embedded audio of one output: four groups of four channels.
struct SerialAudio {
    static constexpr int kGroups = 4;
    static constexpr int kChannels = 16;
    FlaggedArray<int, kGroups> groupState;
    FlaggedArray<int, kGroups> preEmphasis;
    FlaggedArray<int, kGroups> sampling;
    FlaggedArray<int, kGroups> bits;
    FlaggedArray<int, kChannels> amplitude;
    // The operator's frequency in hertz (-1 inactive, 0 silence), the only form sent.
    FlaggedArray<int, kChannels> frequencyHertz;
    // Where the frequency read from the module sits in the pages' list.
    std::array<int, kChannels> frequencyIndex{};
    FlaggedArray<int, kChannels> click;
};

class CSerialVideoDoc : public CModuleDoc {
public:
    static constexpr int kBlinkOff = 0;
    static constexpr int kBlinkFast = 2;
    static constexpr int kBlinkSlow = 3;
    // The firmware from which the AV timing switch and the 3.1 formats exist.
    static constexpr double kAvTimingFirmware = 3.1;
    // What -256 after an Apply means: the loaded signal is on no key of the module.
    static constexpr int kErrorNotOnKey = -256;

    explicit CSerialVideoDoc(const SerialVideoModel& model);
    ~CSerialVideoDoc() override;

    int ReadAll() override;
    int Apply() override;

    // The live timing of output 1 or 2, kept by the document without a change flag and handed
    // back. 1 when both answers were read; otherwise nothing changes.
    int ReadLiveTiming(int& lines, double& delay);
    int ReadLiveBlackTiming(int& lines, double& delay);

    // Take-and-clear flags for the view's follow-ups after an Apply.
    int TakeTimingChanged() { return Take(m_timingChanged); }
    int TakeBlackChanged() { return Take(m_blackChanged); }
    int TakeLogoReread() { return Take(m_logoReread); }
    int TakeTextReread() { return Take(m_textReread); }

    // The controller's firmware; the main frame's unless set.
    void SetFirmwareVersion(double version) { m_firmwareOverride = version; }
    double FirmwareVersion() const;

    // Setters the view calls for its pages' messages. Channels are 0..15 (group = channel / 4),
    // groups 0..3; anything outside is ignored. A logo name or text keeps only what can travel
    // inside the quoted command, so the document holds what Apply sends.
    void SetFormat(int code, const std::string& name);
    void SetSignalSet(int index, const std::string& name);
    void SetSignal(int index, const std::string& name);
    void SetFramePicture(int mode);
    void SetPictureFolder(int index, const std::string& name);
    void SetPictureFile(int index, const std::string& name);
    void SetLines(int lines);
    void SetDelay(double seconds);
    void SetMovingHorizontalStep(int value);
    void SetMovingVerticalStep(int value);
    void SetMovingPeriod(int value);
    void SetMovingRandom(int state);
    void SetLogoState(int state);
    void SetLogoName(const std::string& name);
    void SetLogoHorizontal(double percent);
    void SetLogoVertical(double percent);
    void SetTextState(int state);
    void SetText(const std::string& text);
    void SetTextHorizontal(int value);
    void SetTextVertical(int value);
    void SetCircleState(int state);
    void SetCircleHorizontal(int value);
    void SetCircleVertical(int value);
    void SetCircleDiameter(int value);
    void SetBlinkMode(int mode);
    void SetAudioGroupState(int output, int group, int state);
    void SetAudioPreEmphasis(int output, int group, int code);
    void SetAudioSampling(int output, int group, int code);
    void SetAudioBits(int output, int group, int bits);
    void SetAudioFrequency(int output, int channel, int hertz);
    void SetAudioAmplitude(int output, int channel, int dbfs);
    void SetAudioClick(int output, int channel, int value);
    void SetVideoY(int state);
    void SetVideoPb(int state);
    void SetVideoPr(int state);
    void SetVideoBits(int bits);
    void SetVideoEdh(int state);
    void SetAvTiming(int state);
    void SetBlackLines(int lines);
    void SetBlackDelay(double seconds);
    void SetBlackFormat(int code);
    void SetBlackSignal(int code);
    void SetBlackBits(int bits);
    void SetBlackEdh(int state);

    // "BLAC", "GRAY", "FF50P", "WHIT" and back; -1 / empty outside.
    static int BlackSignalCode(const std::string& word);
    static std::string BlackSignalWord(int code);

    const SerialVideoModel& Model() const { return m_model; }

    // Catalogues, owned here.
    SignalTree m_signalTree;
    PictureCatalog m_pictures;

    int m_framePicture = 0;
    std::string m_formatName;
    std::string m_signalSetName;
    std::string m_signalName;  // the signal's file name, as the load names it
    std::string m_signalPath;
    int m_formatIndex = 0;
    Flagged<int> m_signalSet;
    Flagged<int> m_signal;
    Flagged<int> m_signalMode;  // only its flag: test-signal mode was chosen
    std::string m_pictureFolderName;
    std::string m_pictureFileName;
    Flagged<int> m_pictureFolder;
    Flagged<int> m_pictureFile;

    Flagged<int> m_lines;
    Flagged<double> m_delay;  // seconds

    Flagged<int> m_movingHorizontalStep;
    Flagged<int> m_movingVerticalStep;
    Flagged<int> m_movingPeriod;
    Flagged<int> m_movingRandom;
    Flagged<int> m_blinkMode;

    Flagged<int> m_logoState;
    Flagged<std::string> m_logoName;
    Flagged<double> m_logoHorizontal;
    Flagged<double> m_logoVertical;
    std::vector<std::string> m_logos;

    Flagged<int> m_textState;
    Flagged<std::string> m_text;
    Flagged<int> m_textHorizontal;
    Flagged<int> m_textVertical;

    Flagged<int> m_circleState;
    Flagged<int> m_circleHorizontal;
    Flagged<int> m_circleVertical;
    Flagged<int> m_circleDiameter;

    SerialAudio m_audio;

    Flagged<int> m_videoY;
    Flagged<int> m_videoPb;
    Flagged<int> m_videoPr;
    Flagged<int> m_videoBits;
    Flagged<int> m_videoEdh;
    Flagged<int> m_avTiming;

    int m_blackOption = 0;
    Flagged<int> m_blackFormat;
    Flagged<int> m_blackSignal;
    Flagged<int> m_blackLines;
    Flagged<double> m_blackDelay;  // seconds
    Flagged<int> m_blackEdh;
    Flagged<int> m_blackBits;
    SerialAudio m_blackAudio;

protected:
    // The model's part of a read before the module is selected (the Ulmeth's clock families).
    virtual int ReadBeforeSelect() { return 1; }
    // After a test-signal load that the module took.
    virtual void SignalLoaded() {}

private:
    static int Take(bool& flag) {
        const int was = flag ? 1 : 0;
        flag = false;
        return was;
    }
    template <typename T>
    void Change(Flagged<T>& parameter, T value, int hint);
    void Hint(int hint);
    SerialAudio* AudioOf(int output);

    int ReadCatalogsAndSignal(int extraSteps);
    int ResolveActiveSignal();
    int ReadFormat(const std::string& reply, int& code) const;
    int ReadOutput1();
    int ReadBlack();
    int ReadAudio(int output, SerialAudio& audio);

    // Apply's pieces; each 0 when an exchange failed.
    int SendWordIf(ChangeFlag& parameter, const std::string& header, const std::string& word);
    int QueryOk(const std::string& query);
    int SendLoad(bool& loadedSignal, bool& loadedPicture);
    int SendOverlay();
    int SendAudio(int output, SerialAudio& audio);
    int SendBlack(bool& post);
    int RereadText();
    int RereadLogo();

    SerialVideoModel m_model;
    bool m_timingChanged = false;
    bool m_blackChanged = false;
    bool m_logoReread = false;
    bool m_textReread = false;
    bool m_rereadText = false;
    double m_firmwareOverride = -1.0;
};

}  // namespace corvane
