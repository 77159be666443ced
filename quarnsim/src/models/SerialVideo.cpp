// The serial digital video generators: the Sormet (SD) and the Ulmeth (HD) share their command
// set; what differs between them is listed per model here.
#include <cmath>

#include "models/Formats.h"
#include "models/Models.h"
#include "models/VideoSignals.h"

namespace quarnsim::models {
namespace {

// One output standard: the folder its signals load from, how far the output's timing reaches
// (plus and minus one frame in lines, one line in microseconds) and how far the moving picture
// steps vertically, in multiples of `verticalUnit`.
struct SerialFormat {
    const char* keyword;
    const char* folder;  // empty: the module has no signals of this standard
    int lines;
    double lineMicroseconds;
    int verticalStep = 255;
    int verticalUnit = 1;
};

// The HD sample clocks, in microseconds per clock period.
constexpr double kClock74 = 1 / 74.25;
constexpr double kClock74Drop = 1 / (74.25 / 1.001);

const std::vector<SerialFormat>& SdFormats() {
    static const std::vector<SerialFormat> kFormats = {
        {"D2_NTSC", "525-143", 525, 63.55556363, 244, 2},
        {"D1_NTSC", "525-270", 525, 63.55556363},
        {"D1_PAL", "625-270", 1250, 64},
    };
    return kFormats;
}

// In the HD generator's own order; a line is so many clock periods of the format's clock.
const std::vector<SerialFormat>& HdFormats() {
    static const std::vector<SerialFormat> kFormats = {
        {"HD1080_60I", "1080 60i", 562, 2200 * kClock74},
        {"HD1080_59I", "1080 59.94i", 562, 2200 * kClock74Drop},
        {"HD1080_50I", "1080 50i", 562, 2640 * kClock74},
        {"HD1080_24SF", "1080 24sF", 562, 2750 * kClock74},
        {"HD1080_23SF", "1080 23.98sF", 562, 2750 * kClock74Drop},
        {"HD1080_30P", "1080 30p", 562, 2200 * kClock74},
        {"HD1080_29P", "1080 29.97p", 562, 2200 * kClock74Drop},
        {"HD1080_25P", "1080 25p", 562, 2640 * kClock74},
        {"HD1080_24P", "1080 24p", 562, 2750 * kClock74},
        {"HD1080_23P", "1080 23.98p", 562, 2750 * kClock74Drop},
        {"HD1035_60I", "1035 60i", 562, 2200 * kClock74},
        {"HD1035_59I", "1035 59.94i", 562, 2200 * kClock74Drop},
        {"HD720_60P", "720 60p", 375, 1650 * kClock74},
        {"HD720_59P", "720 59.94p", 375, 1650 * kClock74Drop},
        {"HD720_50P", "720 50p", 375, 1980 * kClock74},
        {"HD720_30P", "720 30p", 375, 3300 * kClock74},
        {"HD720_29P", "720 29.97p", 375, 3300 * kClock74Drop},
        {"HD720_25P", "720 25p", 375, 3960 * kClock74},
        {"HD720_24P", "", 375, 4125 * kClock74},
        {"HD720_23P", "720 23.98p", 375, 4125 * kClock74Drop},
    };
    return kFormats;
}

struct SerialVideoModel {
    const std::vector<SerialFormat>* formats;
    const char* defaultFormat;
    // The SD generator also sets the word length and EDH of both outputs.
    bool wordLength;
};

const SerialFormat& FormatOf(const SerialVideoModel& model, const std::string& keyword) {
    for (const SerialFormat& format : *model.formats) {
        if (keyword == format.keyword)
            return format;
    }
    return model.formats->front();
}

std::string OutputHeader(const std::vector<int>& suffixes, const char* rest) {
    return "OUTP" + std::to_string(suffixes.empty() ? 1 : suffixes[0]) + rest;
}

// The printed delay a client sends ("%.8f") may round past the exact line length.
constexpr double kDelaySlack = 1e-6;

void AddTiming(ModelTable& table, const SerialVideoModel& model) {
    const std::string lines = "SENSe#{1-2}:CORRection:MDELay:VERTical";
    const std::string delay = "SENSe#{1-2}:CORRection:MDELay:HORizontal";
    table.Add(IntegerParameter(lines, -1250, 1250, "0"));
    ParameterDef horizontal = IntegerParameter(delay, -64, 64, "");
    horizontal.kind = ParameterKind::Real;
    horizontal.realFormat = "%.8f";
    horizontal.defaultValue = "0.00000000";
    table.Add(horizontal);
    // Each output's timing reaches as far as the standard it outputs now.
    table.Behaviour().Limits(lines, [model](const ModuleState& module, const std::vector<int>& s) {
        const SerialFormat& format = FormatOf(model, module.Value(OutputHeader(s, ":STAN")));
        return ParameterLimits{-double(format.lines), double(format.lines), {}};
    });
    table.Behaviour().Limits(delay, [model](const ModuleState& module, const std::vector<int>& s) {
        const SerialFormat& format = FormatOf(model, module.Value(OutputHeader(s, ":STAN")));
        double reach = format.lineMicroseconds + kDelaySlack;
        return ParameterLimits{-reach, reach, {}};
    });
}

std::vector<double> Multiples(int step, int reach) {
    std::vector<double> values;
    for (int value = -reach; value <= reach; value += step) values.push_back(value);
    return values;
}

void AddMovingPicture(ModelTable& table, const SerialVideoModel& model) {
    ParameterDef horizontal = IntegerParameter("OUTPut#{1}:MOVing:HORizontal", -252, 252, "0");
    horizontal.allowed = Multiples(4, 252);
    table.Add(horizontal);
    const std::string vertical = "OUTPut#{1}:MOVing:VERTical";
    table.Add(IntegerParameter(vertical, -255, 255, "0"));
    table.Add(IntegerParameter("OUTPut#{1}:MOVing:PERiod", 1, 16, "1"));
    table.Add(IntegerParameter("OUTPut#{1}:MOVing:RANDom:STATe", 0, 1, "0"));
    table.Behaviour().Limits(vertical, [model](const ModuleState& module, const std::vector<int>&) {
        const SerialFormat& format = FormatOf(model, module.Value("OUTP1:STAN"));
        int reach = format.verticalStep;
        return ParameterLimits{-double(reach), double(reach),
                               format.verticalUnit > 1 ? Multiples(format.verticalUnit, reach)
                                                       : std::vector<double>{}};
    });
}

// Four groups of four channels on each output; output 2 carries the black option's audio.
void AddEmbeddedAudio(ModelTable& table) {
    const std::string group = "OUTPut#{1-2}:EAUDio:GROup#{1-4}:";
    table.Add(IntegerParameter(group + "STATe", 0, 1, "0"));
    ParameterDef bits = IntegerParameter(group + "NBITs", 20, 24, "24");
    bits.allowed = {20, 24};
    table.Add(bits);
    table.Add(KeywordParameter(group + "PREemphasis", {"OFF", "CD", "CCIT"}, "OFF"));
    table.Add(KeywordParameter(group + "SAMPLIng", {"FRAM", "NOFR", "ASYN"}, "FRAM"));
    const std::string channel = "OUTPut#{1-2}:EAUDio:CHANnel#{1-16}:";
    table.Add(IntegerParameter(channel + "AMPLitude", -60, 0, "-20"));
    ParameterDef frequency = IntegerParameter(channel + "FREQuency", -1, 20000, "1000");
    frequency.allowed = AudioToneFrequencies();
    table.Add(frequency);
    table.Add(IntegerParameter(channel + "CLICk", 0, 4, "0"));
}

void AddVideo(ModelTable& table, const SerialVideoModel& model) {
    for (const char* component : {"Y", "PB", "PR"}) {
        table.Add(
            IntegerParameter(std::string("OUTPut#{1}:VIDeo:") + component + ":STATe", 0, 1, "1"));
    }
    table.Add(IntegerParameter("OUTPut#{1}:VIDeo:AVTiming:STATe", 0, 1, "0"));
    if (model.wordLength) {
        ParameterDef bits = IntegerParameter("OUTPut#{1-2}:VIDeo:NBITs", 8, 10, "10");
        bits.allowed = {8, 10};
        table.Add(bits);
        table.Add(IntegerParameter("OUTPut#{1-2}:VIDeo:EDH:STATe", 0, 1, "1"));
    }
}

std::vector<DemoSetting> DemoSettings() {
    std::vector<DemoSetting> settings = {
        {"OUTP1:EAUD:GRO1:STAT", "1"},
        {"OUTP1:EAUD:GRO1:PRE", "CD"},
        {"OUTP1:EAUD:CHAN1:FREQ", "1000"},
        {"OUTP1:EAUD:CHAN1:AMPL", "-18"},
        {"OUTP1:EAUD:CHAN2:FREQ", "400"},
        {"OUTP1:EAUD:CHAN2:CLIC", "2"},
        {"OUTP1:EAUD:CHAN3:FREQ", "0"},
        {"OUTP1:EAUD:CHAN4:FREQ", "-1"},
        {"OUTP2:EAUD:GRO1:STAT", "1"},
        {"OUTP2:SIGN", "GRAY"},
        {"OUTP1:MOV:HOR", "8"},
        {"OUTP1:MOV:VERT", "4"},
        {"OUTP1:MOV:PER", "3"},
        {"SENS1:CORR:MDEL:VERT", "2"},
        {"SENS1:CORR:MDEL:HOR", "1.25000000"},
    };
    return settings;
}

void RegisterSerialVideo(ModelTable& table, const SerialVideoModel& model) {
    std::vector<std::string> keywords;
    VideoSignalRules signals;
    for (const SerialFormat& format : *model.formats) {
        keywords.emplace_back(format.keyword);
        if (*format.folder)
            signals.formats.push_back({format.folder, format.keyword});
    }
    // Output 1 carries the test signal, output 2 the black option.
    table.Add(KeywordParameter("OUTPut#{1-2}:STANdard", keywords, model.defaultFormat));
    table.Add(KeywordParameter("OUTPut#{2}:SIGNal", {"BLAC", "GRAY", "FF50P", "WHIT"}, "BLAC"));
    ParameterDef blackOption = IntegerParameter("OUTPut:CONFiguration", 0, 1, "1");
    blackOption.settable = false;  // fitted or not
    table.Add(blackOption);
    table.Behaviour().Demo(DemoSettings());
    AddVideoSignals(table, signals);
    AddVideoOverlay(table);
    AddTiming(table, model);
    AddMovingPicture(table, model);
    AddEmbeddedAudio(table);
    AddVideo(table, model);
}

}  // namespace

void RegisterSormet(ModelTable& table) {
    RegisterSerialVideo(table, {&SdFormats(), "D1_NTSC", true});
}

void RegisterUlmeth(ModelTable& table) {
    RegisterSerialVideo(table, {&HdFormats(), "HD1080_59I", false});
}

}  // namespace quarnsim::models
