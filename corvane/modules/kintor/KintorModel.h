// The Kintor's entry in the model registry.
#pragma once

#include "corvane/modules/ModelRegistry.h"

namespace corvane {

ModelEntry KintorModel();

}  // namespace corvane
