#include "corvane/modules/serialvideo/SerialVideoView.h"

#include "corvane/modules/serialvideo/SerialVideoDoc.h"

namespace corvane {

namespace {

constexpr platform::LPARAM kFormatHint = 1;

// A page message that carries one integer: in lParam ("l value") or in wParam ("w state").
ChannelMessage InLParam(platform::UINT number) {
    return {number, ChannelMessage::Order::ChannelFirst};
}
ChannelMessage InWParam(platform::UINT number) {
    return {number, ChannelMessage::Order::ValueFirst};
}

// Fills a page's {lines, delay} record from the module's live timing; 1 when it was read.
template <typename Timing>
platform::LRESULT AnswerTiming(CSerialVideoDoc* doc, int (CSerialVideoDoc::*read)(int&, double&),
                               platform::LPARAM lParam) {
    auto* timing = reinterpret_cast<Timing*>(lParam);
    int lines = 0;
    double delay = 0.0;
    if (timing == nullptr || doc == nullptr || (doc->*read)(lines, delay) == 0)
        return 0;
    timing->lines = lines;
    timing->delay = delay;
    return 1;
}

int TreeIndexOf(const SignalTree& tree, const std::string& name) {
    for (size_t i = 0; i < tree.size(); ++i)
        if (tree[i].name == name)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

CSerialVideoView::CSerialVideoView(const SerialViewTable& table)
    : CModuleView(table.form()),
      m_signalPage(table.model),
      m_movingPage(table.model),
      m_overlayPage(table.model),
      m_audioPage(table.audio()),
      m_videoPage(table.model),
      m_blackPage(table.black()),
      m_blackAudioPage(table.blackAudio()),
      m_table(table) {
    AddPage(&m_signalPage, "Signal");
    AddPage(&m_movingPage, "Moving Picture");
    AddPage(&m_overlayPage, "Overlay");
    AddPage(&m_audioPage, "Audio");
    AddPage(&m_videoPage, "Video");
    BindSignalPage();
    BindMovingPage();
    BindOverlayPage();
    BindAudioPage(1, table.audio().messages);
    BindVideoPage();
    BindBlackPage();
    BindAudioPage(2, table.blackAudio().messages);
}

CSerialVideoView::~CSerialVideoView() {
    DestroyPages();
}

CSerialVideoDoc* CSerialVideoView::GetSerialDoc() const {
    return dynamic_cast<CSerialVideoDoc*>(GetDocument());
}

void CSerialVideoView::OnInitialUpdate() {
    // Output 2's pages are tabs only on a module that has the output; its messages stay bound
    // but no page can send them.
    const CSerialVideoDoc* doc = GetSerialDoc();
    m_blackOption = doc != nullptr && doc->m_blackOption != 0 ? 1 : 0;
    if (m_blackOption != 0) {
        AddPage(&m_blackPage, "Black");
        AddPage(&m_blackAudioPage, "Black (Audio)");
    }
    CModuleView::OnInitialUpdate();
}

// ---- Values handed to the pages ----

void CSerialVideoView::OtherClockFamilies(int& brumo, int& kintor) const {
    brumo = kClockNoBrumo;
    kintor = kClockNoKintor;
}

VideoSignalValues CSerialVideoView::SignalValues() const {
    VideoSignalValues v;
    const CSerialVideoDoc* doc = GetSerialDoc();
    if (doc == nullptr)
        return v;
    v.signalTree = doc->m_signalTree;
    v.pictures = doc->m_pictures;
    v.formatName = doc->m_formatName;
    v.format = TreeIndexOf(v.signalTree, v.formatName);
    v.signalSet = doc->m_signalSet;
    v.signal = doc->m_signal;
    v.signalSetName = doc->m_signalSetName;
    v.signalName = doc->m_signalName;
    v.pictureSet = doc->m_pictureFolder;
    v.picture = doc->m_pictureFile;
    v.pictureSetName = doc->m_pictureFolderName;
    v.pictureName = doc->m_pictureFileName;
    v.framePicture = doc->m_framePicture;
    v.lines = doc->m_lines;
    v.delay = doc->m_delay;
    v.otherOutput = doc->m_blackOption;
    v.otherOutputFormat = doc->m_blackFormat;
    OtherClockFamilies(v.brumoFamily, v.kintorFamily);
    return v;
}

MovingPictureValues CSerialVideoView::MovingValues() const {
    MovingPictureValues v;
    if (const CSerialVideoDoc* doc = GetSerialDoc()) {
        v.settings.horizontalStep = doc->m_movingHorizontalStep;
        v.settings.verticalStep = doc->m_movingVerticalStep;
        v.settings.period = doc->m_movingPeriod;
        v.settings.random = doc->m_movingRandom;
        v.formatCode = doc->m_formatIndex;
    }
    return v;
}

OverlayValues CSerialVideoView::OverlayPageValues() const {
    OverlayValues v;
    const CSerialVideoDoc* doc = GetSerialDoc();
    if (doc == nullptr)
        return v;
    v.logo.state = doc->m_logoState;
    v.logo.horizontal = doc->m_logoHorizontal;
    v.logo.vertical = doc->m_logoVertical;
    v.logo.selected = doc->m_logoName;
    v.logo.logos = doc->m_logos;
    v.text.state = doc->m_textState;
    v.text.horizontal = doc->m_textHorizontal;
    v.text.vertical = doc->m_textVertical;
    v.text.text = doc->m_text;
    v.circle.state = doc->m_circleState;
    v.circle.horizontal = doc->m_circleHorizontal;
    v.circle.vertical = doc->m_circleVertical;
    v.circle.diameter = doc->m_circleDiameter;
    v.blink = doc->m_blinkMode;
    return v;
}

EmbeddedAudioValues CSerialVideoView::AudioValues(int output) const {
    EmbeddedAudioValues v;
    const CSerialVideoDoc* doc = GetSerialDoc();
    if (doc == nullptr)
        return v;
    const SerialAudio& audio = output == 1 ? doc->m_audio : doc->m_blackAudio;
    for (size_t g = 0; g < v.groups.size(); ++g) {
        v.groups[g].state = audio.groupState[g];
        v.groups[g].preEmphasis = audio.preEmphasis[g];
        v.groups[g].bits = audio.bits[g];
        v.groups[g].sampling = audio.sampling[g];
    }
    // The pages are made from a fresh read, where each frequency is its list position.
    for (size_t c = 0; c < v.channels.size(); ++c) {
        v.channels[c].amplitude = audio.amplitude[c];
        v.channels[c].frequency = audio.frequencyIndex[c];
        v.channels[c].click = audio.click[c];
    }
    v.format = output == 1 ? doc->m_formatIndex : doc->m_blackFormat.Value();
    return v;
}

VideoOutputValues CSerialVideoView::VideoValues() const {
    VideoOutputValues v;
    if (const CSerialVideoDoc* doc = GetSerialDoc()) {
        v.channel1 = doc->m_videoY;
        v.channel2 = doc->m_videoPb;
        v.channel3 = doc->m_videoPr;
        v.bits = doc->m_videoBits;
        v.edh = doc->m_videoEdh;
        v.avTiming = doc->m_avTiming;
        v.firmwareVersion = doc->FirmwareVersion();
    }
    return v;
}

SerialBlackValues CSerialVideoView::BlackValues() const {
    SerialBlackValues v;
    const CSerialVideoDoc* doc = GetSerialDoc();
    if (doc == nullptr)
        return v;
    v.format = doc->m_blackFormat;
    v.signal = doc->m_blackSignal;
    v.lines = doc->m_blackLines;
    v.delay = doc->m_blackDelay;
    v.edh = doc->m_blackEdh;
    v.bits = doc->m_blackBits;
    v.firmwareVersion = doc->FirmwareVersion();
    v.output1FormatName = doc->m_formatName;
    v.output1Format = doc->m_formatIndex;
    OtherClockFamilies(v.brumoClockFamily, v.kintorClockFamily);
    return v;
}

void CSerialVideoView::PushPageValues() {
    m_signalPage.Load(SignalValues());
    m_movingPage.Load(MovingValues());
    m_overlayPage.Load(OverlayPageValues());
    m_audioPage.Load(AudioValues(1));
    m_videoPage.Load(VideoValues());
    if (m_blackOption != 0) {
        m_blackPage.Load(BlackValues());
        m_blackAudioPage.Load(AudioValues(2));
    }
}

// ---- Page messages ----

void CSerialVideoView::BindSignalPage() {
    const VideoSignalMessages& m = m_table.signal;
    BindTextMessage(m.format, [this](int code, const std::string& name) {
        if (CSerialVideoDoc* doc = GetSerialDoc()) {
            doc->SetFormat(code, name);
            FormatStored(code);
        }
    });
    BindTextMessage(m.signalSet, [this](int index, const std::string& name) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetSignalSet(index, name);
    });
    BindTextMessage(m.signal, [this](int index, const std::string& name) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetSignal(index, name);
    });
    BindTextMessage(m.pictureSet, [this](int index, const std::string& name) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetPictureFolder(index, name);
    });
    BindTextMessage(m.picture, [this](int index, const std::string& name) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetPictureFile(index, name);
    });
    BindChannelMessage(InWParam(m.framePicture), [this](int, int mode) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetFramePicture(mode);
    });
    BindChannelMessage(InLParam(m.lines), [this](int, int lines) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetLines(lines);
    });
    BindDoubleMessage(m.delay, [this](double seconds) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetDelay(seconds);
    });
    OnMessage(m.timingQuery, [this](platform::WPARAM, platform::LPARAM lParam) {
        return AnswerTiming<VideoSignalTiming>(GetSerialDoc(), &CSerialVideoDoc::ReadLiveTiming,
                                               lParam);
    });
}

