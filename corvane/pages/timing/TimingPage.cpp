#include "corvane/pages/timing/TimingPage.h"

#include <cmath>

#include "platform/MessageBox.h"
#include "platform/Numbers.h"

namespace corvane {

namespace {

const char* const kLinesMessage = "Vertical lines must be within\n%d to %d.";
const char* const kDelayFormat = "%8.4f";

bool PirvoGroupLimits(int, const TimingOutput& output, TimingLimits& limits) {
    return PirvoTimingLimits(output.format, limits);
}

bool KintorGroupLimits(int, const TimingOutput& output, TimingLimits& limits) {
    return KintorTimingLimits(output.format, output.signal, limits);
}

bool BrumoGroupLimits(int group, const TimingOutput& output, TimingLimits& limits) {
    return BrumoTimingLimits(group, output.format, limits);
}

}  // namespace

const TimingPageTable& PirvoTimingTable() {
    static const TimingPageTable table{PirvoTimingPageTemplate(), kPirvoTimingMessages,
                                       kPirvoKintorTimingIds, PirvoGroupLimits,
                                       "Horizontal delay must be within\n%8.4f to %8.4f [usec]."};
    return table;
}

const TimingPageTable& KintorTimingTable() {
    static const TimingPageTable table{KintorTimingPageTemplate(), kKintorTimingMessages,
                                       kPirvoKintorTimingIds, KintorGroupLimits,
                                       "Horizontal delay must be within\n%8.4f to %8.4f [usec]."};
    return table;
}

const TimingPageTable& BrumoTimingTable() {
    static const TimingPageTable table{BrumoTimingPageTemplate(), kBrumoTimingMessages,
                                       kBrumoTimingIds, BrumoGroupLimits,
                                       "Horizontal coarse must be within\n%8.4f to %8.4f [usec]."};
    return table;
}

CTimingPage::CTimingPage(const TimingPageTable& table)
    : CTabPage(table.pageTemplate), m_table(table) {
    const TimingMessages& m = m_table.messages;
    OnMessage(m.formatReload,
              [this](platform::WPARAM w, platform::LPARAM l) { return Reload(w, l, true); });
    if (m.signalReload != 0)
        OnMessage(m.signalReload,
                  [this](platform::WPARAM w, platform::LPARAM l) { return Reload(w, l, false); });
    OnMessage(m.liveRequest,
              [this](platform::WPARAM w, platform::LPARAM) { return LiveTimingRequested(w); });
}

platform::BOOL CTimingPage::OnInitDialog() {
    m_ready = 0;
    platform::CDialog::OnInitDialog();
    ApplyLimits();
    m_ready = 1;
    return platform::TRUE;
}

int CTimingPage::GroupOf(int id) const {
    for (int g = 0; g < GroupCount(); ++g) {
        const TimingGroupIds& ids = Ids(g);
        for (int own : {ids.linesEdit, ids.linesSpin, ids.delayEdit, ids.delaySpin, ids.fineEdit,
                        ids.fineSpin})
            if (own != 0 && own == id)
                return g;
    }
    return -1;
}

int CTimingPage::GroupFromWParam(platform::WPARAM wParam) const {
    // Before the page exists its creation takes the values the view pushes; after it is gone
    // there is nothing to show.
    const auto group = static_cast<platform::LPARAM>(wParam);
    return IsWindow() && group >= 0 && group < GroupCount() ? static_cast<int>(group) : -1;
}

platform::BOOL CTimingPage::OnCommand(int id, int code) {
    const int g = GroupOf(id);
    if (g < 0)
        return CTabPage::OnCommand(id, code);
    if (id == Ids(g).linesEdit) {
        if (code == platform::EN_UPDATE)
            LinesUpdated(g);
        else if (code == platform::EN_KILLFOCUS && IsReady())
            RewriteIntegerField(id, &m_groups[g].linesText);
    } else if (id == Ids(g).delayEdit) {
        if (code == platform::EN_UPDATE && IsReady())
            DelayUpdated(g);
        else if (code == platform::EN_KILLFOCUS && IsReady())
            WritePart(g, CoarsePart(g));  // the canonical text; nothing to take or send
    }
    return platform::TRUE;
}

void CTimingPage::OnVScroll(int code, int pos, int id) {
    const int g = GroupOf(id);
    if (g < 0 || id != Ids(g).delaySpin || code == platform::SB_ENDSCROLL || !IsReady())
        return;
    TakeSpunText(g, CoarsePart(g), pos * m_groups[g].limits.step, [this, g] { DelayUpdated(g); });
}

void CTimingPage::ApplyLimits() {
    ReadyOff off(*this);
    for (int g = 0; g < GroupCount(); ++g) {
        Group& group = m_groups[g];
        TimingOutput& out = m_values[g];
        m_table.limits(g, out, group.limits);
        const int lines = group.limits.ClampLines(out.lines);
        if (lines != out.lines) {
            out.lines = lines;
            SendToView(m_table.messages.lines, g, lines);
        }
        const double delay = group.limits.ClampDelay(out.delay);
        // A delay that is no number compares unequal to itself and is replaced as well.
        if (!(delay == out.delay)) {
            out.delay = delay;
            SendToView(m_table.messages.delay, g, reinterpret_cast<platform::LPARAM>(&out.delay));
        }
        SplitDelay(g);
    }
    EnableGroups();
    for (int g = 0; g < GroupCount(); ++g) WriteGroup(g);
}

void CTimingPage::SplitDelay(int group) {
    m_groups[group].coarse = m_values[group].delay;
    m_groups[group].fine = 0.0;
}

void CTimingPage::WriteGroup(int group) {
    const TimingGroupIds& ids = Ids(group);
    Group& g = m_groups[group];
    const int lines = g.limits.lines;
    SetSpinRange(ids.linesSpin, -lines, lines);
    WriteSpin(ids.linesSpin, m_values[group].lines);
    g.linesText = platform::Format("%d", m_values[group].lines);
    WriteText(ids.linesEdit, g.linesText);
    const int steps = g.limits.DelaySpinBound();
    SetSpinRange(ids.delaySpin, -steps, steps);
    WritePart(group, CoarsePart(group));
}

void CTimingPage::LinesUpdated(int group) {
    const TimingGroupIds& ids = Ids(group);
    const int lines = m_groups[group].limits.lines;
    OnIntegerFieldUpdate(ids.linesEdit, ids.linesSpin, -lines, lines, kLinesMessage,
                         m_groups[group].linesText, m_values[group].lines,
                         [this, group](int v) { SendToView(m_table.messages.lines, group, v); });
}

CTimingPage::DelayPart CTimingPage::CoarsePart(int group) const {
    return {Ids(group).delayEdit,
            Ids(group).delaySpin,
            &Group::coarse,
            kDelayFormat,
            1e-6,
            &TimingLimits::DelaySpinPosition};
}

void CTimingPage::TakePart(int group, const DelayPart& part, double value) {
    Group& g = m_groups[group];
    g.*part.part = value;
    double& stored = m_values[group].delay;
    stored = g.coarse + g.fine;
    SendToView(m_table.messages.delay, group, reinterpret_cast<platform::LPARAM>(&stored));
    if (g.setBySpin == 0)
        WriteSpin(part.spinId, (g.limits.*part.position)(value));
    g.setBySpin = 0;
}

void CTimingPage::RefusePart(int group, const DelayPart& part, const std::string& message) {
    platform::AfxMessageBox(message, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    WritePart(group, part);
    GotoDlgCtrl(part.editId);
    m_groups[group].setBySpin = 0;
}

void CTimingPage::WritePart(int group, const DelayPart& part) {
    // A limit off the step grid keeps its exact value rather than the nearest step of its text.
    const Group& g = m_groups[group];
    WriteText(part.editId, platform::Format(part.format, g.*part.part / part.unit));
    WriteSpin(part.spinId, (g.limits.*part.position)(g.*part.part));
}

void CTimingPage::TakeSpunText(int group, const DelayPart& part, double value,
                               const std::function<void()>& updated) {
    m_groups[group].setBySpin = 1;
    WriteText(part.editId, platform::Format(part.format, value / part.unit));
    updated();
    m_groups[group].setBySpin = 0;
}

void CTimingPage::DelayUpdated(int group) {
    const TimingLimits& limits = m_groups[group].limits;
    double typed = 0.0;
    if (limits.DelayFromText(GetDlgItemText(Ids(group).delayEdit), typed)) {
        TakePart(group, CoarsePart(group), typed);
        return;
    }
    const double bound = limits.DelayBoundMicroseconds();
    RefusePart(group, CoarsePart(group), platform::Format(m_table.delayMessage, -bound, bound));
}

platform::LRESULT CTimingPage::Reload(platform::WPARAM wParam, platform::LPARAM lParam,
                                      bool format) {
    const int group = GroupFromWParam(wParam);
    if (group < 0)
        return 0;
    // The view pushed the document's block first; the new value is the one it just stored.
    if (format)
        m_values[group].format = static_cast<int>(lParam);
    else
        m_values[group].signal = static_cast<int>(lParam);
    ApplyLimits();
    return 0;
}

platform::LRESULT CTimingPage::LiveTimingRequested(platform::WPARAM wParam) {
    const int group = GroupFromWParam(wParam);
    if (group < 0)
        return 0;
    LiveTiming live{m_values[group].lines, m_values[group].delay};
    if (SendToView(m_table.messages.timingQuery, group,
                   reinterpret_cast<platform::LPARAM>(&live)) != 1 ||
        !std::isfinite(live.delay))
        return 0;
    m_values[group].lines = live.lines;
    m_values[group].delay = live.delay;
    ApplyLimits();
    return 0;
}

}  // namespace corvane
