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

}  // namespace quarnsim::models
