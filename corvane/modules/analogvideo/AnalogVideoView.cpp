#include "corvane/modules/analogvideo/AnalogVideoView.h"

#include "corvane/modules/analogvideo/AnalogVideoDoc.h"
#include "corvane/pages/movingpicture/MovingPictureMessages.h"
#include "corvane/pages/overlay/OverlayMessages.h"
#include "corvane/pages/videosignal/VideoSignalMessages.h"
#include "corvane/pages/videosignal/VideoSignalTables.h"

namespace corvane {

namespace {

using Order = ChannelMessage::Order;
using Doc = CAnalogVideoDoc;

// Pages send states in wParam and amounts in lParam.
ChannelMessage InWParam(platform::UINT number) {
    return {number, Order::ValueFirst};
}
ChannelMessage InLParam(platform::UINT number) {
    return {number, Order::ChannelFirst};
}

}  // namespace

CAnalogVideoView::CAnalogVideoView(const AnalogVideoViewModel& model)
    : CModuleView(model.form),
      m_signalPage(model.model),
      m_movingPage(model.model),
      m_overlayPage(model.model),
      m_videoPage(model.model),
      m_model(model) {
    AddPage(&m_signalPage, "Signal");
    AddPage(&m_movingPage, "Moving Picture");
    AddPage(&m_overlayPage, "Overlay");
    AddPage(&m_videoPage, model.videoTabText);
    BindSignalPage();
    BindMovingPage();
    BindOverlayPage();
    BindVideoPage();
}

CAnalogVideoView::~CAnalogVideoView() {
    DestroyPages();
}

CAnalogVideoDoc* CAnalogVideoView::GetAnalogDoc() const {
    return dynamic_cast<CAnalogVideoDoc*>(GetDocument());
}

void CAnalogVideoView::BindSignalPage() {
    const VideoSignalMessages& m = VideoSignalTableOf(m_model.model).messages;
    BindTextMessage(m.format, [this](int code, const std::string& name) {
        if (Doc* doc = GetAnalogDoc())
            doc->SetFormat(code, name);
    });
    struct Named {
        platform::UINT number;
        void (Doc::*set)(int index, const std::string& name);
    };
    for (const Named& named :
         {Named{m.signalSet, &Doc::SetSignalSet}, Named{m.signal, &Doc::SetSignal},
          Named{m.pictureSet, &Doc::SetPictureFolder}, Named{m.picture, &Doc::SetPicture}})
        BindTextMessage(named.number, [this, set = named.set](int index, const std::string& name) {
            if (Doc* doc = GetAnalogDoc())
                (doc->*set)(index, name);
        });
    BindValueSetters<Doc>({{InLParam(m.lines), &Doc::SetTimingLines}});
    BindDoubleMessage(m.delay, [this](double seconds) {
        if (Doc* doc = GetAnalogDoc())
            doc->SetTimingDelay(seconds);
    });
    OnMessage(m.timingQuery,
              [this](platform::WPARAM, platform::LPARAM lParam) { return OnTimingQuery(lParam); });
    OnMessage(m.framePicture, [this](platform::WPARAM wParam, platform::LPARAM lParam) {
        return OnFramePicture(wParam, lParam);
    });
}

void CAnalogVideoView::BindMovingPage() {
    const MovingPictureMessages& m = MovingPictureTableOf(m_model.model).messages;
    BindValueSetters<Doc>({
        {InLParam(m.horizontalStep), &Doc::SetMovingHorizontalStep},
        {InLParam(m.verticalStep), &Doc::SetMovingVerticalStep},
        {InLParam(m.period), &Doc::SetMovingPeriod},
        {InWParam(m.random), &Doc::SetMovingRandom},
    });
}

void CAnalogVideoView::BindOverlayPage() {
    const OverlayMessages& m = m_overlayPage.Messages();
    BindValueSetters<Doc>({
        {InWParam(m.logoState), &Doc::SetLogoState},
        {InWParam(m.textState), &Doc::SetTextState},
        {InLParam(m.textX), &Doc::SetTextHorizontal},
        {InLParam(m.textY), &Doc::SetTextVertical},
        {InWParam(m.circleState), &Doc::SetCircleState},
        {InLParam(m.circleX), &Doc::SetCircleHorizontal},
        {InLParam(m.circleY), &Doc::SetCircleVertical},
        {InLParam(m.diameter), &Doc::SetCircleDiameter},
        {InWParam(m.blink), &Doc::SetBlinkCode},
    });
    BindTextMessage(m.logoName, [this](int, const std::string& name) {
        if (Doc* doc = GetAnalogDoc())
            doc->SetLogoSelection(name);
    });
    BindTextMessage(m.text, [this](int, const std::string& text) {
        if (Doc* doc = GetAnalogDoc())
            doc->SetTextData(text);
    });
    BindDoubleMessage(m.logoX, [this](double percent) {
        if (Doc* doc = GetAnalogDoc())
            doc->SetLogoHorizontal(percent);
    });
    BindDoubleMessage(m.logoY, [this](double percent) {
        if (Doc* doc = GetAnalogDoc())
            doc->SetLogoVertical(percent);
    });
}

void CAnalogVideoView::BindVideoPage() {
    const VideoOutputMessages& m = m_model.videoMessages;
    BindValueSetters<Doc>({
        {InLParam(m.channel1), &Doc::SetChannelY},
        {InLParam(m.channel2), &Doc::SetChannelPb},
        {InLParam(m.channel3), &Doc::SetChannelPr},
        {InLParam(m.sync), &Doc::SetSyncState},
    });
}

platform::LRESULT CAnalogVideoView::OnTimingQuery(platform::LPARAM lParam) {
    auto* timing = reinterpret_cast<VideoSignalTiming*>(lParam);
    Doc* doc = GetAnalogDoc();
    if (timing == nullptr || doc == nullptr)
        return 0;
    CAnalogVideoDoc::OutputTiming live;
    if (!doc->QueryOutput1Timing(live))
        return 0;
    timing->lines = live.lines;
    timing->delay = live.delay;
    return 1;
}

platform::LRESULT CAnalogVideoView::OnFramePicture(platform::WPARAM wParam,
                                                   platform::LPARAM lParam) {
    Doc* doc = GetAnalogDoc();
    if (doc == nullptr)
        return 0;
    doc->SetFramePictureMode(static_cast<int>(static_cast<platform::LPARAM>(wParam)));
    if (m_overlayPage.IsWindow()) {
        m_overlayPage.Load(OverlayValuesOf());
        m_overlayPage.SendMessage(m_overlayPage.Messages().textReload, wParam, lParam);
    }
    return 0;
}

VideoSignalValues CAnalogVideoView::SignalValues() const {
    VideoSignalValues values;
    const Doc* doc = GetAnalogDoc();
    if (doc == nullptr)
        return values;
    values.format = doc->m_formatIndex.Value();
    values.signalSet = doc->m_signalSetIndex.Value();
    values.signal = doc->m_signalIndex.Value();
    values.pictureSet = doc->m_pictureFolderIndex.Value();
    values.picture = doc->m_pictureIndex.Value();
    values.formatName = doc->m_formatName;
    values.signalSetName = doc->m_signalSetName;
    values.signalName = doc->m_signalName;
    values.pictureSetName = doc->m_pictureFolderName;
    values.pictureName = doc->m_pictureName;
    values.framePicture = doc->m_framePicture;
    values.lines = doc->m_timingLines.Value();
    values.delay = doc->m_timingDelay.Value();
    values.signalTree = doc->m_signals;
    values.pictures = doc->m_pictures;
    values.otherOutput = doc->m_secondOutput;
    values.otherOutputFormat = doc->m_secondOutputCode;
    return values;
}

OverlayValues CAnalogVideoView::OverlayValuesOf() const {
    OverlayValues values;
    const Doc* doc = GetAnalogDoc();
    if (doc == nullptr)
        return values;
    values.logo = {doc->m_logoState.Value(), doc->m_logoHorizontal.Value(),
                   doc->m_logoVertical.Value(), doc->m_logoSelection.Value(), doc->m_logoNames};
    values.text = {doc->m_textState.Value(), doc->m_textHorizontal.Value(),
                   doc->m_textVertical.Value(), doc->m_text.Value()};
    values.circle = {doc->m_circleState.Value(), doc->m_circleHorizontal.Value(),
                     doc->m_circleVertical.Value(), doc->m_circleDiameter.Value()};
    values.blink = doc->m_blinkCode.Value();
    return values;
}

VideoOutputValues CAnalogVideoView::VideoValues() const {
    VideoOutputValues values;
    const Doc* doc = GetAnalogDoc();
    if (doc == nullptr)
        return values;
    values.channel1 = doc->m_channelY.Value();
    values.channel2 = doc->m_channelPb.Value();
    values.channel3 = doc->m_channelPr.Value();
    values.sync = doc->m_syncState.Value();
    values.outputCode = doc->m_standardCode;
    FillVideoValues(values);
    return values;
}

void CAnalogVideoView::PushPageValues() {
    const Doc* doc = GetAnalogDoc();
    if (doc == nullptr)
        return;
    m_signalPage.Load(SignalValues());
    MovingPictureValues moving;
    moving.settings = {doc->m_movingHorizontal.Value(), doc->m_movingVertical.Value(),
                       doc->m_movingPeriod.Value(), doc->m_movingRandom.Value()};
    moving.formatCode = doc->m_formatCode;
    m_movingPage.Load(moving);
    m_overlayPage.Load(OverlayValuesOf());
    m_videoPage.Load(VideoValues());
}

void CAnalogVideoView::OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) {
    CModuleView::OnUpdate(sender, hint, hintObject);
    if (ModuleHintAs<CAnalogVideoDoc::FormatChosen>(hint, hintObject) != nullptr &&
        m_signalPage.IsWindow())
        m_signalPage.SendMessage(VideoSignalTableOf(m_model.model).messages.setLimits);
}

void CAnalogVideoView::OnApplied() {
    Doc* doc = GetAnalogDoc();
    if (doc != nullptr) {
        // The notices are taken whether or not a page is there to reload, so none outlives
        // this Apply.
        const int signal = doc->TakeSignalReloadNotice();
        const int logo = doc->TakeLogoRereadNotice();
        const int text = doc->TakeTextReloadedNotice();
        if (m_videoPage.IsWindow()) {
            m_videoPage.Load(VideoValues());
            m_videoPage.SendMessage(m_model.videoMessages.reload);
        }
        if (signal && m_signalPage.IsWindow()) {
            m_signalPage.Load(SignalValues());
            m_signalPage.SendMessage(VideoSignalTableOf(m_model.model).messages.timingReload);
        }
        const OverlayMessages& overlay = m_overlayPage.Messages();
        if ((logo || text) && m_overlayPage.IsWindow())
            m_overlayPage.Load(OverlayValuesOf());
        if (logo && m_overlayPage.IsWindow())
            m_overlayPage.SendMessage(overlay.logoReload);
        if (text && m_overlayPage.IsWindow())
            m_overlayPage.SendMessage(overlay.textReload);
    }
    CModuleView::OnApplied();
}

}  // namespace corvane
