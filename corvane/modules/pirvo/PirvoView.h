// CPirvoView: the Pirvo window. Every page message goes to its document setter, the output
// index from wParam; a format or signal the document took goes on to the timing page, whose
// limits follow it. After an Apply the timing page reads the live timing of each output that
// got a new format or signal load, and the Signal and Bars pages take the ID texts the Apply
// read again.
#pragma once

#include "corvane/modules/common/ModuleView.h"
#include "corvane/modules/pirvo/PirvoRecords.h"
#include "corvane/pages/timing/TimingPage.h"

namespace corvane {

class CPirvoDoc;

class CPirvoView : public CModuleView {
public:
    CPirvoView();
    ~CPirvoView() override;

    CPirvoDoc* GetPirvoDoc() const;

    // The pages, in tab order.
    CTimingPage m_timingPage;

protected:
    void PushPageValues() override;
    void OnApplied() override;

private:
    TimingValues TimingValuesOf() const;
    // After the document took a format (or a signal) of `output`: the timing page takes the
    // stored value and its limits afresh.
    void ReloadTiming(platform::UINT message, int output);
    void BindBlackMessages();
    void BindTimingMessages();
    void BindSignalMessages();
    void BindIdTextMessages();
    void BindBarsMessages();
    platform::LRESULT OnTimingQuery(platform::WPARAM wParam, platform::LPARAM lParam);
};

}  // namespace corvane
