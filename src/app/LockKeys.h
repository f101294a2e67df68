#pragma once
// The state of the keyboard's lock keys, for the status-bar indicators.
namespace app {

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Read from the keyboard LEDs the kernel exposes; all off where it does not.
LockKeyState ReadLockKeyState();

} // namespace app
