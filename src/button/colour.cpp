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

ColourSet TamrixButton::SchemeColours(Colour backColor) const {
    auto plain = [this](COLORREF c, std::int32_t a) { return ShiftColor(c, a, false); };
    ColourSet set;
    switch (m_.ColorScheme) {
    case kSchemeOwn:
        set.FaceColor = ToRgbColor(backColor);
        set.LightColor = plain(set.FaceColor, 31);
        set.HighlightColor = plain(set.FaceColor, 47);
        set.ShadowColor = plain(set.FaceColor, -64);
        set.TextColor = ToRgbColor(m_.ForeColor);
        set.TextOverColor = ToRgbColor(m_.ForeOver);
        break;
    case kSchemeGrey:
        set.FaceColor = 0xC0C0C0;
        set.LightColor = 0xDFDFDF;
        set.HighlightColor = 0xFFFFFF;
        set.ShadowColor = 0x808080;
        set.TextColor = 0;
        set.TextOverColor = 0;
        break;
    case kSchemeParent: {
        // The parent's drawing surface is asked for its current colours and released again.
        HWND parent = hwnd() ? GetParent(hwnd()) : nullptr;
        platform::WindowDC parentDC(parent);
        set.FaceColor = parentDC ? GetBkColor(parentDC.get()) : 0;
        set.TextColor = parentDC ? GetTextColor(parentDC.get()) : 0;
        set.LightColor = plain(set.FaceColor, 31);
        set.HighlightColor = plain(set.FaceColor, 47);
        set.ShadowColor = plain(set.FaceColor, -64);
        set.TextOverColor = set.TextColor;
        break;
    }
    default:
        set.FaceColor = GetSysColor(COLOR_BTNFACE);
        set.LightColor = GetSysColor(COLOR_3DLIGHT);
        set.HighlightColor = GetSysColor(COLOR_BTNHIGHLIGHT);
        set.ShadowColor = GetSysColor(COLOR_BTNSHADOW);
        set.TextColor = GetSysColor(COLOR_BTNTEXT);
        set.TextOverColor = set.TextColor;
        break;
    }
    set.MaskRgb = ToRgbColor(m_.MaskColor);
    // The shade base of the framed style lightens blue in proportion; the others lighten it plainly.
    set.LitFaceColor = ShiftColor(set.FaceColor, 48, m_.ButtonType == kFramed);
    return set;
}

void TamrixButton::ResolveSchemeColors() {
    paint_ = SchemeColours(m_.BackColor);
    m_.FaceColor = paint_.FaceColor;
    m_.LightColor = paint_.LightColor;
    m_.HighlightColor = paint_.HighlightColor;
    m_.ShadowColor = paint_.ShadowColor;
    m_.TextColor = paint_.TextColor;
    m_.TextOverColor = paint_.TextOverColor;
    m_.MaskRgb = paint_.MaskRgb;
    m_.LitFaceColor = paint_.LitFaceColor;
}

ColourSet TamrixButton::ResolvedColours() const {
    return {m_.FaceColor, m_.LightColor,    m_.HighlightColor, m_.ShadowColor,
            m_.TextColor, m_.TextOverColor, m_.MaskRgb,        m_.LitFaceColor};
}

}  // namespace button
