#include "platform/BuildVersion.h"

#ifndef QUARN_VERSION_MAJOR
#error "the build defines the suite's version (platform/CMakeLists.txt)"
#endif

namespace platform {

ProgramVersion GetProgramVersion() {
    return ProgramVersion{QUARN_VERSION_MAJOR, QUARN_VERSION_MINOR, QUARN_VERSION_PATCH,
                          QUARN_VERSION_BUILD};
}

std::string GetProgramVersionText() {
    const ProgramVersion v = GetProgramVersion();
    return std::to_string(v.major) + ", " + std::to_string(v.minor) + ", " +
           std::to_string(v.patch) + ", " + std::to_string(v.build);
}

std::string GetProgramVersionDotted() {
    const ProgramVersion v = GetProgramVersion();
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch) +
           "." + std::to_string(v.build);
}

}  // namespace platform
