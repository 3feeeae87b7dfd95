#include "app/lock_keys.h"

#include <QGuiApplication>

#ifdef TRAZEL_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <QtGui/qguiapplication_platform.h>
#endif

namespace trazel::app {

LockKeyState QueryLockKeys() {
    LockKeyState state;
#ifdef TRAZEL_HAVE_X11
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return state;
    }
    // The keyboard's indicators by name: their positions differ between
    // keyboard layouts.
    const auto lit = [display](const char* name) {
        const Atom atom = XInternAtom(display, name, True);
        Bool on = False;
        if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
            return false;
        }
        return on == True;
    };
    state.capsLock = lit("Caps Lock");
    state.numLock = lit("Num Lock");
    state.scrollLock = lit("Scroll Lock");
#endif
    return state;
}

}  // namespace trazel::app
