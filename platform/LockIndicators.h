// The lock keys' indicators (Caps Lock, Num Lock, Scroll Lock) for the status bar's CAP, NUM
// and SCRL panes.
//
// Qt reports no lock state. Under X11 the keyboard extension keeps the indicators, so they are
// read from there (when the build found the X11 headers); other window systems, such as
// Wayland and the offscreen platform of the tests, tell nothing, and the state is unknown.
// Tests replace the reader with one of their own.
#pragma once

#include <functional>
#include <optional>

namespace platform {

struct LockIndicators {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

using LockIndicatorReader = std::function<std::optional<LockIndicators>()>;

// The indicators as the window system shows them now; nothing when it cannot tell.
std::optional<LockIndicators> ReadLockIndicators();

// An empty reader brings back the window system's. Returns the reader it replaces.
LockIndicatorReader SetLockIndicatorReader(LockIndicatorReader reader);

}  // namespace platform
