// CSerialVideoView: the window of the serial digital video generators (Sormet, Ulmeth).
//
// Tabs: Signal, Moving Picture, Overlay, Audio, Video and, when the module has the black
// option, Black and Black (Audio). The option is read once with the document, so the tab set
// is fixed for the life of the window. Each page family is shared with the other video models;
// the model's SerialViewTable gives its form, its pages' tables and its numbers, so the Sormet
// and the Ulmeth differ here only by that table.
//
// Pages never reach the document: the view hands them their values before they are created
// and again before it asks one to reload, binds every page message to the document's setter
// and answers the pages' live timing queries from the instrument.
#pragma once

#include <memory>

#include "corvane/modules/common/ModuleView.h"
#include "corvane/pages/audio/EmbeddedAudioPage.h"
#include "corvane/pages/black/SerialBlackPage.h"
#include "corvane/pages/movingpicture/MovingPicturePage.h"
#include "corvane/pages/overlay/OverlayPage.h"
#include "corvane/pages/videooutput/VideoOutputPage.h"
#include "corvane/pages/videosignal/VideoSignalPage.h"

namespace corvane {

class CSerialVideoDoc;

struct SerialViewTable {
    VideoModel model;
    const platform::DialogTemplate& (*form)();
    const EmbeddedAudioTable& (*audio)();
    const EmbeddedAudioTable& (*blackAudio)();
    const SerialBlackTable& (*black)();
    const VideoSignalMessages& signal;
    const MovingPictureMessages& moving;
    const OverlayMessages& overlay;
    const VideoOutputMessages& video;
};

class CSerialVideoView : public CModuleView {
public:
    explicit CSerialVideoView(const SerialViewTable& table);
    ~CSerialVideoView() override;

    CSerialVideoDoc* GetSerialDoc() const;

    void OnInitialUpdate() override;
    void OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) override;

    // The pages, in tab order; the last two exist as tabs only with the black option.
    CVideoSignalPage m_signalPage;
    CMovingPicturePage m_movingPage;
    COverlayPage m_overlayPage;
    CEmbeddedAudioPage m_audioPage;
    CVideoOutputPage m_videoPage;
    CSerialBlackPage m_blackPage;
    CEmbeddedAudioPage m_blackAudioPage;

    // Whether the window has the black output's tabs, fixed at the initial update.
    int BlackOption() const { return m_blackOption; }

protected:
    void PushPageValues() override;
    void OnApplied() override;

    // The values each page is handed.
    VideoSignalValues SignalValues() const;
    MovingPictureValues MovingValues() const;
    OverlayValues OverlayPageValues() const;
    EmbeddedAudioValues AudioValues(int output) const;
    VideoOutputValues VideoValues() const;
    SerialBlackValues BlackValues() const;
    // The clock families the other HD modules run on (the Ulmeth's; absent elsewhere).
    virtual void OtherClockFamilies(int& brumo, int& kintor) const;

private:
    void BindSignalPage();
    void BindMovingPage();
    void BindOverlayPage();
    void BindAudioPage(int output, const EmbeddedAudioMessages& messages);
    void BindVideoPage();
    void BindBlackPage();
    void FormatStored(int code);
    void BlackFormatStored(int code);

    const SerialViewTable& m_table;
    int m_blackOption = 0;
};

}  // namespace corvane
