// CPirvoIdTextPage: what the Pirvo's Signal and Bars pages share, the ID text box of their
// output: the text, its mode (Enable, Disable, Blink Fast, Blink Slow) and its position in
// percent.
//
// A position is committed when its field loses the focus: the text is read as a whole number,
// kept in 0..100, written back and sent. While the operator types, each keystroke sends the
// value last committed again, unchanged. A window closed, or OK or Apply pressed from the
// keyboard, reads the document before any field loses the focus, so the view calls
// CommitPositions first; a typed position is never dropped.
#pragma once

#include <array>
#include <string>

#include "corvane/pages/common/TabPage.h"
#include "corvane/pages/pirvo/PirvoPageMessages.h"
#include "resources/corvane/PirvoPageForms.h"

namespace corvane {

// An output's ID text as the document holds it, which the view hands the page.
struct PirvoIdTextValues {
    int mode = 0;  // 0 Enable, 1 Disable, 2 Blink Fast, 3 Blink Slow
    int blinkState = 0;
    std::string blinkPeriod;  // "0.5" or "1.0"
    std::string text;
    int x = 0;
    int y = 0;
};

// The mode a page opens on: Disable stays Disable; otherwise the blinking decides, Blink Fast
// for "0.5", Blink Slow for "1.0", Enable for no blinking (or a period the page cannot show).
int PirvoIdTextModeShown(const PirvoIdTextValues& values);

class CPirvoIdTextPage : public CTabPage {
public:
    CPirvoIdTextPage(const platform::DialogTemplate& pageTemplate,
                     const PirvoIdTextControls& controls, const PirvoIdTextMessages& messages);

    // After an Apply: the text and the position as the document now holds them. The mode
    // stays as the page shows it. Nothing goes back to the view.
    void ReloadIdText(const PirvoIdTextValues& values);
    // Sends a position typed and not yet committed, as losing the focus would.
    void CommitPositions();

    int Mode() const { return m_mode; }

    platform::BOOL OnCommand(int id, int code) override;
    platform::BOOL OnNotify(int id, int code, void* data, platform::LRESULT* result) override;
    void DoDataExchange(platform::CDataExchange* dx) override;

protected:
    // The values the box shows when the page is created.
    void LoadIdText(const PirvoIdTextValues& values) { m_loaded = values; }
    // From the derived page's OnInitDialog, with the ready flag at 0.
    void InitIdText();
    // Sends `message` with the page's output in wParam.
    void SendToOutput(platform::UINT message, platform::LPARAM lParam);
    void SendTextToOutput(platform::UINT message, const std::string& text);

private:
    struct Position {
        int editId;
        int spinId;
        platform::UINT message;
        int value = 0;
        std::string text;
    };

    void WritePosition(Position& position);
    void SendPosition(const Position& position);
    void CommitPosition(Position& position);
    void OnModeClicked();
    void EnableIdText();

    const PirvoIdTextControls& m_controls;
    const PirvoIdTextMessages& m_messages;
    PirvoIdTextValues m_loaded;
    std::string m_idText;
    int m_mode = 0;
    std::array<Position, 2> m_positions;
};

}  // namespace corvane
