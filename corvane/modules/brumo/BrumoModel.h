// The Brumo's entry in the model registry.
#pragma once

#include "corvane/modules/ModelRegistry.h"

namespace corvane {

ModelEntry BrumoModel();

}  // namespace corvane
