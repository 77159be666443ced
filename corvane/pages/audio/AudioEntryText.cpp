#include "corvane/pages/audio/AudioEntryText.h"

#include "platform/Numbers.h"

namespace corvane {

int HertzOfEntryText(const std::string& text) {
    if (text == "Inactive")
        return -1;
    if (text == "Silence")
        return 0;
    double value = platform::StrToDouble(text.c_str());
    if (text.find('k') != std::string::npos)
        value *= 1000.0;
    return platform::DoubleToIntSaturated(value);
}

int SecondsOfEntryText(const std::string& text) {
    return platform::StrToInt(text.c_str());
}

}  // namespace corvane
