#include "nimbrel/MainSwitches.h"

#include "nimbrel/IniValue.h"

namespace nimbrel {

namespace {

const char* const kHintKeys[kHintCount] = {
    "FILE_OPEN",         "FILE_SAVE_FRAME_BMP", "FILE_SAVE_PIC_BMP", "FILE_EXIT",
    "BUILD_FRAME",       "BUILD_PIC_FILE",      "BUILD_PIC_BMP",     "WINDOW_CASCADE",
    "WINDOW_HORIZONTAL", "WINDOW_VERTICAL",     "WINDOW_MINIMIZE",   "WINDOW_ARRANGE",
    "SETTING",           "SETTING_BACKGROUND",  "SETTING_FILTER",    "SETTING_FORMAT",
    "CHECKBOX_GBR",
};

}  // namespace

const char* MainSwitches::HintKey(int index) {
    return index >= 0 && index < kHintCount ? kHintKeys[index] : "";
}

MainSwitches MainSwitches::Read(const std::string& mainIni) {
    MainSwitches s;
    std::string v;
    auto is = [&](const char* key, const char* word) {
        return IniValue::Read(mainIni, "NIMBREL", key, v) && v == word;
    };
    s.debug = is("DEBUG_MODE", "ON");
    s.english = !is("ENGLISH_MODE", "OFF");
    s.toolEnabled = is("TOOL_ENABLED", "TRUE");
    const char* makeKeys[4] = {"MAKE_Y", "MAKE_G", "MAKE_B", "MAKE_R"};
    for (int i = 0; i < 4; ++i) {
        s.make[i] = !is(makeKeys[i], "OFF");
    }
    IniValue::Read(mainIni, "NIMBREL", "TOOL_CAPTION", s.toolCaption);
    IniValue::Read(mainIni, "NIMBREL", s.english ? "TOOL_HINT_ENGLISH" : "TOOL_HINT", s.toolHint);
    return s;
}

std::array<std::string, kHintCount> MainSwitches::ReadHints(const std::string& mainIni,
                                                            bool english) {
    std::array<std::string, kHintCount> hints;
    for (int i = 0; i < kHintCount; ++i) {
        IniValue::Read(mainIni, english ? "NIMBREL_HINT_ENGLISH" : "NIMBREL_HINT", kHintKeys[i],
                       hints[i]);
    }
    return hints;
}

}  // namespace nimbrel
