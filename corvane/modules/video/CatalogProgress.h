// ICatalogProgress: the bar that shows a long catalogue read advancing. A catalogue of many
// folders needs more than 16 bits of range, so the range is a full int.
#pragma once

namespace corvane {

class ICatalogProgress {
public:
    virtual ~ICatalogProgress() = default;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetStep(int step) = 0;
    virtual void StepIt() = 0;
};

}  // namespace corvane
