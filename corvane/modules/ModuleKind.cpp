#include "corvane/modules/ModuleKind.h"

#include "resources/corvane/Resource.h"

namespace corvane {

std::array<ModuleKind, kSlotCount> g_slotKind{};

namespace {
struct Model {
    ModuleKind kind;
    const char* name;
    int stringId;
};
// In the order the catalogue names are compared.
constexpr Model kModels[] = {
    {kModuleTavix, "Tavix", IDS_MODEL_TAVIX},    {kModuleBrumo, "Brumo", IDS_MODEL_BRUMO},
    {kModuleKintor, "Kintor", IDS_MODEL_KINTOR}, {kModuleSormet, "Sormet", IDS_MODEL_SORMET},
    {kModuleUlmeth, "Ulmeth", IDS_MODEL_ULMETH}, {kModulePirvo, "Pirvo", IDS_MODEL_PIRVO},
    {kModuleOltra, "Oltra", IDS_MODEL_OLTRA},    {kModuleYarlo, "Yarlo", IDS_MODEL_YARLO},
};
}  // namespace

std::string ModelName(ModuleKind kind) {
    for (const Model& m : kModels)
        if (m.kind == kind)
            return m.name;
    return {};
}

ModuleKind KindFromModelName(const std::string& name) {
    for (const Model& m : kModels)
        if (name == m.name)
            return m.kind;
    return kModuleNone;
}

int ModelNameStringId(ModuleKind kind) {
    for (const Model& m : kModels)
        if (m.kind == kind)
            return m.stringId;
    return 0;
}

}  // namespace corvane
