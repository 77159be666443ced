#include "corvane/modules/serialvideo/SerialVideoDoc.h"

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/video/CatalogLocators.h"
#include "corvane/modules/video/CatalogReader.h"
#include "corvane/modules/video/SettingReplies.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"

namespace corvane {

namespace {

// The bar's steps, one per query or parameter position, counted by the parts that take them.
// ReadOutput1: the moving picture, the blinking, the logo, the logo list, the text, the circle.
constexpr int kOutput1ReadSteps = 6;
// ReadAudio: each group's query and each of its channels'.
constexpr int kChannelsPerGroup = SerialAudio::kChannels / SerialAudio::kGroups;
constexpr int kAudioReadSteps = SerialAudio::kGroups * (1 + kChannelsPerGroup);
// SendAudio: each group's state, pre-emphasis, bits and sampling, each channel's amplitude,
// frequency and click.
constexpr int kAudioApplySteps = SerialAudio::kGroups * (4 + 3 * kChannelsPerGroup);
// SendOverlay: the blinking, the logo's state, name and position, the text's state, data and
// position, the circle's state, position and diameter.
constexpr int kOverlayApplySteps = 1 + 4 + 4 + 4;

// The read's steps after the catalogues, which take their own.
int ReadStepsAfterCatalog(bool blackOption) {
    // Output 1: its timing, ReadOutput1, its audio, the video switches and the AV timing.
    const int output1 = 1 + kOutput1ReadSteps + kAudioReadSteps + 2;
    // Output 2: its format and signal, its timing and its audio.
    const int output2 = 2 + kAudioReadSteps;
    return output1 + (blackOption ? output2 : 0);
}

// The Apply's steps.
int ApplySteps(const SerialVideoModel& model, bool blackOption) {
    const int bitsAndEdh = model.hasBitsAndEdh ? 2 : 0;
    // The load, the timing, the moving picture, the overlay, the audio, the Y, PB and PR
    // switches, the bits and EDH where the model has them, the AV timing.
    const int output1 = 1 + 2 + 4 + kOverlayApplySteps + kAudioApplySteps + 3 + bitsAndEdh + 1;
    // The format, the signal, the timing, the EDH and bits where the model has them, the audio.
    const int output2 = 1 + 1 + 2 + bitsAndEdh + kAudioApplySteps;
    // The selection first, "*OPC?" and "SYST:ERR?" last.
    return 1 + output1 + (blackOption ? output2 : 0) + 2;
}

// The opening asks for output 1's timing in the short form the module has always been sent;
// the live queries spell both headers out.
const char* const kOpeningTimingQuery = "SENS1:CORR:MDEL:VERT?;HOR?";
const char* const kLiveTimingQuery = "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?";
const char* const kLiveBlackTimingQuery = "SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?";

const char* const kPreEmphasisWords[] = {"OFF", "CD", "CCIT"};
const char* const kSamplingWords[] = {"FRAM", "NOFR", "ASYN"};
const char* const kBlackSignalWords[] = {"BLAC", "GRAY", "FF50P", "WHIT"};

template <size_t N>
std::string WordOf(const char* const (&words)[N], int code) {
    return code >= 0 && code < static_cast<int>(N) ? words[code] : "";
}

// The catalogue reader's bar on the document's sink: the run begins when the reader knows its
// range, and the position is counted so the remaining reads can fill the bar exactly.
class CatalogProgressOnSink : public ICatalogProgress {
public:
    CatalogProgressOnSink(IProgressSink& sink, std::string text)
        : m_sink(sink), m_text(std::move(text)) {}
    ~CatalogProgressOnSink() override {
        if (m_begun)
            m_sink.End();
    }
    void SetRange(int, int upper) override {
        if (!m_begun)
            m_sink.Begin(m_text, upper);
        m_begun = true;
        m_upper = upper;
    }
    void SetStep(int) override {}
    void StepIt() override {
        if (m_begun)
            m_sink.Step();
        ++m_position;
    }
    // Moves on to `upper - remaining`, never back.
    void LeaveSteps(int remaining) {
        while (m_begun && m_position < m_upper - remaining) StepIt();
    }

private:
    IProgressSink& m_sink;
    std::string m_text;
    bool m_begun = false;
    int m_upper = 0;
    int m_position = 0;
};

// A quoted text goes out as the instrument can carry it: a double quote would end it early
// and control characters have no place in it, so they are left out.
std::string Quotable(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '"' && static_cast<unsigned char>(c) >= 0x20)
            out += c;
    return out;
}

std::string Root(const SerialVideoModel& model, const char* folder) {
    return "/F0:/" + ModelName(model.kind) + "/" + folder;
}

}  // namespace

CSerialVideoDoc::CSerialVideoDoc(const SerialVideoModel& model)
    : CModuleDoc(model.kind, model.questionId), m_model(model) {}

CSerialVideoDoc::~CSerialVideoDoc() = default;

double CSerialVideoDoc::FirmwareVersion() const {
    if (m_firmwareOverride >= 0.0)
        return m_firmwareOverride;
    const CMainFrame* frame = MainFrame();
    return frame ? frame->m_firmwareVersion : 0.0;
}

