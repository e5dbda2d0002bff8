// Creation, size, show, hide and end of the button. (First cut.)
#include "button/tamrix_button.h"

namespace button {

TamrixButton::TamrixButton(platform::Page& page, const platform::LayoutNode& node) : UserControl(page, node) {
    SetTimerInterval(3);
}

TamrixButton::~TamrixButton() = default;

void TamrixButton::UserControl_Initialize() { m_.Shown = true; }

void TamrixButton::UserControl_InitProperties() {
    m_.Enabled = true;
    m_.ShowFocusRect = true;
    m_.UseMaskColor = true;
    m_.Caption = AmbientDisplayName();
    m_.ButtonType = kShaded;
    m_.ColorScheme = kSchemeOwn;
    ResolveSchemeColors();
    m_.MaskColor = 0xC0C0C0;
}

void TamrixButton::UserControl_Resize() {
    m_.ClientWidth = ScaleWidth();
    m_.ClientHeight = ScaleHeight();
    if (m_.ClientHeight != 0) RenderButton(kStateUp, true);
}

void TamrixButton::UserControl_Show() {
    m_.Shown = true;
    ResolveSchemeColors();
    RenderButton(kStateUp, true);
}

void TamrixButton::UserControl_Hide() { m_.Shown = false; }

void TamrixButton::UserControl_Terminate() { m_.Shown = false; }

}  // namespace button
