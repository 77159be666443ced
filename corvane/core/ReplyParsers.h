// Readers of the controller's replies: firmware options, module catalogue, preset names.
//
// They take a reply line as the link delivered it and never fail on its contents beyond the
// result they return: a reply from the instrument is outside input.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "corvane/core/PresetTable.h"

namespace corvane {

// "*OPT?": the controller's software version is the text after the third ':' counted from
// the "CPU:0" item, up to the next '"'. False when there is no "CPU:0", a ':' or the quote
// is missing, or the text is empty.
bool ParseFirmwareVersion(const std::string& reply, std::string& versionText);

struct CatalogItem {
    int slot;           // as the item gives it; the caller keeps only 1..4
    std::string model;  // text between the item's first character and its ':'
};

// "*CLS;:INST:CAT?": the items after the controller, at most four. False when an item has
// no ':' (the items before it are still in `items`). An empty reply is no modules.
bool ParseModuleCatalog(const std::string& reply, std::vector<CatalogItem>& items);

// "MMEM:PRES:CAT? n": the text between the first two '"' (may be empty). False without them.
bool ParsePresetName(const std::string& reply, std::string& name);

// "MMEM:PRES:CAT:ALL?": pairs `number,"name"`. Sets used[i] for numbers 1..13 and
// userDefaultUsed for 14; other numbers are ignored. False without a pair of quotes.
bool ParsePresetCatalog(const std::string& reply, std::array<int, kPresetCount>& used,
                        int& userDefaultUsed);

// The number an error reply ("SYST:ERR?") begins with; 0 means no error.
int ErrorNumber(const std::string& reply);

}  // namespace corvane
