// The version of the suite's programs, as the build gives it (the VERSION of the top-level
// project, or QUARN_VERSION on the cmake command line), in place of the version block that
// Windows kept in each program file.
#pragma once

#include <string>

namespace platform {

struct ProgramVersion {
    int major;
    int minor;
    int patch;
    int build;
};

ProgramVersion GetProgramVersion();
// "2, 1, 0, 0": the four numbers joined by ", ", as version blocks spelled them.
std::string GetProgramVersionText();
// "2.1.0.0".
std::string GetProgramVersionDotted();

}  // namespace platform
