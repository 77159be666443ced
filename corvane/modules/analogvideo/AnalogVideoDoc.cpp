#include "corvane/modules/analogvideo/AnalogVideoDoc.h"

#include <cmath>
#include <optional>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/common/QuotableText.h"
#include "corvane/modules/video/CatalogLocators.h"
#include "corvane/modules/video/CatalogProgress.h"
#include "corvane/modules/video/CatalogReader.h"
#include "corvane/modules/video/SettingReplies.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"

namespace corvane {

namespace {

const char* const kTimingQuery = "SENS1:CORR:MDEL:VERT?;:SENS1:CORR:MDEL:HOR?";
const char* const kLogoPositionQuery = "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?";
const char* const kChannelQuery = ":OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?";

// The module answers "not selected" with an empty quoted path.
bool NothingSelected(const std::string& reply) {
    return reply == "\"\"";
}

bool FramePictureReply(const std::string& reply) {
    return reply.find("/../PICTURE/") != std::string::npos;
}

// The element at `index`, or none for an index outside the level (an empty level included).
template <typename Container>
auto At(const Container& items, int index) -> const typename Container::value_type* {
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        return nullptr;
    return &items[static_cast<size_t>(index)];
}

int TakeTiming(const std::string& reply, int& lines, double& delay) {
    ReplyCursor cursor(reply);
    double microseconds = 0.0;
    if (!cursor.NextTruncated(lines) || !cursor.NextDouble(microseconds))
        return 0;
    delay = microseconds * 1e-6;
    return 1;
}

void Stop(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

}  // namespace

CAnalogVideoDoc::CAnalogVideoDoc(ModuleKind kind, int questionId) : CModuleDoc(kind, questionId) {}

CAnalogVideoDoc::~CAnalogVideoDoc() = default;

std::string CAnalogVideoDoc::DrivePath(const char* folder) const {
    return "/F0:/" + ModelName(Kind()) + "/" + folder;
}

void CAnalogVideoDoc::PostToMainFrame(platform::UINT message) {
    if (CMainFrame* frame = MainFrame())
        frame->PostMessage(message);
}

// ---- reading ------------------------------------------------------------------------------

int CAnalogVideoDoc::ReadAll() {
    platform::CWaitCursor wait;
    if (!SelectModule())
        return 0;
    std::string reply;
    if (!QueryReply(platform::Format("MMEM:SIGN:ACT? %d", m_slot), reply))
        return 0;
    if (NothingSelected(reply)) {
        platform::AfxMessageBox("Signal is not selected.\n\nCan not open.",
                                platform::MB_ICONEXCLAMATION);
        return 0;
    }
    m_framePicture = FramePictureReply(reply) ? 1 : 0;

    const int settingsSteps = ReadSettingsSteps();
    ProgressRun run(Progress(),
                    platform::Format("Reading %s [%d] ...", ModelName(Kind()).c_str(), m_slot),
                    settingsSteps);
    int readSteps = settingsSteps;
    if (!ReadCatalogues(readSteps) || !ReadActiveSignal())
        return 0;
    // The settings fill the last steps of the bar whatever the catalogues took.
    Progress().SetPosition(readSteps - settingsSteps);
    return ReadSettings();
}

int CAnalogVideoDoc::ReadSettingsSteps() const {
    // The timing, the moving picture, the blinking, the logo, the logo list, the text's two
    // queries, the circle, the sync, the standard, the model's own and the channels.
    return 1 + 1 + 1 + 1 + 1 + 2 + 1 + 1 + 1 + HookReadSteps() + 1;
}

int CAnalogVideoDoc::ApplySteps() const {
    // The selection, the load, the timing (2), the moving picture (4), the blinking, the logo
    // (4), the text (4), the circle (4), the sync, the model's own, the channels (3) and the
    // closing "*OPC?" and "SYST:ERR?".
    return 1 + 1 + 2 + 4 + 1 + 4 + 4 + 4 + 1 + HookApplySteps() + 3 + 2;
}

int CAnalogVideoDoc::ReadCatalogues(int& readSteps) {
    const int settingsSteps = readSteps;
    CountingCatalogProgress progress(Progress(), readSteps);
    CCatalogReader reader(Link());
    if (!reader.ReadSignalTree(m_signals, &progress, settingsSteps, DrivePath("SIGNAL"))) {
        Stop("Could not read 'signal directory' correctry!\n\nCan not continue.");
        return 0;
    }
    if (!reader.ReadPictureCatalog(m_pictures, &progress, DrivePath("PICTURE"))) {
        Stop("Could not read 'picture directory' correctry!\n\nCan not continue.");
        return 0;
    }
    return 1;
}

int CAnalogVideoDoc::ReadActiveSignal() {
    std::string reply;
    if (!QueryActiveSignal(reply))
        return 0;
    if (m_framePicture) {
        const std::optional<PictureLocation> found = LocatePicture(reply, m_pictures);
        if (!found) {
            Stop("Could not read frame picture name.\n\nCan not continue.");
            return 0;
        }
        m_pictureFolderIndex.Load(found->folder);
        m_pictureIndex.Load(found->file);
        m_formatIndex.Load(0);
        m_signalSetIndex.Load(0);
        m_signalIndex.Load(0);
    } else {
        const std::optional<SignalLocation> found = LocateSignal(reply, m_signals);
        if (!found) {
            Stop("Could not read signal names.\n\nCan not continue.");
            return 0;
        }
        m_formatIndex.Load(found->format);
        m_signalSetIndex.Load(found->set);
        m_signalIndex.Load(found->signal);
        m_pictureFolderIndex.Load(0);
        m_pictureIndex.Load(0);
    }
    TakeActiveNames();
    return 1;
}

// A level the catalogue does not have (an empty one, in the mode not active) gives empty
// names, so the window opens on whatever the module holds.
void CAnalogVideoDoc::TakeActiveNames() {
    const SignalSet* format = At(m_signals, m_formatIndex);
    const CatalogFolder* set = format ? At(format->sets, m_signalSetIndex) : nullptr;
    const CatalogFile* signal = set ? At(set->files, m_signalIndex) : nullptr;
    m_formatName = format ? format->name : std::string();
    m_signalSetName = set ? set->name : std::string();
    m_signalName = signal ? signal->displayName : std::string();
    m_signalPath = m_formatName + "/" + m_signalSetName + "/" + m_signalName;

    const CatalogFolder* folder = At(m_pictures.folders, m_pictureFolderIndex);
    const CatalogFile* picture = folder ? At(folder->files, m_pictureIndex) : nullptr;
    m_pictureFolderName = folder ? folder->name : std::string();
    m_pictureName = picture ? picture->displayName : std::string();
}

int CAnalogVideoDoc::ReadSettings() {
    CCatalogReader reader(Link());
    std::string reply;
    OutputTiming timing;
    if (!QueryReply(kTimingQuery, reply) || !TakeTiming(reply, timing.lines, timing.delay))
        return 0;
    m_timingLines.Load(timing.lines);
    m_timingDelay.Load(timing.delay);
    Progress().Step();

    MovingPictureSettings moving;
    if (!reader.ReadMovingPictureSettings(moving))
        return 0;
    m_movingHorizontal.Load(moving.horizontalStep);
    m_movingVertical.Load(moving.verticalStep);
    m_movingPeriod.Load(moving.period);
    m_movingRandom.Load(moving.random);
    Progress().Step();

    if (!ReadBlink())
        return 0;

    LogoSettings logo;
    if (!reader.ReadLogoSettings(logo))
        return 0;
    m_logoHorizontal.Load(logo.horizontal);
    m_logoVertical.Load(logo.vertical);
    m_logoState.Load(logo.state);
    m_logoSelection.Load(logo.selected);
    Progress().Step();  // with the selected logo's query when the logo is on
    if (!reader.ReadLogoList(DrivePath("LOGO"), logo))
        return 0;
    m_logoNames = std::move(logo.logos);
    Progress().Step();

    TextSettings text;
    if (!reader.ReadTextSettings(text))
        return 0;
    m_textHorizontal.Load(text.horizontal);
    m_textVertical.Load(text.vertical);
    m_textState.Load(text.state);
    m_text.Load(text.text);
    Progress().Step();
    Progress().Step();

    CircleSettings circle;
    if (!reader.ReadCircleSettings(circle))
        return 0;
    m_circleState.Load(circle.state);
    m_circleDiameter.Load(circle.diameter);
    m_circleHorizontal.Load(circle.horizontal);
    m_circleVertical.Load(circle.vertical);
    Progress().Step();

    if (!QueryReply(":OUTP1:VID:SYNC:STAT?", reply))
        return 0;
    m_syncState.Load(platform::StrToInt(reply.c_str()));
    Progress().Step();
    if (!QueryStandardCode())
        return 0;
    Progress().Step();
    if (!ReadVideoConfiguration())
        return 0;

    ReplyCursor channels;
    int y = 0, pb = 0, pr = 0;
    if (!QueryReply(kChannelQuery, channels) || !channels.NextInt(y) || !channels.NextInt(pb) ||
        !channels.NextInt(pr))
        return 0;
    m_channelY.Load(y);
    m_channelPb.Load(pb);
    m_channelPr.Load(pr);
    Progress().Step();
    return 1;
}

// Blinking is off, or on with one of two periods; any other answer is a module this window
// does not know, and the read fails.
int CAnalogVideoDoc::ReadBlink() {
    std::string reply;
    if (!QueryReply("OUTP1:OVER:BLIN:STAT?", reply))
        return 0;
    // One step, with the period's query when blinking is on.
    if (reply == "0") {
        m_blinkCode.Load(0);
        Progress().Step();
        return 1;
    }
    if (reply != "1" || !QueryReply("OUTP1:OVER:BLIN:PER?", reply))
        return 0;
    Progress().Step();
    if (reply == "0.5")
        m_blinkCode.Load(2);
    else if (reply == "1.0")
        m_blinkCode.Load(3);
    else
        return 0;
    return 1;
}

int CAnalogVideoDoc::QueryStandardCode() {
    std::string reply;
    if (!QueryReply(":OUTP1:STAN?", reply))
        return 0;
    m_standardCode = platform::StrToInt(reply.c_str());
    return 1;
}

int CAnalogVideoDoc::QueryOutput1Timing(OutputTiming& timing) {
    if (!SelectModule())
        return 0;
    std::string reply;
    OutputTiming read;
    if (!QueryReply(kTimingQuery, reply) || !TakeTiming(reply, read.lines, read.delay))
        return 0;
    m_timingLines.Load(read.lines);
    m_timingDelay.Load(read.delay);
    timing = read;
    return 1;
}

// ---- applying -----------------------------------------------------------------------------

int CAnalogVideoDoc::SendFlagged(ChangeFlag& parameter, const std::string& command) {
    if (parameter.Changed()) {
        if (!SendCommand(command))
            return 0;
        parameter.ClearChanged();
    }
    Progress().Step();
    return 1;
}

int CAnalogVideoDoc::Apply() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), "Sending...", ApplySteps());
    if (!SelectModule())
        return 0;
    Progress().Step();

    Load load = Load::kNone;
    bool save = false;
    if (!ApplyLoad(load))
        return 0;
    if (!SendFlagged(m_timingLines,
                     platform::Format("SENS1:CORR:MDEL:VERT %d", m_timingLines.Value())) ||
        !SendFlagged(m_timingDelay,
                     platform::Format("SENS1:CORR:MDEL:HOR %.8f", m_timingDelay.Value() * 1e6)) ||
        !SendFlagged(m_movingHorizontal,
                     platform::Format("OUTP1:MOV:HOR %d", m_movingHorizontal.Value())) ||
        !SendFlagged(m_movingVertical,
                     platform::Format("OUTP1:MOV:VERT %d", m_movingVertical.Value())) ||
        !SendFlagged(m_movingPeriod,
                     platform::Format("OUTP1:MOV:PER %d", m_movingPeriod.Value())) ||
        !SendFlagged(m_movingRandom,
                     platform::Format("OUTP1:MOV:RAND:STAT %d", m_movingRandom.Value())))
        return 0;

    if (m_blinkCode.Changed()) {
        if (!SendCommand(m_blinkCode == 0 ? "OUTP1:OVER:BLIN:STAT 0" : "OUTP1:OVER:BLIN:STAT 1"))
            return 0;
        if (m_blinkCode != 0 &&
            !SendCommand(m_blinkCode == 2 ? "OUTP1:OVER:BLIN:PER 0.5" : "OUTP1:OVER:BLIN:PER 1.0"))
            return 0;
        m_blinkCode.ClearChanged();
    }
    Progress().Step();

    if (!ApplyLogo(save) || !ApplyText(save))
        return 0;
    if (!SendFlagged(m_circleState,
                     platform::Format("OUTP1:CIRC:STAT %d", m_circleState.Value())) ||
        !SendFlagged(m_circleHorizontal,
                     platform::Format("OUTP1:CIRC:POS:HOR %d", m_circleHorizontal.Value())) ||
        !SendFlagged(m_circleVertical,
                     platform::Format("OUTP1:CIRC:POS:VERT %d", m_circleVertical.Value())) ||
        !SendFlagged(m_circleDiameter,
                     platform::Format("OUTP1:CIRC:DIAM %d", m_circleDiameter.Value())))
        return 0;
    if (!ApplySync() || !ApplyVideoConfiguration())
        return 0;
    if (!SendFlagged(m_channelY, platform::Format("OUTP1:VID:Y:STAT %d", m_channelY.Value())) ||
        !SendFlagged(m_channelPb, platform::Format("OUTP1:VID:PB:STAT %d", m_channelPb.Value())) ||
        !SendFlagged(m_channelPr, platform::Format("OUTP1:VID:PR:STAT %d", m_channelPr.Value())))
        return 0;
    bool notify = false;
    if (!ApplyAfterChannels(notify))
        return 0;

    bool rearmed = false;
    if (!ApplyCloseAndCheck(load, rearmed))
        return 0;
    // A loaded test signal changes what the other windows show; a refused one changes nothing.
    notify = notify || (load == Load::kSignal && !rearmed);
    if (m_rereadText && !RereadText())
        return 0;
    if (m_logoRereadNotice && !RereadLogo())
        return 0;
    if (!QueryStandardCode())
        return 0;
    if (notify)
        PostToMainFrame(WM_MODULE_APPLIED);
    Progress().ShowStatus("Ready");
    // A refused load is armed again, so the document still has something to apply.
    SetModifiedFlag(rearmed);
    return 1;
}

