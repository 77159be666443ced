// COltraView: the Oltra window. The analog family's four tabs, the last one "Video/APL": the
// video page also switches the composite configuration and picks the APL mode and period.
#pragma once

#include "corvane/modules/analogvideo/AnalogVideoView.h"

namespace corvane {

class COltraDoc;

class COltraView : public CAnalogVideoView {
public:
    COltraView();
    ~COltraView() override;

    COltraDoc* GetOltraDoc() const;

protected:
    void FillVideoValues(VideoOutputValues& values) const override;
};

}  // namespace corvane
