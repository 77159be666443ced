// Scripted answers to modal dialogs.
//
// While a DialogScript lives, DoModal does not run a modal loop: the dialog is built and
// initialised, then handed to the next expected handler, which acts as the operator
// (TypeText, ClickButton, ...) and normally ends the dialog by clicking OK or Cancel. Dialogs
// are expected in order, by template id. An unexpected dialog fails the test and is
// cancelled; expectations left over fail the test when the script ends.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/Dialog.h"

namespace testsupport {

class DialogScript {
public:
    using Handler = std::function<void(platform::CDialog&)>;

    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Expect(int templateId, Handler handler);
    // Shortcuts: press OK or Cancel without touching anything else.
    DialogScript& ExpectOk(int templateId);
    DialogScript& ExpectCancel(int templateId);

    // Template ids of the dialogs shown, in order.
    const std::vector<int>& Shown() const { return m_shown; }

private:
    void Run(platform::CDialog& dialog);

    struct Expected {
        int templateId;
        Handler handler;
    };
    std::deque<Expected> m_expected;
    std::vector<int> m_shown;
    platform::ModalDialogHook m_previous;
};

}  // namespace testsupport
