// The module models Corvane knows by kind, as the catalogue names them, and which model sits in
// each slot. With the model registry beside it, the one place that names every model.
#pragma once

#include <array>
#include <string>

namespace corvane {

using ModuleKind = int;
constexpr ModuleKind kModuleNone = 0;
constexpr ModuleKind kModuleTavix = 1;
constexpr ModuleKind kModuleBrumo = 2;
constexpr ModuleKind kModuleKintor = 3;
constexpr ModuleKind kModuleSormet = 4;
constexpr ModuleKind kModuleUlmeth = 5;
constexpr ModuleKind kModulePirvo = 6;
constexpr ModuleKind kModuleOltra = 7;
constexpr ModuleKind kModuleYarlo = 8;

constexpr int kSlotCount = 4;

// The kind of the module in slots 1..4 (index 0..3); 0 for an empty or unknown slot.
extern std::array<ModuleKind, kSlotCount> g_slotKind;

// The catalogue's model name of a kind, or an empty text for none or an unknown value.
std::string ModelName(ModuleKind kind);
// The kind of an exact (case-sensitive) model name; 0 for anything else.
ModuleKind KindFromModelName(const std::string& name);
// The string-table id of a kind's model name, or 0.
int ModelNameStringId(ModuleKind kind);

}  // namespace corvane
