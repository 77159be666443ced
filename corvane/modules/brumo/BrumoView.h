// CBrumoView: the Brumo window, with the Genlock, Output and Timing tabs. It stores what the pages
// send, answers their live queries from the module, keeps the clock families other windows
// relay for BLACK 3's question, and after an Apply that finished has the pages read back what it
// changed on the module: the detected HD reference, the genlock timing and the timing of each
// output whose format or delay went out.
#pragma once

#include "corvane/modules/common/ModuleView.h"
#include "corvane/pages/brumo/BrumoGenlockPage.h"
#include "corvane/pages/brumo/BrumoOutputPage.h"
#include "corvane/pages/timing/BrumoTimingPage.h"

namespace corvane {

class CBrumoDoc;

class CBrumoView : public CModuleView {
public:
    CBrumoView();

    CBrumoDoc* GetBrumoDoc() const;

    // The pages, in tab order.
    CBrumoGenlockPage m_genlockPage;
    CBrumoOutputPage m_outputPage;
    CBrumoTimingPage m_timingPage;

protected:
    void PushPageValues() override;
    void OnApplied() override;

private:
    void BindPageMessages();
    TimingValues TimingPageValues() const;
    // Another window relayed its HD module's new clock family.
    platform::LRESULT TakeClockFamily(bool kintor, int family);
};

}  // namespace corvane
