// The Pirvo the document and window tests meet: what its drive holds, what it answers, and
// the lines its opening sends.
#pragma once

// Before any Qt header: the simulator's file tree has a member named as a Qt keyword macro.
#include "quarnsim/VideoFiles.h"
// clang-format off
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>
// clang-format on

namespace corvane::testing::pirvo {

using Lines = std::vector<std::string>;

inline std::string Cat(const std::string& path) {
    return "MMEM:CAT? \"/F0:/Pirvo/SIGNAL" + path + "\"";
}

inline const std::string kSelect = "INST:SEL \"Pirvo:1\"";

inline std::string TimingQuery(int n) {
    return "SENS" + std::to_string(n) + ":CORR:MDEL:VERT?;:SENS" + std::to_string(n) +
           ":CORR:MDEL:HOR?";
}

// The six queries of one output's ID text.
inline Lines IdTextQueries(int n) {
    const std::string o = "OUTP" + std::to_string(n);
    return {o + ":OVER:BLINk:STAT?", o + ":OVER:BLINk:PER?", o + ":TEXT:STAT?",
            o + ":TEXT:DATA?",       o + ":TEXT:POS:HOR?",   o + ":TEXT:POS:VERT?"};
}

inline Lines IdTextRereads() {
    Lines lines = IdTextQueries(3);
    const Lines bars = IdTextQueries(4);
    lines.insert(lines.end(), bars.begin(), bars.end());
    return lines;
}

inline Lines Join(std::initializer_list<Lines> parts) {
    Lines lines;
    for (const Lines& part : parts) lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

// The module's drive: two formats, a set whose name the listing escapes, and a file whose
// name does.
inline const quarnsim::VideoFileTree& PirvoTree() {
    static const quarnsim::VideoFileTree tree{
        {{"NTSC", {{"Bars", {"Full.cmp", "Split-75.cmp"}}, {"Ramp", {"Ramp.cmp"}}}},
         {"PAL", {{"Bars", {"Full.cmp", "Split-75.cmp"}}}}},
        {},
        {}};
    return tree;
}

inline const Lines& CatalogueLines() {
    static const Lines lines{Cat(""),           Cat("/NTSC"), Cat("/NTSC/Bars"),
                             Cat("/NTSC/Ramp"), Cat("/PAL"),  Cat("/PAL/Bars")};
    return lines;
}

// The opening as the module hears it.
inline Lines ReadLines() {
    return Join({{kSelect},
                 CatalogueLines(),
                 {"MMEM:SIGN:ACT? 1", "OUTP3:APL:MOD?", "OUTP3:APL:PER?"},
                 IdTextRereads(),
                 {"OUTP1:STAN?", "OUTP1:SIGN?", TimingQuery(1), "OUTP2:STAN?", "OUTP2:SIGN?",
                  TimingQuery(2), TimingQuery(3), "OUTP4:STAN?", "OUTP4:SIGN?", TimingQuery(4)}});
}

// The module's settings, header by header, as SetModuleSetting takes them.
inline const std::vector<std::pair<std::string, std::string>>& PirvoSettings() {
    static const std::vector<std::pair<std::string, std::string>> settings{
        {"MMEM:SIGN:ACT", "/NTSC/Bars/Split`h75.cmp"},
        {"OUTP3:APL:MOD", "APL_LOW"},
        {"OUTP3:APL:PER", "1.5"},
        {"OUTP3:OVER:BLIN:STAT", "1"},
        {"OUTP3:OVER:BLIN:PER", "1.0"},
        {"OUTP3:TEXT:STAT", "1"},
        {"OUTP3:TEXT:DATA", "CAM 3"},
        {"OUTP3:TEXT:POS:HOR", "10"},
        {"OUTP3:TEXT:POS:VERT", "20"},
        {"OUTP4:OVER:BLIN:STAT", "0"},
        {"OUTP4:OVER:BLIN:PER", "0.5"},
        {"OUTP4:TEXT:STAT", "0"},
        {"OUTP4:TEXT:DATA", "BARS 4"},
        {"OUTP4:TEXT:POS:HOR", "30"},
        {"OUTP4:TEXT:POS:VERT", "40"},
        {"OUTP1:STAN", "PAL"},
        {"OUTP1:SIGN", "BB_NO_FREF"},
        {"OUTP2:STAN", "NTSC_NSU"},
        {"OUTP2:SIGN", "SYNC"},
        {"OUTP4:STAN", "NTSC"},
        {"OUTP4:SIGN", "CB_SMPTE"},
        {"SENS1:CORR:MDEL:VERT", "1"},
        {"SENS1:CORR:MDEL:HOR", "-1.5"},
        {"SENS2:CORR:MDEL:VERT", "-2"},
        {"SENS2:CORR:MDEL:HOR", "2.25"},
        {"SENS3:CORR:MDEL:VERT", "3"},
        {"SENS3:CORR:MDEL:HOR", "0.0185"},
        {"SENS4:CORR:MDEL:VERT", "4"},
        {"SENS4:CORR:MDEL:HOR", "4.5"},
    };
    return settings;
}

}  // namespace corvane::testing::pirvo
