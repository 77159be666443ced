#include "platform/LockIndicators.h"

#include <QGuiApplication>
#include <utility>

#if defined(QUARN_HAVE_XKB) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#endif

namespace platform {

namespace {

LockIndicatorReader& Reader() {
    static LockIndicatorReader reader;
    return reader;
}

#if defined(QUARN_HAVE_XKB) && QT_CONFIG(xcb)
// One indicator by the name the keyboard extension gives it; false when the keymap has none.
bool NamedIndicator(Display* display, const char* name, bool& on) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    int index = 0;
    Bool state = False;
    Bool real = False;
    if (!XkbGetNamedIndicator(display, atom, &index, &state, nullptr, &real))
        return false;
    on = state != False;
    return true;
}

std::optional<LockIndicators> ReadFromX11() {
    // The X connection exists only on the xcb platform; elsewhere asking for it is pointless.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    LockIndicators state;
    const bool known = NamedIndicator(display, "Caps Lock", state.caps) |
                       NamedIndicator(display, "Num Lock", state.num) |
                       NamedIndicator(display, "Scroll Lock", state.scroll);
    if (!known)
        return std::nullopt;
    return state;
}
#endif

}  // namespace

std::optional<LockIndicators> ReadLockIndicators() {
    if (const LockIndicatorReader& reader = Reader())
        return reader();
#if defined(QUARN_HAVE_XKB) && QT_CONFIG(xcb)
    if (qGuiApp != nullptr)
        return ReadFromX11();
#endif
    return std::nullopt;
}

LockIndicatorReader SetLockIndicatorReader(LockIndicatorReader reader) {
    return std::exchange(Reader(), std::move(reader));
}

}  // namespace platform
