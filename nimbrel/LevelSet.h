// The eight levels that place R, G, B and Y'PbPr in a sample's range. A level of 0 stands for
// the default of the bit depth, so an ini that names only some levels still gives a full set.
#pragma once

#include <cstdint>
#include <string>

namespace nimbrel {

struct LevelSet {
    uint16_t yWhite = 0;
    uint16_t yBlack = 0;
    uint16_t pbPlus = 0;
    uint16_t pbMinus = 0;
    uint16_t pbZero = 0;
    uint16_t prPlus = 0;
    uint16_t prMinus = 0;
    uint16_t prZero = 0;

    // Every 0 replaced by the default of 10-bit or 12-bit levels.
    LevelSet Resolved(bool twelveBit) const;
    // The ini section of a level set number (bits 11-13 of a format word).
    static std::string SectionName(int levelSet);
    // Reads the eight keys of the section. 1/0: 0 when a value lies outside the bit depth's
    // range (it would give samples the instrument cannot take); `sectionFound` tells whether any
    // key was there, so a caller can refuse a level type that has no section at all.
    static int Read(const std::string& mainIni, int levelSet, LevelSet& levels, bool& sectionFound);
    // The inverse conversion divides by these spans; a set where one is 0 cannot be shown.
    bool Degenerate() const;
};

}  // namespace nimbrel
