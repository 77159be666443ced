// The Tavix's entry in the model registry.
#pragma once

#include "corvane/modules/ModelRegistry.h"

namespace corvane {

ModelEntry TavixModel();

}  // namespace corvane
