// CPirvoView: the Pirvo window. Every page message goes to its document setter, the output
// index from wParam; a format or signal the document took goes on to the timing page, whose
// limits follow it. After an Apply the timing page reads the live timing of each output that
// got a new format or signal load, and the Signal and Bars pages take the ID texts the Apply
// read again.
//
// A position typed on the Signal or Bars page counts once its field loses the focus. Apply,
// OK, Cancel and the window's close read the document before that can happen, so each first
// has the pages send what was typed.
#pragma once

#include "corvane/modules/common/ModuleView.h"
#include "corvane/modules/pirvo/PirvoRecords.h"
#include "corvane/pages/blackoutput/BlackOutputPage.h"
#include "corvane/pages/pirvo/PirvoBarsPage.h"
#include "corvane/pages/pirvo/PirvoSignalPage.h"
#include "corvane/pages/timing/TimingPage.h"

namespace corvane {

class CPirvoDoc;

class CPirvoView : public CModuleView {
public:
    CPirvoView();
    ~CPirvoView() override;

    CPirvoDoc* GetPirvoDoc() const;

    void OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) override;
    platform::BOOL OnCommand(int id, int code) override;

    // The pages, in tab order.
    CPirvoSignalPage m_signalPage;
    CPirvoBarsPage m_barsPage;
    CBlackOutputPage m_blackPage;
    CTimingPage m_timingPage;

protected:
    void PushPageValues() override;
    void OnApplied() override;

private:
    void BindBlackMessages();
    void BindTimingMessages();
    void BindSignalMessages();
    void BindIdTextMessages(const PirvoIdTextMessages& messages);
    void BindBarsMessages();
    platform::LRESULT OnTimingQuery(platform::WPARAM wParam, platform::LPARAM lParam);

    PirvoIdTextValues IdTextValuesOf(int output) const;
    TimingValues TimingValuesOf() const;
    // After the document took a format (or a signal) of `output`: the timing page takes the
    // stored value and its limits afresh.
    void ReloadTiming(platform::UINT message, int output);
    // The positions typed on the Signal and Bars pages and not yet sent.
    void CommitTypedPositions();
};

}  // namespace corvane
