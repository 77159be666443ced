// UtilityTraits: what makes one setup-file utility differ from the others in the shared
// skeleton: its name and version, its settings keys and their defaults, and the texts that
// are built from its name. Mirrak(), Gorrel() and Stowen() give the three programs' values.
#pragma once

#include <string>

namespace utilities {

struct UtilityTraits {
    std::string name;     // "Mirrak": caption, settings file, lock name
    std::string version;  // "1.1"
    // Settings in section "Settings": the (source) instrument's address, then the backup
    // folder or, in Mirrak, the target instrument's address.
    std::string addressKey;
    std::string addressDefault;
    std::string secondKey;
    std::string secondDefault;
    bool secondIsFolder = true;
    unsigned iconColor = 0x336699;  // RGB of the program's icon

    std::string LockName() const { return name + "Instance"; }
    std::string RefusalText() const {
        return name + " is already running.\n\nYou can not run second instance of this program.";
    }
    std::string AboutCaption() const { return "About " + name; }
    std::string VersionText() const { return name + " Version " + version; }
    std::string AboutMenuText() const { return "&About " + name + "..."; }

    static UtilityTraits Mirrak();
    static UtilityTraits Gorrel();
    static UtilityTraits Stowen();

    // The instrument's factory address, and the next one for a second instrument.
    static constexpr const char* kDefaultAddress = "192.168.0.100";
    static constexpr const char* kDefaultSecondAddress = "192.168.0.101";
    // The backup folder of a fresh installation: "Quarn" in the operator's home folder, where
    // the Windows programs used "C:\Quarn".
    static std::string DefaultFolder();
};

}  // namespace utilities
