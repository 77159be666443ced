// The utilities' icons (resource 128): a rounded tile in the program's colour with its
// initial, drawn at the large and small sizes.
#pragma once

#include <QIcon>

#include "utilities/common/UtilityTraits.h"

namespace utilities {

QIcon UtilityIcon(const UtilityTraits& traits);

}  // namespace utilities
