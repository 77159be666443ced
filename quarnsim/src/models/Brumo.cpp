#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {
namespace {

// The format an output's timing follows: BLACK 3 in "BB" repeats BLACK 2, and BLACK 2 in
// "HDSY" repeats BLACK 3's HD sync.
std::string OutputFormat(const ModuleState& module, int output) {
    std::string format = module.Value("OUTP" + std::to_string(output) + ":STAN");
    if (output == 3 && format == "BB")
        return module.Value("OUTP2:STAN");
    if (output == 2 && format == "HDSY")
        return module.Value("OUTP3:STAN");
    return format;
}

// How far the genlock can be delayed against the reference: by the reference's format. A CW
// reference's frame reset marks PAL's frame or the HD rasters (1125 lines of 2750 samples at
// most), whose bounds lie within PAL's; an Apply sends the genlock timing before the reset, so
// a CW reference takes PAL's bound, the widest any reset gives.
OutputTimingBound ReferenceBound(const ModuleState& module) {
    if (module.Value("INP:SOUR") != "EXT")
        return TimingBoundOf("NTSC");
    if (module.Value("INP:SEL") == "CW")
        return TimingBoundOf("PAL");
    const std::string reference = module.Value("INP:REF:STAN");
    if (reference == "PBUR" || reference == "PSYN")
        return TimingBoundOf("PAL");
    if (reference == "HDSY")
        return TimingBoundOf(module.Value("INP:REF:HDSY"));
    return TimingBoundOf("NTSC");
}

}  // namespace

void RegisterBrumo(ModelTable& table) {
    table.Add(KeywordParameter("INPut:SOURce", {"INT", "EXT"}, "INT"));
    table.Add(KeywordParameter("INPut:SELect", {"CW", "REF"}, "REF"));
    table.Add(KeywordParameter("INPut:REFerence:STANdard",
                               {"NBUR", "PBUR", "N318M", "PSYN", "NSYN", "HDSY"}, "NBUR"));
    // The HD sync the reference input detects; "NONE" when it finds none. Only the instrument
    // sets it (tests and the demo through the module's settings).
    std::vector<std::string> detected = ClockHdFormats();
    detected.push_back("NONE");
    ParameterDef hdSync = KeywordParameter("INPut:REFerence:HDSYnc", detected, "NONE");
    hdSync.settable = false;
    table.Add(hdSync);
    table.Add(KeywordParameter("INPut:LLOSs:ACTion", {"INT", "STA"}, "INT"));
    ParameterDef frameReset = IntegerParameter("INPut:CWAVe:FRAMe", 0, 15, "14.985");
    frameReset.kind = ParameterKind::Real;
    frameReset.realFormat = "%.3f";
    frameReset.allowed = {14.985, 6.25, 15.0, 2.997, 3.0, 0.0};
    table.Add(frameReset);

    // The genlock delay, bounded by the reference it locks to.
    table.Add(IntegerParameter("SOURce:CORRection:MDELay:VERTical", -1250, 1250, "0"));
    ParameterDef genlockDelay =
        IntegerParameter("SOURce:CORRection:MDELay:HORizontal", -70, 70, "0.0000");
    genlockDelay.kind = ParameterKind::Real;
    genlockDelay.realFormat = "%.4f";
    table.Add(genlockDelay);
    ModelBehaviour& behaviour = table.Behaviour();
    behaviour.Limits("SOURce:CORRection:MDELay:VERTical",
                     [](const ModuleState& module, const std::vector<int>&) {
                         double lines = ReferenceBound(module).lines;
                         return ParameterLimits{-lines, lines, {}};
                     });
    behaviour.Limits("SOURce:CORRection:MDELay:HORizontal",
                     [](const ModuleState& module, const std::vector<int>&) {
                         constexpr double kFineRange = 0.01;
                         double delay = ReferenceBound(module).delay + kFineRange;
                         return ParameterLimits{-delay, delay, {}};
                     });

    const char* const kSdStandard = "OUTPut#{1}:STANdard";
    const char* const kSyncStandard = "OUTPut#{2}:STANdard";
    const char* const kHdStandard = "OUTPut#{3}:STANdard";
    table.Add(KeywordParameter(kSdStandard, {"NTSC", "PAL", "NTSC_NSU"}, "NTSC"));
    table.Add(KeywordParameter(kSyncStandard, {"NTSC", "PAL", "NTSC_NSU", "HDSY"}, "NTSC"));
    // Output 3 is the one that carries HD formats besides black burst.
    std::vector<std::string> output3 = {"BB"};
    output3.insert(output3.end(), ClockHdFormats().begin(), ClockHdFormats().end());
    table.Add(KeywordParameter(kHdStandard, output3, "BB"));
    table.Add(KeywordParameter("OUTPut#{1-2}:SIGNal", {"BB", "BB_FREF", "BB_NO_FREF"}, "BB"));
    AddOutputTiming(table, "{1-3}", OutputFormat, {kSdStandard, kSyncStandard, kHdStandard});

    // Locked to a detected 1080 59.94i reference, with an HD output and its sync on BLACK 2.
    behaviour.Demo({{"INP:SOUR", "EXT"},
                    {"INP:SEL", "REF"},
                    {"INP:REF:STAN", "HDSY"},
                    {"INP:REF:HDSY", "HD1080_59I"},
                    {"INP:LLOS:ACT", "STA"},
                    {"OUTP1:SIGN", "BB_FREF"},
                    {"OUTP3:STAN", "HD1080_59I"},
                    {"OUTP2:STAN", "HDSY"}});
}

}  // namespace quarnsim::models
