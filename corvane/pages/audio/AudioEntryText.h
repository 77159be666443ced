// The values the audio pages' lists stand for, read from an entry's text: the frequency and
// click lists are the same on every model that has them, and the value sent is the one the
// entry names.
#pragma once

#include <string>

namespace corvane {

// "Inactive" -1, "Silence" 0, else the entry's number, times 1000 with "k" in the text.
int HertzOfEntryText(const std::string& text);
// "Off" 0, "n Sec" n.
int SecondsOfEntryText(const std::string& text);

}  // namespace corvane
