#include "corvane/pages/videosignal/VideoSignalPage.h"

#include <cmath>

#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/VideoSignalPageForms.h"

namespace corvane {

namespace {

constexpr const char* kLinesMessage = "Vertical lines must be within\n%d to %d.";
constexpr const char* kFineMessage = "Horizontal fine must be within\n%6.2f to %6.2f [nsec].";
// The fine field counts tenths of a nanosecond within +-10 ns.
constexpr int kFineTenths = 100;
constexpr double kTenth = 1e-10;
// Room the lists reserve per entry; longer names still fit, the reservation is a hint.
constexpr int kListEntryBytes = 64;

constexpr int kSignalControls[] = {IDC_SIGNAL_FORMAT_LABEL, IDC_SIGNAL_FORMAT,
                                   IDC_SIGNAL_SET_LABEL,    IDC_SIGNAL_SET,
                                   IDC_SIGNAL_SIGNAL_LABEL, IDC_SIGNAL_SIGNAL};
constexpr int kPictureControls[] = {IDC_SIGNAL_PICTURE_SET_LABEL, IDC_SIGNAL_PICTURE_SET,
                                    IDC_SIGNAL_PICTURE_LABEL, IDC_SIGNAL_PICTURE};

// What a list shows of a file: its display name, or the name as listed when that is all.
std::string Shown(const CatalogFile& file) {
    return file.displayName.empty() ? file.fileName : file.displayName;
}

std::vector<std::string> Shown(const std::vector<CatalogFile>& files) {
    std::vector<std::string> names;
    for (const CatalogFile& file : files) names.push_back(Shown(file));
    return names;
}

// The file a document's name stands for (as listed or as shown), else `index` when it is one.
int MatchFile(const std::vector<CatalogFile>& files, const std::string& name, int index) {
    for (size_t i = 0; i < files.size(); ++i)
        if (files[i].fileName == name || files[i].displayName == name)
            return static_cast<int>(i);
    return index >= 0 && index < static_cast<int>(files.size()) ? index : -1;
}

int Position(double value, double step) {
    if (step <= 0.0 || !std::isfinite(value / step))
        return 0;
    return static_cast<int>(std::lround(value / step));
}

}  // namespace

CVideoSignalPage::CVideoSignalPage(VideoModel model)
    : CTabPage(VideoSignalPageTemplate(model)), m_table(VideoSignalTableOf(model)) {
    RegisterVideoPageStrings();
    OnMessage(m_table.messages.setLimits, [this](platform::WPARAM, platform::LPARAM) {
        ApplyTimingLimits();
        return platform::LRESULT{0};
    });
    OnMessage(m_table.messages.timingReload,
              [this](platform::WPARAM, platform::LPARAM) { return OnTimingReload(); });
}

platform::BOOL CVideoSignalPage::OnInitDialog() {
    m_ready = 0;
    CTabPage::OnInitDialog();
    m_format = m_values.format;
    m_set = m_values.signalSet;
    m_signal = m_values.signal;
    m_pictureSet = m_values.pictureSet;
    m_picture = m_values.picture;
    m_framePicture = m_values.framePicture != 0 ? 1 : 0;
    m_lines = m_values.lines;
    m_delay = m_values.delay;
    FillLists();
    FillPictureLists();
    EnableFramePicture();
    ApplyTimingLimits();
    m_ready = 1;
    return platform::TRUE;
}

// --- Catalogue lists -------------------------------------------------------------------------

const SignalSet* CVideoSignalPage::Format(int index) const {
    const SignalTree& tree = m_values.signalTree;
    return index >= 0 && index < static_cast<int>(tree.size()) ? &tree[static_cast<size_t>(index)]
                                                               : nullptr;
}

const CatalogFolder* CVideoSignalPage::SignalSetAt(int index) const {
    const SignalSet* format = Format(m_format);
    if (format == nullptr || index < 0 || index >= static_cast<int>(format->sets.size()))
        return nullptr;
    return &format->sets[static_cast<size_t>(index)];
}

const CatalogFolder* CVideoSignalPage::PictureSetAt(int index) const {
    const auto& folders = m_values.pictures.folders;
    return index >= 0 && index < static_cast<int>(folders.size())
               ? &folders[static_cast<size_t>(index)]
               : nullptr;
}

std::string CVideoSignalPage::CurrentFormatName() const {
    const SignalSet* format = Format(m_format);
    return format != nullptr ? format->name : m_values.formatName;
}

int CVideoSignalPage::SetListPosition(int set) const {
    for (size_t i = 0; i < m_setList.size(); ++i)
        if (m_setList[i] == set)
            return static_cast<int>(i);
    return -1;
}

void CVideoSignalPage::FillLists() {
    std::vector<std::string> names;
    for (size_t i = 0; i < m_values.signalTree.size(); ++i) {
        names.push_back(m_values.signalTree[i].name);
        if (names.back() == m_values.formatName)
            m_format = static_cast<int>(i);
    }
    if (Format(m_format) == nullptr)
        m_format = -1;
    if (FillComboList(IDC_SIGNAL_FORMAT, names, static_cast<int>(names.size()), kListEntryBytes,
                      m_format) == 0)
        return;
    FillSetList(true);
    const CatalogFolder* set = SignalSetAt(m_set);
    m_signal = set != nullptr ? MatchFile(set->files, m_values.signalName, m_signal) : -1;
    FillSignalList();
}

void CVideoSignalPage::FillSetList(bool firstFill) {
    m_setList.clear();
    std::vector<std::string> names;
    const bool dropApl = m_table.dropAplSets || (firstFill && m_table.dropAplSetsAtFirstFill);
    if (const SignalSet* format = Format(m_format)) {
        for (size_t i = 0; i < format->sets.size(); ++i) {
            const std::string& name = format->sets[i].name;
            if (dropApl && name == "APL")
                continue;
            if (firstFill && name == m_values.signalSetName)
                m_set = static_cast<int>(i);
            m_setList.push_back(static_cast<int>(i));
            names.push_back(name);
        }
    }
    if (SetListPosition(m_set) < 0)
        m_set = -1;
    FillComboList(IDC_SIGNAL_SET, names, static_cast<int>(names.size()), kListEntryBytes,
                  SetListPosition(m_set));
}

void CVideoSignalPage::FillSignalList() {
    const CatalogFolder* set = SignalSetAt(m_set);
    const std::vector<std::string> names =
        set != nullptr ? Shown(set->files) : std::vector<std::string>{};
    if (m_signal >= static_cast<int>(names.size()))
        m_signal = -1;
    FillComboList(IDC_SIGNAL_SIGNAL, names, static_cast<int>(names.size()), kListEntryBytes,
                  m_signal);
}

void CVideoSignalPage::FillPictureLists() {
    const auto& folders = m_values.pictures.folders;
    if (folders.empty())
        return;
    std::vector<std::string> names;
    for (size_t i = 0; i < folders.size(); ++i) {
        names.push_back(folders[i].name);
        if (names.back() == m_values.pictureSetName)
            m_pictureSet = static_cast<int>(i);
    }
    if (PictureSetAt(m_pictureSet) == nullptr)
        m_pictureSet = -1;
    if (FillComboList(IDC_SIGNAL_PICTURE_SET, names, static_cast<int>(names.size()),
                      kListEntryBytes, m_pictureSet) == 0)
        return;
    const CatalogFolder* set = PictureSetAt(m_pictureSet);
    m_picture = set != nullptr ? MatchFile(set->files, m_values.pictureName, m_picture) : -1;
    FillPictureList();
}

void CVideoSignalPage::FillPictureList() {
    const CatalogFolder* set = PictureSetAt(m_pictureSet);
    const std::vector<std::string> names =
        set != nullptr ? Shown(set->files) : std::vector<std::string>{};
    if (m_picture >= static_cast<int>(names.size()))
        m_picture = -1;
    FillComboList(IDC_SIGNAL_PICTURE, names, static_cast<int>(names.size()), kListEntryBytes,
                  m_picture);
}

void CVideoSignalPage::EnableFramePicture() {
    ReadyOff off(*this);
    const bool pictures = !m_values.pictures.folders.empty();
    const bool frame = pictures && m_framePicture != 0;
    CheckDlgButton(IDC_SIGNAL_FRAME_PICTURE, m_framePicture);
    EnableDlgItem(IDC_SIGNAL_FRAME_PICTURE, pictures);
    for (int id : kPictureControls) EnableDlgItem(id, frame);
    for (int id : kSignalControls) EnableDlgItem(id, !frame);
}

// --- Choices ---------------------------------------------------------------------------------

bool CVideoSignalPage::ConfirmFormat(const std::string& name) {
    std::string question;
    if (m_table.blackFormatGuard) {
        if (m_values.otherOutput != 0)
            question = SormetBlackFormatQuestion(m_values.otherOutputFormat, name);
    } else {
        int own = kClockNoHd;
        if (m_values.otherOutput != 0)
            own = m_table.model == VideoModel::Ulmeth
                      ? UlmethBlackClockFamily(m_values.otherOutputFormat)
                      : (m_values.otherOutputFamily == kClock7418 ? kClock7418 : kClock7425);
        const int id = HdClockQuestion(FormatClockFamily(m_table.model, name),
                                       {own, m_values.brumoFamily, m_values.kintorFamily});
        if (id != 0)
            question = platform::LoadString(id);
    }
    return question.empty() ||
           platform::AfxMessageBox(question, platform::MB_YESNO | platform::MB_ICONEXCLAMATION) ==
               platform::IDYES;
}

void CVideoSignalPage::OnFormatChange() {
    const int index = GetCurSel(IDC_SIGNAL_FORMAT);
    const SignalSet* format = Format(index);
    // The first set with a signal in it; a format without one has nothing to load.
    int firstSet = -1;
    if (format != nullptr)
        for (size_t i = 0; i < format->sets.size() && firstSet < 0; ++i)
            if (!(m_table.dropAplSets && format->sets[i].name == "APL") &&
                !format->sets[i].files.empty())
                firstSet = static_cast<int>(i);
    if (firstSet < 0 || !ConfirmFormat(format->name)) {
        ReadyOff off(*this);
        SetCurSel(IDC_SIGNAL_FORMAT, m_format);
        return;
    }
    m_format = index;
    m_set = firstSet;
    FillSetList(false);
    SendText(m_table.messages.signalSet, m_set, SignalSetAt(m_set)->name);
    m_signal = 0;
    FillSignalList();
    SendSignal();
    SendText(m_table.messages.format, SignalPageFormatCode(m_table.model, format->name),
             format->name);
}

void CVideoSignalPage::OnSetChange() {
    const int position = GetCurSel(IDC_SIGNAL_SET);
    const int set = position >= 0 && position < static_cast<int>(m_setList.size())
                        ? m_setList[static_cast<size_t>(position)]
                        : -1;
    const CatalogFolder* folder = SignalSetAt(set);
    if (folder == nullptr || folder->files.empty()) {
        ReadyOff off(*this);
        SetCurSel(IDC_SIGNAL_SET, SetListPosition(m_set));
        return;
    }
    m_set = set;
    SendText(m_table.messages.signalSet, m_set, folder->name);
    m_signal = 0;
    FillSignalList();
    SendSignal();
}

void CVideoSignalPage::OnSignalChange() {
    m_signal = GetCurSel(IDC_SIGNAL_SIGNAL);
    SendSignal();
}

void CVideoSignalPage::OnPictureSetChange() {
    const int index = GetCurSel(IDC_SIGNAL_PICTURE_SET);
    const CatalogFolder* folder = PictureSetAt(index);
    if (folder == nullptr || folder->files.empty()) {
        ReadyOff off(*this);
        SetCurSel(IDC_SIGNAL_PICTURE_SET, m_pictureSet);
        return;
    }
    m_pictureSet = index;
    SendText(m_table.messages.pictureSet, m_pictureSet, folder->name);
    m_picture = 0;
    FillPictureList();
    SendPicture();
}

void CVideoSignalPage::OnPictureChange() {
    m_picture = GetCurSel(IDC_SIGNAL_PICTURE);
    SendPicture();
}

void CVideoSignalPage::OnFramePictureClicked() {
    const int on = IsDlgButtonChecked(IDC_SIGNAL_FRAME_PICTURE) != 0 ? 1 : 0;
    const CatalogFolder* pictures = PictureSetAt(m_pictureSet);
    const CatalogFolder* signalSet = SignalSetAt(m_set);
    const bool picture = pictures != nullptr && m_picture >= 0 &&
                         m_picture < static_cast<int>(pictures->files.size());
    const bool signal = signalSet != nullptr && m_signal >= 0 &&
                        m_signal < static_cast<int>(signalSet->files.size());
    // The side turned to must have something to load.
    if (on ? !picture : !signal) {
        ReadyOff off(*this);
        CheckDlgButton(IDC_SIGNAL_FRAME_PICTURE, on != 0 ? 0 : 1);
        return;
    }
    m_framePicture = on;
    if (on != 0)
        SendPicture();
    else
        SendSignal();
    EnableFramePicture();
    SendToView(m_table.messages.framePicture, static_cast<platform::WPARAM>(on), 0);
}

void CVideoSignalPage::SendText(platform::UINT message, int index, const std::string& text) {
    SendToView(message, static_cast<platform::WPARAM>(index),
               reinterpret_cast<platform::LPARAM>(text.c_str()));
}

void CVideoSignalPage::SendSignal() {
    const CatalogFolder* set = SignalSetAt(m_set);
    if (set != nullptr && m_signal >= 0 && m_signal < static_cast<int>(set->files.size()))
        SendText(m_table.messages.signal, m_signal,
                 set->files[static_cast<size_t>(m_signal)].fileName);
}

void CVideoSignalPage::SendPicture() {
    const CatalogFolder* set = PictureSetAt(m_pictureSet);
    if (set != nullptr && m_picture >= 0 && m_picture < static_cast<int>(set->files.size()))
        SendText(m_table.messages.picture, m_picture,
                 set->files[static_cast<size_t>(m_picture)].fileName);
}

// --- Timing ----------------------------------------------------------------------------------

void CVideoSignalPage::SendLines() {
    SendToView(m_table.messages.lines, 0, static_cast<platform::LPARAM>(m_lines));
}

void CVideoSignalPage::SendDelay() {
    SendToView(m_table.messages.delay, 0, reinterpret_cast<platform::LPARAM>(&m_delay));
}

void CVideoSignalPage::ApplyTimingLimits() {
    m_limits = FormatTimingOf(m_table.model, CurrentFormatName());
    const int lines = Clamp(m_lines, -m_limits.lines, m_limits.lines);
    if (lines != m_lines) {
        m_lines = lines;
        SendLines();
    }
    if (!std::isfinite(m_delay))
        m_delay = 0.0;
    const double bound = m_limits.delayBound;
    if (m_delay > bound || m_delay < -bound) {
        m_delay = m_delay > bound ? bound : -bound;
        SendDelay();
    }
    m_boundSteps = m_limits.StepCount();
    m_stepUs = m_limits.step * 1e6;
    if (Split()) {
        const DelaySplit split = SplitDelay(m_delay, m_limits.step);
        m_coarse = split.coarse;
        m_fine = split.fine;
    }
    WriteTiming();
}

void CVideoSignalPage::WriteTiming() {
    ReadyOff off(*this);
    m_linesText = platform::Format("%d", m_lines);
    SetSpinRange(IDC_SIGNAL_LINES_SPIN, -m_limits.lines, m_limits.lines);
    WriteSpin(IDC_SIGNAL_LINES_SPIN, m_lines);
    WriteText(IDC_SIGNAL_LINES, m_linesText);
    SetSpinRange(m_table.delaySpin, -m_boundSteps, m_boundSteps);
    RewriteDelayField(m_table.delayEdit);
    if (Split()) {
        SetSpinRange(m_table.fineSpin, -kFineTenths, kFineTenths);
        RewriteDelayField(m_table.fineEdit);
    }
}

// A delay field as stored, in its canonical form, with its spin.
void CVideoSignalPage::RewriteDelayField(int editId) {
    ReadyOff off(*this);
    if (editId == m_table.delayEdit) {
        const double shown = Split() ? m_coarse : m_delay;
        m_delayText = platform::Format("%8.4f", shown * 1e6);
        WriteSpin(m_table.delaySpin, Position(shown, m_limits.step));
        WriteText(m_table.delayEdit, m_delayText);
    } else if (Split() && editId == m_table.fineEdit) {
        WriteSpin(m_table.fineSpin, Position(m_fine, kTenth));
        WriteText(m_table.fineEdit, platform::Format("%6.2f", m_fine * 1e9));
    }
}

CTabPage::StepField CVideoSignalPage::DelayField() {
    const double bound = m_boundSteps * m_stepUs;
    return {m_table.delayEdit, m_table.delaySpin,    -bound, bound, m_stepUs,
            "%8.4f",           m_table.delayMessage, 1e-6};
}

void CVideoSignalPage::OnDelayUpdate() {
    double& stored = Split() ? m_coarse : m_delay;
    CheckStepField(DelayField(), m_delayText, stored, [this](const double&) {
        if (Split())
            m_delay = m_coarse + m_fine;
        SendDelay();
    });
}

void CVideoSignalPage::OnFineUpdate() {
    if (!IsReady())
        return;
    const double typed = platform::StrToDouble(GetDlgItemText(m_table.fineEdit).c_str());
    // Tenths of a nanosecond, cut rather than rounded; tested as a double so that a huge
    // number is refused before it becomes an int.
    const double tenths = std::trunc(typed * 10.0);
    if (!(tenths >= -kFineTenths && tenths <= kFineTenths)) {
        platform::AfxMessageBox(
            platform::Format(kFineMessage, -kFineTenths / 10.0, kFineTenths / 10.0),
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
        WriteSpin(m_table.fineSpin, Position(m_fine, kTenth));
        WriteText(m_table.fineEdit, platform::Format("%6.2f", m_fine * 1e9));
        GotoDlgCtrl(m_table.fineEdit);
        return;
    }
    m_fine = tenths * kTenth;
    m_delay = m_coarse + m_fine;
    SendDelay();
    WriteSpin(m_table.fineSpin, static_cast<int>(tenths));
}

platform::LRESULT CVideoSignalPage::OnTimingReload() {
    VideoSignalTiming timing;
    if (SendToView(m_table.messages.timingQuery, 0, reinterpret_cast<platform::LPARAM>(&timing)) ==
        0)
        return 0;
    ReadyOff off(*this);
    m_lines = timing.lines;
    m_delay = timing.delay;
    ApplyTimingLimits();
    return 0;
}

// --- Notifications ---------------------------------------------------------------------------

platform::BOOL CVideoSignalPage::OnCommand(int id, int code) {
    const bool ready = IsReady();
    if (code == platform::CBN_SELCHANGE) {
        if (!ready)
            return platform::TRUE;
        switch (id) {
            case IDC_SIGNAL_FORMAT:
                OnFormatChange();
                return platform::TRUE;
            case IDC_SIGNAL_SET:
                OnSetChange();
                return platform::TRUE;
            case IDC_SIGNAL_SIGNAL:
                OnSignalChange();
                return platform::TRUE;
            case IDC_SIGNAL_PICTURE_SET:
                OnPictureSetChange();
                return platform::TRUE;
            case IDC_SIGNAL_PICTURE:
                OnPictureChange();
                return platform::TRUE;
            default:
                break;
        }
    }
    if (id == IDC_SIGNAL_FRAME_PICTURE && code == platform::BN_CLICKED) {
        if (ready)
            OnFramePictureClicked();
        return platform::TRUE;
    }
    if (id == IDC_SIGNAL_LINES) {
        if (code == platform::EN_UPDATE)
            OnIntegerFieldUpdate(IDC_SIGNAL_LINES, IDC_SIGNAL_LINES_SPIN, -m_limits.lines,
                                 m_limits.lines, kLinesMessage, m_linesText, m_lines,
                                 [this](int) { SendLines(); });
        else if (code == platform::EN_KILLFOCUS && ready)
            RewriteIntegerField(IDC_SIGNAL_LINES, &m_linesText);
        return platform::TRUE;
    }
    if (id == m_table.delayEdit || (Split() && id == m_table.fineEdit)) {
        if (code == platform::EN_UPDATE) {
            if (id == m_table.delayEdit)
                OnDelayUpdate();
            else
                OnFineUpdate();
        } else if (code == platform::EN_KILLFOCUS && ready) {
            RewriteDelayField(id);
        }
        return platform::TRUE;
    }
    return CTabPage::OnCommand(id, code);
}

void CVideoSignalPage::OnVScroll(int code, int pos, int id) {
    if (!IsReady() || code == platform::SB_ENDSCROLL)
        return;
    // The spins count steps; their text write is what sends, as typing does.
    if (id == m_table.delaySpin)
        SetDlgItemText(m_table.delayEdit, platform::Format("%8.4f", pos * m_stepUs));
    else if (Split() && id == m_table.fineSpin)
        SetDlgItemText(m_table.fineEdit, platform::Format("%6.2f", pos * 0.1));
}

}  // namespace corvane
