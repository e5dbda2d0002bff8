// Painting of the button. (First cut: the face only.)
#include "button/tamrix_button.h"
#include "platform/gdi.h"

namespace button {

void TamrixButton::RenderButton(std::uint8_t state, bool force) {
    if (onRenderRequest) onRenderRequest(state, force);
    if (m_.CheckBoxBehaviour && m_.Value) state = kStateDown;
    if (!force && m_.Caption == m_.LastCaption && state == m_.LastState) return;
    if (m_.ClientHeight == 0 || !m_.Shown) return;
    m_.LastState = state;
    m_.LastCaption = m_.Caption;
    ++paintCount_;
    Cls();
    DrawRectangle(0, 0, m_.ClientWidth, m_.ClientHeight, m_.FaceColor, false);
    Present();
}

void TamrixButton::DrawRectangle(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 COLORREF colour, bool frameOnly) {
    platform::Brush brush(CreateSolidBrush(colour));
    RECT r{x, y, x + width, y + height};
    if (frameOnly) FrameRect(hDC(), &r, brush.get());
    else FillRect(hDC(), &r, brush.get());
}

void TamrixButton::DrawLine(std::int32_t, std::int32_t, std::int32_t, std::int32_t, COLORREF) {}
void TamrixButton::DrawBevel(COLORREF, COLORREF) {}
void TamrixButton::DrawPixel(std::int32_t x, std::int32_t y, COLORREF colour) { SetPixelV(hDC(), x, y, colour); }

void TamrixButton::Refresh() {
    ResolveSchemeColors();
    ComputeCaptionRects();
    m_.Shown = true;
    RenderButton(m_.LastState, true);
}

}  // namespace button
