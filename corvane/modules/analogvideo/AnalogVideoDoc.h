// CAnalogVideoDoc: what the two analog video generators, the Oltra and the Yarlo, share.
//
// Output 1 of the module: the active test signal or frame picture, picked from the catalogues
// of the module's own drive, the output timing, the moving picture, the overlay (logo, ID
// text, circle, blinking), the Y/PB/PR switches and the GBR sync. The Oltra adds its video
// configuration and APL through the hooks below; everything else is read and applied here,
// in the module's order.
//
// The active signal is named twice over: by its indices in the catalogues, and by the names
// the load command needs. After reading, the signal and picture names are display names; once
// the operator picks one, the page gives the file name the load needs.
#pragma once

#include <string>
#include <vector>

#include "corvane/modules/common/ModuleDoc.h"
#include "corvane/modules/video/CatalogRecords.h"
#include "platform/Types.h"

namespace corvane {

class CAnalogVideoDoc : public CModuleDoc {
public:
    // Standard codes of output 1 that have a selectable GBR sync.
    static constexpr int kGbrStandardCodes = 32768;

    // Told to the views when the operator picked a format: the signal page's timing limits
    // follow it.
    struct FormatChosen : ModuleHint {};

    struct OutputTiming {
        int lines = 0;
        double delay = 0.0;  // seconds
    };

    ~CAnalogVideoDoc() override;

    int ReadAll() override;
    int Apply() override;

    // Finds the active signal or frame picture in the catalogues and takes its indices and
    // names. 1 found; 0 otherwise, after saying why.
    int ReadActiveSignal();
    // The live output-1 timing, into the document and `timing`. 1 read, 0 failed.
    int QueryOutput1Timing(OutputTiming& timing);

    // What an Apply left for the views to reload; each is cleared by taking it.
    int TakeSignalReloadNotice() { return Take(m_signalReloadNotice); }
    int TakeLogoRereadNotice() { return Take(m_logoRereadNotice); }
    int TakeTextReloadedNotice() { return Take(m_textReloadedNotice); }

    // The operator's changes, as the pages report them.
    void SetFormat(int code, const std::string& name);
    void SetSignalSet(int index, const std::string& name);
    void SetSignal(int index, const std::string& name);
    // 1: a frame picture is to be loaded, 0: a test signal.
    void SetFramePictureMode(int mode);
    void SetPictureFolder(int index, const std::string& name);
    void SetPicture(int index, const std::string& name);
    void SetTimingLines(int lines);
    // Seconds; a value that is not a number is refused.
    void SetTimingDelay(double seconds);
    void SetMovingHorizontalStep(int value);
    void SetMovingVerticalStep(int value);
    void SetMovingPeriod(int value);
    void SetMovingRandom(int value);
    void SetLogoState(int value);
    void SetLogoSelection(const std::string& name);
    // Percent; a value that is not a number is refused.
    void SetLogoHorizontal(double percent);
    void SetLogoVertical(double percent);
    void SetTextState(int value);
    // Characters that cannot travel inside the quoted command are left out.
    void SetTextData(const std::string& text);
    void SetTextHorizontal(int value);
    void SetTextVertical(int value);
    void SetCircleState(int value);
    void SetCircleHorizontal(int value);
    void SetCircleVertical(int value);
    void SetCircleDiameter(int value);
    // 0 off, 2 blinking every 0.5 s, 3 every 1.0 s.
    void SetBlinkCode(int code);
    void SetChannelY(int value);
    void SetChannelPb(int value);
    void SetChannelPr(int value);
    // 1 sync on all channels, 0 on green.
    void SetSyncState(int value);

    // The catalogues read at opening.
    SignalTree m_signals;
    PictureCatalog m_pictures;

