#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {

void RegisterTavix(ModelTable& table) {
    table.Add(IntegerParameter("OUTPut#{1}:AUDio:CHANnel#{1-8}:AMPLitude", -60, 0, "-20"));
    // Tones come from a fixed list; -1 switches the channel off, 0 gives silence.
    ParameterDef frequency =
        IntegerParameter("OUTPut#{1}:AUDio:CHANnel#{1-8}:FREQuency", -1, 20000, "1000");
    frequency.allowed = {-1,   0,    50,   100,  150,  200,   250,   300,   400,   500,  600,
                         750,  800,  1000, 1200, 1500, 1600,  2000,  2400,  3000,  3200, 4000,
                         4800, 5000, 6000, 8000, 9600, 10000, 12000, 15000, 16000, 20000};
    table.Add(frequency);
    table.Add(IntegerParameter("OUTPut#{1}:AUDio:CHANnel#{1-8}:CLICk", 0, 4, "0"));
    ParameterDef bits = IntegerParameter("OUTPut#{1}:AUDio:NBITs", 20, 24, "24");
    bits.allowed = {20, 24};
    table.Add(bits);
    table.Add(
        KeywordParameter("OUTPut#{1}:AUDio:SYNC", {"FREE", "FRAME_ONE", "FRAME_TWO"}, "FREE"));
    table.Add(IntegerParameter("SENSe:CORRection:MDELay", -160000, 160000, "0"));
}

}  // namespace quarnsim::models
