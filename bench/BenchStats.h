// How every benchmark times and reports: samples summed up as median, min and max, and two
// sides compared by running them alternately, so that whatever else the machine does falls on
// both alike. Each bench prints its figures on its last lines with the goal beside them.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds one call of `work` takes, averaged over `repeats` calls.
inline double TimeCalls(const std::function<void()>& work, int repeats = 1) {
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i) work();
    return SecondsSince(start) / repeats;
}

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

inline Spread SpreadOf(std::vector<double> samples) {
    Spread spread;
    if (samples.empty())
        return spread;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    spread.median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    spread.min = samples.front();
    spread.max = samples.back();
    return spread;
}

// Runs `work` once to warm up, then `rounds` times.
inline Spread Measure(int rounds, const std::function<double()>& work) {
    work();
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) samples.push_back(work());
    return SpreadOf(samples);
}

// Prints "<label>: median X <unit> (min .. max)"; `scale` turns seconds into the unit.
inline void PrintSpread(const char* label, const Spread& spread, double scale, const char* unit) {
    std::printf("  %-28s median %9.3f %s  (min %.3f, max %.3f)\n", label, spread.median * scale,
                unit, spread.min * scale, spread.max * scale);
}

struct Side {
    const char* name;
    std::function<double()> run;  // one timed sample, in seconds
};

// The part another party's time takes of each sample of a side, such as the simulator's work
// while it serves the side: `busy` reads that party's running total in seconds.
struct Share {
    std::function<double()> busy;
    std::vector<double> parts;
};

// `side`, each of whose runs also notes in `share` the part of its time the total grew by.
inline Side SharedWith(Share& share, Side side) {
    return Side{side.name, [&share, run = std::move(side.run)] {
                    const double busyBefore = share.busy();
                    const auto start = Clock::now();
                    const double sample = run();
                    const double seconds = SecondsSince(start);
                    share.parts.push_back(seconds > 0 ? (share.busy() - busyBefore) / seconds : 0);
                    return sample;
                }};
}

// Prints the parts noted since the last print as percentages, the first (the warm-up of
// CompareAlternately or Measure) left out, with the goal that they stay the smaller part.
inline Spread PrintShare(const char* label, Share& share) {
    if (!share.parts.empty())
        share.parts.erase(share.parts.begin());
    const Spread spread = SpreadOf(share.parts);
    share.parts.clear();
    PrintSpread(label, spread, 100, "%");
    std::printf("  %s: %s (goal: under 50 %%, the exchange itself the larger part)\n", label,
                spread.median < 0.5 ? "the smaller part" : "NOT the smaller part");
    return spread;
}

struct Comparison {
    Spread ours;
    Spread reference;
    double ratio = 0;  // ours' median over the reference's
};

// Warms both sides up, then runs them alternately `rounds` times each (the side that goes first
// swaps every round) and prints both medians and the ratio of the medians against `goal`.
inline Comparison CompareAlternately(const char* what, int rounds, const Side& ours,
                                     const Side& reference, double scale, const char* unit,
                                     const char* goal) {
    ours.run();
    reference.run();
    std::vector<double> oursSamples, referenceSamples;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            oursSamples.push_back(ours.run());
            referenceSamples.push_back(reference.run());
        } else {
            referenceSamples.push_back(reference.run());
            oursSamples.push_back(ours.run());
        }
    }
    Comparison result{SpreadOf(oursSamples), SpreadOf(referenceSamples), 0};
    result.ratio = result.reference.median > 0 ? result.ours.median / result.reference.median : 0;
    std::printf("%s: %d rounds each, alternating\n", what, rounds);
    PrintSpread(ours.name, result.ours, scale, unit);
    PrintSpread(reference.name, result.reference, scale, unit);
    std::printf("  ratio of medians: %.3f (goal: %s)\n", result.ratio, goal);
    return result;
}

}  // namespace bench