int CAnalogVideoDoc::ApplyLoad(Load& load) {
    if (m_formatIndex.Changed() || m_signalSetIndex.Changed() || m_signalIndex.Changed()) {
        std::string reply;
        if (!SendCommand(platform::Format("MMEM:LOAD:SIGN %d,\"/%s/%s/%s\"", m_slot,
                                          m_formatName.c_str(), m_signalSetName.c_str(),
                                          m_signalName.c_str())) ||
            !QueryReply("*OPC?", reply))
            return 0;
        m_formatIndex.ClearChanged();
        m_signalSetIndex.ClearChanged();
        m_signalIndex.ClearChanged();
        m_signalReloadNotice = 1;
        m_rereadText = 1;
        load = Load::kSignal;
    } else if (m_pictureFolderIndex.Changed() || m_pictureIndex.Changed()) {
        std::string reply;
        if (!SendCommand(platform::Format("MMEM:LOAD:SIGN %d,\"/PICTURE/%s/%s\"", m_slot,
                                          m_pictureFolderName.c_str(), m_pictureName.c_str())) ||
            !QueryReply("*OPC?", reply))
            return 0;
        m_pictureFolderIndex.ClearChanged();
        m_pictureIndex.ClearChanged();
        m_rereadText = 1;
        load = Load::kPicture;
    }
    Progress().Step();
    return 1;
}