void CSerialVideoDoc::Post(platform::UINT message, platform::WPARAM wParam) {
    if (m_post) {
        m_post(message, wParam);
        return;
    }
    if (CMainFrame* frame = MainFrame())
        frame->PostMessage(message, wParam, 0);
}

int CSerialVideoDoc::BlackSignalCode(const std::string& word) {
    for (int i = 0; i < 4; ++i)
        if (word == kBlackSignalWords[i])
            return i;
    return -1;
}

std::string CSerialVideoDoc::BlackSignalWord(int code) {
    return WordOf(kBlackSignalWords, code);
}

// ---- Reading ----

int CSerialVideoDoc::ReadAll() {
    platform::CWaitCursor wait;
    if (!ReadBeforeSelect() || !SelectModule())
        return 0;
    std::string active;
    if (!QueryReply(platform::Format("MMEM:SIGN:ACT? %d", m_slot), active))
        return 0;
    if (active == "\"\"") {
        platform::AfxMessageBox("Signal is not selected.\n\nCan not open.",
                                platform::MB_ICONEXCLAMATION);
        return 0;
    }
    m_framePicture = active.find("/../PICTURE/") != std::string::npos ? 1 : 0;
    std::string option;
    if (!QueryReply("OUTP:CONF?", option))
        return 0;
    m_blackOption = option == "1" ? 1 : 0;

    const int extraSteps = ReadStepsAfterCatalog(m_blackOption != 0);
    CatalogProgressOnSink bar(
        Progress(),
        platform::Format("Reading %s [%d] ...", ModelName(m_model.kind).c_str(), m_slot));
    CCatalogReader reader(Link());
    if (!reader.ReadSignalTree(m_signalTree, &bar, extraSteps, Root(m_model, "SIGNAL"))) {
        platform::AfxMessageBox("Could not read 'signal directory' correctry!\n\nCan not continue.",
                                platform::MB_ICONSTOP);
        return 0;
    }
    if (!reader.ReadPictureCatalog(m_pictures, &bar, Root(m_model, "PICTURE"))) {
        platform::AfxMessageBox(
            "Could not read 'picture directory' correctry!\n\nCan not continue.",
            platform::MB_ICONSTOP);
        return 0;
    }
    if (!ResolveActiveSignal())
        return 0;
    bar.LeaveSteps(extraSteps);

    int lines = 0;
    double delay = 0.0;
    if (!ReadTiming(kOpeningTimingQuery, lines, delay))
        return 0;
    m_lines.Load(lines);
    m_delay.Load(delay);
    bar.StepIt();
    if (!ReadOutput1() || !ReadAudio(1, m_audio))
        return 0;
    return m_blackOption ? ReadBlack() : 1;
}

int CSerialVideoDoc::ResolveActiveSignal() {
    std::string active;
    if (!QueryActiveSignal(active))
        return 0;
    int format = -1, set = 0, signal = 0, folder = 0, file = 0;
    std::string standard;
    if (m_framePicture) {
        const auto location = LocatePicture(active, m_pictures);
        if (!location) {
            platform::AfxMessageBox("Could not read frame picture name.\n\nCan not continue.",
                                    platform::MB_ICONSTOP);
            return 0;
        }
        folder = location->folder;
        file = location->file;
        // The catalogue's folders need not be in code order: the output's format names its
        // folder.
        if (!QueryReply("OUTP1:STAN?", standard) || !ReadFormat(standard, m_formatIndex))
            return 0;
        const VideoFormat* row = FindFormatByCode(m_model.model, m_formatIndex);
        for (size_t i = 0; row && i < m_signalTree.size(); ++i)
            if (m_signalTree[i].name == row->name)
                format = static_cast<int>(i);
    } else {
        const auto location = LocateSignal(active, m_signalTree);
        if (!location) {
            platform::AfxMessageBox(std::string(m_model.signalNotFound) + "\n\nCan not continue.",
                                    platform::MB_ICONSTOP);
            return 0;
        }
        format = location->format;
        set = location->set;
        signal = location->signal;
    }
    m_signalSet.Load(set);
    m_signal.Load(signal);
    m_pictureFolder.Load(folder);
    m_pictureFile.Load(file);

    // Every level is looked at only where it exists; a missing one leaves its name empty.
    m_formatName.clear();
    m_signalSetName.clear();
    m_signalName.clear();
    if (format >= 0 && format < static_cast<int>(m_signalTree.size())) {
        const SignalSet& f = m_signalTree[static_cast<size_t>(format)];
        m_formatName = f.name;
        if (set < static_cast<int>(f.sets.size())) {
            const CatalogFolder& s = f.sets[static_cast<size_t>(set)];
            m_signalSetName = s.name;
            if (signal < static_cast<int>(s.files.size()))
                m_signalName = s.files[static_cast<size_t>(signal)].fileName;
        }
    }
    m_signalPath = m_formatName + "/" + m_signalSetName + "/" + m_signalName;
    m_pictureFolderName.clear();
    m_pictureFileName.clear();
    if (folder < static_cast<int>(m_pictures.folders.size())) {
        const CatalogFolder& f = m_pictures.folders[static_cast<size_t>(folder)];
        m_pictureFolderName = f.name;
        if (file < static_cast<int>(f.files.size()))
            m_pictureFileName = f.files[static_cast<size_t>(file)].fileName;
    }
    if (!m_framePicture)
        return QueryReply("OUTP1:STAN?", standard) && ReadFormat(standard, m_formatIndex);
    return 1;
}

