// Mouse, keyboard, focus and ambient handling of the button, its hover tracking and its ten events.
//
// The button asks RenderButton for two looks only, up (0) and down (2); the hover look is the up look
// painted while PointerOver is set. Hover begins with a mouse move over the button and is followed by
// OverTimer, which asks Windows on every tick which window lies under the pointer and ends the hover
// look at the first tick that finds another one. Nothing else stops the timer, so it runs only while a
// button shows its hover look.
//
// The mouse and key events are raised to the page first thing, with their arguments by reference: a
// page handler that changes them changes what the button does next. Click comes last, once the button
// has done all of its own work, because the page's handler may open a modal page.
#include "button/tamrix_button.h"
#include "platform/system/system.h"

namespace button {
namespace {

constexpr std::int16_t kNoButton = 0;
constexpr std::int16_t kSpaceKey = 32;

// Raises one event if the page handles it.
template <class Handler, class... Args>
void Raise(const Handler& handler, Args&... args) {
    if (handler) handler(args...);
}

}  // namespace

bool TamrixButton::PointerIsOver() const {
    // By window rather than by rectangle: a cut-away corner shows the parent, and a window lying on
    // top of the button owns the pixels it covers.
    HWND under = platform::System().WindowUnderPointer();
    return under != nullptr && under == hwnd();
}

void TamrixButton::UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    Raise(events.MouseDown, Button, Shift, X, Y);
    m_.LastMouseButton = static_cast<std::uint8_t>(Button & 0xFF);
    if (Button != kRightButton) RenderButton(kStateDown, false);
}

void TamrixButton::UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    Raise(events.MouseMove, Button, Shift, X, Y);
    // Only no button or the left button alone take part in hover and press looks.
    if (Button >= 2) return;
    if (!PointerIsOver()) {
        RenderButton(kStateUp, false);
        return;
    }
    if (!TimerEnabled()) Raise(events.MouseIn);
    if (Button == kNoButton && !m_.PointerOver) {
        // Without its timer the button could not tell when the pointer leaves: no hover look then.
        if (!SetTimerEnabled(true)) return;
        m_.PointerOver = true;
        RenderButton(kStateUp, true);
        Raise(events.MouseOver);
        return;
    }
    if (Button == kLeftButton) {
        // The down look is painted with the hover colours; clearing the flag afterwards makes the next
        // move without a button begin the hover look again.
        m_.PointerOver = true;
        RenderButton(kStateDown, false);
        m_.PointerOver = false;
    }
}

void TamrixButton::UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    Raise(events.MouseUp, Button, Shift, X, Y);
    if (Button != kRightButton) RenderButton(kStateUp, false);
}

void TamrixButton::Timer_Tick() {
    // Every tick asks Windows afresh where the pointer is and which window lies there: the position that
    // came with the tick may be older than a jump of the pointer, and trusting it would let the hover
    // look (and a second button's beside it) outlast the pointer.
    if (PointerIsOver()) return;
    SetTimerEnabled(false);
    m_.PointerOver = false;
    RenderButton(kStateUp, true);
    Raise(events.MouseOut);
}

void TamrixButton::UserControl_Click() {
    if (m_.LastMouseButton != 1 || !m_.Enabled) return;
    if (m_.CheckBoxBehaviour) {
        // The value changes quietly (the stored settings are not told); a screen reader hears it.
        m_.Value = !m_.Value;
        SetAccessibleCheckState(true, m_.Value);
    }
    RenderButton(kStateUp, true);
    // The new look reaches the screen before the page's handler runs, which may open a modal page.
    RefreshWindow();
    Raise(events.Click);
}

void TamrixButton::UserControl_DblClick() {
    if (m_.LastMouseButton != 1) return;
    // The second press of a double click counts as a plain press at the button's corner.
    UserControl_MouseDown(kLeftButton, 0, 0.0f, 0.0f);
    // Its release must come back here wherever the pointer is, to end the down look.
    SetCapture(hwnd());
}

void TamrixButton::UserControl_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    Raise(events.KeyDown, KeyCode, Shift);
    m_.LastKeyCode = static_cast<std::uint8_t>(KeyCode & 0xFF);
    if (KeyCode == kSpaceKey) RenderButton(kStateDown, false);
}

void TamrixButton::UserControl_KeyPress(std::int16_t KeyAscii) {
    Raise(events.KeyPress, KeyAscii);
}

void TamrixButton::UserControl_KeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    Raise(events.KeyUp, KeyCode, Shift);
    // A space released after another key went down in between is no click: the last key pressed
    // decides.
    if (KeyCode != kSpaceKey || m_.LastKeyCode != kSpaceKey) return;
    if (m_.CheckBoxBehaviour) {
        m_.Value = !m_.Value;
        SetAccessibleCheckState(true, m_.Value);
    }
    RenderButton(kStateUp, false);
    RefreshWindow();
    Raise(events.Click);
}

void TamrixButton::UserControl_AccessKeyPress(std::int16_t /*KeyAscii*/) {
    m_.LastMouseButton = 1;
    UserControl_Click();
}

void TamrixButton::UserControl_GotFocus() {
    m_.HasFocus = true;
    RenderButton(m_.LastState, true);
}

void TamrixButton::UserControl_LostFocus() {
    m_.HasFocus = false;
    RenderButton(m_.LastState, true);
}

void TamrixButton::UserControl_AmbientChanged(const std::string& PropertyName) {
    if (PropertyName == "Dpi") {
        // The page is at a new scale: the picture's size in pixels and the caption's place follow it,
        // and the see-through face is copied again at the button's new size.
        MeasurePicture();
        ComputeCaptionRects();
        if (m_.ButtonType == kSeeThrough && m_.Shown) {
            DeleteBackgroundSurface();
            CreateBackgroundSurface();
            CaptureParentBackground();
        }
    } else if (PropertyName == "HighContrast" && m_.ButtonType == kSeeThrough && m_.Shown) {
        // The page beneath has changed its look: the see-through face is copied again.
        CaptureParentBackground();
    }
    // The parent's colours may be part of the scheme, and whether the page shows this button as its
    // default changes the caption: derive the colours again and repaint as it stands.
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
}

}  // namespace button
