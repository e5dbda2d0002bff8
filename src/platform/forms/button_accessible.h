// What a screen reader learns about a hosted control that behaves as a button.
//
// The control's window answers WM_GETOBJECT with an accessible object of its own: the standard object
// of a window's client area (place, parent, focus, visibility) with the button's part added. Its name
// is the window text, which the control keeps equal to its caption without the access-key marker; its
// role is a push button, or a check button with its checked state while the window's style says
// BS_CHECKBOX and BM_GETCHECK answers BST_CHECKED; its keyboard shortcut is the control's access key.
#pragma once

#include "platform/win32/win.h"

namespace platform {

// The answer to WM_GETOBJECT for `window` (0 for objects other than the client area).
LRESULT AnswerButtonObjectRequest(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace platform