int CSerialVideoDoc::ReadFormat(const std::string& reply, int& code) const {
    const VideoFormat* row = FindFormatByKeyword(m_model.model, reply);
    if (!row)
        return 0;
    code = row->code;
    return 1;
}

int CSerialVideoDoc::ReadTiming(const char* query, int& lines, double& delay) {
    ReplyCursor reply;
    if (!QueryReply(query, reply))
        return 0;
    double microseconds = 0.0;
    if (!reply.NextTruncated(lines) || !reply.NextDouble(microseconds))
        return 0;
    delay = microseconds * 1e-6;
    return 1;
}

int CSerialVideoDoc::ReadOutput1() {
    CCatalogReader reader(Link());
    IProgressSink& bar = Progress();
    MovingPictureSettings moving;
    if (!reader.ReadMovingPictureSettings(moving))
        return 0;
    m_movingHorizontalStep.Load(moving.horizontalStep);
    m_movingVerticalStep.Load(moving.verticalStep);
    m_movingPeriod.Load(moving.period);
    m_movingRandom.Load(moving.random);
    bar.Step();

    std::string blink;
    if (!QueryReply("OUTP1:OVER:BLIN:STAT?", blink))
        return 0;
    if (blink == "0") {
        m_blinkMode.Load(kBlinkOff);
    } else if (blink == "1") {
        std::string period;
        if (!QueryReply("OUTP1:OVER:BLIN:PER?", period))
            return 0;
        if (period == "0.5")
            m_blinkMode.Load(kBlinkFast);
        else if (period == "1.0")
            m_blinkMode.Load(kBlinkSlow);
        else
            return 0;
    } else {
        return 0;
    }
    bar.Step();

    LogoSettings logo;
    if (!reader.ReadLogoSettings(logo))
        return 0;
    bar.Step();
    if (!reader.ReadLogoList(Root(m_model, "LOGO"), logo))
        return 0;
    bar.Step();
    m_logoState.Load(logo.state);
    m_logoHorizontal.Load(logo.horizontal);
    m_logoVertical.Load(logo.vertical);
    m_logoName.Load(logo.selected);
    m_logos = logo.logos;

    TextSettings text;
    if (!reader.ReadTextSettings(text))
        return 0;
    bar.Step();
    m_textState.Load(text.state);
    m_textHorizontal.Load(text.horizontal);
    m_textVertical.Load(text.vertical);
    m_text.Load(text.text);

    CircleSettings circle;
    if (!reader.ReadCircleSettings(circle))
        return 0;
    bar.Step();
    m_circleState.Load(circle.state);
    m_circleHorizontal.Load(circle.horizontal);
    m_circleVertical.Load(circle.vertical);
    m_circleDiameter.Load(circle.diameter);
    return 1;
}

int CSerialVideoDoc::ReadAudio(int output, SerialAudio& audio) {
    CCatalogReader reader(Link());
    for (int group = 0; group < SerialAudio::kGroups; ++group) {
        AudioGroupSettings settings;
        const int ok = output == 1 ? reader.ReadOutput1AudioGroup(settings, group)
                                   : reader.ReadOutput2AudioGroup(settings, group);
        if (!ok)
            return 0;
        const size_t g = static_cast<size_t>(group);
        audio.groupState[g].Load(settings.state);
        audio.preEmphasis[g].Load(settings.preEmphasis);
        audio.sampling[g].Load(settings.sampling);
        audio.bits[g].Load(settings.bits);
        Progress().Step();
        for (int channel = 4 * group + 1; channel <= 4 * group + 4; ++channel) {
            AudioChannelSettings ch;
            const int read = output == 1 ? reader.ReadOutput1AudioChannel(ch, channel)
                                         : reader.ReadOutput2AudioChannel(ch, channel);
            if (!read)
                return 0;
            const size_t c = static_cast<size_t>(channel - 1);
            audio.amplitude[c].Load(ch.amplitude);
            audio.frequencyIndex[c] = ch.frequency;
            audio.click[c].Load(ch.click);
            Progress().Step();
        }
    }
    if (output == 1) {
        // The video switches follow output 1's audio in the read.
        ReplyCursor reply;
        std::string query = "OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?";
        if (m_model.hasBitsAndEdh)
            query += ";:OUTP1:VID:NBIT?;:OUTP1:VID:EDH:STAT?";
        int y = 0, pb = 0, pr = 0, bits = 0, edh = 0;
        if (!QueryReply(query, reply) || !reply.NextInt(y) || !reply.NextInt(pb) ||
            !reply.NextInt(pr))
            return 0;
        if (m_model.hasBitsAndEdh && (!reply.NextTruncated(bits) || !reply.NextInt(edh)))
            return 0;
        m_videoY.Load(y);
        m_videoPb.Load(pb);
        m_videoPr.Load(pr);
        if (m_model.hasBitsAndEdh) {
            m_videoBits.Load(bits);
            m_videoEdh.Load(edh);
        }
        Progress().Step();
        // Older firmware has no AV timing switch; its step is passed all the same.
        if (FirmwareVersion() >= kAvTimingFirmware) {
            std::string avTiming;
            if (!QueryReply("OUTP1:VID:AVT:STAT?", avTiming))
                return 0;
            m_avTiming.Load(platform::StrToInt(avTiming.c_str()));
        }
        Progress().Step();
    }
    return 1;
}

