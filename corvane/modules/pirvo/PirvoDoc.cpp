#include "corvane/modules/pirvo/PirvoDoc.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/modules/common/QuotableText.h"
#include "corvane/modules/pirvo/PirvoSignalWords.h"
#include "corvane/modules/video/CatalogLocators.h"
#include "corvane/modules/video/CatalogProgress.h"
#include "corvane/modules/video/CatalogReader.h"
#include "corvane/modules/video/SettingReplies.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

namespace {

constexpr int kMaxPercent = 100;

const char* const kFormatWords[] = {"NTSC", "PAL", "NTSC_NSU"};

// The number the instrument gives an output.
int Number(int output) {
    return output + 1;
}

// The outputs whose format is a standard rather than a folder.
bool HasStandard(int output) {
    return ValidPirvoOutput(output) && output != kPirvoSignalOutput;
}

int FormatOf(const std::string& reply) {
    if (reply == "NTSC")
        return kPirvoNtsc;
    if (reply == "NTSC_NSU")
        return kPirvoNtscNoSetup;
    if (reply == "PAL")
        return kPirvoPal;
    return kPirvoOtherFormat;
}

int TimingOf(const std::string& reply, PirvoTiming& timing) {
    ReplyCursor cursor(reply);
    double microseconds = 0.0;
    if (!cursor.NextTruncated(timing.lines) || !cursor.NextDouble(microseconds))
        return 0;
    timing.delay = microseconds * 1e-6;
    return 1;
}

std::string TimingQuery(int output) {
    return platform::Format("SENS%d:CORR:MDEL:VERT?;:SENS%d:CORR:MDEL:HOR?", Number(output),
                            Number(output));
}

// The mode the window shows for what the module answered.
int IdTextMode(const std::string& textState, int blinkState, const std::string& blinkPeriod) {
    if (textState == "0")
        return kIdTextDisable;
    if (blinkState != 1)
        return kIdTextEnable;
    return blinkPeriod == "0.5" ? kIdTextBlinkFast : kIdTextBlinkSlow;
}

template <typename T>
void Reload(Flagged<T>& field, T value, bool keepChanged) {
    if (!(keepChanged && field.Changed()))
        field.Load(std::move(value));
}

void Stop(const std::string& text) {
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

}  // namespace

CPirvoDoc::CPirvoDoc()
    : CModuleDoc(kModulePirvo, IDS_APPLY_PIRVO), m_aplTables(StandardAplTables()) {
    m_blinkPeriod.fill("0.5");
}

CPirvoDoc::~CPirvoDoc() = default;

bool CPirvoDoc::SaveModified() {
    NotifyViews(AboutToClose());
    return CModuleDoc::SaveModified();
}

void CPirvoDoc::PostToMainFrame(platform::UINT message) {
    if (CMainFrame* frame = MainFrame())
        frame->PostMessage(message);
}

PirvoIdText CPirvoDoc::IdText(int output) const {
    PirvoIdText text;
    if (!ValidPirvoOutput(output))
        return text;
    const auto i = static_cast<size_t>(output);
    text.mode = m_idMode[i];
    text.text = m_idText[i];
    text.x = m_idX[i];
    text.y = m_idY[i];
    text.blinkState = m_blinkState[i];
    text.blinkPeriod = m_blinkPeriod[i];
    return text;
}

// ---- reading ------------------------------------------------------------------------------

int CPirvoDoc::ReadSettingsSteps() {
    // The active signal, the APL, the ID texts; then each output's standard and signal where
    // it has them, and its timing.
    int steps = 3;
    for (int output = 0; output < kPirvoOutputCount; ++output) steps += HasStandard(output) ? 3 : 1;
    return steps;
}

int CPirvoDoc::ReadAll() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), platform::Format("Reading Pirvo [%d] ...", m_slot),
                    ReadSettingsSteps());
    if (!SelectModule())
        return 0;
    Progress().Step();
    if (!ReadCatalogue() || !ReadActiveSignal() || !ReadApl() || !ReadIdTexts(false))
        return 0;
    Progress().Step();
    for (int output = 0; output < kPirvoOutputCount; ++output)
        if (!ReadOutput(output))
            return 0;
    return 1;
}

