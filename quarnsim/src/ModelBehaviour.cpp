#include "quarnsim/ModelBehaviour.h"

#include "quarnsim/HeaderTree.h"
#include "quarnsim/PresetStore.h"

namespace quarnsim {

void ModelBehaviour::Handle(std::string pattern, ModelHandler handler) {
    m_commands.push_back({std::move(pattern), std::move(handler)});
}

void ModelBehaviour::List(std::string pattern, ListRule items) {
    Handle(std::move(pattern), [items = std::move(items)](CommandContext& c, ModuleState& module) {
        if (!module.ExpectArguments(c, 0))
            return 0;
        for (const std::string& item : items(module, c.suffixes)) {
            c.answer += (c.answer.empty() ? "" : ",") + PresetStore::Quote(item);
        }
        return 1;
    });
}

ModelBehaviour::ParameterRules& ModelBehaviour::RulesFor(std::string header) {
    for (ParameterRules& rules : m_rules) {
        if (rules.header == header)
            return rules;
    }
    m_rules.push_back({std::move(header), {}, {}});
    return m_rules.back();
}

void ModelBehaviour::Limits(std::string header, LimitsRule limits) {
    RulesFor(std::move(header)).limits = std::move(limits);
}

void ModelBehaviour::OnSet(std::string header, SetReaction reaction) {
    RulesFor(std::move(header)).reaction = std::move(reaction);
}

BoundParameter ModelBehaviour::Bind(const ParameterDef& parameter) const {
    BoundParameter bound{parameter, {}, {}};
    for (const ParameterRules& rules : m_rules) {
        if (rules.header == parameter.header) {
            bound.limits = rules.limits;
            bound.reaction = rules.reaction;
        }
    }
    return bound;
}

std::vector<std::string> ModelBehaviour::RuleHeaders() const {
    std::vector<std::string> headers;
    for (const ParameterRules& rules : m_rules) headers.push_back(rules.header);
    return headers;
}

}  // namespace quarnsim