int CSerialVideoDoc::ReadBlack() {
    ReplyCursor reply;
    std::string standard, signal;
    if (!QueryReply("OUTP2:STAN?;:OUTP2:SIGN?", reply) || !reply.NextText(standard) ||
        !reply.NextText(signal))
        return 0;
    int format = 0;
    const int signalCode = BlackSignalCode(signal);
    if (!ReadFormat(standard, format) || signalCode < 0)
        return 0;
    m_blackFormat.Load(format);
    m_blackSignal.Load(signalCode);
    Progress().Step();

    std::string query = "SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?";
    if (m_model.hasBitsAndEdh)
        query += ";:OUTP2:VID:EDH:STAT?;:OUTP2:VID:NBIT?";
    int lines = 0, edh = 0, bits = 0;
    double microseconds = 0.0;
    if (!QueryReply(query, reply) || !reply.NextTruncated(lines) || !reply.NextDouble(microseconds))
        return 0;
    if (m_model.hasBitsAndEdh && (!reply.NextInt(edh) || !reply.NextTruncated(bits)))
        return 0;
    m_blackLines.Load(lines);
    m_blackDelay.Load(microseconds * 1e-6);
    if (m_model.hasBitsAndEdh) {
        m_blackEdh.Load(edh);
        m_blackBits.Load(bits);
    }
    Progress().Step();
    return ReadAudio(2, m_blackAudio);
}

int CSerialVideoDoc::ReadLiveTiming(int& lines, double& delay) {
    if (!SelectModule())
        return 0;
    return ReadTiming(kLiveTimingQuery, lines, delay);
}

int CSerialVideoDoc::ReadLiveBlackTiming(int& lines, double& delay) {
    if (!SelectModule())
        return 0;
    return ReadTiming(kLiveBlackTimingQuery, lines, delay);
}

// ---- Applying ----

int CSerialVideoDoc::SendLine(const std::string& command) {
    IInstrumentLink* link = Link();
    return link != nullptr && link->SendCommand(command) ? 1 : 0;
}

int CSerialVideoDoc::QueryOk(const std::string& query) {
    std::string reply;
    return QueryReply(query, reply);
}

int CSerialVideoDoc::SendIf(ChangeFlag& parameter, const std::string& command) {
    if (parameter.Changed()) {
        if (!SendLine(command))
            return 0;
        parameter.ClearChanged();
    }
    Progress().Step();
    return 1;
}

// A code with no word would go out as a bare header; it stays flagged instead.
int CSerialVideoDoc::SendWordIf(ChangeFlag& parameter, const std::string& header,
                                const std::string& word) {
    if (word.empty()) {
        Progress().Step();
        return 1;
    }
    return SendIf(parameter, header + word);
}

int CSerialVideoDoc::SendLoad(bool& loadedSignal, bool& loadedPicture) {
    if (m_signalMode.Changed() || m_signalSet.Changed() || m_signal.Changed()) {
        if (!SendLine(platform::Format("MMEM:LOAD:SIGN %d,\"/%s/%s/%s\"", m_slot,
                                       m_formatName.c_str(), m_signalSetName.c_str(),
                                       m_signalName.c_str())))
            return 0;
        m_signalMode.ClearChanged();
        m_signalSet.ClearChanged();
        m_signal.ClearChanged();
        loadedSignal = true;
        m_timingChanged = true;
        m_rereadText = true;
        if (!QueryOk("*OPC?"))
            return 0;
    } else if (m_pictureFolder.Changed() || m_pictureFile.Changed()) {
        if (!SendLine(platform::Format("MMEM:LOAD:SIGN %d,\"/PICTURE/%s/%s\"", m_slot,
                                       m_pictureFolderName.c_str(), m_pictureFileName.c_str())))
            return 0;
        m_pictureFolder.ClearChanged();
        m_pictureFile.ClearChanged();
        loadedPicture = true;
        m_rereadText = true;
        if (!QueryOk("*OPC?"))
            return 0;
    }
    Progress().Step();
    return 1;
}

