// nimbrel/BuildProgress.h
#pragma once

namespace nimbrel {
// What a long build loop needs of the progress form; tests stub it.
class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    virtual void ShowProgress(int kind) = 0;     // 1 "BUILDING PIC BMP", 2 "BUILDING PIC FILES"
    virtual bool StepProgress(int percent) = 0;  // false once Cancel was pressed
    virtual void HideProgress() = 0;
};
}  // namespace nimbrel
