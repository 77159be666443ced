// CPirvoBarsPage: the "Bars" tab of the Pirvo window, output 4 (BARS): its format, the signal
// out of the list of that format, and its ID text.
//
// The signal list follows the format. When the format changes, the signal shown stays if the
// new list has it, else the list starts on its first entry; either way the page sends the
// format and then the signal the list now shows. A format the module reports that no list
// belongs to shows no format and no signal until the operator picks a format.
#pragma once

#include "corvane/pages/pirvo/PirvoIdTextPage.h"

namespace corvane {

struct PirvoBarsValues {
    int format = 0;  // 0 NTSC, 1 PAL, 2 NTSC No Setup; anything else is a format of no list
    int signal = 0;  // signal code
    PirvoIdTextValues idText;
};

class CPirvoBarsPage : public CPirvoIdTextPage {
public:
    CPirvoBarsPage();

    // The values shown at creation.
    void Load(const PirvoBarsValues& values);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    int Format() const { return m_format; }
    int SignalCode() const { return m_signal; }

private:
    void FillSignalList();
    void OnFormatChange();
    void OnSignalChange();

    PirvoBarsValues m_values;
    int m_format = 0;
    int m_signal = 0;
};

}  // namespace corvane