    int m_framePicture = 0;
    std::string m_formatName;
    std::string m_signalSetName;
    std::string m_signalName;
    std::string m_signalPath;  // "<format>/<set>/<signal>"
    int m_formatCode = 0;      // as the signal page gave it; the module never needs it
    Flagged<int> m_formatIndex;
    Flagged<int> m_signalSetIndex;
    Flagged<int> m_signalIndex;
    std::string m_pictureFolderName;
    std::string m_pictureName;
    Flagged<int> m_pictureFolderIndex;
    Flagged<int> m_pictureIndex;

    Flagged<int> m_timingLines;
    Flagged<double> m_timingDelay;  // seconds

    Flagged<int> m_movingHorizontal;
    Flagged<int> m_movingVertical;
    Flagged<int> m_movingPeriod;
    Flagged<int> m_movingRandom;

    Flagged<int> m_logoState;
    Flagged<double> m_logoHorizontal;
    Flagged<double> m_logoVertical;
    Flagged<std::string> m_logoSelection;
    std::vector<std::string> m_logoNames;  // as listed, ".lgo" included

    Flagged<int> m_textState;
    Flagged<int> m_textHorizontal;
    Flagged<int> m_textVertical;
    Flagged<std::string> m_text;

    Flagged<int> m_circleState;
    Flagged<int> m_circleHorizontal;
    Flagged<int> m_circleVertical;
    Flagged<int> m_circleDiameter;

    Flagged<int> m_blinkCode;
    Flagged<int> m_channelY;
    Flagged<int> m_channelPb;
    Flagged<int> m_channelPr;
    Flagged<int> m_syncState;
    int m_standardCode = 0;  // what ":OUTP1:STAN?" last answered

    // The analog modules have no second output; the signal page's clock guard reads these
    // and, with the flag at 0, never asks about a clock family.
    int m_secondOutput = 0;
    int m_secondOutputCode = 0;

protected:
    CAnalogVideoDoc(ModuleKind kind, int questionId);

    // What the Oltra adds: a read after the output standard, a send after the sync and sends
    // after the channels. Each returns 0 when an exchange failed; `notify` is set when the
    // main frame is to hear of the Apply.
    virtual int ReadVideoConfiguration() { return 1; }
    virtual int ApplyVideoConfiguration() { return 1; }
    virtual int ApplyAfterChannels(bool& notify) {
        (void)notify;
        return 1;
    }
    // The bar's steps the hooks above take, in the read and in the Apply.
    virtual int HookReadSteps() const { return 0; }
    virtual int HookApplySteps() const { return 0; }

    // Posts to the main frame (none without one).
    virtual void PostToMainFrame(platform::UINT message);

    // ":OUTP1:STAN?" into m_standardCode. 1 read, 0 failed.
    int QueryStandardCode();
    // Sends `command` when `parameter` is flagged and clears the flag once it went; steps.
    int SendFlagged(ChangeFlag& parameter, const std::string& command);

private:
    enum class Load { kNone, kSignal, kPicture };

    static int Take(int& notice) {
        const int value = notice;
        notice = 0;
        return value;
    }
    // "/F0:/<model>/<folder>"
    std::string DrivePath(const char* folder) const;
    // The operator's change of a parameter the views need not tell apart.
    template <typename T>
    void Change(Flagged<T>& parameter, T value) {
        SetParameter(parameter, std::move(value));
    }

    int ReadCatalogues(int& readSteps);
    int ReadSettings();
    // The bar's range: the read's steps after the catalogues, which take their own, and the
    // Apply's, one per query or parameter position.
    int ReadSettingsSteps() const;
    int ApplySteps() const;
    int ReadBlink();
    void TakeActiveNames();

    int ApplyLoad(Load& load);
    int ApplyLogo(bool& save);
    int ApplyText(bool& save);
    int ApplySync();
    int ApplyCloseAndCheck(Load load, bool& rearmed);
    int RereadText();
    int RereadLogo();

    int m_signalReloadNotice = 0;
    int m_logoRereadNotice = 0;
    int m_textReloadedNotice = 0;
    int m_rereadText = 0;
};

}  // namespace corvane
