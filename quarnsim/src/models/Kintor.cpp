#include "models/Models.h"

namespace quarnsim::models {

void RegisterKintor(ModelTable& table) {
    (void)table;  // no parameters described yet
}

}  // namespace quarnsim::models