void CSerialVideoView::FormatStored(int code) {
    // The pages whose limits or groups follow output 1's format hear of it; the signal page
    // was told by the format hint.
    if (const platform::UINT audio = m_table.audio().messages.formatChanged; audio != 0)
        m_audioPage.SendMessage(audio, static_cast<platform::WPARAM>(code), 0);
    if (const platform::UINT moving = MovingPictureTableOf(m_table.model).formatMessage;
        moving != 0)
        m_movingPage.SendMessage(moving, static_cast<platform::WPARAM>(code), 0);
    // The black page asks about its clock against output 1's format.
    if (m_blackOption != 0)
        m_blackPage.Load(BlackValues());
}

void CSerialVideoView::BlackFormatStored(int code) {
    if (const platform::UINT audio = m_table.blackAudio().messages.formatChanged; audio != 0)
        m_blackAudioPage.SendMessage(audio, static_cast<platform::WPARAM>(code), 0);
    // The signal page asks about its clock against output 2's format.
    m_signalPage.Load(SignalValues());
}

void CSerialVideoView::BindMovingPage() {
    const MovingPictureMessages& m = m_table.moving;
    BindChannelMessage(InLParam(m.horizontalStep), [this](int, int v) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetMovingHorizontalStep(v);
    });
    BindChannelMessage(InLParam(m.verticalStep), [this](int, int v) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetMovingVerticalStep(v);
    });
    BindChannelMessage(InLParam(m.period), [this](int, int v) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetMovingPeriod(v);
    });
    BindChannelMessage(InWParam(m.random), [this](int, int state) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetMovingRandom(state);
    });
}

