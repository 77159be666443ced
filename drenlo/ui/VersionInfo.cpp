#include "drenlo/ui/VersionInfo.h"

#include "platform/BuildVersion.h"

namespace drenlo {

namespace {
struct Entry {
    CVersionInfo::Key key;
    const char* text;
};
constexpr Entry kBlock[] = {
    {CVersionInfo::kFileDescription, "Utility to transfer files between host PC and Quarn"},
    {CVersionInfo::kInternalName, "Drenlo"},
    {CVersionInfo::kOriginalFileName, "drenlo"},
    {CVersionInfo::kProductName, "Quarn"},
    {CVersionInfo::kComments, "Quarn File Transfer Utility"},
    {CVersionInfo::kPrivateBuild, "2"},
};
}  // namespace

int CVersionInfo::Load() {
    for (std::string& text : m_texts) text = "-";
    for (const Entry& entry : kBlock) m_texts[entry.key] = entry.text;
    // The numbers come from the build, so a release never shows a stale version.
    const std::string version = platform::GetProgramVersionText();
    m_texts[kFileVersion] = version;
    m_texts[kProductVersion] = version;
    return 1;
}

}  // namespace drenlo
