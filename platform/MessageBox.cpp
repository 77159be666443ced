#include "platform/MessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QThread>
#include <future>
#include <utility>

#include "platform/MessageBoxDialog.h"
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

// The longest text a box shows; a longer one (an instrument's reply can be megabytes) is cut,
// so a box is never slow to lay out. The programs' own texts are far shorter.
constexpr size_t kMaxShownText = 4096;

std::string ShownText(const std::string& text) {
    if (text.size() <= kMaxShownText)
        return text;
    return text.substr(0, kMaxShownText) + "...";
}

// The style's pixmap for the icon, or -1 for none.
int IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            return QStyle::SP_MessageBoxCritical;
        case MB_ICONQUESTION:
            return QStyle::SP_MessageBoxQuestion;
        case MB_ICONEXCLAMATION:
            return QStyle::SP_MessageBoxWarning;
        case MB_ICONINFORMATION:
            return QStyle::SP_MessageBoxInformation;
        default:
            return -1;
    }
}

struct ButtonSpec {
    QDialogButtonBox::StandardButton button;
    int id;
};

std::vector<ButtonSpec> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{QDialogButtonBox::Ok, IDOK}, {QDialogButtonBox::Cancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{QDialogButtonBox::Abort, IDABORT},
                    {QDialogButtonBox::Retry, IDRETRY},
                    {QDialogButtonBox::Ignore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{QDialogButtonBox::Yes, IDYES},
                    {QDialogButtonBox::No, IDNO},
                    {QDialogButtonBox::Cancel, IDCANCEL}};
        case MB_YESNO:
            return {{QDialogButtonBox::Yes, IDYES}, {QDialogButtonBox::No, IDNO}};
        case MB_RETRYCANCEL:
            return {{QDialogButtonBox::Retry, IDRETRY}, {QDialogButtonBox::Cancel, IDCANCEL}};
        default:
            return {{QDialogButtonBox::Ok, IDOK}};
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
    detail::MessageBoxDialog box(parent, IconOf(type), ToQString(caption), ToQString(text));
    const std::vector<ButtonSpec> buttons = ButtonsOf(type);
    std::vector<std::pair<QPushButton*, int>> map;
    for (const ButtonSpec& b : buttons) map.emplace_back(box.AddButton(b.button), b.id);
    const size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    QPushButton* defaultButton = map[defaultIndex < map.size() ? defaultIndex : 0].first;
    defaultButton->setDefault(true);
    defaultButton->setFocus();
    const int escape = EscapeAnswer(buttons);
    box.FitToScreen();
    if ((type & MB_ICONMASK) != 0)
        QApplication::beep();
    box.exec();
    QPushButton* clicked = box.Clicked();
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
    MessageBoxRecord record{ShownText(text), caption.empty() ? state.title : caption, type,
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
