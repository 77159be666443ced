#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {

void RegisterBrumo(ModelTable& table) {
    // Output 3 is the one that carries HD formats besides black burst.
    std::vector<std::string> output3 = {"BB"};
    output3.insert(output3.end(), ClockHdFormats().begin(), ClockHdFormats().end());
    table.Add(KeywordParameter("OUTPut#{3}:STANdard", output3, "BB"));
}

}  // namespace quarnsim::models
