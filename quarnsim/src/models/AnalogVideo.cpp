// The analog video generators: the Oltra (SD formats) and the Yarlo (HD formats, in GBR and
// YPbPr) share their command set, so the family's parameters are described once here, with what
// differs between the two models switched per model.
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "models/Formats.h"
#include "models/Models.h"
#include "models/VideoSignals.h"

namespace quarnsim::models {
namespace {

// The steps an HD output is timed in, in microseconds: the 74.25 MHz clock, and the finer one the
// 1/1.001 formats use.
constexpr double kHdStep = 1.0 / 74.25;
constexpr double kHdSlowStep = 0.013454558909104365;

// Standard codes with this bit set are GBR outputs, whose sync can ride on all three channels.
constexpr int kGbr = 32768;

// One format folder and the output it gives: the standard code ":OUTP1:STAN?" answers, and how
// far the output can be delayed against the reference, in lines and in microseconds either way.
struct AnalogFormat {
    std::string folder;
    int standard = 0;
    int lines = 0;
    double delay = 0;
};

struct AnalogVideoModel {
    std::vector<AnalogFormat> formats;
    std::string defaultFormat;      // the one a fresh module outputs
    bool hasConfiguration = false;  // composite or Y/C on the composite standards
    bool hasApl = false;
};

constexpr double kNtscLine = 63.55556363;
constexpr double kComponent525Line = 63.555556;
constexpr double kPalLine = 64.0;

AnalogVideoModel Oltra() {
    AnalogVideoModel model;
    // Only NTSC (0, 1) and PAL (10) are composite; the GBR formats carry the GBR bit.
    model.formats = {
        {"NTSC No Setup", 0, 525, kNtscLine},
        {"NTSC", 1, 525, kNtscLine},
        {"525 Beta", 2, 262, kComponent525Line},
        // The preview output has no raster of its own; it is timed as a 1080 60i line.
        {"PVW", 3, 562, 2200 * kHdStep},
        {"525 GBR", kGbr + 4, 262, kComponent525Line},
        {"525 YPbPr", 5, 262, kComponent525Line},
        {"525p", 6, 262, kComponent525Line},
        {"525p GBR", kGbr + 7, 262, kComponent525Line},
        {"525p YPbPr", 8, 262, kComponent525Line},
        {"PAL", 10, 1250, kPalLine},
        {"PAL-1", 14, 1250, kPalLine},
        {"PAL-2", 15, 1250, kPalLine},
        {"625 GBR", kGbr + 19, 312, kPalLine},
        {"625 YPbPr", 20, 312, kPalLine},
        {"625p", 21, 312, kPalLine},
        {"625p GBR", kGbr + 22, 312, kPalLine},
        {"625p YPbPr", 23, 312, kPalLine},
        {"625 PVW", 24, 312, kPalLine},
    };
    model.defaultFormat = "NTSC";
    model.hasConfiguration = true;
    model.hasApl = true;
    return model;
}

AnalogVideoModel Yarlo() {
    // Each raster comes out in GBR and in YPbPr. A line of `clocks` pixel clocks bounds the
    // delay either way.
    struct Raster {
        const char* name;
        int lines;
        int clocks;
        double step;
    };
    static const Raster kRasters[] = {
        {"720 23p", 375, 4125, kHdSlowStep},  {"720 24p", 375, 4125, kHdStep},
        {"720 25p", 375, 3960, kHdStep},      {"720 29p", 375, 3300, kHdSlowStep},
        {"720 30p", 375, 3300, kHdStep},      {"720 50p", 375, 1980, kHdStep},
        {"720 59p", 375, 1650, kHdSlowStep},  {"720 60p", 375, 1650, kHdStep},
        {"1080 23p", 562, 2750, kHdSlowStep}, {"1080 23sF", 562, 2750, kHdSlowStep},
        {"1080 24p", 562, 2750, kHdStep},     {"1080 25p", 562, 2640, kHdStep},
        {"1080 29p", 562, 2200, kHdSlowStep}, {"1080 30p", 562, 2200, kHdStep},
        {"1080 50i", 562, 2640, kHdStep},     {"1080 59i", 562, 2200, kHdSlowStep},
        {"1080 60i", 562, 2200, kHdStep},
    };
    static const Raster k24sF = {"1080 24sF", 562, 2750, kHdStep};
    auto add = [](AnalogVideoModel& model, const Raster& raster, const char* space, int code) {
        model.formats.push_back({std::string(raster.name) + " " + space, code, raster.lines,
                                 raster.clocks * raster.step});
    };
    AnalogVideoModel model;
    const int rasters = static_cast<int>(std::size(kRasters));
    for (int n = 0; n < rasters; ++n) add(model, kRasters[n], "GBR", kGbr + n);
    for (int n = 0; n < rasters; ++n) add(model, kRasters[n], "YPbPr", rasters + n);
    add(model, k24sF, "GBR", kGbr + 2 * rasters);
    add(model, k24sF, "YPbPr", 2 * rasters + 1);
    model.defaultFormat = "1080 59i YPbPr";
    return model;
}

ParameterDef StateParameter(std::string header, const char* defaultValue = "0") {
    return IntegerParameter(std::move(header), 0, 1, defaultValue);
}

const AnalogFormat* FormatOf(const std::vector<AnalogFormat>& formats, const ModuleState& module) {
    std::string standard = module.Value("OUTP1:STAN");
    for (const AnalogFormat& format : formats) {
        if (std::to_string(format.standard) == standard)
            return &format;
    }
    return nullptr;
}

void RegisterMovingPicture(ModelTable& table) {
    // The picture moves by whole groups of four pixels.
    ParameterDef horizontal = IntegerParameter("OUTPut#{1}:MOVing:HORizontal", -60, 60, "0");
    for (int step = -60; step <= 60; step += 4) horizontal.allowed.push_back(step);
    table.Add(horizontal);
    table.Add(IntegerParameter("OUTPut#{1}:MOVing:VERTical", -15, 15, "0"));
    table.Add(IntegerParameter("OUTPut#{1}:MOVing:PERiod", 1, 16, "1"));
    table.Add(StateParameter("OUTPut#{1}:MOVing:RANDom:STATe"));
}

void RegisterAnalogVideo(ModelTable& table, AnalogVideoModel model) {
    // The default format goes first, where the signal rules look for the one a fresh module has
    // a signal of active (the drive lists the folders by name, whatever this order).
    auto first =
        std::find_if(model.formats.begin(), model.formats.end(),
                     [&](const AnalogFormat& f) { return f.folder == model.defaultFormat; });
    if (first != model.formats.end())
        std::rotate(model.formats.begin(), first, first + 1);

    // The standard is the format of the loaded signal; clients change it by loading one.
    ParameterDef standard = IntegerParameter("OUTPut#{1}:STANdard", 0, 65535,
                                             std::to_string(model.formats.front().standard));
    for (const AnalogFormat& format : model.formats) standard.allowed.push_back(format.standard);
    standard.settable = false;
    table.Add(standard);

    // The output can be delayed by up to a line of its format either way. The fine part of the
    // delay (up to 10 ns) comes on top of a coarse part already bounded by the line.
    table.Add(IntegerParameter("SENSe#{1}:CORRection:MDELay:VERTical", -1250, 1250, "0"));
    table.Add(RealParameter("SENSe#{1}:CORRection:MDELay:HORizontal", -70, 70, "0.0000", "%.4f"));
    auto formats = std::make_shared<const std::vector<AnalogFormat>>(model.formats);
    ModelBehaviour& behaviour = table.Behaviour();
    behaviour.Limits("SENSe#{1}:CORRection:MDELay:VERTical",
                     [formats](const ModuleState& module, const std::vector<int>&) {
                         const AnalogFormat* format = FormatOf(*formats, module);
                         double lines = format ? format->lines : 0;
                         return ParameterLimits{-lines, lines, {}};
                     });
    behaviour.Limits("SENSe#{1}:CORRection:MDELay:HORizontal",
                     [formats](const ModuleState& module, const std::vector<int>&) {
                         constexpr double kFineRange = 0.01;
                         const AnalogFormat* format = FormatOf(*formats, module);
                         double delay = format ? format->delay + kFineRange : 0;
                         return ParameterLimits{-delay, delay, {}};
                     });

    RegisterMovingPicture(table);
    AddVideoOverlay(table);

    table.Add(StateParameter("OUTPut#{1}:VIDeo:Y:STATe", "1"));
    table.Add(StateParameter("OUTPut#{1}:VIDeo:PB:STATe", "1"));
    table.Add(StateParameter("OUTPut#{1}:VIDeo:PR:STATe", "1"));
    // 1: sync on all three channels, 0: on green only; it matters on the GBR standards.
    table.Add(StateParameter("OUTPut#{1}:VIDeo:SYNC:STATe"));
    if (model.hasConfiguration) {
        ParameterDef configuration;
        configuration.header = "OUTPut#{1}:VIDeo:CONFiguration";
        configuration.kind = ParameterKind::Choice;
        configuration.choices = {{"COMPosite", "COMP"}, {"YC", "YC"}};
        configuration.defaultValue = "COMP";
        table.Add(configuration);
    }
    if (model.hasApl)
        AddApl(table, "{1}");

    VideoSignalRules signals;
    for (const AnalogFormat& format : model.formats)
        signals.formats.push_back({format.folder, std::to_string(format.standard)});
    AddVideoSignals(table, signals);

    // Beside the overlay's demo settings, a picture that moves slowly down and to the right.
    std::vector<DemoSetting> demo = behaviour.DemoSettings();
    demo.insert(demo.end(),
                {{"OUTP1:MOV:HOR", "4"}, {"OUTP1:MOV:VERT", "2"}, {"OUTP1:MOV:PER", "4"}});
    behaviour.Demo(std::move(demo));
}

}  // namespace

void RegisterOltra(ModelTable& table) {
    RegisterAnalogVideo(table, Oltra());
}

void RegisterYarlo(ModelTable& table) {
    RegisterAnalogVideo(table, Yarlo());
}

}  // namespace quarnsim::models
