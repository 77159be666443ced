#pragma once

#include <string>

namespace quarnsim {

// What belongs to one command connection rather than to the instrument.
struct Session {
    std::string selected = "CPU:0";  // module address chosen with INST:SEL
    std::string folder = "/F0:/";    // current folder of MMEM:CDIR, for "MMEM:CAT?" without path
};

}  // namespace quarnsim
