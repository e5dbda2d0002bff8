// Colour handling: the colour set derived from the colour scheme, the translation of colour
// property values to RGB, and the shades the styles draw with.
#include "platform/win32/colour.h"
#include "button/button_math.h"
#include "button/tamrix_button.h"
#include "platform/win32/gdi.h"

namespace button {

COLORREF TamrixButton::ToRgbColor(Colour colour) {
    return platform::TranslateColour(colour);
}

COLORREF TamrixButton::ShiftColor(COLORREF colour, std::int32_t amount, bool proportional) const {
    return ShiftColorValue(colour, amount, proportional, m_.SoftBevel);
}

void TamrixButton::ResolveSchemeColors() {
    auto plain = [this](COLORREF c, std::int32_t a) { return ShiftColor(c, a, false); };
    switch (m_.ColorScheme) {
    case kSchemeOwn:
        m_.FaceColor = ToRgbColor(m_.BackColor);
        m_.LightColor = plain(m_.FaceColor, 31);
        m_.HighlightColor = plain(m_.FaceColor, 47);
        m_.ShadowColor = plain(m_.FaceColor, -64);
        m_.TextColor = ToRgbColor(m_.ForeColor);
        m_.TextOverColor = ToRgbColor(m_.ForeOver);
        break;
    case kSchemeGrey:
        m_.FaceColor = 0xC0C0C0;
        m_.LightColor = 0xDFDFDF;
        m_.HighlightColor = 0xFFFFFF;
        m_.ShadowColor = 0x808080;
        m_.TextColor = 0;
        m_.TextOverColor = 0;
        break;
    case kSchemeParent: {
        // The parent's drawing surface is asked for its current colours and released again.
        HWND parent = hwnd() ? GetParent(hwnd()) : nullptr;
        platform::WindowDC parentDC(parent);
        m_.FaceColor = parentDC ? GetBkColor(parentDC.get()) : 0;
        m_.TextColor = parentDC ? GetTextColor(parentDC.get()) : 0;
        m_.LightColor = plain(m_.FaceColor, 31);
        m_.HighlightColor = plain(m_.FaceColor, 47);
        m_.ShadowColor = plain(m_.FaceColor, -64);
        m_.TextOverColor = m_.TextColor;
        break;
    }
    default:
        m_.FaceColor = GetSysColor(COLOR_BTNFACE);
        m_.LightColor = GetSysColor(COLOR_3DLIGHT);
        m_.HighlightColor = GetSysColor(COLOR_BTNHIGHLIGHT);
        m_.ShadowColor = GetSysColor(COLOR_BTNSHADOW);
        m_.TextColor = GetSysColor(COLOR_BTNTEXT);
        m_.TextOverColor = m_.TextColor;
        break;
    }
    m_.MaskRgb = ToRgbColor(m_.MaskColor);
    // The shade base of the framed style lightens blue in proportion; the others lighten it plainly.
    m_.LitFaceColor = ShiftColor(m_.FaceColor, 48, m_.ButtonType == kFramed);
}

}  // namespace button
