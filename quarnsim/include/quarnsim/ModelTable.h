#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/LineParser.h"

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

// Every parameter one module model (or the controller, "CPU") understands, with its default and
// its reply spelling. The instrument turns a table into set and query commands.
class ModelTable {
public:
    explicit ModelTable(std::string model = {}) : m_model(std::move(model)) {}

    const std::string& Model() const { return m_model; }
    void Add(ParameterDef parameter) { m_parameters.push_back(std::move(parameter)); }
    const std::vector<ParameterDef>& Parameters() const { return m_parameters; }

    // Turns a client's argument into the stored value. Returns 0 and sets the SCPI error number
    // when the argument does not fit the parameter.
    static int Normalize(const ParameterDef& parameter, const Argument& argument,
                         std::string* value, int* error);
    static std::string Reply(const ParameterDef& parameter, const std::string& value);

    // The table of a model; a model nobody described yet gets an empty table.
    static ModelTable ForModel(std::string_view model);

private:
    std::string m_model;
    std::vector<ParameterDef> m_parameters;
};

}  // namespace quarnsim