// The module keeps a logo change only once it is saved. Switching the logo on takes the
// selected logo with it; a new selection while the logo stays as it is goes out with the logo
// switched off and on again around it.
int CAnalogVideoDoc::ApplyLogo(bool& save) {
    m_logoRereadNotice = 0;
    if (m_logoState.Changed()) {
        if (m_logoState != 0) {
            if (!SendCommand("OUTP1:LOGO:SEL \"" + m_logoSelection.Value() + "\""))
                return 0;
            m_logoSelection.ClearChanged();
            save = true;
        }
        if (!SendCommand(platform::Format("OUTP1:LOGO:STAT %d", m_logoState.Value())))
            return 0;
        m_logoState.ClearChanged();
        if (m_logoState == 1)
            save = true;
        m_logoRereadNotice = 1;
    }
    Progress().Step();
    if (m_logoSelection.Changed()) {
        if (!SendCommand("OUTP1:LOGO:STAT 0") ||
            !SendCommand("OUTP1:LOGO:SEL \"" + m_logoSelection.Value() + "\"") ||
            !SendCommand("OUTP1:LOGO:STAT 1"))
            return 0;
        m_logoSelection.ClearChanged();
        m_logoRereadNotice = 1;
        save = true;
    }
    Progress().Step();
    if (save) {
        if (!SendCommand("OUTP1:LOGO:SAVE"))
            return 0;
        save = false;
    }
    const bool horizontal = m_logoHorizontal.Changed();
    const bool vertical = m_logoVertical.Changed();
    if (!SendFlagged(m_logoHorizontal,
                     platform::Format("OUTP1:LOGO:POS:HOR %.1f", m_logoHorizontal.Value())) ||
        !SendFlagged(m_logoVertical,
                     platform::Format("OUTP1:LOGO:POS:VERT %.1f", m_logoVertical.Value())))
        return 0;
    save = save || horizontal || vertical;
    // The flag is left set: the text's save that follows goes out as well.
    return !save || SendCommand("OUTP1:LOGO:SAVE");
}

