#pragma once
// Shows the wait cursor for the lifetime of the object and restores the
// previous cursor afterwards, also when the scope is left by an exception.

namespace ui {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace ui
