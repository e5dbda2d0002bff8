// Painting of the button. RenderButton is the only painter: it draws the whole button for a state
// onto the button's own surface, and the window shows the surface once the image is complete.
//
// Three style numbers have a look of their own: 14 (shaded: a face shaded down from the highlight
// inside a two-colour frame), 3 (framed: a dark frame with cut corners about a shaded face, with
// coloured hover and focus rings) and 11 (see-through: the parent's pixels are the face). Every other
// number is a flat face with the picture. Under high contrast every style keeps its shape and layout in
// the system's colours (DrawHighContrastLook).
#include "button/button_math.h"
#include "button/tamrix_button.h"
#include "platform/win32/gdi.h"

namespace button {
namespace {

// Fixed colours of the framed style (0x00BBGGRR), whatever the colour scheme.
constexpr COLORREF kFramedOuter = 0x733C00;
constexpr COLORREF kFramedCorner = 0x7B4D10;
// The rings: frame, bottom line, top line, second line, side lines.
constexpr COLORREF kHoverRing[5] = {0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
constexpr COLORREF kFocusRing[5] = {0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};

// Ramp spans: how many shades the face falls over its height.
constexpr std::int32_t kShadedSpan = 58;
constexpr std::int32_t kFramedSpan = 25;

}  // namespace

void TamrixButton::RenderButton(std::uint8_t state, bool force) {
    // A check button whose value is set always looks down.
    if (m_.CheckBoxBehaviour && m_.Value) state = kStateDown;
    // Mouse moves ask again and again for the look already shown.
    if (!force && m_.Caption == m_.LastCaption && state == m_.LastState) return;
    if (m_.ClientHeight == 0 || !m_.Shown) return;
    m_.LastState = state;
    m_.LastCaption = m_.Caption;

    Cls();
    std::optional<std::uint8_t> look;
    if (!m_.Enabled) look = kLookDisabled;
    else if (state == kStateUp) look = kLookUp;
    else if (state == kStateDown) look = kLookDown;
    // Under the button's own colours the hover face is BackOver, and every shade of this painting
    // follows it; the colour set itself stays that of BackColor.
    paint_ = m_.PointerOver && m_.ColorScheme == kSchemeOwn ? SchemeColours(m_.BackOver) : ResolvedColours();
    if (AmbientHighContrast()) {
        DrawHighContrastLook(look);
        Present();
        return;
    }
    DrawRectangle(0, 0, m_.ClientWidth, m_.ClientHeight, paint_.FaceColor, false);

    if (look) {
        switch (m_.ButtonType) {
        case kShaded: DrawShadedLook(*look); break;
        case kFramed: DrawFramedLook(*look); break;
        case kSeeThrough: DrawSeeThroughLook(*look); break;
        default: DrawPlainLook(*look); break;
        }
    }

    Present();
}

void TamrixButton::DrawShadedLook(std::uint8_t look) {
    const std::int32_t w = m_.ClientWidth;
    const std::int32_t h = m_.ClientHeight;
    auto frame = [this, w, h] {
        DrawRectangle(0, 0, w, h, ShiftColor(paint_.ShadowColor, -50, false), true);
        DrawRectangle(1, 1, w - 2, h - 2, ShiftColor(paint_.FaceColor, -9, false), true);
        // A two-pixel highlight along the top and the left inside the frame.
        DrawRectangle(2, 2, w - 4, 2, paint_.HighlightColor, false);
        DrawRectangle(2, 4, 2, h - 6, paint_.HighlightColor, false);
    };
    switch (look) {
    case kLookUp: {
        if (m_.PointerOver) DrawRectangle(0, 0, w, h, paint_.LightColor, false);
        else DrawRamp(kShadedSpan, paint_.HighlightColor, false, false);
        // The default button writes its caption in bold.
        const std::uint8_t mode = m_.PointerOver ? kCaptionUpHover : kCaptionUp;
        if (AmbientDisplayAsDefault()) DrawBoldCaption(mode);
        else DrawCaption(mode);
        frame();
        DrawFocusRectangle();
        DrawPicture(kLookUp);
        break;
    }
    case kLookDown:
        DrawRectangle(1, 1, w, h, ShiftColor(paint_.FaceColor, -9, false), false);
        DrawRectangle(0, 0, w, h, ShiftColor(paint_.ShadowColor, -48, false), true);
        DrawLine(2, h - 2, w - 2, h - 2, paint_.HighlightColor);
        DrawLine(w - 2, 2, w - 2, h - 1, paint_.HighlightColor);
        DrawCaption(kCaptionDown);
        DrawFocusRectangle();
        DrawPicture(kLookDown);
        break;
    case kLookDisabled:
        DrawRamp(kShadedSpan, paint_.HighlightColor, false, false);
        frame();
        DrawCaption(kCaptionEmbossed);
        DrawPicture(kLookDisabled);
        break;
    default: break;
    }
}

void TamrixButton::DrawFramedEdges(const COLORREF (&colours)[5]) {
    const std::int32_t w = m_.ClientWidth;
    const std::int32_t h = m_.ClientHeight;
    DrawRectangle(1, 2, w - 2, h - 4, colours[0], true);
    DrawLine(2, h - 2, w - 2, h - 2, colours[1]);
    DrawLine(2, 1, w - 2, 1, colours[2]);
    DrawLine(1, 2, w - 1, 2, colours[3]);
    DrawLine(2, 3, 2, h - 3, colours[4]);
    DrawLine(w - 3, 3, w - 3, h - 3, colours[4]);
}

void TamrixButton::DrawFramedLook(std::uint8_t look) {
    const std::int32_t w = m_.ClientWidth;
    const std::int32_t h = m_.ClientHeight;
    const COLORREF lit = paint_.LitFaceColor;
    auto shade = [this](COLORREF colour, std::int32_t amount) { return ShiftColor(colour, amount, true); };
    auto outline = [this, w, h](COLORREF frameColour, COLORREF cornerColour) {
        DrawRectangle(0, 0, w, h, frameColour, true);
        // Inside the cut corners of the window shape, so the corners look rounded.
        DrawPixel(1, 1, cornerColour);
        DrawPixel(1, h - 2, cornerColour);
        DrawPixel(w - 2, 1, cornerColour);
        DrawPixel(w - 2, h - 2, cornerColour);
    };
    switch (look) {
    case kLookUp:
        DrawRamp(kFramedSpan, lit, true, false);
        DrawCaption(m_.PointerOver ? kCaptionUpHover : kCaptionUp);
        outline(kFramedOuter, kFramedCorner);
        if (m_.PointerOver) {
            DrawFramedEdges(kHoverRing);
        } else if ((m_.HasFocus || AmbientDisplayAsDefault()) && m_.ShowFocusRect) {
            // This style shows focus with a ring instead of a dotted rectangle.
            DrawFramedEdges(kFocusRing);
        } else {
            DrawLine(2, h - 2, w - 2, h - 2, shade(lit, -48));
            DrawLine(1, h - 3, w - 2, h - 3, shade(lit, -32));
            DrawLine(w - 2, 2, w - 2, h - 2, shade(lit, -36));
            DrawLine(w - 3, 3, w - 3, h - 3, shade(lit, -24));
            DrawLine(2, 1, w - 2, 1, shade(lit, 16));
            DrawLine(1, 2, w - 2, 2, shade(lit, 10));
            DrawLine(1, 2, 1, h - 2, shade(lit, -5));
            DrawLine(2, 3, 2, h - 3, shade(lit, -10));
        }
        DrawPicture(kLookUp);
        break;
    case kLookDown: {
        const COLORREF pressed = shade(lit, -32);
        DrawRamp(kFramedSpan, pressed, true, true);  // darkest at the top
        DrawCaption(kCaptionFramedDown);
        outline(kFramedOuter, kFramedCorner);
        DrawLine(2, h - 2, w - 2, h - 2, shade(pressed, 16));
        DrawLine(1, h - 3, w - 2, h - 3, shade(pressed, 10));
        DrawLine(w - 2, 2, w - 2, h - 2, shade(pressed, 5));
        DrawLine(w - 3, 3, w - 3, h - 3, lit);
        DrawLine(2, 1, w - 2, 1, shade(pressed, -32));
        DrawLine(1, 2, w - 2, 2, shade(pressed, -24));
        DrawLine(1, 2, 1, h - 2, shade(pressed, -32));
        DrawLine(2, 2, 2, h - 2, shade(pressed, -22));
        DrawPicture(kLookDown);
        break;
    }
    case kLookDisabled:
        DrawRectangle(0, 0, w, h, shade(lit, -24), false);
        DrawCaption(kCaptionFramedDisabled);
        outline(shade(lit, -84), shade(lit, -72));
        DrawPicture(kLookDisabled);
        break;
    default: break;
    }
}

void TamrixButton::DrawSeeThroughLook(std::uint8_t look) {
    // The face is the copy of the parent's pixels taken when the button was shown.
    if (m_.BackgroundDC)
        BitBlt(hDC(), 0, 0, m_.ClientWidth, m_.ClientHeight, m_.BackgroundDC.get(), 0, 0, SRCCOPY);
    switch (look) {
    case kLookUp:
        DrawCaption(m_.PointerOver ? kCaptionUpHover : kCaptionUp);
        if (m_.PointerOver) DrawBevel(paint_.HighlightColor, paint_.ShadowColor);  // raised
        DrawFocusRectangle();
        DrawPicture(kLookUp);
        break;
    case kLookDown:
        DrawBevel(paint_.ShadowColor, paint_.HighlightColor);  // sunken
        DrawCaption(kCaptionDown);
        DrawFocusRectangle();
        DrawPicture(kLookDown);
        break;
    case kLookDisabled:
        DrawCaption(kCaptionEmbossed);
        DrawPicture(kLookDisabled);
        break;
    default: break;
    }
}

void TamrixButton::DrawPlainLook(std::uint8_t look) {
    DrawPicture(look);
}

void TamrixButton::DrawHighContrastLook(std::optional<std::uint8_t> look) {
    // The button keeps its shape, the places of its caption and picture, and its picture; the rest is
    // in the system's colours: the button face; a frame in the button text colour (doubled for the
    // default button), doubled in the highlight colour while the pointer is over it or it is down, in
    // grey text when it is disabled; the caption in the button text colour (grey text when disabled);
    // and the dotted focus rectangle whenever it has the focus, whatever ShowFocusRect says. Relief
    // effects, shades of the button's own colours, are left out.
    const std::int32_t w = m_.ClientWidth;
    const std::int32_t h = m_.ClientHeight;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    DrawRectangle(0, 0, w, h, face, false);
    if (!look) return;
    const bool disabled = *look == kLookDisabled;
    const bool down = *look == kLookDown;
    const bool lit = !disabled && (down || m_.PointerOver);
    const COLORREF frame = disabled ? grey : lit ? highlight : text;
    DrawRectangle(0, 0, w, h, frame, true);
    if (lit || (!disabled && AmbientDisplayAsDefault())) DrawRectangle(1, 1, w - 2, h - 2, frame, true);

    // Only the styles with a caption show it, and over a centred picture it comes last.
    const bool centred = m_.PicturePosition == kPictureCentred;
    const bool captioned =
        centred || m_.ButtonType == kShaded || m_.ButtonType == kFramed || m_.ButtonType == kSeeThrough;
    const RECT& captionAt = down ? m_.PressedCaptionRect : m_.CaptionRect;
    if (captioned && !centred) WriteCaption(captionAt, disabled ? grey : text);
    if (m_.PictureNormal) {
        const auto& r = m_.PictureRect;
        if (disabled) {
            BlitPicture(r.x, r.y, r.width, r.height, m_.PictureNormal, paint_.MaskRgb,
                        static_cast<std::int32_t>(grey), true, false);
        } else {
            bool over = down || m_.PointerOver;
            const platform::Picture& shown = over && m_.PictureOver ? m_.PictureOver : m_.PictureNormal;
            BlitPicture(r.x + (down ? 1 : 0), r.y + (down ? 1 : 0), r.width, r.height, shown, paint_.MaskRgb,
                        -1, false, !over && m_.UseGreyscale);
        }
    }
    if (captioned && centred) WriteCaption(captionAt, disabled ? grey : text);
    if (m_.HasFocus && !disabled) {
        SetTextColor(hDC(), text);
        DrawFocusRect(hDC(), &m_.FocusRect);
    }
}

void TamrixButton::DrawRamp(std::int32_t span, COLORREF base, bool proportional, bool reversed) {
    const std::int32_t h = m_.ClientHeight;
    // Row 0 keeps the face (the frame covers it); the forward ramp's last line falls below the button.
    for (std::int32_t i = 1; i <= h; ++i) {
        std::int32_t y = reversed ? h - i : i;
        DrawLine(0, y, m_.ClientWidth, y, ShiftColor(base, RampAmount(span, h, i), proportional));
    }
}

void TamrixButton::DrawRectangle(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 COLORREF colour, bool frameOnly) {
    platform::Brush brush(CreateSolidBrush(colour));
    RECT r{x, y, x + width, y + height};
    if (frameOnly) FrameRect(hDC(), &r, brush.get());
    else FillRect(hDC(), &r, brush.get());
}

void TamrixButton::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                            COLORREF colour) {
    platform::Pen pen(CreatePen(PS_SOLID, 1, colour));
    platform::Selection selection(hDC(), pen.get());
    MoveToEx(hDC(), x1, y1, nullptr);
    LineTo(hDC(), x2, y2);
}

void TamrixButton::DrawBevel(COLORREF topLeftColour, COLORREF bottomRightColour) {
    const std::int32_t w = m_.ClientWidth;
    const std::int32_t h = m_.ClientHeight;
    HDC dc = hDC();
    platform::Pen topLeft(CreatePen(PS_SOLID, 1, topLeftColour));
    platform::Pen bottomRight(CreatePen(PS_SOLID, 1, bottomRightColour));
    platform::Selection first(dc, topLeft.get());
    MoveToEx(dc, 0, h - 1, nullptr);
    LineTo(dc, 0, 0);
    LineTo(dc, w - 1, 0);
    platform::Selection second(dc, bottomRight.get());
    LineTo(dc, w - 1, h - 1);
    LineTo(dc, -1, h - 1);
}

void TamrixButton::DrawPixel(std::int32_t x, std::int32_t y, COLORREF colour) {
    SetPixelV(hDC(), x, y, colour);
}

void TamrixButton::Refresh() {
    if (m_.ButtonType == kSeeThrough) CaptureParentBackground();
    ResolveSchemeColors();
    ComputeCaptionRects();
    m_.Shown = true;
    RenderButton(m_.LastState, true);
}

}  // namespace button
