#include "resources/corvane/ModuleForms.h"

#include "platform/StringTable.h"

namespace corvane {

void RegisterModuleStrings() {
    static const bool registered = [] {
        platform::RegisterStrings({
            {IDS_INSUFFICIENT_MEMORY, "Insufficient memory!\nCan not continue."},
            {IDS_APPLY_TAVIX, "Apply changes to Tavix?"},
            {IDS_APPLY_BRUMO, "Apply changes to Brumo?"},
            {IDS_APPLY_KINTOR, "Apply changes to Kintor?"},
            {IDS_APPLY_SORMET, "Apply changes to Sormet?"},
            {IDS_APPLY_ULMETH, "Apply changes to Ulmeth?"},
            {IDS_APPLY_PIRVO, "Apply changes to Pirvo?"},
            {IDS_APPLY_OLTRA, "Apply changes to Oltra?"},
            {IDS_APPLY_YARLO, "Apply changes to Yarlo?"},
        });
        return true;
    }();
    (void)registered;
}

}  // namespace corvane
