#include "quarnsim/ModelTable.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "models/Models.h"
#include "quarnsim/ErrorQueue.h"
#include "quarnsim/HeaderTree.h"
#include "quarnsim/PresetStore.h"

namespace quarnsim {
namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool MatchesSpelling(std::string_view spelling, std::string_view typed) {
    std::string shortForm;
    for (char c : spelling) {
        if (!std::islower(static_cast<unsigned char>(c)))
            shortForm += c;
    }
    std::string word = Upper(typed);
    return word == Upper(spelling) || word == shortForm;
}

}  // namespace

int ModelTable::Normalize(const ParameterDef& parameter, const Argument& argument,
                          std::string* value, int* error) {
    const std::string& text = argument.text;
    switch (parameter.kind) {
        case ParameterKind::Text:
            *value = argument.Value();
            return 1;
        case ParameterKind::Choice:
            if (argument.kind == Argument::Kind::Plain) {
                for (const ParameterChoice& choice : parameter.choices) {
                    if (MatchesSpelling(choice.spelling, text)) {
                        *value = choice.reply;
                        return 1;
                    }
                }
            }
            *error = err::kIllegalParameterValue;
            return 0;
        case ParameterKind::Integer:
        case ParameterKind::Real: {
            if (argument.kind != Argument::Kind::Plain || text.empty()) {
                *error = err::kDataTypeError;
                return 0;
            }
            char* end = nullptr;
            errno = 0;
            double number = std::strtod(text.c_str(), &end);
            // strtod would take "nan", "inf" and hex; the instrument reads decimal numbers only.
            bool decimal = true;
            for (char c : text) {
                if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+' && c != '-' &&
                    c != '.' && c != 'e' && c != 'E') {
                    decimal = false;
                }
            }
            if (!decimal || end != text.c_str() + text.size() || errno == ERANGE ||
                !std::isfinite(number)) {
                *error = err::kDataTypeError;
                return 0;
            }
            if (parameter.kind == ParameterKind::Integer && number != std::floor(number)) {
                *error = err::kDataTypeError;
                return 0;
            }
            if (number < parameter.minimum || number > parameter.maximum) {
                *error = err::kDataOutOfRange;
                return 0;
            }
            if (!parameter.allowed.empty() &&
                std::find(parameter.allowed.begin(), parameter.allowed.end(), number) ==
                    parameter.allowed.end()) {
                *error = err::kIllegalParameterValue;
                return 0;
            }
            if (number == 0)
                number = 0;  // "-0" is stored and answered as "0"
            char buffer[64];
            if (parameter.kind == ParameterKind::Integer) {
                std::snprintf(buffer, sizeof buffer, "%.0f", number);
            } else {
                std::snprintf(buffer, sizeof buffer, parameter.realFormat.c_str(), number);
            }
            *value = buffer;
            return 1;
        }
    }
    *error = err::kIllegalParameterValue;
    return 0;
}

std::string ModelTable::Reply(const ParameterDef& parameter, const std::string& value) {
    if (parameter.kind == ParameterKind::Text)
        return PresetStore::Quote(value);
    return value;
}

namespace {

struct RegisteredModel {
    const char* name;
    void (*build)(ModelTable&);
};

// Every model the simulator knows; a new model adds its line here.
constexpr RegisteredModel kModels[] = {
    {"CPU", models::RegisterCpu},       {"Tavix", models::RegisterTavix},
    {"Brumo", models::RegisterBrumo},   {"Kintor", models::RegisterKintor},
    {"Sormet", models::RegisterSormet}, {"Ulmeth", models::RegisterUlmeth},
    {"Pirvo", models::RegisterPirvo},   {"Oltra", models::RegisterOltra},
    {"Yarlo", models::RegisterYarlo},
};

}  // namespace

ModelTable ModelTable::ForModel(std::string_view model) {
    ModelTable table{std::string(model)};
    for (const RegisteredModel& entry : kModels) {
        if (model == entry.name)
            entry.build(table);
    }
    return table;
}

std::vector<std::string> ModelTable::KnownModels() {
    std::vector<std::string> names;
    for (const RegisteredModel& entry : kModels) names.emplace_back(entry.name);
    return names;
}

int ModelTable::Check(std::string* error) const {
    auto fail = [&](std::string text) {
        if (error)
            *error = m_model + ": " + std::move(text);
        return 0;
    };
    HeaderTree scratch;
    for (const ParameterDef& parameter : m_parameters) {
        if (!scratch.Register(parameter.header + "?", nullptr))
            return fail("unreadable header " + parameter.header);
        bool defaultFits = false;
        if (parameter.kind == ParameterKind::Choice) {
            for (const ParameterChoice& choice : parameter.choices)
                defaultFits = defaultFits || choice.reply == parameter.defaultValue;
        } else {
            std::string stored;
            int refusal = 0;
            Argument argument{parameter.kind == ParameterKind::Text ? Argument::Kind::Quoted
                                                                    : Argument::Kind::Plain,
                              parameter.defaultValue};
            defaultFits = Normalize(parameter, argument, &stored, &refusal) != 0;
        }
        if (!defaultFits)
            return fail("default " + parameter.defaultValue + " of " + parameter.header);
    }
    for (const std::string& header : m_behaviour.RuleHeaders()) {
        bool known = std::any_of(m_parameters.begin(), m_parameters.end(),
                                 [&](const ParameterDef& p) { return p.header == header; });
        if (!known)
            return fail("rule for " + header + ", which is no parameter");
    }
    for (const ModelBehaviour::Command& command : m_behaviour.Commands()) {
        if (!scratch.Register(command.pattern, nullptr))
            return fail("unreadable pattern " + command.pattern);
    }
    return 1;
}

}  // namespace quarnsim
