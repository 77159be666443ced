// CTabPage: the base of every module tab page.
//
// A page is a modeless child dialog owned by its view as a member. It shows one group of the
// module's parameters, checks what the operator types, and reports each accepted change to
// its view at once with a synchronous message; the view stores it in the document. Pages
// never talk to the instrument.
//
// The ready flag: 0 from construction until the end of OnInitDialog and whenever the page
// rewrites its own controls. The controls report the program's own writes exactly like the
// operator's (an edit raises EN_UPDATE/EN_CHANGE for every write), so the handlers that send
// values do nothing while the flag is 0; every own write goes through ReadyOff or
// WriteControls so that nothing the page writes comes back to the view.
//
// The helpers below are the rules all page families share: integer fields that refuse a value
// out of range, fields that clamp, percent spins without a buddy, doubles on a step grid,
// lists the program builds and the ID-text rule. The rules themselves, which need no window,
// are in PageRules.h; a field whose text travels in single-byte commands calls
// DisableInputMethod on its focus.
//
// The On... handlers are called by a page from its OnCommand / OnNotify for the field the
// notification is about. Each does nothing while the ready flag is 0, keeps the page's
// data-exchange member of the field (`text`) equal to what the field shows, so that a later
// UpdateData(FALSE) cannot put an old text back, and hands an accepted value to `send`, which
// is where the page sends its own message to the view. Only the field concerned is written
// (never the whole page), so text the operator has typed in another field is never overwritten.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "corvane/pages/common/ChannelMessage.h"
#include "corvane/pages/common/PageRules.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"

namespace corvane {

class CTabPage : public platform::CDialog {
public:
    explicit CTabPage(const platform::DialogTemplate& pageTemplate);
    ~CTabPage() override;

    bool IsReady() const { return m_ready != 0; }

    // Holds the ready flag at 0 for its lifetime and then puts back what it was.
    class ReadyOff {
    public:
        explicit ReadyOff(CTabPage& page) : m_page(page), m_saved(page.m_ready) {
            page.m_ready = 0;
        }
        ~ReadyOff() { m_page.m_ready = m_saved; }
        ReadyOff(const ReadyOff&) = delete;
        ReadyOff& operator=(const ReadyOff&) = delete;

    private:
        CTabPage& m_page;
        int m_saved;
    };

    int m_ready = 0;

    // How a page reports an accepted value to its view. A double and a text are handed over as
    // the page's own stored copy, whose address is what the page's message carries.
    using IntSender = std::function<void(int value)>;
    using DoubleSender = std::function<void(const double& stored)>;
    using TextSender = std::function<void(const std::string& stored)>;

    // A double typed on a step grid (delays and the like).
    struct StepField {
        int editId;
        int spinId;    // a spin without buddy integer counting steps; 0 for none
        double lower;  // limits in the field's unit, tested on the snapped value
        double upper;
        double step;          // the grid, in the field's unit
        const char* format;   // of the field's text, such as "%8.4f"
        const char* message;  // the range message; takes the lower and the upper limit in
                              // `format`'s conversion
        double scale = 1.0;   // stored value = field value * scale (usec shown, seconds kept)
    };

protected:
    // The page's parent is its view. A page never reaches the view's document: the view hands
    // the page its values before the page is created, and takes what the page sends.
    platform::LRESULT SendToView(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam);
    platform::LRESULT SendChannelValue(const ChannelMessage& message, int channel, int value);

    // UpdateData(platform::FALSE) with the ready flag at 0.
    void WriteControls();
    // Sets a control's text with the ready flag at 0.
    void WriteText(int id, const std::string& text);
    // Sets a spin's position with the ready flag at 0 (a buddy-integer spin writes its buddy).
    void WriteSpin(int spinId, int position);

    // An integer field with limits, on its update notification: the field's text as atoi
    // reads it, accepted (stored in `stored`, answer 1) or refused (answer 0): the message,
    // made from `messageFormat` with the lower and the upper limit, the previous value put
    // back in the field and, when `spinId` is not 0, in the spin; the focus back in the field.
    int CheckIntegerField(int editId, int spinId, int lower, int upper, const char* messageFormat,
                          int& stored);
    // On losing the focus: the field's text rewritten as "%d" of its value, sending nothing.
    // `text`, when given, is the field's data-exchange member and follows the field.
    void RewriteIntegerField(int editId, std::string* text = nullptr);
    // Sets a spin's range (16-bit limits, as the control keeps them) with the ready flag at 0.
    void SetSpinRange(int spinId, int lower, int upper);

    // --- Handlers a page calls from its notifications (see the top of this file) ---

    // EN_UPDATE of an integer field that refuses a value out of range: CheckIntegerField,
    // then `send` with the accepted value. 1 when sent.
    int OnIntegerFieldUpdate(int editId, int spinId, int lower, int upper,
                             const char* messageFormat, std::string& text, int& stored,
                             const IntSender& send);
    // EN_UPDATE of a field that corrects instead of refusing: a value out of lower..upper is
    // set to the nearest limit and the field rewritten ("%d"); no message. 1 when sent.
    int OnClampedFieldUpdate(int editId, int lower, int upper, std::string& text, int& stored,
                             const IntSender& send);
    // UDN_DELTAPOS of a spin without buddy integer driving `editId`: the field's number minus
    // the step, kept in lower..upper, is written to the field and sent. Answers the
    // notification's result (0: the spin may move).
    platform::LRESULT OnPercentDeltaPos(int editId, const platform::NMUPDOWN& step,
                                        std::string& text, int& stored, const IntSender& send,
                                        int lower = 0, int upper = 100);
    // EN_UPDATE of a double on a step grid. The typed number is snapped to the grid; outside the
    // limits (or too large to count in steps) it is refused: the message, the stored value put
    // back in the field and the spin, the focus back in the field, nothing sent (answer 0).
    // Else it is stored (times `scale`), sent, and the spin moved to its step (answer 1). The
    // field keeps the operator's text while they type. A page with echo flags between the spin
    // and the field decides in `send` whether an accepted value goes on to the view.
    int CheckStepField(const StepField& field, std::string& text, double& stored,
                       const DoubleSender& send);
    // EN_UPDATE of an ID text. A text cut at a byte of 0x80 or more, or one that lost its '"'
    // and '\'' (with the message), is written back and then sent once as it now stands;
    // a clean text is sent as it is, an empty one as empty. 1 when sent. A family whose
    // instrument carries other bytes gives its own `rule` (same verdicts, same handling).
    using IdTextRule = IdText (*)(std::string& text);
    int OnIdTextUpdate(int editId, std::string& text, const TextSender& send,
                       IdTextRule rule = CleanIdText);

    // A list the program builds: emptied from the last item to the first, room reserved, the
    // entries added in order (up to the first empty text) and `select` selected. 0 when the
    // list had no room; string 145 has then been shown and the list keeps what it holds.
    int FillComboList(int comboId, const std::vector<std::string>& entries, int reserveItems,
                      int reserveBytes, int select);
};

}  // namespace corvane
