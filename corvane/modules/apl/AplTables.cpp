#include "corvane/modules/apl/AplTables.h"

#include <algorithm>

namespace corvane {

const AplTables& StandardAplTables() {
    static const AplTables tables{
        {"APL_OFF", "APL_HIGH", "APL_LOW", "APL_BOUNCE", "BOUNCE"},
        {"0.5", "1.0", "1.5", "2.0"},
        {"APL OFF", "High APL", "Low APL", "APL(Bounce)", "Bounce"},
        {"0.5 sec", "1.0 sec", "1.5 sec", "2.0 sec"},
    };
    return tables;
}

bool IsAplKeyword(const AplTable& table, std::string_view word) {
    return !word.empty() && std::find(table.begin(), table.end(), word) != table.end();
}

}  // namespace corvane
