#include "nimbrel/LevelSet.h"

#include "nimbrel/IniValue.h"

namespace nimbrel {

LevelSet LevelSet::Resolved(bool twelveBit) const {
    const LevelSet defaults = twelveBit ? LevelSet{3280, 1516, 2930, 1166, 2048, 2930, 1166, 2048}
                                        : LevelSet{940, 64, 960, 64, 512, 960, 64, 512};
    auto pick = [](uint16_t value, uint16_t fallback) { return value != 0 ? value : fallback; };
    return LevelSet{pick(yWhite, defaults.yWhite),   pick(yBlack, defaults.yBlack),
                    pick(pbPlus, defaults.pbPlus),   pick(pbMinus, defaults.pbMinus),
                    pick(pbZero, defaults.pbZero),   pick(prPlus, defaults.prPlus),
                    pick(prMinus, defaults.prMinus), pick(prZero, defaults.prZero)};
}

std::string LevelSet::SectionName(int levelSet) {
    if (levelSet >= 1 && levelSet <= 5) {
        return "NIMBREL_SCALE_12_TYPE" + std::to_string(levelSet);
    }
    return "NIMBREL_SCALE_10";
}

int LevelSet::Read(const std::string& mainIni, int levelSet, LevelSet& levels, bool& sectionFound) {
    const std::string section = SectionName(levelSet);
    const bool twelveBit = levelSet >= 1 && levelSet <= 5;
    const long maximum = twelveBit ? 4095 : 1023;
    struct Key {
        const char* name;
        uint16_t LevelSet::*member;
    };
    static const Key keys[] = {
        {"Y_WHITE_LEVEL", &LevelSet::yWhite},        {"Y_BLACK_LEVEL", &LevelSet::yBlack},
        {"PB_PLUS_PEAK_LEVEL", &LevelSet::pbPlus},   {"PB_MINUS_PEAK_LEVEL", &LevelSet::pbMinus},
        {"PB_ZERO_LEVEL", &LevelSet::pbZero},        {"PR_PLUS_PEAK_LEVEL", &LevelSet::prPlus},
        {"PR_MINUS_PEAK_LEVEL", &LevelSet::prMinus}, {"PR_ZERO_LEVEL", &LevelSet::prZero},
    };
    levels = LevelSet{};
    sectionFound = false;
    for (const Key& key : keys) {
        std::string text;
        // The whole value counts: a value cut short can name a different number.
        if (!IniValue::Read(mainIni, section, key.name, text)) {
            continue;
        }
        sectionFound = true;
        const long value = IniValue::ToLong(text);
        if (value < 0 || value > maximum) {
            levels = LevelSet{};
            return 0;
        }
        levels.*key.member = static_cast<uint16_t>(value);
    }
    return 1;
}

bool LevelSet::Degenerate() const {
    return yWhite == yBlack || pbPlus == pbMinus || prPlus == prMinus;
}

}  // namespace nimbrel
