#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <future>
#include <utility>

#include "platform/WaitCursor.h"
#include "platform/Wnd.h"

namespace platform {

namespace {

struct BoxState {
    std::string title;
    MessageBoxAnswerer answerer;
    bool beepSincePreviousBox = false;
};

BoxState& State() {
    static BoxState state;
    return state;
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int id;
};

std::vector<ButtonSpec> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{QMessageBox::Abort, IDABORT},
                    {QMessageBox::Retry, IDRETRY},
                    {QMessageBox::Ignore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{QMessageBox::Yes, IDYES},
                    {QMessageBox::No, IDNO},
                    {QMessageBox::Cancel, IDCANCEL}};
        case MB_YESNO:
            return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        case MB_RETRYCANCEL:
            return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        default:
            return {{QMessageBox::Ok, IDOK}};
    }
}

// The answer Escape gives: Cancel where there is one, else No, else the only button.
int EscapeAnswer(const std::vector<ButtonSpec>& buttons) {
    for (const ButtonSpec& b : buttons)
        if (b.id == IDCANCEL)
            return IDCANCEL;
    for (const ButtonSpec& b : buttons)
        if (b.id == IDNO)
            return IDNO;
    if (buttons.size() == 1)
        return buttons.front().id;
    return IDCANCEL;
}

int ShowRealBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) {
    QWidget* parent = owner != nullptr ? owner->GetWidget() : nullptr;
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    QMessageBox box(IconOf(type), ToQString(caption), ToQString(text), QMessageBox::NoButton,
                    parent);
    // Box texts often carry an instrument's reply; shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    const std::vector<ButtonSpec> buttons = ButtonsOf(type);
    std::vector<std::pair<QPushButton*, int>> map;
    for (const ButtonSpec& b : buttons) map.emplace_back(box.addButton(b.button), b.id);
    const size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    if (defaultIndex < map.size())
        box.setDefaultButton(map[defaultIndex].first);
    const int escape = EscapeAnswer(buttons);
    for (const auto& [button, id] : map)
        if (id == escape)
            box.setEscapeButton(button);
    if ((type & MB_ICONMASK) != 0)
        QApplication::beep();
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, id] : map)
        if (button == clicked)
            return id;
    return escape;
}

bool OnUserInterfaceThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

// A box asked for by a worker thread is shown by the user-interface thread: widgets live
// there, and so do the box records tests read. The request travels as a posted message, so
// it waits, like every posted message, until no blocking exchange is in progress; the worker
// waits for the answer.
struct WorkerBoxRequest {
    std::string text;
    std::string caption;
    UINT type;
    std::promise<int> answer;
};

class WorkerBoxRelay : public CWnd {
public:
    WorkerBoxRelay() {
        OnMessage(WM_USER, [](WPARAM, LPARAM lParam) -> LRESULT {
            auto* request = reinterpret_cast<WorkerBoxRequest*>(lParam);
            request->answer.set_value(
                MessageBox(nullptr, request->text, request->caption, request->type));
            return 0;
        });
    }
};

int ShowFromWorker(const std::string& text, const std::string& caption, UINT type) {
    static WorkerBoxRelay relay;
    WorkerBoxRequest request{text, caption, type, {}};
    std::future<int> answer = request.answer.get_future();
    if (!relay.PostMessage(WM_USER, 0, reinterpret_cast<LPARAM>(&request)))
        return EscapeAnswer(ButtonsOf(type));
    return answer.get();
}

}  // namespace

int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) {
    // The owner is a window of the user-interface thread; a worker's box has none.
    if (!OnUserInterfaceThread())
        return ShowFromWorker(text, caption, type);
    BoxState& state = State();
    MessageBoxRecord record{text, caption.empty() ? state.title : caption, type,
                            state.beepSincePreviousBox};
    state.beepSincePreviousBox = false;
    PushModalArrowCursor();
    int answer;
    if (state.answerer) {
        // A copy: the answerer may replace itself while it runs.
        MessageBoxAnswerer answerer = state.answerer;
        answer = answerer(record);
    } else {
        answer = ShowRealBox(owner, record.text, record.caption, type);
    }
    PopModalArrowCursor();
    return answer;
}

int AfxMessageBox(const std::string& text, UINT type) {
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
            case MB_OK:
            case MB_OKCANCEL:
                type |= MB_ICONEXCLAMATION;
                break;
            case MB_YESNO:
            case MB_YESNOCANCEL:
                type |= MB_ICONQUESTION;
                break;
            default:
                break;
        }
    }
    return MessageBox(nullptr, text, State().title, type);
}

void SetApplicationTitle(const std::string& title) {
    State().title = title;
}

const std::string& ApplicationTitle() {
    return State().title;
}

void MessageBeep(UINT) {
    State().beepSincePreviousBox = true;
    QApplication::beep();
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    return std::exchange(State().answerer, std::move(answerer));
}

}  // namespace platform
