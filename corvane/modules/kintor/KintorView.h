// CKintorView: the Kintor window, with the "Output" tab (the black output page) and the
// "Timing" tab.
//
// Every page message goes to its document setter; a format or signal goes on to the timing
// page, whose limits follow it. A format change the output page then takes back (the operator
// refused the HD clock it would bring) puts the output back whole: its format, signal and
// timing, with their change flags, as they were before the change, including what the timing
// page clamped in between. After an Apply that sent an output's format the timing page reads
// that output's live timing, which the new format set on the instrument.
#pragma once

#include <optional>

#include "corvane/modules/common/ModuleView.h"
#include "corvane/modules/kintor/KintorDoc.h"
#include "corvane/pages/blackoutput/BlackOutputPage.h"
#include "corvane/pages/timing/TimingPage.h"

namespace corvane {

class CKintorView : public CModuleView {
public:
    CKintorView();
    ~CKintorView() override;

    CKintorDoc* GetKintorDoc() const;

    CBlackOutputPage m_outputPage;
    CTimingPage m_timingPage;

protected:
    void PushPageValues() override;
    void OnApplied() override;

private:
    BlackOutputValues OutputValues() const;
    TimingValues TimingValuesOf() const;
    // Hands the timing page the document's block and then `message` for the output with the
    // format or signal the document holds, so that it takes the limits of what the output now
    // holds.
    void ReloadTiming(platform::UINT message, int output);
    platform::LRESULT QueryTiming(int output, platform::LPARAM record);
    platform::LRESULT FormatChosen(int output, int format);
    platform::LRESULT SignalChosen(int output, int code);
    platform::LRESULT TakeClockFamily(bool brumo, int family);

    // The output as it was before the last format change, until its signal confirms it.
    struct PendingFormat {
        int output;
        CKintorDoc::OutputState before;
    };
    std::optional<PendingFormat> m_pendingFormat;
};

}  // namespace corvane
