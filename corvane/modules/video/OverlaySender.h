// COverlaySender: the overlay of a video module's output 1 as an Apply sends it: blinking, the
// logo, the ID text and the circle, each parameter only when it changed, and one progress step
// per parameter position whether it went or not.
//
// The module keeps a logo or text change only once it is saved. Switching the logo on takes
// the selected logo with it; a new selection while the logo stays as it is goes out with the
// logo switched off and on again around it. One save covers what went before it, and a save
// the logo positions needed carries on into the text's, so the text is saved after them too.
// The families differ only in whether the text's first save uses that save up.
#pragma once

#include <string>

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/common/Flagged.h"
#include "corvane/modules/common/ProgressSink.h"

namespace corvane {

// The document's overlay parameters, by reference: the sender clears the flag of each one it
// sent.
struct OverlayParameters {
    Flagged<int>& blink;  // 0 off, 2 every 0.5 s, any other every 1.0 s
    Flagged<int>& logoState;
    Flagged<std::string>& logoName;
    Flagged<double>& logoHorizontal;  // percent
    Flagged<double>& logoVertical;
    Flagged<int>& textState;
    Flagged<std::string>& text;  // as it goes inside the quotes
    Flagged<int>& textHorizontal;
    Flagged<int>& textVertical;
    Flagged<int>& circleState;
    Flagged<int>& circleHorizontal;
    Flagged<int>& circleVertical;
    Flagged<int>& circleDiameter;
};

// What the text's first save does to the save flag.
enum class TextSave {
    kClearsFlag,  // the serial modules: only new text positions save the text again
    kKeepsFlag,   // the analog modules: the save after the text positions goes out as well
};

class COverlaySender {
public:
    // The progress steps of a Send that goes through: the blinking; the logo's state, name and
    // two positions; the text's state, data and two positions; the circle's four parameters.
    static constexpr int kSteps = 1 + 4 + 4 + 4;

    COverlaySender(IInstrumentLink* link, IProgressSink& progress, TextSave textSave);

    // 1 when every change went out; 0 at the first send that failed, and then the parameters
    // not sent keep their flags. `logoReread` tells whether the logo was switched or selected,
    // after which the module's logo settings are to be read again.
    int Send(const OverlayParameters& overlay, bool& logoReread);

private:
    // ParameterSend.h on this sender's link and progress.
    int Line(const std::string& command);
    int IfChanged(ChangeFlag& parameter, const std::string& command);
    int Blink(Flagged<int>& blink);
    int Logo(const OverlayParameters& overlay, bool& save, bool& logoReread);
    int Text(const OverlayParameters& overlay, bool& save);
    int Circle(const OverlayParameters& overlay);

    IInstrumentLink* m_link;
    IProgressSink& m_progress;
    TextSave m_textSave;
};

}  // namespace corvane
