#include "models/Models.h"

namespace quarnsim::models {

void RegisterYarlo(ModelTable& table) {
    (void)table;  // no parameters described yet
}

}  // namespace quarnsim::models
