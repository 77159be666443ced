// CPirvoSignalPage: the "Signal" tab of the Pirvo window, output 3 (SIGNAL): the test signal
// out of the module's catalogue (format folder, signal set, signal), its APL and its ID text.
//
// The lists show the catalogue's names and the signals' display names; the page sends the
// signals' file names as listed, which is what the module loads. Picking a format folder
// starts on its first signal set that holds a signal and that set's first signal, and sends
// the set, the signal and then the folder; picking a set starts on its first signal. A folder
// or set that holds no signal cannot be picked: its list goes back to what it showed and
// nothing is sent, so the document never holds a half path.
#pragma once

#include <string>
#include <vector>

#include "corvane/modules/video/CatalogRecords.h"
#include "corvane/pages/pirvo/PirvoIdTextPage.h"

namespace corvane {

struct PirvoSignalValues {
    SignalTree catalogue;
    // The active signal as the document holds it: names of folder and set, the signal's
    // display name.
    std::string formatName;
    std::string setName;
    std::string signalName;
    std::string aplMode;    // keyword, such as "APL_OFF"
    std::string aplPeriod;  // keyword, such as "0.5"
    PirvoIdTextValues idText;
};

class CPirvoSignalPage : public CPirvoIdTextPage {
public:
    CPirvoSignalPage();

    // The values shown at creation.
    void Load(const PirvoSignalValues& values);

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;

    // Where the lists stand in the catalogue, -1 for none.
    int FormatIndex() const { return m_format; }
    int SetIndex() const { return m_set; }
    int SignalIndex() const { return m_signal; }

private:
    const SignalSet* FolderAt(int index) const;
    const CatalogFolder* SetAt(int index) const;

    void FillFormatList();
    void FillSetList();
    void FillSignalList();
    void FillAplLists();

    void OnFormatChange();
    void OnSetChange();
    void OnSignalChange();
    void OnAplChange(int comboId);

    void SendText(platform::UINT message, std::string& stored, const std::string& text);

    PirvoSignalValues m_values;
    int m_format = -1;
    int m_set = -1;
    int m_signal = -1;
    // The texts last sent, whose addresses the messages carry.
    std::string m_setName;
    std::string m_fileName;
    std::string m_aplMode;
    std::string m_aplPeriod;
};

}  // namespace corvane
