// CMovingPicturePage: the "Moving Picture" tab of the video module windows: how far output 1's
// picture moves each time, horizontally and vertically, the period between moves and the
// random mode.
//
// One class serves the four models; a per-model table gives the template, the message numbers
// and the step limits. The horizontal step moves in multiples of 4; the vertical step in
// multiples of the format's unit (2 on the Sormet's 525-143 format, else 1). Limits follow the
// format: where they depend on it, the view forwards its format message (wParam the format
// code) and the page takes the new limits, moving a vertical step they no longer allow onto
// the nearest one it does and sending that, as the opening does.
#pragma once

#include "corvane/modules/video/CatalogRecords.h"
#include "corvane/pages/common/GridFieldPage.h"
#include "corvane/pages/movingpicture/MovingPictureMessages.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

struct MovingPictureValues {
    MovingPictureSettings settings;
    int formatCode = 0;  // output 1's format; only the Sormet's limits depend on it
};

struct VerticalLimit {
    int limit;  // the step lies in -limit..limit
    int unit;   // and is a multiple of this
};

struct MovingPictureTable {
    VideoModel model;
    const MovingPictureMessages& messages;
    int horizontalLimit;  // the step lies in -limit..limit, in multiples of 4
    // The view's format message this page follows; 0 where the limits never change.
    platform::UINT formatMessage;
    VerticalLimit (*vertical)(int formatCode);
};

const MovingPictureTable& MovingPictureTableOf(VideoModel model);

class CMovingPicturePage : public CGridFieldPage {
public:
    explicit CMovingPicturePage(VideoModel model);

    // The values shown at creation.
    void Load(const MovingPictureValues& values) { m_values = values; }

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnVScroll(int code, int pos, int id) override;
    void DoDataExchange(platform::CDataExchange* dx) override;

private:
    enum Field { kHorizontal, kVertical, kPeriod, kFieldCount };

    void SetLimits();
    // The stored vertical step onto the current limits; a change is sent.
    void FitVerticalStep();
    void Send(Field field);
    platform::LRESULT FollowFormat(int formatCode);

    const MovingPictureTable& m_table;
    MovingPictureValues m_values;
    GridField m_fields[kFieldCount];
    int m_steps[kFieldCount] = {};
    int m_randomRadio = 1;  // 0 Enable, 1 Disable
};

}  // namespace corvane
