#include "platform/Wnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimerEvent>
#include <atomic>
#include <deque>
#include <mutex>

#include "platform/BlockingWait.h"
#include "platform/WindowPlacement.h"

namespace platform {

namespace detail {
// What a queued message points at. The CWnd clears it when it goes away, so a message
// posted to a window that no longer exists is dropped instead of reaching freed memory.
struct WndHandle {
    std::atomic<CWnd*> wnd;
    explicit WndHandle(CWnd* w) : wnd(w) {}
};
// The Qt timers of one window. Qt delivers timer events from any event processing on the
// thread, including the paint-and-timer pumping of a blocking wait, which is where a reply
// timer has to be able to cancel the call.
class WndTimers : public QObject {
public:
    explicit WndTimers(CWnd* wnd) : m_wnd(wnd) {}
    ~WndTimers() override {
        for (auto& entry : m_byId) killTimer(entry.second);
    }

    bool Set(WPARAM id, int elapseMs) {
        Kill(id);
        const int qtId = startTimer(elapseMs, Qt::PreciseTimer);
        if (qtId == 0)
            return false;
        m_byId[id] = qtId;
        return true;
    }
    bool Kill(WPARAM id) {
        auto it = m_byId.find(id);
        if (it == m_byId.end())
            return false;
        killTimer(it->second);
        m_byId.erase(it);
        return true;
    }

protected:
    void timerEvent(QTimerEvent* event) override {
        for (auto& entry : m_byId) {
            if (entry.second != event->timerId())
                continue;
            // A handler may kill or reset this very timer (or destroy the window's timers
            // altogether), so nothing of the map is used after the send.
            const WPARAM id = entry.first;
            m_wnd->SendMessage(WM_TIMER, id, 0);
            return;
        }
    }

private:
    CWnd* m_wnd;
    std::unordered_map<WPARAM, int> m_byId;
};

}  // namespace detail

namespace {

const char* const kWndProperty = "platform.CWnd";

struct PostedMessage {
    std::shared_ptr<detail::WndHandle> target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

}  // namespace

// The layer's own queue of posted messages. Qt's posted events would be delivered inside any
// nested event processing, including the repaint pumping of a blocking socket call; keeping
// the messages here lets the layer hold them back until the wait is over.
class PostQueue : public QObject {
public:
    static PostQueue& Instance() {
        static PostQueue* queue = [] {
            auto* q = new PostQueue;
            if (QCoreApplication::instance() != nullptr)
                q->moveToThread(QCoreApplication::instance()->thread());
            return q;
        }();
        return *queue;
    }

    void Push(PostedMessage message) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_messages.push_back(std::move(message));
        }
        Wake();
    }

    // Called when a blocking wait on the user-interface thread is over.
    void ResumeAfterWait() {
        bool pending;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            pending = !m_messages.empty();
        }
        if (pending)
            Wake();
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() != WakeEventType())
            return QObject::event(e);
        m_wakePending.store(false);
        if (InBlockingWait())
            return true;  // ResumeAfterWait wakes us again
        Deliver();
        return true;
    }

private:
    static QEvent::Type WakeEventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    void Wake() {
        if (m_wakePending.exchange(true))
            return;
        QCoreApplication::postEvent(this, new QEvent(WakeEventType()));
    }

    void Deliver() {
        // Deliver only what was queued before we started; messages posted by the handlers
        // themselves get their own turn through the event loop, as on Windows.
        std::deque<PostedMessage> batch;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            batch.swap(m_messages);
        }
        while (!batch.empty()) {
            PostedMessage m = std::move(batch.front());
            batch.pop_front();
            CWnd* target = m.target->wnd.load();
            if (target != nullptr)
                target->SendMessage(m.message, m.wParam, m.lParam);
            if (InBlockingWait())
                break;  // a handler started a wait; the rest waits too
        }
        if (!batch.empty()) {
            std::lock_guard<std::mutex> lock(m_mutex);
            batch.insert(batch.end(), std::make_move_iterator(m_messages.begin()),
                         std::make_move_iterator(m_messages.end()));
            m_messages.swap(batch);
        }
    }

    std::mutex m_mutex;
    std::deque<PostedMessage> m_messages;
    std::atomic<bool> m_wakePending{false};
};

