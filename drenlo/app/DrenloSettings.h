// CDrenloSettings: the ten integers of the "PrivateSetting" value (window placement, tree
// width, list mode, sort key and column widths) with their defaults.
//
// The text is read field by field; a field that does not parse ends the reading and it and
// every later field keep their defaults. Widths of zero (a damaged or hand-edited value) fall
// back to their defaults, and negative or absurd sizes are clamped so that a window or pane
// never starts with no size.
#pragma once

#include <string>

namespace drenlo {

class CDrenloSettings {
public:
    enum Index {
        kLeft,
        kTop,
        kWidth,
        kHeight,
        kTreeWidth,
        kViewMode,
        kSortKey,
        kNameWidth,
        kReserved,
        kSizeWidth,
        kCount
    };

    CDrenloSettings();

    void SetDefaults();
    // Parses the stored text; always succeeds (the defaults stand in for what does not parse).
    void Parse(const std::string& text);
    std::string ToString() const;

    int Get(Index index) const { return m_values[index]; }
    void Set(Index index, int value) { m_values[index] = value; }

    static int Default(Index index);

private:
    void Sanitise();

    int m_values[kCount];
};

}  // namespace drenlo
