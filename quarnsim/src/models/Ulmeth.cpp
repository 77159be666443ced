#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {

void RegisterUlmeth(ModelTable& table) {
    // Output 1 carries the test signal, output 2 the black option.
    table.Add(KeywordParameter("OUTPut#{1-2}:STANdard", VideoHdFormats(), "HD1080_59I"));
}

}  // namespace quarnsim::models