int CPirvoDoc::ReadCatalogue() {
    const int settingsSteps = ReadSettingsSteps();
    int steps = settingsSteps;
    CountingCatalogProgress progress(Progress(), steps);
    CCatalogReader reader(Link());
    if (!reader.ReadSignalTree(m_catalog, &progress, settingsSteps, kSignalRoot,
                               kPirvoFormatFolders)) {
        Stop("Could not read 'signal directory' correctry!\n\nCan not continue.");
        return 0;
    }
    // The settings take the last steps of the bar, however many the catalogue took.
    Progress().SetPosition(steps - settingsSteps);
    return 1;
}

int CPirvoDoc::ReadActiveSignal() {
    std::string reply;
    if (!QueryActiveSignal(reply))
        return 0;
    const std::optional<SignalLocation> found = LocateSignal(reply, m_catalog);
    if (!found) {
        Stop("Could not read signal name.\n\nCan not continue.");
        return 0;
    }
    const SignalSet& format = m_catalog[static_cast<size_t>(found->format)];
    const CatalogFolder& set = format.sets[static_cast<size_t>(found->set)];
    const CatalogFile& file = set.files[static_cast<size_t>(found->signal)];
    m_active.format = found->format;
    m_active.set = found->set;
    m_active.signal = found->signal;
    m_active.formatName = format.name;
    m_active.setName = set.name;
    m_active.signalName = file.displayName;
    m_active.fileName = file.fileName;
    m_active.path = format.name + "/" + set.name + "/" + file.displayName;
    m_format[kPirvoSignalOutput].Load(found->format);
    Progress().Step();
    return 1;
}

int CPirvoDoc::ReadApl() {
    const int output = Number(kPirvoSignalOutput);
    std::string mode;
    std::string period;
    if (!QueryReply(platform::Format("OUTP%d:APL:MOD?", output), mode) ||
        !IsAplKeyword(m_aplTables.modeKeywords, mode) ||
        !QueryReply(platform::Format("OUTP%d:APL:PER?", output), period) ||
        !IsAplKeyword(m_aplTables.periodKeywords, period))
        return 0;
    m_aplMode.Load(mode);
    m_aplPeriod.Load(period);
    Progress().Step();
    return 1;
}

int CPirvoDoc::ReadIdTexts(bool keepChanged) {
    return ReadIdText(kPirvoSignalOutput, keepChanged) && ReadIdText(kPirvoBarsOutput, keepChanged)
               ? 1
               : 0;
}

// All six answers are taken before any is stored, so a failed read leaves the text whole.
int CPirvoDoc::ReadIdText(int output, bool keepChanged) {
    const int n = Number(output);
    std::string blinkState;
    std::string blinkPeriod;
    std::string textState;
    std::string data;
    std::string horizontal;
    std::string vertical;
    if (!QueryReply(platform::Format("OUTP%d:OVER:BLINk:STAT?", n), blinkState) ||
        (blinkState != "0" && blinkState != "1") ||
        !QueryReply(platform::Format("OUTP%d:OVER:BLINk:PER?", n), blinkPeriod) ||
        (blinkPeriod != "0.5" && blinkPeriod != "1.0") ||
        !QueryReply(platform::Format("OUTP%d:TEXT:STAT?", n), textState) ||
        (textState != "0" && textState != "1") ||
        !QueryReply(platform::Format("OUTP%d:TEXT:DATA?", n), data))
        return 0;
    std::optional<std::string> text = QuotedText(data);
    if (!text || !QueryReply(platform::Format("OUTP%d:TEXT:POS:HOR?", n), horizontal) ||
        !QueryReply(platform::Format("OUTP%d:TEXT:POS:VERT?", n), vertical))
        return 0;

    const auto i = static_cast<size_t>(output);
    m_blinkState[i] = blinkState == "1" ? 1 : 0;
    m_blinkPeriod[i] = blinkPeriod;
    Reload(m_idMode[i], IdTextMode(textState, m_blinkState[i], blinkPeriod), keepChanged);
    Reload(m_idText[i], std::move(*text), keepChanged);
    Reload(m_idX[i], platform::DoubleToIntSaturated(platform::StrToDouble(horizontal.c_str())),
           keepChanged);
    Reload(m_idY[i], platform::DoubleToIntSaturated(platform::StrToDouble(vertical.c_str())),
           keepChanged);
    return 1;
}

