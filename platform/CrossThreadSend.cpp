#include "platform/CrossThreadSend.h"

#include <QCoreApplication>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/Wnd.h"

namespace platform {

namespace {

bool OnUserInterfaceThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

enum class RequestStatus { Waiting, Running, Done, Dropped };

struct Request {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    RequestStatus status = RequestStatus::Waiting;
};

}  // namespace

struct CCrossThreadSender::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool closed = false;
    CWnd* target = nullptr;
    std::deque<std::shared_ptr<Request>> waiting;

    // On the user-interface thread: runs every waiting request, in order.
    void Deliver() {
        std::unique_lock<std::mutex> lock(mutex);
        while (!closed && !waiting.empty()) {
            std::shared_ptr<Request> request = waiting.front();
            waiting.pop_front();
            request->status = RequestStatus::Running;
            CWnd* window = target;
            lock.unlock();
            const LRESULT result =
                window->SendMessage(request->message, request->wParam, request->lParam);
            lock.lock();
            request->result = result;
            request->status = RequestStatus::Done;
            changed.notify_all();
        }
    }
};

// A window without a widget, only to reach the posted-message queue.
class CCrossThreadSender::Relay : public CWnd {
public:
    explicit Relay(std::shared_ptr<State> state) {
        OnMessage(WM_USER, [state](WPARAM, LPARAM) -> LRESULT {
            state->Deliver();
            return 0;
        });
    }
};

CCrossThreadSender::CCrossThreadSender(CWnd* target)
    : m_state(std::make_shared<State>()), m_relay(std::make_unique<Relay>(m_state)) {
    m_state->target = target;
    if (target == nullptr)
        m_state->closed = true;
}

CCrossThreadSender::~CCrossThreadSender() {
    Close();
}

int CCrossThreadSender::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (OnUserInterfaceThread()) {
        CWnd* window;
        {
            std::lock_guard<std::mutex> lock(m_state->mutex);
            if (m_state->closed)
                return 0;
            window = m_state->target;
        }
        const LRESULT answer = window->SendMessage(message, wParam, lParam);
        if (result != nullptr)
            *result = answer;
        return 1;
    }
    const std::shared_ptr<State> state = m_state;
    auto request = std::make_shared<Request>(Request{message, wParam, lParam});
    std::unique_lock<std::mutex> lock(state->mutex);
    if (state->closed)
        return 0;
    state->waiting.push_back(request);
    lock.unlock();
    m_relay->PostMessage(WM_USER);
    lock.lock();
    state->changed.wait(lock, [&] {
        return request->status == RequestStatus::Done || request->status == RequestStatus::Dropped;
    });
    if (request->status != RequestStatus::Done)
        return 0;
    if (result != nullptr)
        *result = request->result;
    return 1;
}

void CCrossThreadSender::Close() {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->closed = true;
    for (const std::shared_ptr<Request>& request : m_state->waiting)
        request->status = RequestStatus::Dropped;
    m_state->waiting.clear();
    m_state->changed.notify_all();
}

bool CCrossThreadSender::IsClosed() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->closed;
}

}  // namespace platform
