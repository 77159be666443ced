#include "corvane/pages/pirvo/PirvoBarsSignals.h"

namespace corvane {

namespace {

// Every name a Pirvo page may show with its code; the search goes in this order.
const BarsSignal kNames[] = {
    {"Black Burst", 0},
    {"Black Burst with Field REF", 1},
    {"Black Burst No Field REF", 2},
    {"Composite Sync", 3},
    {"Composite Blanking", 4},
    {"H Drive", 5},
    {"V Drive", 6},
    {"Field Reference", 7},
    {"Pal Pulse", 8},
    {"100% Color Bar", 28},
    {"75% Color Bar", 29},
    {"SMPTE Color Bar", 30},
    {"40% Flat Field", 31},
    {"Other 1", 12},
    {"Other 2", 13},
    {"100% Color Bar Over Red", 32},
    {"75% Color Bar Over Red", 33},
};

}  // namespace

const std::vector<BarsSignal>& BarsSignalList(int format) {
    static const std::vector<BarsSignal> ntsc{
        {"Black Burst", 0},      {"Black Burst with Field REF", 1},
        {"100% Color Bar", 28},  {"75% Color Bar", 29},
        {"SMPTE Color Bar", 30}, {"40% Flat Field", 31},
        {"Other 1", 12},         {"Other 2", 13}};
    static const std::vector<BarsSignal> pal{{"Black Burst", 0},
                                             {"Black Burst No Field REF", 2},
                                             {"100% Color Bar", 28},
                                             {"75% Color Bar", 29},
                                             {"100% Color Bar Over Red", 32},
                                             {"75% Color Bar Over Red", 33},
                                             {"40% Flat Field", 31},
                                             {"Other 1", 12},
                                             {"Other 2", 13}};
    static const std::vector<BarsSignal> none;
    switch (format) {
        case 0:
        case 2:
            return ntsc;
        case 1:
            return pal;
        default:
            return none;
    }
}

int BarsSignalCode(const std::string& name) {
    for (const BarsSignal& entry : kNames)
        if (name == entry.name)
            return entry.code;
    return 0;
}

int BarsSignalIndex(int format, int code) {
    const std::vector<BarsSignal>& list = BarsSignalList(format);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].code == code)
            return static_cast<int>(i);
    return -1;
}

}  // namespace corvane
