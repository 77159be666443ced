#include "drenlo/app/DrenloSettings.h"

#include "platform/Numbers.h"

namespace drenlo {

namespace {
constexpr int kDefaults[CDrenloSettings::kCount] = {-1, -1, 720, 560, 200, 0, 1, 200, 110, 110};
// Larger than any screen; keeps a corrupt value from asking for a gigantic window.
constexpr int kLargestExtent = 16384;
}  // namespace

CDrenloSettings::CDrenloSettings() {
    SetDefaults();
}

int CDrenloSettings::Default(Index index) {
    return kDefaults[index];
}

void CDrenloSettings::SetDefaults() {
    for (int i = 0; i < kCount; ++i) m_values[i] = kDefaults[i];
}

void CDrenloSettings::Parse(const std::string& text) {
    SetDefaults();
    platform::ScanInts(text.c_str(), ", ", m_values, kCount);
    Sanitise();
}

void CDrenloSettings::Sanitise() {
    for (Index index : {kNameWidth, kReserved, kSizeWidth})
        if (m_values[index] == 0)
            m_values[index] = kDefaults[index];
    for (Index index : {kWidth, kHeight, kTreeWidth, kNameWidth, kSizeWidth})
        if (m_values[index] <= 0 || m_values[index] > kLargestExtent)
            m_values[index] = kDefaults[index];
    if (m_values[kViewMode] < 0 || m_values[kViewMode] > 3)
        m_values[kViewMode] = 0;
    const int key = m_values[kSortKey];
    if (key != 1 && key != -1 && key != 2 && key != -2)
        m_values[kSortKey] = 1;
    if (m_values[kLeft] < -kLargestExtent || m_values[kLeft] > kLargestExtent ||
        m_values[kTop] < -kLargestExtent || m_values[kTop] > kLargestExtent) {
        m_values[kLeft] = -1;
        m_values[kTop] = -1;
    }
}

std::string CDrenloSettings::ToString() const {
    const int* v = m_values;
    return platform::Format("%d, %d, %d, %d, %d, %d, %d, %d, %d, %d", v[0], v[1], v[2], v[3], v[4],
                            v[5], v[6], v[7], v[8], v[9]);
}

}  // namespace drenlo
