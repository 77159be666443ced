// CPirvoView: the Pirvo window. Every page message goes to its document setter, the output
// index from wParam; a format or signal the document took goes on to the timing page, whose
// limits follow it. After an Apply the timing page reads the live timing of each output that
// got a new format or signal load, and the Signal and Bars pages take the ID texts the Apply
// read again.
#pragma once

#include "corvane/modules/common/ModuleView.h"
#include "corvane/modules/pirvo/PirvoRecords.h"

namespace corvane {

class CPirvoDoc;

class CPirvoView : public CModuleView {
public:
    CPirvoView();
    ~CPirvoView() override;

    CPirvoDoc* GetPirvoDoc() const;

protected:
    void OnApplied() override;

private:
    void BindBlackMessages();
    void BindTimingMessages();
    void BindSignalMessages();
    void BindIdTextMessages();
    void BindBarsMessages();
    platform::LRESULT OnTimingQuery(platform::WPARAM wParam, platform::LPARAM lParam);
};

}  // namespace corvane
