// CGorrelApp: Gorrel's application object, the utilities' skeleton with Gorrel's name,
// settings and main dialog.
#pragma once

#include "utilities/common/UtilityApp.h"

namespace gorrel {

class CGorrelApp : public utilities::CUtilityApp {
public:
    CGorrelApp();
};

}  // namespace gorrel
