// CAnalogVideoView: the window of the two analog video generators, the Oltra and the Yarlo.
//
// Four tabs: the signal, the moving picture, the overlay and the video output, each a page of
// its family built for the model. Every page message goes to its document setter; the model
// adds what only it has (the Oltra's video configuration and APL). After an Apply the pages
// that show something the Apply read again get their values and the reload message: the
// video page always (the output standard may have moved), the signal page's timing, the
// overlay's logo and ID text when the document says they were read.
//
// The format message is answered by sending the same number back to the signal page once the
// document has stored the format; the frame-picture message goes on to the overlay page with
// its own arguments, since a new picture or signal comes with its own ID text.
#pragma once

#include "corvane/modules/common/ModuleView.h"
#include "corvane/pages/movingpicture/MovingPicturePage.h"
#include "corvane/pages/overlay/OverlayPage.h"
#include "corvane/pages/videooutput/VideoOutputPage.h"
#include "corvane/pages/videosignal/VideoSignalPage.h"
#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

class CAnalogVideoDoc;

// What sets one analog model's window apart.
struct AnalogVideoViewModel {
    VideoModel model;
    const platform::DialogTemplate& form;
    const char* videoTabText;
    const VideoOutputMessages& videoMessages;
};

class CAnalogVideoView : public CModuleView {
public:
    ~CAnalogVideoView() override;

    CAnalogVideoDoc* GetAnalogDoc() const;

    void OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) override;

    // The pages, in tab order.
    CVideoSignalPage m_signalPage;
    CMovingPicturePage m_movingPage;
    COverlayPage m_overlayPage;
    CVideoOutputPage m_videoPage;

protected:
    explicit CAnalogVideoView(const AnalogVideoViewModel& model);

    void PushPageValues() override;
    void OnApplied() override;

    // The model's part of the video page's values; the family's part is filled already.
    virtual void FillVideoValues(VideoOutputValues& values) const { (void)values; }

private:
    VideoSignalValues SignalValues() const;
    OverlayValues OverlayValuesOf() const;
    VideoOutputValues VideoValues() const;
    void BindSignalPage();
    void BindMovingPage();
    void BindOverlayPage();
    void BindVideoPage();
    platform::LRESULT OnTimingQuery(platform::LPARAM lParam);
    platform::LRESULT OnFramePicture(platform::WPARAM wParam, platform::LPARAM lParam);

    const AnalogVideoViewModel& m_model;
};

}  // namespace corvane
