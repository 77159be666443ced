#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/LineParser.h"
#include "quarnsim/ModelBehaviour.h"
#include "quarnsim/ParameterDef.h"

namespace quarnsim {

// Every parameter one module model (or the controller, "CPU") understands, with its default and
// its reply spelling, and the model's behaviour beyond plain parameters. The instrument turns a
// table into set and query commands.
class ModelTable {
public:
    explicit ModelTable(std::string model = {}) : m_model(std::move(model)) {}

    const std::string& Model() const { return m_model; }
    void Add(ParameterDef parameter) { m_parameters.push_back(std::move(parameter)); }
    const std::vector<ParameterDef>& Parameters() const { return m_parameters; }
    ModelBehaviour& Behaviour() { return m_behaviour; }
    const ModelBehaviour& Behaviour() const { return m_behaviour; }

    // Finds slips a compiler cannot: a pattern HeaderTree cannot read, a rule for a header the
    // table does not hold, a default the parameter itself refuses. Returns 0 and says which.
    int Check(std::string* error) const;

    // Turns a client's argument into the stored value. Returns 0 and sets the SCPI error number
    // when the argument does not fit the parameter.
    static int Normalize(const ParameterDef& parameter, const Argument& argument,
                         std::string* value, int* error);
    static std::string Reply(const ParameterDef& parameter, const std::string& value);

    // The table of a model; a model nobody described yet gets an empty table.
    static ModelTable ForModel(std::string_view model);
    static std::vector<std::string> KnownModels();

private:
    std::string m_model;
    std::vector<ParameterDef> m_parameters;
    ModelBehaviour m_behaviour;
};

}  // namespace quarnsim
