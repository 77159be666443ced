#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {

void RegisterCpu(ModelTable& table) {
    table.Add(IntegerParameter("DISPlay:CONTrast", 1, 40, "20"));
}

}  // namespace quarnsim::models
