#pragma once

namespace trazel::app {

// The lock keys as the window system reports them; all off where it does not.
struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

LockKeyState QueryLockKeys();

}  // namespace trazel::app