int CPirvoDoc::ReadOutput(int output) {
    const auto i = static_cast<size_t>(output);
    const int n = Number(output);
    std::string reply;
    if (output != kPirvoSignalOutput) {
        if (!QueryReply(platform::Format("OUTP%d:STAN?", n), reply))
            return 0;
        const int format = FormatOf(reply);
        m_format[i].Load(format);
        if (format == kPirvoOtherFormat) {
            // The module names such an output by its signal.
            const int code = PirvoSignalCode(reply);
            if (code < 0)
                return 0;
            m_signal[i].Load(code);
        }
        Progress().Step();
        if (format != kPirvoOtherFormat) {
            if (!QueryReply(platform::Format("OUTP%d:SIGN?", n), reply))
                return 0;
            const int code = PirvoSignalCode(reply);
            if (code < 0)
                return 0;
            m_signal[i].Load(code);
        }
        Progress().Step();  // the signal's step, asked or already known
    }
    PirvoTiming timing;
    if (!QueryReply(TimingQuery(output), reply) || !TimingOf(reply, timing))
        return 0;
    m_lines[i].Load(timing.lines);
    m_delay[i].Load(timing.delay);
    Progress().Step();
    return 1;
}

int CPirvoDoc::QueryTiming(int output, PirvoTiming& timing) {
    if (!ValidPirvoOutput(output) || !SelectModule())
        return 0;
    std::string reply;
    PirvoTiming read;
    if (!QueryReply(TimingQuery(output), reply) || !TimingOf(reply, read))
        return 0;
    const auto i = static_cast<size_t>(output);
    m_lines[i].Load(read.lines);
    m_delay[i].Load(read.delay);
    timing = read;
    return 1;
}

int CPirvoDoc::TakeFormatSent(int output) {
    if (!ValidPirvoOutput(output))
        return 0;
    return std::exchange(m_formatSent[static_cast<size_t>(output)], 0);
}

// ---- applying -----------------------------------------------------------------------------

int CPirvoDoc::Send(const std::string& command) {
    if (!SendCommand(command))
        return 0;
    m_sentAny = true;
    return 1;
}

// Only a signal the catalogue lists can be loaded: a level left empty, or a name from
// anywhere else, would ask the module for a file it does not have.
std::string CPirvoDoc::LoadCommand() const {
    const std::string path =
        "/" + m_active.formatName + "/" + m_active.setName + "/" + m_active.fileName;
    if (!LocateSignal("\"" + path + "\"", m_catalog))
        return {};
    return platform::Format("MMEM:LOAD:SIGN %d,\"%s\"", m_slot, path.c_str());
}

// ApplyIdText's steps: one as it begins, and one after each of the mode, text, X and Y.
constexpr int kIdTextApplySteps = 5;

int CPirvoDoc::ApplySteps() {
    // Each output's format, signal, lines, delay and close, the SIGNAL output's APL and the ID
    // texts, between the selection and the closing "*OPC?" and "SYST:ERR?".
    int steps = 1 + 2;
    for (int output = 0; output < kPirvoOutputCount; ++output) {
        steps += 5;
        if (output == kPirvoSignalOutput)
            ++steps;
        if (HasPirvoIdText(output))
            steps += kIdTextApplySteps;
    }
    return steps;
}

int CPirvoDoc::Apply() {
    platform::CWaitCursor wait;
    ProgressRun run(Progress(), "Sending...", ApplySteps());
    m_sentAny = false;
    if (!SelectModule())
        return 0;
    Progress().Step();
    for (int output = 0; output < kPirvoOutputCount; ++output)
        if (!ApplyOutput(output))
            return 0;

    std::string error;
    if (!QueryCompletion(error))
        return 0;
    if (platform::StrToInt(error.c_str()) != 0) {
        ReportInstrumentError(platform::StrToInt(error.c_str()), error);
        // The next entry of the module's queue is read off and not shown.
        std::string next;
        QueryReply("SYST:ERR?", next);
    }
    if (m_sentAny)
        PostToMainFrame(WM_MODULE_APPLIED);
    Progress().ShowStatus("Ready");
    SetModifiedFlag(false);
    return 1;
}