int CAnalogVideoDoc::ApplyText(bool& save) {
    const std::string data = "OUTP1:TEXT:DATA \"" + m_text.Value() + "\"";
    if (m_textState.Changed()) {
        if (m_textState != 0) {
            if (!SendCommand(data))
                return 0;
            m_text.ClearChanged();
        }
        if (!SendCommand(platform::Format("OUTP1:TEXT:STAT %d", m_textState.Value())))
            return 0;
        m_textState.ClearChanged();
        save = true;
    }
    Progress().Step();
    if (m_text.Changed()) {
        if (!SendCommand(data))
            return 0;
        m_text.ClearChanged();
        save = true;
    }
    Progress().Step();
    if (save && !SendCommand("OUTP1:TEXT:SAVE"))
        return 0;
    const bool horizontal = m_textHorizontal.Changed();
    const bool vertical = m_textVertical.Changed();
    if (!SendFlagged(m_textHorizontal,
                     platform::Format("OUTP1:TEXT:POS:HOR %d", m_textHorizontal.Value())) ||
        !SendFlagged(m_textVertical,
                     platform::Format("OUTP1:TEXT:POS:VERT %d", m_textVertical.Value())))
        return 0;
    save = save || horizontal || vertical;
    return !save || SendCommand("OUTP1:TEXT:SAVE");
}

