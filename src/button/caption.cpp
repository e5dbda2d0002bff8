// Caption, focus rectangle and window shape of the button: where the caption goes beside the
// picture, how it is written in each look, which key activates the button, and which corner pixels
// are not part of it.
#include "button/button_math.h"
#include "button/tamrix_button.h"
#include "platform/win32/font.h"
#include "platform/win32/gdi.h"

namespace button {
namespace {

constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK;
constexpr UINT kWriteFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;

PixelRect ToPixelRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TamrixButton::CaptionPlace TamrixButton::PlaceCaption() const {
    std::int32_t pw = m_.PictureRect.width;
    std::int32_t ph = m_.PictureRect.height;
    std::optional<PixelRect> box =
        CaptionLayoutBox(m_.PicturePosition, m_.ClientWidth, m_.ClientHeight, pw, ph);
    // A position without a box of its own measures from wherever the last layout left the rectangle.
    RECT r = box ? RECT{box->left, box->top, box->right, box->bottom} : m_.PressedCaptionRect;
    if (hDC()) DrawTextA(hDC(), m_.Caption.c_str(), static_cast<int>(m_.Caption.size()), &r, kMeasureFlags);
    CaptionPlace place{r, r.right - r.left, r.bottom - r.top};
    PixelPoint move =
        CaptionMove(m_.PicturePosition, m_.ClientWidth, m_.ClientHeight, pw, ph, ToPixelRect(r));
    OffsetRect(&place.rect, move.x, move.y);
    return place;
}

void TamrixButton::ComputeCaptionRects() {
    CaptionPlace place = PlaceCaption();
    m_.CaptionWidth = place.width;
    m_.CaptionHeight = place.height;
    m_.CaptionRect = place.rect;
    m_.PressedCaptionRect = place.rect;
    OffsetRect(&m_.PressedCaptionRect, 1, 1);
    ++captionLayout_;
    PositionPicture();
}

const TamrixButton::BoldCaption& TamrixButton::BoldCaptionLayout() {
    platform::FontValue font = HostFont().Value();
    font.bold = true;
    const int dpi = HostFont().Dpi();
    if (!bold_.screenFont || bold_.font != font || bold_.dpi != dpi) {
        bold_.font = font;
        bold_.dpi = dpi;
        bold_.screenFont = platform::CreateScreenFont(font, dpi);
        bold_.layout = captionLayout_ - 1;  // measured below
    }
    if (bold_.layout != captionLayout_) {
        // Laid out as the caption in the host's font is, only with the bold font in the surface.
        platform::Selection bold(hDC(), bold_.screenFont.get());
        CaptionPlace place = PlaceCaption();
        bold_.captionRect = place.rect;
        bold_.pressedCaptionRect = place.rect;
        OffsetRect(&bold_.pressedCaptionRect, 1, 1);
        bold_.layout = captionLayout_;
    }
    return bold_;
}

void TamrixButton::DrawBoldCaption(std::uint8_t mode) {
    const BoldCaption& bold = BoldCaptionLayout();
    platform::Selection font(hDC(), bold.screenFont.get());
    DrawCaptionIn(mode, bold.captionRect, bold.pressedCaptionRect);
}

void TamrixButton::WriteCaption(const RECT& rect, COLORREF colour) {
    HDC dc = hDC();
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    RECT r = rect;
    DrawTextA(dc, m_.Caption.c_str(), static_cast<int>(m_.Caption.size()), &r, kWriteFlags);
}

void TamrixButton::DrawCaption(std::uint8_t mode) {
    DrawCaptionIn(mode, m_.CaptionRect, m_.PressedCaptionRect);
}

void TamrixButton::DrawCaptionIn(std::uint8_t mode, const RECT& up, const RECT& pressed) {
    m_.LastCaptionMode = mode;
    switch (mode) {
    case kCaptionUp:
        DrawCaptionEffect(up);
        WriteCaption(up, paint_.TextColor);
        break;
    case kCaptionUpHover:
        DrawCaptionEffect(up);
        WriteCaption(up, paint_.TextOverColor);
        break;
    case kCaptionFramedDown:
        DrawCaptionEffect(pressed);
        WriteCaption(pressed, paint_.TextOverColor);
        break;
    case kCaptionEmbossed:  // light text below right, the shadow colour at the normal place
        WriteCaption(pressed, paint_.HighlightColor);
        WriteCaption(up, paint_.ShadowColor);
        break;
    case kCaptionFramedDisabled: WriteCaption(up, ShiftColor(paint_.LitFaceColor, -104, true)); break;
    case kCaptionDown:
        WriteCaption(pressed, ShiftColor(paint_.ShadowColor, -50, false));
        WriteCaption(up, paint_.HighlightColor);
        break;
    default: break;
    }
}

void TamrixButton::DrawCaptionEffect(const RECT& rect) {
    if (m_.SpecialEffect <= 0) return;
    COLORREF base = m_.ButtonType == kShaded ? paint_.LitFaceColor : paint_.FaceColor;
    COLORREF light = ShiftColor(base, 40, false);
    COLORREF dark = ShiftColor(base, -40, false);
    bool engraved = m_.SpecialEffect == 2;
    RECT below = rect;
    OffsetRect(&below, 1, 1);
    WriteCaption(below, engraved ? light : dark);
    // Relief (1 raised, 2 engraved) has a second copy above left; 3 and more are a drop shadow only.
    if (m_.SpecialEffect < 3) {
        RECT above = rect;
        OffsetRect(&above, -1, -1);
        WriteCaption(above, engraved ? dark : light);
    }
}

void TamrixButton::UpdateAccessKey() {
    SetAccessKeys("");
    std::optional<char> key = AccessKeyCharacter(m_.Caption);
    if (!key) return;
    char lower[2] = {*key, '\0'};
    CharLowerBuffA(lower, 1);  // in the program's code page, so accented letters work too
    SetAccessKeys(std::string(1, lower[0]));
}

void TamrixButton::DrawFocusRectangle() {
    if (!m_.ShowFocusRect || !m_.HasFocus) return;
    SetTextColor(hDC(), paint_.TextColor);
    DrawFocusRect(hDC(), &m_.FocusRect);
}

platform::Region TamrixButton::BuildShapeRegion() {
    platform::Region shape(CreateRectRgn(0, 0, m_.ClientWidth, m_.ClientHeight));
    for (const PixelPoint& cut : ShapeCutPixels(m_.ButtonType, m_.ClientWidth, m_.ClientHeight)) {
        platform::Region pixel(CreateRectRgn(cut.x, cut.y, cut.x + 1, cut.y + 1));
        CombineRgn(shape.get(), shape.get(), pixel.get(), RGN_DIFF);
    }
    m_.ShapeRegion = shape.get();
    return shape;
}

}  // namespace button
