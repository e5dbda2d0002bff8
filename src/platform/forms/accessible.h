// What a screen reader (and UI Automation, which reads the same objects) learns of a control.
//
// A control's window answers WM_GETOBJECT with an accessible object of its own: the standard object of a
// window's client area (place, parent, child windows, focus, visibility, availability), with the
// control's answers laid over it (Control::Accessible*): name, role, added states, value, keyboard
// shortcut (its access key, as "Alt+O"), default action, and the parts of a control that a reader visits
// one by one. The control is asked at every call, so the answers follow it for as long as a reader
// holds the object; once the window has gone the object answers nothing.
#pragma once

#include "platform/win32/win.h"

namespace platform {

class Control;

// Posted to a control's window by a reader's request for its default action; wParam is the part.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 2;

// The answer to WM_GETOBJECT for the control's window (0 for objects other than its client area).
LRESULT AnswerAccessibleObjectRequest(Control& control, WPARAM wParam, LPARAM lParam);

}  // namespace platform
