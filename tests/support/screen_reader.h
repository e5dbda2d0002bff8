// Asking a window's accessible object what a screen reader hears, the way a reader asks
// (AccessibleObjectFromWindow on the window's client area).
#pragma once

#include <string>

#include "platform/win32/win.h"

namespace testing_support {

struct Heard {
    bool found = false;  // the window gave an accessible object
    std::string name;
    std::string role;  // in words: "push button", "link", "page tab"... ("role N" for others)
    long state = 0;    // STATE_SYSTEM_* flags
    std::string shortcut;
    std::string action;
    std::string value;
};

// What a reader hears of `window`, or of its child number `child` (0: the window itself).
Heard Hear(HWND window, long child = 0);
// Asks for the default action of `window` (or of its child); returns the HRESULT.
long DoDefaultAction(HWND window, long child = 0);

}  // namespace testing_support