int CSerialVideoDoc::SendOverlay() {
    if (m_blinkMode.Changed()) {
        if (m_blinkMode == kBlinkOff) {
            if (!SendLine("OUTP1:OVER:BLIN:STAT 0"))
                return 0;
        } else if (!SendLine("OUTP1:OVER:BLIN:STAT 1") ||
                   !SendLine(m_blinkMode == kBlinkFast ? "OUTP1:OVER:BLIN:PER 0.5"
                                                       : "OUTP1:OVER:BLIN:PER 1.0")) {
            return 0;
        }
        m_blinkMode.ClearChanged();
    }
    Progress().Step();

    // One save covers what went before it; the text's save also follows a logo change.
    bool save = false;
    m_logoReread = false;
    const std::string selectLogo = "OUTP1:LOGO:SEL \"" + Quotable(m_logoName) + "\"";
    if (m_logoState.Changed()) {
        if (m_logoState != 0) {
            if (!SendLine(selectLogo))
                return 0;
            m_logoName.ClearChanged();
        }
        if (!SendLine(platform::Format("OUTP1:LOGO:STAT %d", m_logoState.Value())))
            return 0;
        m_logoState.ClearChanged();
        m_logoReread = true;
        save = m_logoState != 0;
    }
    Progress().Step();
    if (m_logoName.Changed()) {
        if (!SendLine("OUTP1:LOGO:STAT 0") || !SendLine(selectLogo) ||
            !SendLine("OUTP1:LOGO:STAT 1"))
            return 0;
        m_logoName.ClearChanged();
        m_logoReread = true;
        save = true;
    }
    Progress().Step();
    if (save) {
        if (!SendLine("OUTP1:LOGO:SAVE"))
            return 0;
        save = false;
    }
    save = save || m_logoHorizontal.Changed() || m_logoVertical.Changed();
    if (!SendIf(m_logoHorizontal,
                platform::Format("OUTP1:LOGO:POS:HOR %.1f", m_logoHorizontal.Value())) ||
        !SendIf(m_logoVertical,
                platform::Format("OUTP1:LOGO:POS:VERT %.1f", m_logoVertical.Value())))
        return 0;
    if (save && !SendLine("OUTP1:LOGO:SAVE"))
        return 0;

    const std::string textData = "OUTP1:TEXT:DATA \"" + Quotable(m_text) + "\"";
    if (m_textState.Changed()) {
        if (m_textState != 0) {
            if (!SendLine(textData))
                return 0;
            m_text.ClearChanged();
        }
        if (!SendLine(platform::Format("OUTP1:TEXT:STAT %d", m_textState.Value())))
            return 0;
        m_textState.ClearChanged();
        save = true;
    }
    Progress().Step();
    if (m_text.Changed()) {
        if (!SendLine(textData))
            return 0;
        m_text.ClearChanged();
        save = true;
    }
    Progress().Step();
    if (save) {
        if (!SendLine("OUTP1:TEXT:SAVE"))
            return 0;
        save = false;
    }
    save = m_textHorizontal.Changed() || m_textVertical.Changed();
    if (!SendIf(m_textHorizontal,
                platform::Format("OUTP1:TEXT:POS:HOR %d", m_textHorizontal.Value())) ||
        !SendIf(m_textVertical, platform::Format("OUTP1:TEXT:POS:VERT %d", m_textVertical.Value())))
        return 0;
    if (save && !SendLine("OUTP1:TEXT:SAVE"))
        return 0;

    return SendIf(m_circleState, platform::Format("OUTP1:CIRC:STAT %d", m_circleState.Value())) &&
           SendIf(m_circleHorizontal,
                  platform::Format("OUTP1:CIRC:POS:HOR %d", m_circleHorizontal.Value())) &&
           SendIf(m_circleVertical,
                  platform::Format("OUTP1:CIRC:POS:VERT %d", m_circleVertical.Value())) &&
           SendIf(m_circleDiameter,
                  platform::Format("OUTP1:CIRC:DIAM %d", m_circleDiameter.Value()));
}

int CSerialVideoDoc::SendAudio(int output, SerialAudio& audio) {
    for (int n = 1; n <= SerialAudio::kGroups; ++n) {
        const size_t g = static_cast<size_t>(n - 1);
        const std::string group = platform::Format("OUTP%d:EAUD:GRO%d:", output, n);
        if (!SendIf(audio.groupState[g],
                    group + "STAT " + std::to_string(audio.groupState[g].Value())) ||
            !SendWordIf(audio.preEmphasis[g], group + "PRE ",
                        WordOf(kPreEmphasisWords, audio.preEmphasis[g])) ||
            !SendIf(audio.bits[g], group + "NBIT " + std::to_string(audio.bits[g].Value())) ||
            !SendWordIf(audio.sampling[g], group + "SAMPLI ",
                        WordOf(kSamplingWords, audio.sampling[g])))
            return 0;
        for (int c = 4 * (n - 1) + 1; c <= 4 * n; ++c) {
            const size_t i = static_cast<size_t>(c - 1);
            const std::string channel = platform::Format("OUTP%d:EAUD:CHAN%d:", output, c);
            if (!SendIf(audio.amplitude[i],
                        channel + "AMPL " + std::to_string(audio.amplitude[i].Value())) ||
                !SendIf(audio.frequencyHertz[i],
                        channel + "FREQ " + std::to_string(audio.frequencyHertz[i].Value())) ||
                !SendIf(audio.click[i], channel + "CLIC " + std::to_string(audio.click[i].Value())))
                return 0;
        }
    }
    return 1;
}

