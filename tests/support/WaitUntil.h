// WaitUntil: a bounded wait for a state another thread brings about, such as the simulator
// carrying out a line that has no reply. The condition is asked again and again until it holds
// or the bound has passed; the bound only ends a wait for something that never comes.
#pragma once

#include <chrono>
#include <thread>

namespace testsupport {

template <typename Condition>
bool WaitUntil(Condition condition,
               std::chrono::milliseconds bound = std::chrono::milliseconds(10000)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace testsupport
