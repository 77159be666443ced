#include "nimbrel/ui/CSettingMngInfo.h"

#include <utility>

#include "platform/MessageBox.h"

namespace nimbrel {

namespace {

struct BackgroundItem {
    const char* caption;
    BackgroundColour colour;
};

// The blanks pad every caption to one width so the "*" of the chosen item lines up.
const BackgroundItem kBackgrounds[CSettingMngInfo::kBackgroundCount] = {
    {"GRAY  ", {128, 128, 128}}, {"BLACK ", {0, 0, 0}},     {"BLUE  ", {0, 0, 255}},
    {"GREEN ", {0, 255, 0}},     {"SBLUE ", {0, 255, 255}}, {"RED   ", {255, 0, 0}},
    {"LRED  ", {255, 0, 255}},   {"YELLOW", {255, 255, 0}}, {"WHITE ", {255, 255, 255}},
};

const char* const kFilters[CSettingMngInfo::kFilterCount] = {"OFF", "ON"};

const std::string kNoText;

}  // namespace

CSettingMngInfo::CSettingMngInfo(std::string mainIni, std::string settingIni)
    : m_mainIni(std::move(mainIni)), m_settingIni(std::move(settingIni)) {
    for (int i = 0; i < kBackgroundCount; ++i) {
        m_backgroundCaptions[i] = kBackgrounds[i].caption;
    }
}

void CSettingMngInfo::BuildFormatMenu(bool english) {
    m_table.Read(m_mainIni, english);
    m_format = -1;
    for (const std::string& line : m_table.Skipped()) {
        platform::MessageBox(nullptr, line, "", platform::MB_OK);
    }
}

const PictureFormat* CSettingMngInfo::Format(int index) const {
    return index >= 0 && index < FormatCount() ? &m_table.Formats()[index] : nullptr;
}

const std::string& CSettingMngInfo::FormatCaption(int index) const {
    const PictureFormat* format = Format(index);
    return format != nullptr ? format->caption : kNoText;
}

const std::string& CSettingMngInfo::BackgroundCaption(int index) const {
    return index >= 0 && index < kBackgroundCount ? m_backgroundCaptions[index] : kNoText;
}

BackgroundColour CSettingMngInfo::BackgroundColourOf(int index) {
    return index >= 0 && index < kBackgroundCount ? kBackgrounds[index].colour : BackgroundColour{};
}

const char* CSettingMngInfo::FilterCaption(int index) {
    return index >= 0 && index < kFilterCount ? kFilters[index] : "";
}

void CSettingMngInfo::RestoreChoices(bool& gbrOutput) {
    const SavedChoices choices = FormatTable::ReadChoices(m_settingIni, FormatCount());
    SelectBackground(choices.colour);
    SelectFilter(choices.filter);
    SelectFormat(choices.format);
    gbrOutput = choices.gbrOutput;
}

int CSettingMngInfo::SaveChoices(bool gbrOutput) const {
    // Choices never made keep what the file already says.
    SavedChoices choices = FormatTable::ReadChoices(m_settingIni, FormatCount());
    if (m_background >= 0) {
        choices.colour = m_background;
    }
    if (m_filter >= 0) {
        choices.filter = m_filter;
    }
    if (m_format >= 0) {
        choices.format = m_format;
    }
    choices.gbrOutput = gbrOutput;
    return FormatTable::SaveChoices(m_settingIni, choices);
}

void CSettingMngInfo::SelectFormat(int index) {
    if (Format(index) != nullptr) {
        m_format = index;
    }
}

void CSettingMngInfo::SelectBackground(int index) {
    if (index < 0 || index >= kBackgroundCount) {
        return;
    }
    for (std::string& caption : m_backgroundCaptions) {
        if (!caption.empty() && caption.back() == '*') {
            caption.pop_back();
        }
    }
    std::string& chosen = m_backgroundCaptions[index];
    if (chosen.size() < kMaxCaption) {
        chosen += '*';
    }
    m_background = index;
}

void CSettingMngInfo::SelectFilter(int index) {
    if (index >= 0 && index < kFilterCount) {
        m_filter = index;
    }
}

bool CSettingMngInfo::SameFormatSize(int index) const {
    const PictureFormat* format = Format(index);
    const PictureFormat* selected = SelectedFormatInfo();
    return format != nullptr && selected != nullptr && format->width == selected->width &&
           format->height == selected->height;
}

std::string CSettingMngInfo::MenuCaptionText(const std::string& caption) {
    std::string text = caption;
    const std::size_t amp = text.rfind('&');
    if (amp != std::string::npos) {
        text.erase(amp, 1);
    }
    return text;
}

}  // namespace nimbrel