int CSerialVideoDoc::SendBlack(bool& post) {
    const std::string keyword = FormatKeyword(m_model.model, m_blackFormat);
    if (m_blackFormat.Changed() && !keyword.empty()) {
        if (!SendLine("OUTP2:STAN " + keyword))
            return 0;
        m_blackFormat.ClearChanged();
        m_blackChanged = true;
        post = true;
    }
    // A code of no format is never sent as an empty word; it stays flagged.
    Progress().Step();
    if (!SendWordIf(m_blackSignal, "OUTP2:SIGN ", BlackSignalWord(m_blackSignal)) ||
        !SendIf(m_blackLines, platform::Format("SENS2:CORR:MDEL:VERT %d", m_blackLines.Value())))
        return 0;
    const bool delayChanged = m_blackDelay.Changed();
    if (!SendIf(m_blackDelay,
                platform::Format("SENS2:CORR:MDEL:HOR %.8f", m_blackDelay.Value() * 1e6)))
        return 0;
    m_blackChanged = m_blackChanged || delayChanged;
    if (m_model.hasBitsAndEdh &&
        (!SendIf(m_blackEdh, platform::Format("OUTP2:VID:EDH:STAT %d", m_blackEdh.Value())) ||
         !SendIf(m_blackBits, platform::Format("OUTP2:VID:NBIT %d", m_blackBits.Value()))))
        return 0;
    return SendAudio(2, m_blackAudio);
}

int CSerialVideoDoc::Apply() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), "Sending...", ApplySteps(m_model, m_blackOption != 0));
    if (!SelectModule())
        return 0;
    Progress().Step();
    bool loadedSignal = false, loadedPicture = false;
    if (!SendLoad(loadedSignal, loadedPicture))
        return 0;

    if (!SendIf(m_lines, platform::Format("SENS1:CORR:MDEL:VERT %d", m_lines.Value())))
        return 0;
    const bool delayChanged = m_delay.Changed();
    if (!SendIf(m_delay, platform::Format("SENS1:CORR:MDEL:HOR %.8f", m_delay.Value() * 1e6)))
        return 0;
    m_timingChanged = m_timingChanged || delayChanged;
    if (!SendIf(m_movingHorizontalStep,
                platform::Format("OUTP1:MOV:HOR %d", m_movingHorizontalStep.Value())) ||
        !SendIf(m_movingVerticalStep,
                platform::Format("OUTP1:MOV:VERT %d", m_movingVerticalStep.Value())) ||
        !SendIf(m_movingPeriod, platform::Format("OUTP1:MOV:PER %d", m_movingPeriod.Value())) ||
        !SendIf(m_movingRandom, platform::Format("OUTP1:MOV:RAND:STAT %d", m_movingRandom.Value())))
        return 0;
    if (!SendOverlay() || !SendAudio(1, m_audio))
        return 0;

    if (!SendIf(m_videoY, platform::Format("OUTP1:VID:Y:STAT %d", m_videoY.Value())) ||
        !SendIf(m_videoPb, platform::Format("OUTP1:VID:PB:STAT %d", m_videoPb.Value())) ||
        !SendIf(m_videoPr, platform::Format("OUTP1:VID:PR:STAT %d", m_videoPr.Value())))
        return 0;
    if (m_model.hasBitsAndEdh &&
        (!SendIf(m_videoBits, platform::Format("OUTP1:VID:NBIT %d", m_videoBits.Value())) ||
         !SendIf(m_videoEdh, platform::Format("OUTP1:VID:EDH:STAT %d", m_videoEdh.Value()))))
        return 0;
    // Older firmware has no AV timing switch: the change waits, flagged, for one that has.
    if (FirmwareVersion() >= kAvTimingFirmware) {
        if (!SendIf(m_avTiming, platform::Format("OUTP1:VID:AVT:STAT %d", m_avTiming.Value())))
            return 0;
    } else {
        Progress().Step();
    }

    bool postBlack = false;
    if (m_blackOption && !SendBlack(postBlack))
        return 0;

    if (!QueryOk("*OPC?"))
        return 0;
    Progress().Step();
    std::string error;
    if (!QueryReply("SYST:ERR?", error))
        return 0;
    Progress().Step();
    const int number = platform::StrToInt(error.c_str());
    bool loadRefused = false;
    if (number == kErrorNotOnKey && (loadedSignal || loadedPicture)) {
        loadRefused = true;
        if (loadedPicture) {
            platform::AfxMessageBox(
                platform::Format("/%s/%s is not assigned to 'OTHER' key.",
                                 m_pictureFolderName.c_str(), m_pictureFileName.c_str()),
                platform::MB_ICONSTOP);
            m_pictureFile.Set(m_pictureFile.Value());
        } else {
            platform::AfxMessageBox(
                platform::Format("/%s/%s/%s is not assigned to test signal key.",
                                 m_formatName.c_str(), m_signalSetName.c_str(),
                                 m_signalName.c_str()),
                platform::MB_ICONSTOP);
            m_signal.Set(m_signal.Value());
        }
    } else if (number != 0) {
        ReportInstrumentError(number, error);
    }

    // The module now plays the loaded signal, whatever the re-reads below meet.
    if (loadedSignal && !loadRefused)
        SignalLoaded();
    if (m_rereadText && !RereadText())
        return 0;
    if (m_logoReread && !RereadLogo())
        return 0;
    if ((loadedSignal && !loadRefused) || postBlack)
        Post(WM_MODULE_APPLIED, 0);
    Progress().ShowStatus("Ready");
    SetModifiedFlag(loadRefused);
    return 1;
}