int CPirvoDoc::ApplyOutput(int output) {
    const auto i = static_cast<size_t>(output);
    const int n = Number(output);
    bool formatSent = false;
    bool signalSent = false;
    bool loaded = false;

    if (m_format[i].Changed()) {
        if (output == kPirvoSignalOutput) {
            // A load the catalogue does not back is dropped rather than kept pending.
            const std::string load = LoadCommand();
            if (!load.empty() && !Send(load))
                return 0;
            loaded = !load.empty();
        } else if (m_format[i] >= kPirvoNtsc && m_format[i] <= kPirvoNtscNoSetup) {
            if (!Send(platform::Format("OUTP%d:STAN %s", n,
                                       kFormatWords[static_cast<size_t>(m_format[i].Value())])))
                return 0;
            formatSent = true;
        }
        m_format[i].ClearChanged();
        if (formatSent || loaded)
            m_formatSent[i] = 1;
    }
    Progress().Step();

    if (output == kPirvoSignalOutput) {
        if (m_signal[i].Changed()) {
            const std::string load = LoadCommand();
            if (!loaded && !load.empty()) {
                if (!Send(load))
                    return 0;
                loaded = true;
                m_formatSent[i] = 1;
            }
            m_signal[i].ClearChanged();
        }
    } else {
        // The signal goes with a new format, and stays owed when the link fails before it.
        if (formatSent)
            m_signal[i].Set(m_signal[i].Value());
        if (m_signal[i].Changed()) {
            if (!Send(
                    platform::Format("OUTP%d:SIGN %s", n, PirvoSignalKeyword(m_signal[i]).c_str())))
                return 0;
            m_signal[i].ClearChanged();
            signalSent = true;
        }
    }
    Progress().Step();

    if (m_lines[i].Changed()) {
        if (!Send(platform::Format("SENS%d:CORR:MDEL:VERT %d.0", n, m_lines[i].Value())))
            return 0;
        m_lines[i].ClearChanged();
    }
    Progress().Step();
    if (m_delay[i].Changed()) {
        if (!Send(platform::Format("SENS%d:CORR:MDEL:HOR %.8f", n, m_delay[i].Value() * 1e6)))
            return 0;
        m_delay[i].ClearChanged();
    }
    Progress().Step();

    if (output == kPirvoSignalOutput) {
        if (m_aplMode.Changed()) {
            if (!Send(platform::Format("OUTP%d:APL:MOD %s", n, m_aplMode.Value().c_str())))
                return 0;
            m_aplMode.ClearChanged();
        }
        Progress().Step();
        if (m_aplPeriod.Changed()) {
            if (!Send(platform::Format("OUTP%d:APL:PER %s", n, m_aplPeriod.Value().c_str())))
                return 0;
            m_aplPeriod.ClearChanged();
        }
    }
    if (HasPirvoIdText(output) && !ApplyIdText(output))
        return 0;

    Progress().Step();
    // A new picture brings its own ID text on outputs 3 and 4.
    if ((formatSent || signalSent || loaded) && !ReadIdTexts(true))
        return 0;
    return 1;
}

