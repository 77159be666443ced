// Blocking waits on the user-interface thread.
//
// The programs make blocking socket calls on their user-interface thread. While such a call
// waits, windows keep repainting and timers keep firing, but no user input is taken and no
// posted private message is delivered (see Wnd.h). The socket layer runs the thread's blocking
// hook (Socket.h) while it waits; InstallUiBlockingHook sets that hook up for the
// user-interface thread.
#pragma once

namespace platform {

// Installs the hook on the calling (user-interface) thread: every time a socket call has to
// wait, it processes pending paint and timer events, excluding user input, and keeps posted
// private messages queued.
void InstallUiBlockingHook();

// True while the user-interface thread is inside a blocking call.
bool InBlockingWait();

}  // namespace platform
