// CVideoSignalPage: the Signal tab of the four video module windows.
//
// The operator picks a format, a signal set and a signal out of the instrument's signal
// catalogue, or a frame picture out of its picture catalogue, and sets the output's vertical
// and horizontal timing. One class serves the four models through their table
// (VideoSignalTables.h); the analog models split the horizontal delay into a coarse field on
// the sample grid and a fine field in tenths of a nanosecond.
//
// The lists show the catalogue's display names; what the page sends is the names as listed,
// which is what goes back to the instrument. A format, signal set or picture folder that
// holds nothing to load cannot be chosen: the list goes back to what it showed and nothing is
// sent, so no empty or made-up name ever reaches the document. A new format starts on its
// first signal set that holds a signal.
//
// The view answers the format message by sending the same number back once it has stored the
// format; the page then sets the timing limits of that format and sends any correction of
// the lines or the delay they force.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/modules/hdclock/HdClock.h"
#include "corvane/modules/video/CatalogRecords.h"
#include "corvane/pages/common/TabPage.h"
#include "corvane/pages/videosignal/VideoSignalTables.h"

namespace corvane {

// The record the timing query fills: the live output timing.
struct VideoSignalTiming {
    std::int32_t lines = 0;
    double delay = 0.0;  // seconds
};

// What the view hands the page before it is created.
struct VideoSignalValues {
    // Where the document's selection sits in the catalogues, and the names it holds.
    int format = -1;
    int signalSet = -1;
    int signal = -1;
    int pictureSet = -1;
    int picture = -1;
    std::string formatName;
    std::string signalSetName;
    std::string signalName;
    std::string pictureSetName;
    std::string pictureName;
    int framePicture = 0;
    int lines = 0;
    double delay = 0.0;  // seconds
    SignalTree signalTree;
    PictureCatalog pictures;
    // The module's other output: output 2 of the analog models (on/off and its clock
    // family), the black output of the serial ones (on/off and its format code).
    int otherOutput = 0;
    int otherOutputFamily = kClockNoHd;
    int otherOutputFormat = 0;
    // The clock families of the other HD modules, as the Ulmeth document holds them. The
    // analog documents hold none and leave them absent, so their pages never ask about them.
    int brumoFamily = kClockNoBrumo;
    int kintorFamily = kClockNoKintor;
};

class CVideoSignalPage : public CTabPage {
public:
    explicit CVideoSignalPage(VideoModel model);

    void Load(const VideoSignalValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;

    // What the page shows.
    int FormatIndex() const { return m_format; }
    int Lines() const { return m_lines; }
    double Delay() const { return m_delay; }
    double Coarse() const { return m_coarse; }
    double Fine() const { return m_fine; }
    const FormatTiming& Limits() const { return m_limits; }

private:
    bool Split() const { return m_table.fineEdit != 0; }
    const SignalSet* Format(int index) const;
    const CatalogFolder* SignalSetAt(int index) const;
    const CatalogFolder* PictureSetAt(int index) const;
    std::string CurrentFormatName() const;

    void FillLists();
    void FillSetList(bool firstFill);
    void FillSignalList();
    void FillPictureLists();
    void FillPictureList();
    void EnableFramePicture();
    // The entry of the list showing `set`, -1 when it is not listed.
    int SetListPosition(int set) const;

    void OnFormatChange();
    void OnSetChange();
    void OnSignalChange();
    void OnPictureSetChange();
    void OnPictureChange();
    void OnFramePictureClicked();
    bool ConfirmFormat(const std::string& name);

    void SendText(platform::UINT message, int index, const std::string& text);
    void SendSignal();
    void SendPicture();
    void SendLines();
    void SendDelay();

    // Sets the limits of the selected format, sending the corrections they force, and writes
    // the timing fields and spins.
    void ApplyTimingLimits();
    void WriteTiming();
    StepField DelayField();
    void OnDelayUpdate();
    void OnFineUpdate();
    void RewriteDelayField(int editId);
    platform::LRESULT OnTimingReload();

    const VideoSignalTable& m_table;
    VideoSignalValues m_values;

    // A format the operator picks stays a candidate until it is accepted, so a question box
    // and the focus moves around it can never change what a refusal goes back to.
    int m_format = -1;
    int m_set = -1;
    int m_signal = -1;
    int m_pictureSet = -1;
    int m_picture = -1;
    int m_framePicture = 0;
    // The tree index of each entry of the signal set list.
    std::vector<int> m_setList;

    int m_lines = 0;
    std::string m_linesText;
    double m_delay = 0.0;  // seconds; coarse + fine on the analog models
    double m_coarse = 0.0;
    double m_fine = 0.0;
    std::string m_delayText;
    FormatTiming m_limits{};
    int m_boundSteps = 0;
    double m_stepUs = 0.0;
};

}  // namespace corvane
