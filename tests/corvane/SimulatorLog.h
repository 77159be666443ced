// Waiting on the simulator's log of received lines. A command with no reply after it, as the
// last one before a link breaks, reaches the log some time after it was sent: a test waits for
// the lines it expects, a few seconds at the most, and a line that never comes ends the wait.
#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "quarnsim/Simulator.h"

namespace corvane::testing {

// The log once `complete` holds for it, taken whole and cleared.
inline std::vector<std::string> TakeLinesWhen(
    quarnsim::Simulator& sim,
    const std::function<bool(const std::vector<std::string>&)>& complete) {
    QElapsedTimer timer;
    timer.start();
    while (!complete(sim.ReceivedLines()) && timer.elapsed() < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::vector<std::string> lines = sim.ReceivedLines();
    sim.ClearLog();
    return lines;
}

// The log once it holds `count` lines.
inline std::vector<std::string> TakeLinesCount(quarnsim::Simulator& sim, size_t count) {
    return TakeLinesWhen(
        sim, [count](const std::vector<std::string>& lines) { return lines.size() >= count; });
}

// The log once it holds `last`.
inline std::vector<std::string> TakeLinesThrough(quarnsim::Simulator& sim,
                                                 const std::string& last) {
    return TakeLinesWhen(sim, [&last](const std::vector<std::string>& lines) {
        return std::find(lines.begin(), lines.end(), last) != lines.end();
    });
}

}  // namespace corvane::testing
