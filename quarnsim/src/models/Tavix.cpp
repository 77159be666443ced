#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {
namespace {

// A generator whose sync follows frame reset 1 or 2 uses that reset.
bool UsesFrameReset(const ModuleState& module, int reset) {
    std::string sync = module.Value("OUTP:AUD:SYNC");
    return (reset == 1 && sync == "FRAME_ONE") || (reset == 2 && sync == "FRAME_TWO");
}

// Tones on most channels, one off and one silent, following frame reset 1.
std::vector<DemoSetting> DemoSettings() {
    static const char* const kTones[] = {"1000", "400", "1000", "400", "-1", "0", "2000", "-1"};
    static const char* const kLevels[] = {"-18", "-18", "-20", "-20", "-60", "-60", "-12", "-60"};
    std::vector<DemoSetting> settings;
    for (int n = 1; n <= 8; ++n) {
        std::string channel = "OUTP:AUD:CHAN" + std::to_string(n);
        settings.push_back({channel + ":FREQ", kTones[n - 1]});
        settings.push_back({channel + ":AMPL", kLevels[n - 1]});
    }
    settings.push_back({"OUTP:AUD:CHAN1:CLIC", "2"});
    settings.push_back({"OUTP:AUD:SYNC", "FRAME_ONE"});
    settings.push_back({"SENS:CORR:MDEL", "-1200"});
    return settings;
}

}  // namespace

void RegisterTavix(ModelTable& table) {
    table.Add(IntegerParameter("OUTPut#{1}:AUDio:CHANnel#{1-8}:AMPLitude", -60, 0, "-20"));
    ParameterDef frequency =
        IntegerParameter("OUTPut#{1}:AUDio:CHANnel#{1-8}:FREQuency", -1, 20000, "1000");
    frequency.allowed = AudioToneFrequencies();
    table.Add(frequency);
    table.Add(IntegerParameter("OUTPut#{1}:AUDio:CHANnel#{1-8}:CLICk", 0, 4, "0"));
    ParameterDef bits = IntegerParameter("OUTPut#{1}:AUDio:NBITs", 20, 24, "24");
    bits.allowed = {20, 24};
    table.Add(bits);
    table.Add(
        KeywordParameter("OUTPut#{1}:AUDio:SYNC", {"FREE", "FRAME_ONE", "FRAME_TWO"}, "FREE"));
    table.Add(IntegerParameter("SENSe:CORRection:MDELay", -160000, 160000, "0"));

    table.Behaviour().UsesFrameReset(UsesFrameReset);
    table.Behaviour().Demo(DemoSettings());
}

}  // namespace quarnsim::models