int CSerialVideoDoc::RereadText() {
    std::string reply;
    TextSettings text;
    if (!QueryReply("OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?", reply) ||
        !ParseTextPositionReply(reply, text) || !QueryReply("OUTP1:TEXT:DATA?", reply))
        return 0;
    const auto quoted = QuotedText(reply);
    if (!quoted)
        return 0;
    m_textHorizontal.Load(text.horizontal);
    m_textVertical.Load(text.vertical);
    m_textState.Load(text.state);
    m_text.Load(*quoted);
    m_textReread = true;
    m_rereadText = false;
    return 1;
}

int CSerialVideoDoc::RereadLogo() {
    std::string reply;
    LogoSettings logo;
    if (!QueryReply("OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", reply) ||
        !ParseLogoPositionReply(reply, logo))
        return 0;
    m_logoHorizontal.Load(logo.horizontal);
    m_logoVertical.Load(logo.vertical);
    m_logoState.Load(logo.state);
    return 1;
}

// ---- Setters ----

template <typename T>
void CSerialVideoDoc::Change(Flagged<T>& parameter, T value, int hint) {
    parameter.Set(std::move(value));
    SetModifiedFlag(true);
    Hint(hint);
}

void CSerialVideoDoc::Hint(int hint) {
    UpdateAllViews(nullptr, hint);
}

SerialAudio* CSerialVideoDoc::AudioOf(int output) {
    if (output == 1)
        return &m_audio;
    if (output == 2)
        return &m_blackAudio;
    return nullptr;
}

void CSerialVideoDoc::SetFormat(int code, const std::string& name) {
    // The format alone is not sent: the signal set and signal that come with it are.
    m_formatIndex = code;
    m_formatName = name;
    SetModifiedFlag(true);
    Hint(1);
}

void CSerialVideoDoc::SetSignalSet(int index, const std::string& name) {
    m_signalSetName = name;
    Change(m_signalSet, index, 2);
}

void CSerialVideoDoc::SetSignal(int index, const std::string& name) {
    m_signalName = name;
    m_signalPath = m_formatName + "/" + m_signalSetName + "/" + m_signalName;
    Change(m_signal, index, 3);
}

void CSerialVideoDoc::SetFramePicture(int mode) {
    m_framePicture = mode;
    m_rereadText = true;
    if (mode == 1) {
        m_pictureFolder.Set(m_pictureFolder.Value());
        m_pictureFile.Set(m_pictureFile.Value());
        m_signalMode.ClearChanged();
        m_signalSet.ClearChanged();
        m_signal.ClearChanged();
    } else {
        m_signalMode.Set(0);
        m_signalSet.Set(m_signalSet.Value());
        m_signal.Set(m_signal.Value());
        m_pictureFolder.ClearChanged();
        m_pictureFile.ClearChanged();
    }
    SetModifiedFlag(true);
    Hint(47);
}

void CSerialVideoDoc::SetPictureFolder(int index, const std::string& name) {
    m_pictureFolderName = name;
    Change(m_pictureFolder, index, 48);
}

void CSerialVideoDoc::SetPictureFile(int index, const std::string& name) {
    m_pictureFileName = name;
    Change(m_pictureFile, index, 49);
}

