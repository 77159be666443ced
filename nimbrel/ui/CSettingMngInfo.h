// The operator's choices of picture format, background colour and filter, over the formats of
// the main ini. This is the state behind the Settings menus, kept free of menu objects so the
// selection rules can be checked without a window; the main form mirrors it into its menus.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nimbrel/FormatTable.h"

namespace nimbrel {

struct BackgroundColour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

class CSettingMngInfo {
public:
    static constexpr int kBackgroundCount = 9;
    static constexpr int kFilterCount = 2;
    // The caption of a background item, its "*" included, never grows beyond this.
    static constexpr std::size_t kMaxCaption = 32;

    CSettingMngInfo(std::string mainIni, std::string settingIni);

    // Reads the formats; every section refused for a bad value is reported in a box before
    // the menu is used. Selections start empty.
    void BuildFormatMenu(bool english);
    int FormatCount() const { return static_cast<int>(m_table.Formats().size()); }
    // Null outside 0 .. FormatCount() - 1.
    const PictureFormat* Format(int index) const;
    const std::string& FormatCaption(int index) const;

    const std::string& BackgroundCaption(int index) const;
    static BackgroundColour BackgroundColourOf(int index);
    static const char* FilterCaption(int index);

    // The saved choices selected (out-of-range ones replaced), and the "GBR Output" state.
    void RestoreChoices(bool& gbrOutput);
    // Writes the selected items (only those selected) and the check box state. 1/0.
    int SaveChoices(bool gbrOutput) const;

    // Out-of-range indexes change nothing.
    void SelectFormat(int index);
    void SelectBackground(int index);
    void SelectFilter(int index);

    int SelectedFormat() const { return m_format; }  // -1 when none
    int SelectedBackground() const { return m_background; }
    int SelectedFilter() const { return m_filter; }
    const PictureFormat* SelectedFormatInfo() const { return Format(m_format); }
    BackgroundColour SelectedColour() const { return BackgroundColourOf(m_background); }

    bool FilterOn() const { return m_filter == 1; }
    // True when the format's frame has the size of the selected one (no rebuild needed).
    bool SameFormatSize(int index) const;
    bool IsSelectedBackground(int index) const { return index == m_background; }

    // A caption with its last '&' removed, as status texts show it.
    static std::string MenuCaptionText(const std::string& caption);

    const std::string& MainIni() const { return m_mainIni; }
    const std::string& SettingIni() const { return m_settingIni; }

private:
    std::string m_mainIni;
    std::string m_settingIni;
    FormatTable m_table;
    std::array<std::string, kBackgroundCount> m_backgroundCaptions;
    int m_format = -1;
    int m_background = -1;
    int m_filter = -1;
};

}  // namespace nimbrel
