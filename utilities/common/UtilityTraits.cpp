#include "utilities/common/UtilityTraits.h"

#include <QDir>

#include "platform/Wnd.h"

namespace utilities {

UtilityTraits UtilityTraits::Mirrak() {
    return {"Mirrak", "1.1",   "SrcIP", kDefaultAddress, "DstIP", kDefaultSecondAddress,
            false,    0x2e7d32};
}

UtilityTraits UtilityTraits::Gorrel() {
    return {"Gorrel",     "1.3",           "IPAddress", kDefaultAddress,
            "SourcePath", DefaultFolder(), true,        0xc62828};
}

UtilityTraits UtilityTraits::Stowen() {
    return {"Stowen",     "1.3",           "IPAddress", kDefaultAddress,
            "SourcePath", DefaultFolder(), true,        0x1565c0};
}

std::string UtilityTraits::DefaultFolder() {
    return platform::FromQString(QDir::homePath() + "/Quarn");
}

}  // namespace utilities
