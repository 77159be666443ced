#include "drenlo/ui/VersionInfo.h"

namespace drenlo {

namespace {
struct Entry {
    CVersionInfo::Key key;
    const char* text;
};
constexpr Entry kBlock[] = {
    {CVersionInfo::kFileDescription, "Utility to transfer files between host PC and Quarn"},
    {CVersionInfo::kFileVersion, "2, 1, 0, 0"},
    {CVersionInfo::kInternalName, "Drenlo"},
    {CVersionInfo::kOriginalFileName, "drenlo"},
    {CVersionInfo::kProductName, "Quarn"},
    {CVersionInfo::kProductVersion, "2, 1, 0, 0"},
    {CVersionInfo::kComments, "Quarn File Transfer Utility"},
    {CVersionInfo::kPrivateBuild, "2"},
};
}  // namespace

int CVersionInfo::Load() {
    for (std::string& text : m_texts) text = "-";
    for (const Entry& entry : kBlock) m_texts[entry.key] = entry.text;
    return 1;
}

}  // namespace drenlo