// Only a GBR standard has a sync to choose; on any other the module syncs on green.
int CAnalogVideoDoc::ApplySync() {
    if (m_syncState.Changed()) {
        if (!QueryStandardCode())
            return 0;
        if (m_standardCode >= kGbrStandardCodes) {
            if (!SendCommand(platform::Format("OUTP1:VID:SYNC:STAT %d", m_syncState.Value())))
                return 0;
        } else {
            m_syncState.Load(0);
        }
        m_syncState.ClearChanged();
    }
    Progress().Step();
    return 1;
}

// -256 means the module would not load the file. It is put down to the load only when this
// Apply sent one; the load is then armed again, and the rest of the work still counts.
int CAnalogVideoDoc::ApplyCloseAndCheck(Load load, bool& rearmed) {
    std::string error;
    if (!QueryCompletion(error))
        return 0;
    const int number = platform::StrToInt(error.c_str());
    if (number == -256 && load == Load::kPicture) {
        Stop(platform::Format("/%s/%s is not assigned to 'OTHER' key.", m_pictureFolderName.c_str(),
                              m_pictureName.c_str()));
        m_pictureIndex.Set(m_pictureIndex.Value());
        rearmed = true;
    } else if (number == -256 && load == Load::kSignal) {
        Stop(platform::Format("/%s/%s/%s is not assigned to test signal key.", m_formatName.c_str(),
                              m_signalSetName.c_str(), m_signalName.c_str()));
        m_signalIndex.Set(m_signalIndex.Value());
        rearmed = true;
    } else if (number != 0) {
        ReportInstrumentError(number, error);
    }
    return 1;
}

int CAnalogVideoDoc::RereadText() {
    CCatalogReader reader(Link());
    TextSettings text;
    if (!reader.ReadTextSettings(text))
        return 0;
    m_textHorizontal.Load(text.horizontal);
    m_textVertical.Load(text.vertical);
    m_textState.Load(text.state);
    m_text.Load(text.text);
    m_textReloadedNotice = 1;
    m_rereadText = 0;
    return 1;
}

int CAnalogVideoDoc::RereadLogo() {
    std::string reply;
    LogoSettings logo;
    if (!QueryReply(kLogoPositionQuery, reply) || !ParseLogoPositionReply(reply, logo))
        return 0;
    m_logoHorizontal.Load(logo.horizontal);
    m_logoVertical.Load(logo.vertical);
    m_logoState.Load(logo.state);
    return 1;
}

