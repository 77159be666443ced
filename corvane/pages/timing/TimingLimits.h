// The limits of the output and genlock timing on the analog black and test-signal modules,
// and the arithmetic the timing fields and spins do with them.
//
// The limits are kept in seconds, the form the format table gives them in; the step counts
// the spins and the checks work in are derived from them on every use. A format the tables
// do not know leaves an output's limits as they were, and as nothing is ever converted in
// place, limits kept that way stay what they were, however often the page recomputes them.
#pragma once

#include <string>

#include "corvane/modules/video/VideoFormats.h"

namespace corvane {

namespace timinglimits {

// The fine part of a split delay (Brumo) moves within these: finer than the 54 MHz grid on
// SD, finer than half an HD clock period on HD.
constexpr double kFineBoundSd = 10e-9;
constexpr double kFineBoundHd = 7e-9;
constexpr double kFineUnit = 0.1e-9;  // one click of a fine spin

}  // namespace timinglimits

struct TimingLimits {
    // Every output starts on NTSC, so that the first format outside the tables keeps limits
    // that were set rather than none.
    int lines = videoformat::kSd525.lines;
    double delayBound = videoformat::kSd525.delayBound;  // seconds, either way
    double step = videoformat::kSd525.step;              // seconds
    double fineBound = timinglimits::kFineBoundSd;       // seconds, either way

    // The limits a format's timing gives; the fine bound follows its clock.
    static TimingLimits Of(const FormatTiming& timing);

    double StepMicroseconds() const { return step * 1e6; }
    double DelayBoundMicroseconds() const { return delayBound * 1e6; }
    // The delay spin runs over +-this many steps (whole steps within the bound).
    int DelaySpinBound() const;
    // The fine spin runs over +-this many tenths of a nanosecond.
    int FineSpinBound() const;

    int ClampLines(int value) const;
    // The bound itself when beyond it, even where the bound is off the step grid.
    double ClampDelay(double seconds) const;
    // The delay spin's position for a delay: whole steps toward zero; a delay on the grid
    // gives its own step count, whatever the last bit of the division says.
    int DelaySpinPosition(double seconds) const;
    int FineSpinPosition(double seconds) const;

    // A typed horizontal delay in microseconds, rounded half away from zero to the step grid,
    // in seconds. False when the text is no decimal number or the snapped value lies beyond
    // the bound: the field's range message then applies and nothing is stored.
    bool DelayFromText(const std::string& text, double& seconds) const;
    // A typed fine part in nanoseconds, cut toward zero to whole tenths, in seconds. False as
    // above against the fine bound.
    bool FineFromText(const std::string& text, double& seconds) const;

    // A total delay as a coarse part on the step grid and a fine part in whole tenths of a
    // nanosecond. A fine part that reaches a fine bound hands that bound over to the coarse
    // part (which then leaves the grid), so the fine spin never sits outside its range.
    void Split(double total, double& coarse, double& fine) const;
};

// A number typed into a timing field: leading blanks, a decimal number in the C rule ('.'
// as the point), trailing blanks. Text that holds no digit yet ("", "-", ".") reads as 0, as
// it does while a number is being typed; letters (nan, inf, hex, units) refuse the text.
bool ParseTypedDecimal(const std::string& text, double& value);

// Where an output's limits come from. Each returns false, leaving `limits` untouched, for a
// format outside its table: the output then keeps the limits it had.

// Pirvo: formats 0..2. Its format 3 and a SIGNAL output's folder index above 2 keep theirs.
bool PirvoTimingLimits(int format, TimingLimits& limits);
// Kintor: formats 0..2, and 3 by the HD code; an HD code without limits of its own (720 50p
// among them) is timed as 1080 59.94i.
bool KintorTimingLimits(int format, int hdCode, TimingLimits& limits);
// Brumo outputs 0..2, formats 0..17. BLACK 1 and 2 keep the SD fine bound on every format.
bool BrumoTimingLimits(int output, int format, TimingLimits& limits);

// Brumo genlock sources (the Brumo's source codes) and its CW frame resets.
namespace genlocksource {
constexpr int kInternal = 0;
constexpr int kPalBurst = 2;
constexpr int k625Sync = 4;
constexpr int kHdSync = 6;
constexpr int kCw = 7;
constexpr int kNoHdSync = 13;  // the detection found no HD reference
}  // namespace genlocksource

// The genlock's limits: on the 54 MHz grid whatever the reference, the line count and the
// line period of the reference. A detected HD code without limits of its own (720 50p) or
// beyond the codes keeps the last limits; no reference detected gives the 720p ones.
bool BrumoGenlockLimits(int source, double cwFrameHz, int hdCode, TimingLimits& limits);

}  // namespace corvane
