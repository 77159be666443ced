// CVersionInfo: the twelve texts of the program's version block. On Linux the block is part
// of the build rather than a resource of the program file, so Load takes the texts from there;
// a value the block does not carry reads as "-".
#pragma once

#include <string>

namespace drenlo {

class CVersionInfo {
public:
    enum Key {
        kCompanyName,
        kFileDescription,
        kFileVersion,
        kInternalName,
        kLegalCopyright,
        kOriginalFileName,
        kProductName,
        kProductVersion,
        kComments,
        kLegalTrademarks,
        kPrivateBuild,
        kSpecialBuild,
        kKeyCount
    };

    // Fills the texts; returns 1 (the block is always there).
    int Load();
    const std::string& Get(Key key) const { return m_texts[key]; }

private:
    std::string m_texts[kKeyCount];
};

}  // namespace drenlo
