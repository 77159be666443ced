// COltraDoc: the Oltra, the analog video generator with SD formats. Beyond the analog family
// it has a video configuration for its composite-capable standards and the APL of output 1.
#pragma once

#include <string>

#include "corvane/modules/analogvideo/AnalogVideoDoc.h"
#include "corvane/modules/apl/AplTables.h"

namespace corvane {

class COltraDoc : public CAnalogVideoDoc {
public:
    // Video configuration values: the module's "COMP" and "YC".
    static constexpr int kYc = 0;
    static constexpr int kComposite = 1;

    COltraDoc();
    ~COltraDoc() override;

    // kComposite or kYc.
    void SetVideoConfiguration(int value);
    // A keyword of the APL tables; any other text is not taken.
    void SetAplMode(const std::string& keyword);
    void SetAplPeriod(const std::string& keyword);

    // True for the output standards that have a video configuration to choose.
    static bool CompositeCapable(int standardCode);

    const AplTables& m_aplTables;
    Flagged<int> m_videoConfiguration;
    // Never read from the module: empty until the operator picks one.
    Flagged<std::string> m_aplMode;
    Flagged<std::string> m_aplPeriod;

protected:
    int ReadVideoConfiguration() override;
    int ApplyVideoConfiguration() override;
    int ApplyAfterChannels(bool& notify) override;
    // The video configuration in the read; in the Apply, it and the APL's mode and period.
    int HookReadSteps() const override { return 1; }
    int HookApplySteps() const override { return 3; }
};

}  // namespace corvane