void CSerialVideoDoc::SetLines(int lines) {
    Change(m_lines, lines, 4);
}
void CSerialVideoDoc::SetDelay(double seconds) {
    Change(m_delay, seconds, 5);
}
void CSerialVideoDoc::SetMovingHorizontalStep(int v) {
    Change(m_movingHorizontalStep, v, 6);
}
void CSerialVideoDoc::SetMovingVerticalStep(int v) {
    Change(m_movingVerticalStep, v, 7);
}
void CSerialVideoDoc::SetMovingPeriod(int v) {
    Change(m_movingPeriod, v, 8);
}
void CSerialVideoDoc::SetMovingRandom(int state) {
    Change(m_movingRandom, state, 9);
}
void CSerialVideoDoc::SetLogoState(int state) {
    Change(m_logoState, state, 10);
}
void CSerialVideoDoc::SetLogoName(const std::string& name) {
    Change(m_logoName, name, 11);
}
void CSerialVideoDoc::SetLogoHorizontal(double p) {
    Change(m_logoHorizontal, p, 12);
}
void CSerialVideoDoc::SetLogoVertical(double p) {
    Change(m_logoVertical, p, 13);
}
void CSerialVideoDoc::SetTextState(int state) {
    Change(m_textState, state, 14);
}
void CSerialVideoDoc::SetText(const std::string& text) {
    Change(m_text, text, 15);
}
void CSerialVideoDoc::SetTextHorizontal(int v) {
    Change(m_textHorizontal, v, 16);
}
void CSerialVideoDoc::SetTextVertical(int v) {
    Change(m_textVertical, v, 17);
}
void CSerialVideoDoc::SetCircleState(int state) {
    Change(m_circleState, state, 18);
}
void CSerialVideoDoc::SetCircleHorizontal(int v) {
    Change(m_circleHorizontal, v, 19);
}
void CSerialVideoDoc::SetCircleVertical(int v) {
    Change(m_circleVertical, v, 20);
}
void CSerialVideoDoc::SetCircleDiameter(int v) {
    Change(m_circleDiameter, v, 21);
}
void CSerialVideoDoc::SetBlinkMode(int mode) {
    Change(m_blinkMode, mode, 50);
}

// Output 1's audio hints are 22..28, output 2's 38..44, in the same order.
void CSerialVideoDoc::SetAudioGroupState(int output, int group, int state) {
    if (SerialAudio* a = AudioOf(output); a && group >= 0 && group < SerialAudio::kGroups)
        Change(a->groupState[static_cast<size_t>(group)], state, output == 1 ? 22 : 38);
}
void CSerialVideoDoc::SetAudioPreEmphasis(int output, int group, int code) {
    if (SerialAudio* a = AudioOf(output); a && group >= 0 && group < SerialAudio::kGroups)
        Change(a->preEmphasis[static_cast<size_t>(group)], code, output == 1 ? 23 : 39);
}
void CSerialVideoDoc::SetAudioSampling(int output, int group, int code) {
    if (SerialAudio* a = AudioOf(output); a && group >= 0 && group < SerialAudio::kGroups)
        Change(a->sampling[static_cast<size_t>(group)], code, output == 1 ? 24 : 40);
}
void CSerialVideoDoc::SetAudioBits(int output, int group, int bits) {
    if (SerialAudio* a = AudioOf(output); a && group >= 0 && group < SerialAudio::kGroups)
        Change(a->bits[static_cast<size_t>(group)], bits, output == 1 ? 25 : 41);
}
void CSerialVideoDoc::SetAudioFrequency(int output, int channel, int hertz) {
    if (SerialAudio* a = AudioOf(output); a && channel >= 0 && channel < SerialAudio::kChannels)
        Change(a->frequencyHertz[static_cast<size_t>(channel)], hertz, output == 1 ? 26 : 42);
}
void CSerialVideoDoc::SetAudioAmplitude(int output, int channel, int dbfs) {
    if (SerialAudio* a = AudioOf(output); a && channel >= 0 && channel < SerialAudio::kChannels)
        Change(a->amplitude[static_cast<size_t>(channel)], dbfs, output == 1 ? 27 : 43);
}
void CSerialVideoDoc::SetAudioClick(int output, int channel, int value) {
    if (SerialAudio* a = AudioOf(output); a && channel >= 0 && channel < SerialAudio::kChannels)
        Change(a->click[static_cast<size_t>(channel)], value, output == 1 ? 28 : 44);
}

void CSerialVideoDoc::SetVideoY(int state) {
    Change(m_videoY, state, 29);
}
void CSerialVideoDoc::SetVideoPb(int state) {
    Change(m_videoPb, state, 30);
}
void CSerialVideoDoc::SetVideoPr(int state) {
    Change(m_videoPr, state, 31);
}
void CSerialVideoDoc::SetVideoBits(int bits) {
    Change(m_videoBits, bits, 32);
}
void CSerialVideoDoc::SetVideoEdh(int state) {
    Change(m_videoEdh, state, 33);
}
void CSerialVideoDoc::SetAvTiming(int state) {
    Change(m_avTiming, state, 51);
}
void CSerialVideoDoc::SetBlackLines(int lines) {
    Change(m_blackLines, lines, 34);
}
void CSerialVideoDoc::SetBlackDelay(double seconds) {
    Change(m_blackDelay, seconds, 35);
}
void CSerialVideoDoc::SetBlackFormat(int code) {
    Change(m_blackFormat, code, 36);
}
void CSerialVideoDoc::SetBlackSignal(int code) {
    Change(m_blackSignal, code, 37);
}
void CSerialVideoDoc::SetBlackBits(int bits) {
    Change(m_blackBits, bits, 45);
}
void CSerialVideoDoc::SetBlackEdh(int state) {
    Change(m_blackEdh, state, 46);
}

}  // namespace corvane
