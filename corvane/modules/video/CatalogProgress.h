// ICatalogProgress: the bar that shows a long catalogue read advancing. A catalogue of many
// folders needs more than 16 bits of range, so the range is a full int.
#pragma once

#include "corvane/modules/common/ProgressSink.h"

namespace corvane {

class ICatalogProgress {
public:
    virtual ~ICatalogProgress() = default;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetStep(int step) = 0;
    virtual void StepIt() = 0;
};

// A document's progress run seen as a catalogue bar: the catalogue sets the run's length and
// steps it.
class SinkCatalogProgress : public ICatalogProgress {
public:
    explicit SinkCatalogProgress(IProgressSink& sink) : m_sink(sink) {}
    void SetRange(int lower, int upper) override { m_sink.SetSteps(upper - lower); }
    void SetStep(int) override {}
    void StepIt() override { m_sink.Step(); }

private:
    IProgressSink& m_sink;
};

// A sink's catalogue bar that also keeps the length the catalogue gave the run, for a read
// whose last part is placed at a fixed distance from the end.
class CountingCatalogProgress : public SinkCatalogProgress {
public:
    CountingCatalogProgress(IProgressSink& sink, int& steps)
        : SinkCatalogProgress(sink), m_steps(steps) {}
    void SetRange(int lower, int upper) override {
        m_steps = upper - lower;
        SinkCatalogProgress::SetRange(lower, upper);
    }

private:
    int& m_steps;
};

}  // namespace corvane
