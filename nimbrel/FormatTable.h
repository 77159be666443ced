// The picture formats offered in the Format menu, read from the main ini, and the operator's
// saved choices. Kept apart from the menus so the rules can be checked without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nimbrel {

struct PictureFormat {
    std::string caption;
    std::string hint;
    int width = 0;
    int height = 0;
    int misc = 0;
    bool progressive = false;
    bool doubleWidth = false;
    bool ycbcr444 = false;
    bool twelveBit = false;
    int scale = 1;
    int blackLines = 0;
    bool showGbrCheck = false;
    std::string filterSection = "NIMBREL_FILTER_ULMETH";
    int family = 2;  // 0 NTSC, 1 PAL, 2 any other

    uint16_t FormatWord() const;
    // Samples per line: the width, doubled for a double-width format.
    int Samples() const { return doubleWidth ? 2 * width : width; }
};

struct SavedChoices {
    int colour = 1;
    int filter = 0;
    int format = 7;
    bool gbrOutput = false;
};

class FormatTable {
public:
    // Largest frame the builder accepts: larger sizes would only exhaust memory or overflow
    // the frame bitmap's arithmetic.
    static constexpr int kMaxWidth = 8192;
    static constexpr int kMaxHeight = 4320;
    static constexpr int kMaxFormats = 30;

    // Reads sections NIMBREL_FORMAT_0..29; the built-in table when none is acceptable. Each
    // section refused for a bad value leaves a line in `skipped` for the operator.
    void Read(const std::string& mainIni, bool english);
    const std::vector<PictureFormat>& Formats() const { return m_formats; }
    const std::vector<std::string>& Skipped() const { return m_skipped; }

    static std::vector<PictureFormat> BuiltIn();

    // The choices of the setting ini, each out-of-range value replaced as the menus need.
    static SavedChoices ReadChoices(const std::string& settingIni, int formatCount);
    // 1/0.
    static int SaveChoices(const std::string& settingIni, const SavedChoices& choices);

private:
    std::vector<PictureFormat> m_formats;
    std::vector<std::string> m_skipped;
};

}  // namespace nimbrel
