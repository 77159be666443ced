#pragma once

#include <string>
#include <vector>

#include "quarnsim/ModelTable.h"

// Output format keywords several models share, as the modules spell them.
namespace quarnsim::models {

// The HD formats of the genlock's output 3 and of the black generator's outputs.
inline const std::vector<std::string>& ClockHdFormats() {
    static const std::vector<std::string> kFormats = {
        "HD1080_60I", "HD1080_59I", "HD1080_50I", "HD1080_24SF", "HD1080_23SF",
        "HD1080_30P", "HD1080_29P", "HD1080_25P", "HD1080_24P",  "HD1080_23P",
        "HD720_60P",  "HD720_59P",  "HD720_50P",
    };
    return kFormats;
}

// The HD video generator's formats, in its own order.
inline const std::vector<std::string>& VideoHdFormats() {
    static const std::vector<std::string> kFormats = {
        "HD1080_60I", "HD1080_59I", "HD1080_50I", "HD1080_24SF", "HD1080_23SF",
        "HD1080_30P", "HD1080_29P", "HD1080_25P", "HD1080_24P",  "HD1080_23P",
        "HD1035_60I", "HD1035_59I", "HD720_60P",  "HD720_59P",   "HD720_50P",
        "HD720_30P",  "HD720_29P",  "HD720_25P",  "HD720_24P",   "HD720_23P",
    };
    return kFormats;
}

// The tones an audio channel takes, in hertz; -1 switches the channel off, 0 gives silence.
inline const std::vector<double>& AudioToneFrequencies() {
    static const std::vector<double> kTones = {-1,   0,    50,   100,   150,   200,   250,   300,
                                               400,  500,  600,  750,   800,   1000,  1200,  1500,
                                               1600, 2000, 2400, 3000,  3200,  4000,  4800,  5000,
                                               6000, 8000, 9600, 10000, 12000, 15000, 16000, 20000};
    return kTones;
}

// A choice parameter whose accepted words are answered exactly as they are spelled.
inline ParameterDef KeywordParameter(std::string header, std::vector<std::string> words,
                                     std::string defaultValue) {
    ParameterDef parameter;
    parameter.header = std::move(header);
    parameter.kind = ParameterKind::Choice;
    parameter.defaultValue = std::move(defaultValue);
    for (std::string& word : words) parameter.choices.push_back({word, word});
    return parameter;
}

inline ParameterDef IntegerParameter(std::string header, double minimum, double maximum,
                                     std::string defaultValue) {
    ParameterDef parameter;
    parameter.header = std::move(header);
    parameter.kind = ParameterKind::Integer;
    parameter.minimum = minimum;
    parameter.maximum = maximum;
    parameter.defaultValue = std::move(defaultValue);
    return parameter;
}

inline ParameterDef RealParameter(std::string header, double minimum, double maximum,
                                  std::string defaultValue, std::string format) {
    ParameterDef parameter =
        IntegerParameter(std::move(header), minimum, maximum, std::move(defaultValue));
    parameter.kind = ParameterKind::Real;
    parameter.realFormat = std::move(format);
    return parameter;
}

inline ParameterDef TextParameter(std::string header, std::string defaultValue) {
    ParameterDef parameter;
    parameter.header = std::move(header);
    parameter.kind = ParameterKind::Text;
    parameter.defaultValue = std::move(defaultValue);
    return parameter;
}

}  // namespace quarnsim::models

namespace quarnsim::models {

// How far an analog output can be delayed against the reference: whole lines either way, and up
// to one line period (plus the fine part) in microseconds.
struct OutputTimingBound {
    int lines = 0;
    double delay = 0;
};

// The bound of a black-burst or HD sync format, by its STAN keyword; SD black bursts are timed
// over their colour frame. The 1/1.001 HD formats run on the slower clock, and the 24 Hz rasters
// are 2750 samples long. An unknown word gives NTSC's bound.
inline OutputTimingBound TimingBoundOf(const std::string& format) {
    constexpr double kHdStep = 1.0 / 74.25;
    constexpr double kHdSlowStep = 1.001 / 74.25;
    struct Row {
        const char* keyword;
        int lines;
        double delay;
    };
    static const Row kRows[] = {
        {"PAL", 1250, 64.0},
        {"HD1080_60I", 562, 2200 * kHdStep},
        {"HD1080_59I", 562, 2200 * kHdSlowStep},
        {"HD1080_50I", 562, 2640 * kHdStep},
        {"HD1080_24SF", 562, 2750 * kHdStep},
        {"HD1080_23SF", 562, 2750 * kHdSlowStep},
        {"HD1080_30P", 562, 2200 * kHdStep},
        {"HD1080_29P", 562, 2200 * kHdSlowStep},
        {"HD1080_25P", 562, 2640 * kHdStep},
        {"HD1080_24P", 562, 2750 * kHdStep},
        {"HD1080_23P", 562, 2750 * kHdSlowStep},
        {"HD720_60P", 375, 1650 * kHdStep},
        {"HD720_59P", 375, 1650 * kHdSlowStep},
        {"HD720_50P", 375, 1980 * kHdStep},
    };
    for (const Row& row : kRows) {
        if (format == row.keyword)
            return {row.lines, row.delay};
    }
    return {525, 63.55556363};
}

// A changed format starts the output at no delay, so a client reading the timing back sees what
// the new format allows.
inline void ResetOutputTiming(ModuleState& module, int output) {
    module.Store("SENS" + std::to_string(output) + ":CORR:MDEL:VERT", "0");
    module.Store("SENS" + std::to_string(output) + ":CORR:MDEL:HOR", "0.0000");
}

// The per-output timing "SENSe<n>:CORRection:MDELay:VERTical|HORizontal" of outputs `suffixes`
// ("{1-4}"), bounded by the format `standardOf` names for output n; a set of one of
// `formatHeaders` resets that output's timing.
template <typename StandardOf>
void AddOutputTiming(ModelTable& table, const std::string& suffixes, StandardOf standardOf,
                     const std::vector<std::string>& formatHeaders) {
    const std::string vertical = "SENSe#" + suffixes + ":CORRection:MDELay:VERTical";
    const std::string horizontal = "SENSe#" + suffixes + ":CORRection:MDELay:HORizontal";
    table.Add(IntegerParameter(vertical, -1250, 1250, "0"));
    ParameterDef delay = IntegerParameter(horizontal, -70, 70, "0.0000");
    delay.kind = ParameterKind::Real;
    delay.realFormat = "%.4f";
    table.Add(delay);
    ModelBehaviour& behaviour = table.Behaviour();
    behaviour.Limits(vertical, [standardOf](const ModuleState& module, const std::vector<int>& n) {
        double lines = TimingBoundOf(standardOf(module, n.empty() ? 1 : n[0])).lines;
        return ParameterLimits{-lines, lines, {}};
    });
    behaviour.Limits(horizontal, [standardOf](const ModuleState& module,
                                              const std::vector<int>& n) {
        constexpr double kFineRange = 0.01;
        double delay = TimingBoundOf(standardOf(module, n.empty() ? 1 : n[0])).delay + kFineRange;
        return ParameterLimits{-delay, delay, {}};
    });
    for (const std::string& header : formatHeaders) {
        behaviour.OnSet(header,
                        [](ModuleState& module, const std::vector<int>& n, const std::string&) {
                            ResetOutputTiming(module, n.empty() ? 1 : n[0]);
                        });
    }
}

}  // namespace quarnsim::models
