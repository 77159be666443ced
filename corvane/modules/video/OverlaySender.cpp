#include "corvane/modules/video/OverlaySender.h"

#include "corvane/modules/common/ParameterSend.h"
#include "platform/Numbers.h"

namespace corvane {

COverlaySender::COverlaySender(IInstrumentLink* link, IProgressSink& progress, TextSave textSave)
    : m_link(link), m_progress(progress), m_textSave(textSave) {}

int COverlaySender::Send(const OverlayParameters& overlay, bool& logoReread) {
    logoReread = false;
    bool save = false;
    return Blink(overlay.blink) && Logo(overlay, save, logoReread) && Text(overlay, save) &&
           Circle(overlay);
}

int COverlaySender::Line(const std::string& command) {
    return SendLine(m_link, command);
}

int COverlaySender::IfChanged(ChangeFlag& parameter, const std::string& command) {
    return SendIfChanged(m_link, m_progress, parameter, command);
}

int COverlaySender::Blink(Flagged<int>& blink) {
    if (blink.Changed()) {
        if (blink == 0) {
            if (!Line("OUTP1:OVER:BLIN:STAT 0"))
                return 0;
        } else if (!Line("OUTP1:OVER:BLIN:STAT 1") ||
                   !Line(blink == 2 ? "OUTP1:OVER:BLIN:PER 0.5" : "OUTP1:OVER:BLIN:PER 1.0")) {
            return 0;
        }
        blink.ClearChanged();
    }
    m_progress.Step();
    return 1;
}

int COverlaySender::Logo(const OverlayParameters& overlay, bool& save, bool& logoReread) {
    const std::string select = "OUTP1:LOGO:SEL \"" + overlay.logoName.Value() + "\"";
    if (overlay.logoState.Changed()) {
        if (overlay.logoState != 0) {
            if (!Line(select))
                return 0;
            overlay.logoName.ClearChanged();
        }
        if (!Line(platform::Format("OUTP1:LOGO:STAT %d", overlay.logoState.Value())))
            return 0;
        overlay.logoState.ClearChanged();
        logoReread = true;
        save = overlay.logoState != 0;
    }
    m_progress.Step();
    if (overlay.logoName.Changed()) {
        if (!Line("OUTP1:LOGO:STAT 0") || !Line(select) || !Line("OUTP1:LOGO:STAT 1"))
            return 0;
        overlay.logoName.ClearChanged();
        logoReread = true;
        save = true;
    }
    m_progress.Step();
    if (save) {
        if (!Line("OUTP1:LOGO:SAVE"))
            return 0;
        save = false;
    }
    save = overlay.logoHorizontal.Changed() || overlay.logoVertical.Changed();
    if (!IfChanged(overlay.logoHorizontal,
                   platform::Format("OUTP1:LOGO:POS:HOR %.1f", overlay.logoHorizontal.Value())) ||
        !IfChanged(overlay.logoVertical,
                   platform::Format("OUTP1:LOGO:POS:VERT %.1f", overlay.logoVertical.Value())))
        return 0;
    // The flag stays set: the text's save follows.
    return !save || Line("OUTP1:LOGO:SAVE");
}

int COverlaySender::Text(const OverlayParameters& overlay, bool& save) {
    const std::string data = "OUTP1:TEXT:DATA \"" + overlay.text.Value() + "\"";
    if (overlay.textState.Changed()) {
        if (overlay.textState != 0) {
            if (!Line(data))
                return 0;
            overlay.text.ClearChanged();
        }
        if (!Line(platform::Format("OUTP1:TEXT:STAT %d", overlay.textState.Value())))
            return 0;
        overlay.textState.ClearChanged();
        save = true;
    }
    m_progress.Step();
    if (overlay.text.Changed()) {
        if (!Line(data))
            return 0;
        overlay.text.ClearChanged();
        save = true;
    }
    m_progress.Step();
    if (save) {
        if (!Line("OUTP1:TEXT:SAVE"))
            return 0;
        if (m_textSave == TextSave::kClearsFlag)
            save = false;
    }
    save = save || overlay.textHorizontal.Changed() || overlay.textVertical.Changed();
    if (!IfChanged(overlay.textHorizontal,
                   platform::Format("OUTP1:TEXT:POS:HOR %d", overlay.textHorizontal.Value())) ||
        !IfChanged(overlay.textVertical,
                   platform::Format("OUTP1:TEXT:POS:VERT %d", overlay.textVertical.Value())))
        return 0;
    return !save || Line("OUTP1:TEXT:SAVE");
}

int COverlaySender::Circle(const OverlayParameters& overlay) {
    return IfChanged(overlay.circleState,
                     platform::Format("OUTP1:CIRC:STAT %d", overlay.circleState.Value())) &&
           IfChanged(overlay.circleHorizontal,
                     platform::Format("OUTP1:CIRC:POS:HOR %d", overlay.circleHorizontal.Value())) &&
           IfChanged(overlay.circleVertical,
                     platform::Format("OUTP1:CIRC:POS:VERT %d", overlay.circleVertical.Value())) &&
           IfChanged(overlay.circleDiameter,
                     platform::Format("OUTP1:CIRC:DIAM %d", overlay.circleDiameter.Value()));
}

}  // namespace corvane
