// CStowenApp: Stowen's application object, the utilities' skeleton with Stowen's name,
// settings and main dialog.
#pragma once

#include "utilities/common/UtilityApp.h"

namespace stowen {

class CStowenApp : public utilities::CUtilityApp {
public:
    CStowenApp();
};

}  // namespace stowen
