#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {

void RegisterKintor(ModelTable& table) {
    const char* const kStandard = "OUTPut#{1-4}:STANdard";
    std::vector<std::string> formats = {"NTSC", "NTSC_NSU", "PAL"};
    formats.insert(formats.end(), ClockHdFormats().begin(), ClockHdFormats().end());
    table.Add(KeywordParameter(kStandard, formats, "NTSC"));
    // An HD output carries its sync whatever this says; the word stays for the next SD format.
    table.Add(
        KeywordParameter("OUTPut#{1-4}:SIGNal",
                         {"BB", "BB_FREF", "BB_NO_FREF", "OTHER_ONE", "OTHER_TWO", "BB_10FID",
                          "CB100PER", "CB75PER", "CB_SMPTE", "FF40PER", "CB100_OR", "CB75_OR"},
                         "BB"));
    // 1: outputs 3 and 4 offer the test signals beside black burst.
    table.Add(IntegerParameter("OUTPut#{3}:CONFiguration", 0, 1, "0"));
    AddOutputTiming(table, "{1-4}",
                    [](const ModuleState& module, int output) {
                        return module.Value("OUTP" + std::to_string(output) + ":STAN");
                    },
                    {kStandard});
    // Every kind of output at once: both SD standards with a test signal, and two HD clocks.
    table.Behaviour().Demo({{"OUTP3:CONF", "1"},
                            {"OUTP2:STAN", "PAL"},
                            {"OUTP2:SIGN", "BB_NO_FREF"},
                            {"OUTP3:SIGN", "CB75PER"},
                            {"OUTP4:STAN", "HD1080_59I"},
                            {"SENS1:CORR:MDEL:VERT", "-5"},
                            {"SENS1:CORR:MDEL:HOR", "1.2500"}});
}

}  // namespace quarnsim::models
