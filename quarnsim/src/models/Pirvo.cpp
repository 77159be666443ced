#include "models/Formats.h"
#include "models/Models.h"
#include "models/VideoSignals.h"

namespace quarnsim::models {
namespace {

const std::vector<std::string> kStandards = {"NTSC", "PAL", "NTSC_NSU"};

// The editor takes a format folder's place in the listing as the SIGNAL output's format (0 NTSC,
// 1 PAL, 2 NTSC No Setup) and the drive lists folders by name, so the names sort in that order.
VideoSignalRules SignalRules() {
    VideoSignalRules rules;
    rules.standardHeader = "OUTPut3:STANdard";
    rules.formats = {{"525 NTSC", "NTSC"}, {"625 PAL", "PAL"}, {"NTSC No Setup", "NTSC_NSU"}};
    rules.formatChanged = [](ModuleState& module) { ResetOutputTiming(module, 3); };
    return rules;
}

}  // namespace

// Outputs 1 and 2 carry black burst or a sync signal, output 3 a test signal loaded from the
// signal tree and output 4 colour bars; 3 and 4 have an ID text, 3 an APL as well.
void RegisterPirvo(ModelTable& table) {
    const char* const kBlackStandard = "OUTPut#{1-2}:STANdard";
    const char* const kBarsStandard = "OUTPut#{4}:STANdard";
    table.Add(KeywordParameter(kBlackStandard, kStandards, "NTSC"));
    table.Add(KeywordParameter(kBarsStandard, kStandards, "NTSC"));
    // The SIGNAL output takes the standard of the format folder its signal was loaded from.
    ParameterDef signalStandard = KeywordParameter("OUTPut#{3}:STANdard", kStandards, "NTSC");
    signalStandard.settable = false;
    table.Add(signalStandard);

    // Each output takes any word of its kind whatever its standard, since a client sends the
    // standard first and the signal that goes with it next.
    table.Add(KeywordParameter("OUTPut#{1-2}:SIGNal",
                               {"BB", "BB_FREF", "BB_NO_FREF", "SYNC", "BLANKING", "SUBCARRIER",
                                "H_DRIVE", "V_DRIVE", "FREF", "PAL_PULSE"},
                               "BB"));
    table.Add(KeywordParameter("OUTPut#{4}:SIGNal",
                               {"BB", "BB_FREF", "BB_NO_FREF", "CB100PER", "CB75PER", "CB_SMPTE",
                                "FF40PER", "OTHER_ONE", "OTHER_TWO", "CB100_OR", "CB75_OR"},
                               "CB75PER"));
    AddOutputTiming(table, "{1-4}",
                    [](const ModuleState& module, int output) {
                        return module.Value("OUTP" + std::to_string(output) + ":STAN");
                    },
                    {kBlackStandard, kBarsStandard});

    AddApl(table, "{3}");
    AddIdText(table, "{3-4}");
    AddVideoSignals(table, SignalRules());

    // A PAL test signal with a slowly blinking ID text, PAL black on BLACK 2 and SMPTE bars.
    table.Behaviour().Demo({{"MMEM:SIGN:ACT", "/625 PAL/Linearity/Ramp^Y.cmp"},
                            {"OUTP3:STAN", "PAL"},
                            {"OUTP3:APL:MOD", "APL_BOUNCE"},
                            {"OUTP3:APL:PER", "2.0"},
                            {"OUTP3:TEXT:DATA", "RAMP 625"},
                            {"OUTP3:TEXT:STAT", "1"},
                            {"OUTP3:OVER:BLIN:STAT", "1"},
                            {"OUTP3:OVER:BLIN:PER", "1.0"},
                            {"SENS3:CORR:MDEL:VERT", "2"},
                            {"OUTP1:SIGN", "BB_FREF"},
                            {"OUTP2:STAN", "PAL"},
                            {"OUTP2:SIGN", "PAL_PULSE"},
                            {"SENS2:CORR:MDEL:HOR", "-1.5000"},
                            {"OUTP4:SIGN", "CB_SMPTE"},
                            {"OUTP4:TEXT:DATA", "BARS 4"},
                            {"OUTP4:TEXT:STAT", "1"}});
}

}  // namespace quarnsim::models
