// Where the ini files Nimbrel ships with lie in the source tree, for the tests that read them
// as the program would.
#pragma once

#include <string>

inline std::string ShippedResourceDir() {
    return QUARN_SOURCE_DIR "/resources/nimbrel/";
}
