#include "corvane/core/HdClock.h"

namespace corvane {

namespace {
struct Format {
    const char* keyword;
    int family;
};
// Every HD format a module offers, with the clock it runs on.
constexpr Format kFormats[] = {
    {"HD1080_60I", kClock7425},  {"HD1080_50I", kClock7425}, {"HD1080_30P", kClock7425},
    {"HD1080_25P", kClock7425},  {"HD1080_24P", kClock7425}, {"HD1080_24SF", kClock7425},
    {"HD1035_60I", kClock7425},  {"HD720_60P", kClock7425},  {"HD720_50P", kClock7425},
    {"HD720_30P", kClock7425},   {"HD720_25P", kClock7425},  {"HD720_24P", kClock7425},
    {"HD1080_59I", kClock7418},  {"HD1080_29P", kClock7418}, {"HD1080_23P", kClock7418},
    {"HD1080_23SF", kClock7418}, {"HD1035_59I", kClock7418}, {"HD720_59P", kClock7418},
    {"HD720_29P", kClock7418},   {"HD720_23P", kClock7418},
};
}  // namespace

int HdClockFamily(const std::string& keyword) {
    for (const Format& f : kFormats)
        if (keyword == f.keyword)
            return f.family;
    return kClockUnknown;
}

int CombineKintorOutputs(int output1, int output2, int output3) {
    if (output2 == output1 && output3 == output1)
        return output1;
    return kClockBoth;
}

}  // namespace corvane
