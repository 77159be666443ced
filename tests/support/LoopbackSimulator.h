// A simulated instrument on a loopback address of its own.
//
// Every test process binds its own 127.x.y.z, so tests run in parallel on the instrument's
// fixed ports. The address is drawn at random and another is tried when it is taken.
#pragma once

#include <memory>
#include <string>

#include "quarnsim/Simulator.h"

namespace testsupport {

// Starts a simulator with these options on a free loopback address (the options' own address
// is replaced) and returns it, with the address in `address`; null when none could be bound.
std::unique_ptr<quarnsim::Simulator> StartLoopbackSimulator(quarnsim::Options options,
                                                            std::string& address);

}  // namespace testsupport