int CPirvoDoc::ApplyIdText(int output) {
    const auto i = static_cast<size_t>(output);
    const int n = Number(output);
    Progress().Step();
    if (m_idMode[i].Changed()) {
        const int mode = m_idMode[i];
        if (!Send(platform::Format("OUTP%d:TEXT:STAT %d", n, mode == kIdTextDisable ? 0 : 1)))
            return 0;
        if (mode == kIdTextBlinkFast || mode == kIdTextBlinkSlow) {
            if (!Send(platform::Format("OUTP%d:OVER:BLIN:PER %s", n,
                                       mode == kIdTextBlinkFast ? "0.5" : "1.0")))
                return 0;
        }
        if (mode != kIdTextDisable &&
            !Send(platform::Format("OUTP%d:OVER:BLIN:STAT %d", n, mode == kIdTextEnable ? 0 : 1)))
            return 0;
        m_idMode[i].ClearChanged();
    }
    Progress().Step();
    if (m_idText[i].Changed()) {
        if (!Send(platform::Format("OUTP%d:TEXT:DATA \"%s\"", n, m_idText[i].Value().c_str())))
            return 0;
        m_idText[i].ClearChanged();
    }
    Progress().Step();
    if (m_idX[i].Changed()) {
        if (!Send(platform::Format("OUTP%d:TEXT:POS:HOR %d", n, m_idX[i].Value())))
            return 0;
        m_idX[i].ClearChanged();
    }
    Progress().Step();
    if (m_idY[i].Changed()) {
        // The module takes the vertical position only with its keyword in small letters.
        if (!Send(platform::Format("OUTP%d:TEXT:POS:vert %d", n, m_idY[i].Value())))
            return 0;
        m_idY[i].ClearChanged();
    }
    Progress().Step();
    return Send(platform::Format("OUTP%d:TEXT:SAV", n));
}

// ---- the operator's changes ---------------------------------------------------------------

void CPirvoDoc::SetFormat(int output, int format) {
    if (HasStandard(output) && format >= kPirvoNtsc && format <= kPirvoNtscNoSetup)
        SetParameter(m_format[static_cast<size_t>(output)], format);
}

void CPirvoDoc::SetSignal(int output, int code) {
    if (HasStandard(output) && PirvoSignalCode(PirvoSignalKeyword(code)) == code)
        SetParameter(m_signal[static_cast<size_t>(output)], code);
}

void CPirvoDoc::SetLines(int output, int lines) {
    if (ValidPirvoOutput(output))
        SetParameter(m_lines[static_cast<size_t>(output)], lines);
}

void CPirvoDoc::SetDelay(int output, double seconds) {
    if (ValidPirvoOutput(output) && std::isfinite(seconds))
        SetParameter(m_delay[static_cast<size_t>(output)], seconds);
}

void CPirvoDoc::SetFormatFolder(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_catalog.size())
        return;
    m_active.format = index;
    m_active.formatName = m_catalog[static_cast<size_t>(index)].name;
    SetParameter(m_format[kPirvoSignalOutput], index);
}

void CPirvoDoc::SetSignalFile(const std::string& fileName) {
    if (fileName.empty())
        return;
    m_active.signalName = fileName;
    m_active.fileName = fileName;
    // The SIGNAL output has no signal code: its flag stands for the picked file.
    SetParameter(m_signal[kPirvoSignalOutput], m_signal[kPirvoSignalOutput].Value());
}

void CPirvoDoc::SetSignalSet(const std::string& name) {
    if (name.empty())
        return;
    m_active.setName = name;
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, 0);
}

void CPirvoDoc::SetAplMode(const std::string& keyword) {
    if (IsAplKeyword(m_aplTables.modeKeywords, keyword))
        SetParameter(m_aplMode, keyword);
}

void CPirvoDoc::SetAplPeriod(const std::string& keyword) {
    if (IsAplKeyword(m_aplTables.periodKeywords, keyword))
        SetParameter(m_aplPeriod, keyword);
}

void CPirvoDoc::SetIdText(int output, const std::string& text) {
    if (!HasPirvoIdText(output))
        return;
    SetParameter(m_idText[static_cast<size_t>(output)], QuotableText(text));
}

void CPirvoDoc::SetIdMode(int output, int mode) {
    if (HasPirvoIdText(output) && mode >= kIdTextEnable && mode <= kIdTextBlinkSlow)
        SetParameter(m_idMode[static_cast<size_t>(output)], mode);
}

void CPirvoDoc::SetIdX(int output, int percent) {
    if (HasPirvoIdText(output))
        SetParameter(m_idX[static_cast<size_t>(output)], std::clamp(percent, 0, kMaxPercent));
}

void CPirvoDoc::SetIdY(int output, int percent) {
    if (HasPirvoIdText(output))
        SetParameter(m_idY[static_cast<size_t>(output)], std::clamp(percent, 0, kMaxPercent));
}

}  // namespace corvane
