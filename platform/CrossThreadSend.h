// CCrossThreadSender: SendMessage from a worker thread to a window of the user-interface
// thread, as Windows did it: the worker waits until the window's handler has run there, and
// gets its result. Pointers in wParam and lParam stay valid for the handler, because the
// sender is still waiting on them.
//
// A plain blocking call to the user-interface thread deadlocks when that thread is itself
// waiting for the worker (closing the window, joining the thread). So the window side closes
// the sender first: from then on Send returns 0 ("not delivered") at once, and a Send that is
// still waiting for its turn returns 0 as well. A handler that is already running finishes
// first (it runs on the closing thread itself, so nothing waits on it).
//
// Delivery goes through the layer's posted-message queue (Wnd.h): in order with the worker's
// message boxes, never in the middle of a blocking socket exchange of the user-interface
// thread. Send on the user-interface thread itself calls the window at once.
//
// Close the sender before the target window is destroyed; the destructor closes it too.
// Destroy it only after the threads that send through it have ended.
#pragma once

#include <memory>

#include "platform/Types.h"

namespace platform {

class CWnd;

class CCrossThreadSender {
public:
    explicit CCrossThreadSender(CWnd* target);
    ~CCrossThreadSender();
    CCrossThreadSender(const CCrossThreadSender&) = delete;
    CCrossThreadSender& operator=(const CCrossThreadSender&) = delete;

    // Any thread. 1 when the target handled the message (its result in *result), 0 when it
    // was not delivered because the sender is closed.
    int Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr);

    // User-interface thread. Refuses every later Send and releases the waiting ones.
    void Close();
    bool IsClosed() const;

private:
    struct State;
    class Relay;
    std::shared_ptr<State> m_state;
    std::unique_ptr<Relay> m_relay;
};

}  // namespace platform