// ---- the operator's changes ---------------------------------------------------------------

void CAnalogVideoDoc::SetFormat(int code, const std::string& name) {
    m_formatCode = code;
    m_formatName = name;
    SetModifiedFlag(true);
    NotifyViews(FormatChosen());
}

void CAnalogVideoDoc::SetSignalSet(int index, const std::string& name) {
    m_signalSetName = name;
    Change(m_signalSetIndex, index);
}

void CAnalogVideoDoc::SetSignal(int index, const std::string& name) {
    m_signalName = name;
    Change(m_signalIndex, index);
}

void CAnalogVideoDoc::SetFramePictureMode(int mode) {
    m_framePicture = mode;
    m_rereadText = 1;
    Flagged<int>* const loaded[] = {&m_pictureFolderIndex, &m_pictureIndex};
    Flagged<int>* const signal[] = {&m_formatIndex, &m_signalSetIndex, &m_signalIndex};
    for (Flagged<int>* index : loaded) {
        if (mode == 1)
            index->Set(index->Value());
        else
            index->ClearChanged();
    }
    for (Flagged<int>* index : signal) {
        if (mode == 1)
            index->ClearChanged();
        else
            index->Set(index->Value());
    }
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, 0);
}

void CAnalogVideoDoc::SetPictureFolder(int index, const std::string& name) {
    m_pictureFolderName = name;
    Change(m_pictureFolderIndex, index);
}

void CAnalogVideoDoc::SetPicture(int index, const std::string& name) {
    m_pictureName = name;
    Change(m_pictureIndex, index);
}

void CAnalogVideoDoc::SetTimingLines(int lines) {
    Change(m_timingLines, lines);
}

void CAnalogVideoDoc::SetTimingDelay(double seconds) {
    if (std::isfinite(seconds))
        Change(m_timingDelay, seconds);
}

void CAnalogVideoDoc::SetMovingHorizontalStep(int value) {
    Change(m_movingHorizontal, value);
}

void CAnalogVideoDoc::SetMovingVerticalStep(int value) {
    Change(m_movingVertical, value);
}

void CAnalogVideoDoc::SetMovingPeriod(int value) {
    Change(m_movingPeriod, value);
}

void CAnalogVideoDoc::SetMovingRandom(int value) {
    Change(m_movingRandom, value);
}

void CAnalogVideoDoc::SetLogoState(int value) {
    Change(m_logoState, value);
}

void CAnalogVideoDoc::SetLogoSelection(const std::string& name) {
    Change(m_logoSelection, name);
}

void CAnalogVideoDoc::SetLogoHorizontal(double percent) {
    if (std::isfinite(percent))
        Change(m_logoHorizontal, percent);
}

void CAnalogVideoDoc::SetLogoVertical(double percent) {
    if (std::isfinite(percent))
        Change(m_logoVertical, percent);
}

void CAnalogVideoDoc::SetTextState(int value) {
    Change(m_textState, value);
}

void CAnalogVideoDoc::SetTextData(const std::string& text) {
    Change(m_text, QuotableText(text));
}

void CAnalogVideoDoc::SetTextHorizontal(int value) {
    Change(m_textHorizontal, value);
}

void CAnalogVideoDoc::SetTextVertical(int value) {
    Change(m_textVertical, value);
}

void CAnalogVideoDoc::SetCircleState(int value) {
    Change(m_circleState, value);
}

void CAnalogVideoDoc::SetCircleHorizontal(int value) {
    Change(m_circleHorizontal, value);
}

void CAnalogVideoDoc::SetCircleVertical(int value) {
    Change(m_circleVertical, value);
}

void CAnalogVideoDoc::SetCircleDiameter(int value) {
    Change(m_circleDiameter, value);
}

void CAnalogVideoDoc::SetBlinkCode(int code) {
    Change(m_blinkCode, code);
}

void CAnalogVideoDoc::SetChannelY(int value) {
    Change(m_channelY, value);
}

void CAnalogVideoDoc::SetChannelPb(int value) {
    Change(m_channelPb, value);
}

void CAnalogVideoDoc::SetChannelPr(int value) {
    Change(m_channelPr, value);
}

void CAnalogVideoDoc::SetSyncState(int value) {
    Change(m_syncState, value);
}

}  // namespace corvane
