// COverlayPage: the "Overlay" tab of the video module windows: the logo, the ID text and the
// circle output 1 draws over its signal, each with its position, and their blinking.
//
// One class serves the four models; the model picks the template and the message numbers.
// The view hands the page its values (Load) before the page is created, and again before it
// sends one of the two reloads after an Apply. A reload rewrites the reloaded group's fields
// with the ready flag at 0: nothing goes back to the view and the document stays clean. The
// reloads keep the radio buttons and the logo list's selection as the page holds them.
//
// A group's controls are enabled while its radio button says "Enable". The logo positions are
// tenths of a percent, sent as the address of the page's own double; the other positions and the
// diameter are whole percent. The ID text is sent as the page's own text on every change.
#pragma once

#include <array>
#include <string>

#include "corvane/modules/video/CatalogRecords.h"
#include "corvane/pages/common/GridFieldPage.h"
#include "corvane/pages/overlay/OverlayMessages.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

struct OverlayValues {
    LogoSettings logo;  // with the names of the instrument's logos, ".lgo" included
    TextSettings text;
    CircleSettings circle;
    int blink = 0;  // 0 off, 2 fast, 3 slow
};

// The blink mode sent for each blink button, and the button a mode shows.
int BlinkModeOfButton(int index);
int BlinkButtonOfMode(int mode);

class COverlayPage : public CGridFieldPage {
public:
    explicit COverlayPage(VideoModel model);

    // The values shown at creation, or by the next reload message.
    void Load(const OverlayValues& values) { m_loaded = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;
    void DoDataExchange(platform::CDataExchange* dx) override;

    const OverlayMessages& Messages() const { return m_messages; }

private:
    enum Field { kLogoX, kLogoY, kTextX, kTextY, kCircleX, kCircleY, kDiameter, kFieldCount };

    void WriteField(Field field);
    void SendField(Field field);
    void UpdateEnabling();
    void SendLogoName();
    void SendState(platform::UINT message, int& state, int value);
    platform::LRESULT ReloadLogo();
    platform::LRESULT ReloadText();

    const OverlayMessages& m_messages;
    OverlayValues m_loaded;
    OverlayValues m_values;  // the page's copy, as sent
    std::array<int, kFieldCount> m_steps{};
    std::string m_idText;
    std::string m_logoName;  // the name last sent, whose address the message carries
    int m_logoIndex = -1;
    int m_logoRadio = 1;  // 0 Enable, 1 Disable
    int m_textRadio = 1;
    int m_circleRadio = 1;
    int m_blinkRadio = 0;
};

}  // namespace corvane
