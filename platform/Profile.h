// Profile: the per-user settings store that stands in for the registry profile.
//
// The programs kept their settings under the current user's key for company "Harnoq" and
// their own name, in section "Settings" (GetProfileString/WriteProfileString and the Int
// pair). Here they live in a QSettings file in the native format,
// ~/.config/Harnoq/<Program>.conf, with one [Section] per registry section.
//
// Windows behaviour kept:
//  - Section and key names are case-insensitive: a key written as "TargetHost" is found as
//    "targethost", and a write updates the existing spelling instead of adding a twin.
//  - A missing value reads as the caller's default; an existing empty string reads as "".
//  - GetInt reads the default when the stored value is not a whole number in int range
//    (the registry returned the default for a value of the wrong type).
//  - A write reaches the file before the call returns, so a crash loses nothing and another
//    program sees the value at once; a write that cannot be stored returns false.
//
// Texts are single-byte: std::string holds Latin-1 bytes, converted at the Qt boundary.
// Tests redirect every Profile to a folder of their own with SetRootForTests.
#pragma once

#include <string>

namespace platform {

class Profile {
public:
    Profile(std::string company, std::string application);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const;

    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& key, int value);

    // The file this profile reads and writes.
    std::string FilePath() const;

    // Every Profile created or used afterwards keeps its files in
    // <folder>/<company>/<application>.conf; "" returns to the user's configuration folder.
    static void SetRootForTests(const std::string& folder);

private:
    std::string m_company;
    std::string m_application;
};

}  // namespace platform
