// CVideoOutputPage: the Video tab of the four video module windows.
//
// Pairs of radio buttons switch the output's components and options; a click sends its value
// at once, also on the button already chosen. The analog models switch three channels and
// the sync on the GBR outputs, the Oltra also the composite configuration and the APL mode
// and period; the serial models switch Y, Pb and Pr and the AV timing, the Sormet also the
// resolution and the EDH. A model's table says which of them it has (a message number of 0:
// none), so one class serves the four.
//
// The composite configuration is 1 for composite and 0 for Y/C, in what the page is given and
// in what it sends alike.
#pragma once

#include <string>
#include <vector>

#include "corvane/pages/common/TabPage.h"
#include "corvane/pages/videooutput/VideoOutputMessages.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

// The AV timing buttons need this controller firmware or later.
constexpr double kAvTimingFirmware = 3.1;

// An entry of an APL list: the name shown, and the keyword sent.
struct AplChoice {
    std::string displayName;
    std::string fileName;
};

// What the view hands the page, before it is created and before each reload.
struct VideoOutputValues {
    int channel1 = 1;  // CH1 or Y: 1 on
    int channel2 = 1;
    int channel3 = 1;
    int sync = 1;       // 1 sync on all channels, 0 on green
    int composite = 1;  // 1 composite, 0 Y/C
    int bits = 8;
    int edh = 1;
    int avTiming = 1;
    // The output-1 standard code as of the last read or Apply (analog models).
    int outputCode = 0;
    double firmwareVersion = 0.0;
    // The APL lists (filled entries first) and the keywords the module runs on.
    std::vector<AplChoice> aplModes;
    std::vector<AplChoice> aplPeriods;
    std::string aplMode;
    std::string aplPeriod;
};

class CVideoOutputPage : public CTabPage {
public:
    explicit CVideoOutputPage(VideoModel model);

    void Load(const VideoOutputValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void DoDataExchange(platform::CDataExchange* dx) override;

    // The enabling that follows the output-1 standard code.
    static bool CompositeEnabled(int outputCode);
    static bool GbrSyncEnabled(int outputCode);

private:
    // A pair of radio buttons: the message, and the values of its first and second button.
    struct Pair {
        int firstId;
        platform::UINT message;
        int firstValue;
        int secondValue;
        int VideoOutputValues::*value;
        int index = -1;  // the button shown, -1 at construction
    };

    void FillAplLists();
    void FillAplList(int id, const std::vector<AplChoice>& choices, const std::string& current,
                     int& index);
    void Enable();
    void SendApl(int id, platform::UINT message, const std::vector<AplChoice>& choices, int& index);

    const VideoOutputMessages& m_messages;
    VideoModel m_model;
    VideoOutputValues m_values;
    std::vector<Pair> m_pairs;
    int m_aplMode = -1;
    int m_aplPeriod = -1;
};

}  // namespace corvane
