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
// lists the program builds, the ID-text rule and the input method.
#pragma once

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"

namespace platform {
class CDocument;
class CView;
}  // namespace platform

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

    // --- Rules shared by the page families, as plain functions where they need no window ---

    // The first byte of 0x80 or more, or -1.
    static int FirstNonAsciiIndex(const std::string& text);
    enum class IdText { Clean, Cut, QuotesRemoved };
    // The ID-text rule on `text`: cut before a byte of 0x80 or more (Cut), else remove every
    // '"' and '\'' (QuotesRemoved when there was one), else Clean: only a clean text is sent.
    static IdText CleanIdText(std::string& text);
    // `value` rounded half away from zero to a multiple of `step`. False for a value that is
    // not finite or whose step count leaves the 32-bit range: such input counts as out of range.
    static bool SnapToStep(double value, double step, double& snapped);
    static int Clamp(int value, int lower, int upper);
    // The percent value after a step of a spin without a buddy integer: the step is
    // subtracted (the default range reports the up arrow as -1), and the result kept in 0..100.
    static int PercentAfterStep(const std::string& text, const platform::NMUPDOWN& step);

    int m_ready = 0;

protected:
    // The view the page sits on (its parent) and that view's document.
    platform::CView* ParentView() const;
    platform::CDocument* ParentDocument() const;
    platform::LRESULT SendToView(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam);

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
    void RewriteIntegerField(int editId);

    // A list the program builds: emptied from the last item to the first, room reserved, the
    // entries added in order (up to the first empty text) and `select` selected. 0 when the
    // list had no room; string 145 has then been shown and the list keeps what it holds.
    int FillComboList(int comboId, const std::vector<std::string>& entries, int reserveItems,
                      int reserveBytes, int select);

    // No input method on a field whose text travels in single-byte commands (on its focus).
    void InputMethodOff(int editId);
};

}  // namespace corvane
