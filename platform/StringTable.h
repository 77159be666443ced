// The program's string table: texts by id, as a resource string table held them.
//
// Each program registers its table once at start-up. Status-bar prompts of commands are
// strings whose id is the command's id; the prompt is the text before the first '\n'
// (the text after it was the tool tip).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {

// Framework ids the layer itself uses.
constexpr int AFX_IDS_APP_TITLE = 57344;
constexpr int AFX_IDS_IDLEMESSAGE = 57345;

void RegisterStrings(const std::vector<std::pair<int, std::string>>& strings);
// The string with this id, or an empty text when there is none. `found` tells which.
std::string LoadString(int id, bool* found = nullptr);
// The part of a string-table text before '\n' (the whole text when there is none).
std::string PromptPart(const std::string& text);
// Replaces %1 .. %9 with the arguments, as the framework's message formatting did.
std::string FormatPlaceholders(const std::string& format, const std::vector<std::string>& args);

}  // namespace platform