void CSerialVideoView::BindOverlayPage() {
    const OverlayMessages& m = m_table.overlay;
    using Setter = void (CSerialVideoDoc::*)(int);
    const struct {
        ChannelMessage message;
        Setter set;
    } values[] = {
        {InWParam(m.logoState), &CSerialVideoDoc::SetLogoState},
        {InWParam(m.textState), &CSerialVideoDoc::SetTextState},
        {InLParam(m.textX), &CSerialVideoDoc::SetTextHorizontal},
        {InLParam(m.textY), &CSerialVideoDoc::SetTextVertical},
        {InWParam(m.circleState), &CSerialVideoDoc::SetCircleState},
        {InLParam(m.circleX), &CSerialVideoDoc::SetCircleHorizontal},
        {InLParam(m.circleY), &CSerialVideoDoc::SetCircleVertical},
        {InLParam(m.diameter), &CSerialVideoDoc::SetCircleDiameter},
        {InWParam(m.blink), &CSerialVideoDoc::SetBlinkMode},
    };
    for (const auto& entry : values)
        BindChannelMessage(entry.message, [this, set = entry.set](int, int v) {
            if (CSerialVideoDoc* doc = GetSerialDoc())
                (doc->*set)(v);
        });
    BindTextMessage(m.logoName, [this](int, const std::string& name) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetLogoName(name);
    });
    BindTextMessage(m.text, [this](int, const std::string& text) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetText(text);
    });
    BindDoubleMessage(m.logoX, [this](double percent) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetLogoHorizontal(percent);
    });
    BindDoubleMessage(m.logoY, [this](double percent) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetLogoVertical(percent);
    });
}