void ResumePostedMessages() {
    PostQueue::Instance().ResumeAfterWait();
}

CWnd::CWnd() : m_handle(std::make_shared<detail::WndHandle>(this)) {}

CWnd::~CWnd() {
    m_timers.reset();
    m_handle->wnd.store(nullptr);
    if (QWidget* w = m_widget.data())
        w->setProperty(kWndProperty, QVariant());
}

void CWnd::AttachWidget(QWidget* widget) {
    m_widget = widget;
    if (widget != nullptr)
        widget->setProperty(kWndProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
}

CWnd* CWnd::FromWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        QVariant v = w->property(kWndProperty);
        if (v.isValid())
            return reinterpret_cast<CWnd*>(v.value<quintptr>());
    }
    return nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_handle->wnd.load() == nullptr)
        return false;
    PostQueue::Instance().Push(PostedMessage{m_handle, message, wParam, lParam});
    return true;
}

void CWnd::OnMessage(UINT message, MessageHandler handler) {
    m_handlers[message] = std::move(handler);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        return OnCommand(LoWord(wParam), HiWord(wParam));
    auto it = m_handlers.find(message);
    if (it != m_handlers.end())
        return it->second(wParam, lParam);
    return 0;
}

BOOL CWnd::OnCommand(int, int) {
    return FALSE;
}

void CWnd::SetWindowText(const std::string& text) {
    if (QWidget* w = GetWidget())
        w->setWindowTitle(ToQString(text));
}

std::string CWnd::GetWindowText() const {
    if (QWidget* w = GetWidget())
        return FromQString(w->windowTitle());
    return {};
}

void CWnd::ShowWindow(bool show) {
    if (QWidget* w = GetWidget())
        w->setVisible(show);
}

void CWnd::EnableWindow(bool enable) {
    if (QWidget* w = GetWidget())
        w->setEnabled(enable);
}

void CWnd::SetForegroundWindow() {
    QWidget* w = GetWidget();
    QWidget* top = w != nullptr ? w->window() : nullptr;
    if (top == nullptr || top->isActiveWindow())
        return;
    top->raise();
    top->activateWindow();
}

bool CWnd::IsWindowEnabled() const {
    QWidget* w = GetWidget();
    return w != nullptr && w->isEnabled();
}

void CWnd::UpdateWindow() {
    if (QWidget* w = GetWidget())
        w->repaint();
}

void CWnd::MoveWindow(int x, int y, int width, int height) {
    QWidget* w = GetWidget();
    if (w == nullptr)
        return;
    // A top-level window's rectangle is its frame's, as GetWindowRect reads it back.
    if (w->isWindow())
        MoveWindowFrame(w, QRect(x, y, width, height));
    else
        w->setGeometry(x, y, width, height);
}

void CWnd::DestroyWindow() {
    QWidget* w = GetWidget();
    if (w == nullptr)
        return;
    SendMessage(WM_DESTROY);
    m_widget.clear();
    w->setProperty(kWndProperty, QVariant());
    delete w;
}

WPARAM CWnd::SetTimer(WPARAM id, UINT elapseMs) {
    if (id == 0 || elapseMs > static_cast<UINT>(INT32_MAX))
        return 0;
    if (!m_timers)
        m_timers = std::make_unique<detail::WndTimers>(this);
    return m_timers->Set(id, static_cast<int>(elapseMs)) ? id : 0;
}

bool CWnd::KillTimer(WPARAM id) {
    return m_timers && m_timers->Kill(id);
}

QString ToQString(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQString(const QString& text) {
    QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace platform
