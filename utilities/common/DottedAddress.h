// Dotted IPv4 texts as the utilities store and show them.
//
// A stored address is taken only when it is exactly four decimal fields of 0 to 255 joined
// by dots with nothing before or after: "300.0.0.1" would otherwise land in the address
// control as 44.0.0.1 and point a backup, restore or copy at an instrument nobody chose.
#pragma once

#include <cstdint>
#include <string>

namespace utilities {

// The first field goes in the highest byte, as the address control takes it.
bool ParseDottedAddress(const std::string& text, std::uint32_t& address);
// "%d.%d.%d.%d".
std::string FormatDottedAddress(std::uint32_t address);

}  // namespace utilities
