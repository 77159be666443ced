#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quarnsim/ModelTable.h"

// What every video generator does with its signal files: the SIGNAL tree (format folder / signal
// set / ".cmp"), the PICTURE tree (folder / ".pic") and the LOGO folder (".lgo") under its own
// folder on the drive, signal loads ("MMEM:LOAD:SIGN <slot>,<path>"), the active-signal query
// ("MMEM:SIGN:ACT? <slot>") and the output standard that follows the format folder a signal was
// loaded from.
namespace quarnsim::models {

// One format folder of the SIGNAL tree and the output standard a signal loaded from it gives.
struct VideoFormatFolder {
    // As the drive lists it: the instrument lays its format folders out itself and lists their
    // names as they are ("525-143", "1080 59.94i", "PAL-1"), without the file-name escapes.
    std::string folder;
    // The standard parameter's value as a set command writes it: "D2_NTSC", "HD1080_59I", "0".
    std::string standard;
};

struct VideoSignalRules {
    // The table's parameter that follows a load; it must be in the table before
    // AddVideoSignals is called, as its default picks the signal that is active at first.
    std::string standardHeader = "OUTPut1:STANdard";
    // Every format the model outputs, in the order the drive lists them. A demo instrument lays
    // out a folder for each, with sets, signals, pictures and logos.
    std::vector<VideoFormatFolder> formats;
    // Runs when a load gives the output another standard than it had.
    std::function<void(ModuleState& module)> formatChanged;
};

// Adds the active signal to `table` (a text parameter answered by "MMEM:SIGN:ACT? <slot>"), the
// load that changes it together with the standard, the literal listing of the format folders and
// the demo files. A load of a file that is not on the drive, or not under the module's SIGNAL
// tree or a PICTURE folder, is refused with -256 and changes nothing. A frame picture
// ("/PICTURE/<folder>/<file>.pic") leaves the standard as it is; the query then answers
// "/../PICTURE/<folder>/<file>.pic", a test signal "/<format>/<set>/<file>.cmp", both with the
// names as listed, and an instrument without an active signal "".
void AddVideoSignals(ModelTable& table, const VideoSignalRules& rules);

// The ID text of the outputs `suffixes` ("{1}", "{3-4}"): its words, state, position, blinking
// and the SAVe command that keeps it.
void AddIdText(ModelTable& table, const std::string& suffixes);

// The average picture level of the outputs `suffixes`: how it moves and how fast.
void AddApl(ModelTable& table, const std::string& suffixes);

// The output-1 overlay every video generator has alike: the logo (chosen among the LOGO folder's
// files, by its name as listed), the ID text, the circle, blinking, and the SAVE commands that
// keep logo and text. The moving picture differs by model and stays with it.
void AddVideoOverlay(ModelTable& table);

}  // namespace quarnsim::models
