#include "models/Models.h"

namespace quarnsim::models {

void RegisterOltra(ModelTable& table) {
    (void)table;  // no parameters described yet
}

}  // namespace quarnsim::models
