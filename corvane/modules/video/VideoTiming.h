// The output timing limits of the video formats: how many lines the vertical delay may move,
// how far the horizontal delay may move and the grid it moves on (the sample clock period).
//
// The horizontal bound is one line period either way. The HD rows are given as the number of
// clock periods in one line, so the bound is that many steps and a spin counting steps keeps
// a range of at most a few thousand, well inside the 16 bits an up-down control holds.
#pragma once

namespace corvane {

// Sample clock periods, in seconds.
constexpr double kStep54MHz = 1.0 / 54e6;             // SD component, 18.518519 ns
constexpr double kStep14MHz = 1.0 / 14.31818e6;       // SD composite 4 fsc, 69.841279 ns
constexpr double kStep7425 = 1.0 / 74.25e6;           // HD, 13.468013 ns
constexpr double kStep7418 = 1.3454558909104365e-08;  // HD at 1/1.001, 13.454559 ns

struct LineTiming {
    int lines = 0;       // the vertical delay stays within -lines..lines
    double bound = 0.0;  // the horizontal delay stays within -bound..bound (seconds)
    double step = 0.0;   // the horizontal grid (seconds)

    // The bound as a whole number of steps (the spin's range), truncated.
    int BoundSteps() const;
};

// An HD row: `clocks` periods of `step` in one line.
LineTiming HdLineTiming(int lines, int clocks, double step);

// The Sormet's formats by code: 0 "525-143", 1 "525-270", 2 "625-270"; any other code as 1.
LineTiming SormetLineTiming(int code);
// The Ulmeth's HD formats by code (0..19); any other code as code 0.
LineTiming UlmethLineTiming(int code);

// A delay split into a part on the step grid and a rest on a 0.1 ns grid, the rest kept
// within +-10 ns.
struct DelaySplit {
    double coarse = 0.0;
    double fine = 0.0;
};
DelaySplit SplitDelay(double delay, double step);

}  // namespace corvane
