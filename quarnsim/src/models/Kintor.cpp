#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {

void RegisterKintor(ModelTable& table) {
    std::vector<std::string> formats = {"NTSC", "NTSC_NSU", "PAL"};
    formats.insert(formats.end(), ClockHdFormats().begin(), ClockHdFormats().end());
    table.Add(KeywordParameter("OUTPut#{1-4}:STANdard", formats, "NTSC"));
}

}  // namespace quarnsim::models