void CSerialVideoView::BindAudioPage(int output, const EmbeddedAudioMessages& m) {
    using Setter = void (CSerialVideoDoc::*)(int output, int channel, int value);
    const struct {
        platform::UINT number;
        Setter set;
    } table[] = {
        {m.groupState, &CSerialVideoDoc::SetAudioGroupState},
        {m.emphasis, &CSerialVideoDoc::SetAudioPreEmphasis},
        {m.sampling, &CSerialVideoDoc::SetAudioSampling},
        {m.bits, &CSerialVideoDoc::SetAudioBits},
        {m.frequency, &CSerialVideoDoc::SetAudioFrequency},
        {m.amplitude, &CSerialVideoDoc::SetAudioAmplitude},
        {m.click, &CSerialVideoDoc::SetAudioClick},
    };
    for (const auto& entry : table)
        BindChannelMessage(InLParam(entry.number),
                           [this, output, set = entry.set](int channel, int value) {
                               if (CSerialVideoDoc* doc = GetSerialDoc())
                                   (doc->*set)(output, channel, value);
                           });
}

void CSerialVideoView::BindVideoPage() {
    const VideoOutputMessages& m = m_table.video;
    using Setter = void (CSerialVideoDoc::*)(int);
    const struct {
        platform::UINT number;
        Setter set;
    } table[] = {
        {m.channel1, &CSerialVideoDoc::SetVideoY},  {m.channel2, &CSerialVideoDoc::SetVideoPb},
        {m.channel3, &CSerialVideoDoc::SetVideoPr}, {m.bits, &CSerialVideoDoc::SetVideoBits},
        {m.edh, &CSerialVideoDoc::SetVideoEdh},     {m.avTiming, &CSerialVideoDoc::SetAvTiming},
    };
    for (const auto& entry : table)
        if (entry.number != 0)
            BindChannelMessage(InLParam(entry.number), [this, set = entry.set](int, int v) {
                if (CSerialVideoDoc* doc = GetSerialDoc())
                    (doc->*set)(v);
            });
}

void CSerialVideoView::BindBlackPage() {
    const SerialBlackMessages& m = m_table.black().messages;
    BindChannelMessage(InLParam(m.format), [this](int, int code) {
        if (CSerialVideoDoc* doc = GetSerialDoc()) {
            doc->SetBlackFormat(code);
            BlackFormatStored(code);
        }
    });
    using Setter = void (CSerialVideoDoc::*)(int);
    const struct {
        platform::UINT number;
        Setter set;
    } table[] = {
        {m.signal, &CSerialVideoDoc::SetBlackSignal},
        {m.lines, &CSerialVideoDoc::SetBlackLines},
        {m.edh, &CSerialVideoDoc::SetBlackEdh},
        {m.bits, &CSerialVideoDoc::SetBlackBits},
    };
    for (const auto& entry : table)
        if (entry.number != 0)
            BindChannelMessage(InLParam(entry.number), [this, set = entry.set](int, int v) {
                if (CSerialVideoDoc* doc = GetSerialDoc())
                    (doc->*set)(v);
            });
    BindDoubleMessage(m.delay, [this](double seconds) {
        if (CSerialVideoDoc* doc = GetSerialDoc())
            doc->SetBlackDelay(seconds);
    });
    OnMessage(m.timingQuery, [this](platform::WPARAM, platform::LPARAM lParam) {
        return AnswerTiming<SerialBlackTiming>(GetSerialDoc(),
                                               &CSerialVideoDoc::ReadLiveBlackTiming, lParam);
    });
}

// ---- Document hints and Apply ----

void CSerialVideoView::OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) {
    CModuleView::OnUpdate(sender, hint, hintObject);
    // The format is stored: the signal page sets that format's timing limits.
    if (hint == kFormatHint && m_signalPage.IsWindow())
        m_signalPage.SendMessage(m_table.signal.setLimits, 0, 0);
}

void CSerialVideoView::OnApplied() {
    if (CSerialVideoDoc* doc = GetSerialDoc()) {
        // What the Apply made the module change, the pages read again.
        if (doc->TakeTimingChanged() && m_signalPage.IsWindow()) {
            m_signalPage.Load(SignalValues());
            m_signalPage.SendMessage(m_table.signal.timingReload, 0, 0);
        }
        if (doc->TakeBlackChanged() && m_blackOption != 0 && m_blackPage.IsWindow()) {
            m_blackPage.Load(BlackValues());
            m_blackPage.SendMessage(m_table.black().messages.timingReload, 0, 0);
        }
        const bool logo = doc->TakeLogoReread() != 0;
        const bool text = doc->TakeTextReread() != 0;
        if ((logo || text) && m_overlayPage.IsWindow()) {
            m_overlayPage.Load(OverlayPageValues());
            if (logo)
                m_overlayPage.SendMessage(m_table.overlay.logoReload, 0, 0);
            if (text)
                m_overlayPage.SendMessage(m_table.overlay.textReload, 0, 0);
        }
    }
    CModuleView::OnApplied();
}

}  // namespace corvane
