// The instrument's preset files as the backup and the restore walk them, and the stop box both
// end a failed run with.
//
// The controller ("CPU") keeps MSTATE.P00 to MSTATE.P14; a module model keeps MSTATE<s>.P00 to
// MSTATE<s>.P14 for each slot s from 1 to 4. Each model's files sit in /F0:/<Model>/PRESET/ on
// the instrument and in <folder>/<Model>/PRESET on the PC.
#pragma once

#include <string>
#include <vector>

namespace platform {
class CWnd;
}

namespace utilities {

// In the order they are sent: slot by slot, preset by preset.
std::vector<std::string> PresetFileNames(const std::string& model);
// "/F0:/<Model>/PRESET/", with its closing '/'.
std::string InstrumentPresetFolder(const std::string& model);
// The text in double quotes, as the boxes name paths.
std::string Quoted(const std::string& text);
// The stop beep, then an OK box with the stop icon.
void ShowStopBox(platform::CWnd* owner, const std::string& text, const char* caption);

}  // namespace utilities
