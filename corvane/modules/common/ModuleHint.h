// ModuleHint: what a module document tells its views beyond "something changed" (hint 0).
//
// Each hint is a type of its own derived from ModuleHint, carrying its data; a view asks for
// the types it handles with ModuleHintAs. Types cannot collide the way numbers could, so a
// shared base document and its models each add their own without agreeing on ranges.
#pragma once

#include "platform/Types.h"

namespace corvane {

struct ModuleHint {
    virtual ~ModuleHint() = default;
};

// The hint number every typed hint travels under (CModuleDoc::NotifyViews sends it).
constexpr platform::LPARAM kModuleHintTyped = -1;

// The hint of type `Hint` an OnUpdate received, or null when it carries another one.
template <typename Hint>
const Hint* ModuleHintAs(platform::LPARAM hint, const void* object) {
    if (hint != kModuleHintTyped || object == nullptr)
        return nullptr;
    return dynamic_cast<const Hint*>(static_cast<const ModuleHint*>(object));
}

}  // namespace corvane
