// Mouse, keyboard, focus, hover and the events of the button. (First cut: clicks only.)
#include "button/tamrix_button.h"

namespace button {

bool TamrixButton::PointerIsOver() const {
    POINT at{};
    GetCursorPos(&at);
    return WindowFromPoint(at) == hwnd();
}

void TamrixButton::UserControl_MouseDown(std::int16_t Button, std::int16_t, float, float) {
    m_.LastMouseButton = static_cast<std::uint8_t>(Button & 0xFF);
}
void TamrixButton::UserControl_MouseMove(std::int16_t, std::int16_t, float, float) {}
void TamrixButton::UserControl_MouseUp(std::int16_t, std::int16_t, float, float) {}
void TamrixButton::UserControl_Click() {
    if (m_.LastMouseButton != 1 || !m_.Enabled) return;
    if (events.Click) events.Click();
}
void TamrixButton::UserControl_DblClick() {}
void TamrixButton::UserControl_KeyDown(std::int16_t, std::int16_t) {}
void TamrixButton::UserControl_KeyPress(std::int16_t) {}
void TamrixButton::UserControl_KeyUp(std::int16_t, std::int16_t) {}
void TamrixButton::UserControl_AccessKeyPress(std::int16_t) {
    m_.LastMouseButton = 1;
    UserControl_Click();
}
void TamrixButton::UserControl_GotFocus() { m_.HasFocus = true; }
void TamrixButton::UserControl_LostFocus() { m_.HasFocus = false; }
void TamrixButton::UserControl_AmbientChanged(const std::string&) {
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
}
void TamrixButton::Timer_Tick() {}

}  // namespace button
