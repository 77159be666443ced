#include "nimbrel/FormatTable.h"

#include "nimbrel/IniValue.h"
#include "platform/IniFile.h"

namespace nimbrel {

uint16_t PictureFormat::FormatWord() const {
    uint16_t word = static_cast<uint16_t>(misc & 0xFF) | 0x0100;
    if (family == 0 || family == 1) {
        word |= 0x8000;
    }
    if (progressive) {
        word |= 0x4000;
    }
    if (twelveBit) {
        word |= static_cast<uint16_t>((scale >= 1 && scale <= 5 ? scale : 1) * 0x800);
    }
    if (ycbcr444) {
        word |= 0x0400;
    }
    return word;
}

std::vector<PictureFormat> FormatTable::BuiltIn() {
    auto make = [](const char* caption, int w, int h, int misc, bool progressive, int family,
                   int black, const char* filter) {
        PictureFormat f;
        f.caption = caption;
        f.width = w;
        f.height = h;
        f.misc = misc;
        f.progressive = progressive;
        f.family = family;
        f.blackLines = black;
        f.filterSection = filter;
        return f;
    };
    return {
        make("525 270", 720, 488, 16, false, 0, 10, "NIMBREL_FILTER_NTSC"),
        make("625 270", 720, 576, 16, false, 1, 10, "NIMBREL_FILTER_PAL"),
        make("720 59p", 1280, 720, 1, true, 2, 0, "NIMBREL_FILTER_ULMETH"),
        make("1035 59i", 1920, 1035, 7, false, 2, 0, "NIMBREL_FILTER_ULMETH"),
        make("1080 23p", 1920, 1080, 3, true, 2, 0, "NIMBREL_FILTER_ULMETH"),
        make("1080 23s", 1920, 1080, 5, false, 2, 0, "NIMBREL_FILTER_ULMETH"),
        make("1080 50i", 1920, 1080, 2, false, 2, 0, "NIMBREL_FILTER_ULMETH"),
        make("1080 59i", 1920, 1080, 0, false, 2, 0, "NIMBREL_FILTER_ULMETH"),
    };
}

namespace {

enum class Verdict { Missing, Invalid, Accepted };

// Missing: a required key is absent or not above 0 (skipped without a word, as always).
// Invalid: a value the builder cannot carry (reported, then skipped).
Verdict ReadSection(const std::string& ini, const std::string& section, bool english,
                    PictureFormat& f, std::string& badKey) {
    std::string caption;
    std::string width;
    std::string height;
    std::string misc;
    if (!IniValue::Read(ini, section, "CAPTION", caption) ||
        !IniValue::Read(ini, section, "WIDTH", width) ||
        !IniValue::Read(ini, section, "HEIGHT", height) ||
        !IniValue::Read(ini, section, "MISC", misc)) {
        return Verdict::Missing;
    }
    const long w = IniValue::ToLong(width);
    const long h = IniValue::ToLong(height);
    const long m = IniValue::ToLong(misc);
    if (w <= 0 || h <= 0) {
        return Verdict::Missing;
    }
    // A negative code would set the word's flag bits and describe a different file.
    if (m < 0 || m > 255) {
        badKey = "MISC";
        return Verdict::Invalid;
    }
    if (w > FormatTable::kMaxWidth) {
        badKey = "WIDTH";
        return Verdict::Invalid;
    }
    if (h > FormatTable::kMaxHeight) {
        badKey = "HEIGHT";
        return Verdict::Invalid;
    }
    auto isTrue = [&](const char* key) {
        std::string v;
        return IniValue::Read(ini, section, key, v) && v == "TRUE";
    };
    f = PictureFormat{};
    f.caption = caption;
    f.width = static_cast<int>(w);
    f.height = static_cast<int>(h);
    f.misc = static_cast<int>(m);
    f.progressive = isTrue("PROGRESSIVE");
    f.doubleWidth = isTrue("DOUBLEWIDTH");
    f.ycbcr444 = isTrue("444_YPBPR");
    f.twelveBit = isTrue("12BIT_OUTPUT");
    f.showGbrCheck = isTrue("SHOW_GBROUTPUTCHECK");
    std::string v;
    IniValue::Read(ini, section, english ? "HINT_ENGLISH" : "HINT", f.hint);
    if (IniValue::Read(ini, section, "12BIT_OUTPUT_SCALE", v)) {
        const long scale = IniValue::ToLong(v);
        f.scale = scale >= 1 && scale <= 5 ? static_cast<int>(scale) : 1;
    }
    if (IniValue::Read(ini, section, "BLACK_LINE", v)) {
        const long black = IniValue::ToLong(v);
        if (black > h) {
            badKey = "BLACK_LINE";
            return Verdict::Invalid;
        }
        f.blackLines = black < 0 ? 0 : static_cast<int>(black);
    }
    if (IniValue::Read(ini, section, "USE_FILTER", v)) {
        f.filterSection = v;
    }
    if (IniValue::Read(ini, section, "FORMAT", v)) {
        f.family = v == "NTSC" ? 0 : v == "PAL" ? 1 : 2;
    }
    // Lines are built in pairs of samples; an odd count has no partner for its last sample.
    if (f.Samples() % 2 != 0) {
        badKey = "WIDTH";
        return Verdict::Invalid;
    }
    return Verdict::Accepted;
}

}  // namespace

void FormatTable::Read(const std::string& mainIni, bool english) {
    m_formats.clear();
    m_skipped.clear();
    for (int i = 0; i < kMaxFormats; ++i) {
        const std::string section = "NIMBREL_FORMAT_" + std::to_string(i);
        PictureFormat format;
        std::string badKey;
        switch (ReadSection(mainIni, section, english, format, badKey)) {
            case Verdict::Accepted:
                m_formats.push_back(format);
                break;
            case Verdict::Invalid:
                m_skipped.push_back("File[" + mainIni + "] Tag[" + section + "] Key[" + badKey +
                                    "] Invalid " + (badKey == "MISC" ? "Misc" : "Value") +
                                    " --- Skip.");
                break;
            case Verdict::Missing:
                break;
        }
    }
    if (m_formats.empty()) {
        m_formats = BuiltIn();
    }
}

SavedChoices FormatTable::ReadChoices(const std::string& settingIni, int formatCount) {
    SavedChoices choices;
    std::string v;
    auto read = [&](const char* key, int fallback, int count) {
        if (!IniValue::Read(settingIni, "NIMBREL_SETTING", key, v)) {
            return fallback < count ? fallback : 0;
        }
        const long value = IniValue::ToLong(v);
        return value >= 0 && value < count ? static_cast<int>(value) : 0;
    };
    choices.colour = read("COLOR", 1, 9);
    choices.filter = read("FILTER", 0, 2);
    choices.format = read("FORMAT", 7, formatCount);
    choices.gbrOutput =
        IniValue::Read(settingIni, "NIMBREL_SETTING", "RGBOUTPUT", v) && IniValue::ToLong(v) != 0;
    return choices;
}

int FormatTable::SaveChoices(const std::string& settingIni, const SavedChoices& choices) {
    const char* section = "NIMBREL_SETTING";
    return platform::WritePrivateProfileString(section, "COLOR", std::to_string(choices.colour),
                                               settingIni) &&
                   platform::WritePrivateProfileString(
                       section, "FILTER", std::to_string(choices.filter), settingIni) &&
                   platform::WritePrivateProfileString(
                       section, "FORMAT", std::to_string(choices.format), settingIni) &&
                   platform::WritePrivateProfileString(section, "RGBOUTPUT",
                                                       choices.gbrOutput ? "1" : "0", settingIni)
               ? 1
               : 0;
}

}  // namespace nimbrel
