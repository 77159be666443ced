#pragma once

#include <string>
#include <vector>

namespace quarnsim {

enum class ParameterKind { Integer, Real, Text, Choice };

struct ParameterChoice {
    std::string spelling;  // SCPI spelling of the accepted word, e.g. "NTSC", "ON", "PALM"
    std::string reply;     // what a query answers for it
};

struct ParameterDef {
    std::string header;  // pattern without '?', e.g. "OUTPut#{1-4}:AUDio:NBITs"
    ParameterKind kind = ParameterKind::Integer;
    std::string defaultValue;  // in the stored form (for a choice: its reply)
    double minimum = -1e300;
    double maximum = 1e300;
    std::vector<double> allowed;  // a number outside a non-empty list is an illegal value
    std::vector<ParameterChoice> choices;
    std::string realFormat = "%g";
    bool settable = true;
};

}  // namespace quarnsim
