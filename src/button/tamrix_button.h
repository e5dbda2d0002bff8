// TamrixButton: the catalog's own command button. It paints every pixel of itself in one of three
// styles (framed 3, see-through 11, shaded 14; other numbers give a plain face), shows a hover look
// while the pointer is over it, draws a picture beside, above, below or under its caption with a
// transparent mask colour, can act as a two-state check button, raises ten events, and keeps its
// settings under 22 keys of its page's stored layout.
//
// The control keeps its state in plain fields (Fields below, under the names the rest of the program
// uses). Property setters store a value, recompute what depends on it (colour set, caption layout,
// picture size), repaint through RenderButton and notify the host. RenderButton is the only painter;
// it draws onto the control's persistent surface, and the window shows the finished image.
//
// The code is split by concern: properties.cpp (public properties), persistence.cpp (stored
// settings), lifecycle.cpp (creation, size, show, hide, end), colour.cpp, picture.cpp, caption.cpp,
// render.cpp (painting) and input.cpp (mouse, keyboard, focus, hover and events).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "button/styles.h"
#include "platform/forms/user_control.h"
#include "platform/win32/gdi.h"
#include "platform/win32/picture.h"

namespace button {

// Colour values: RGB 0x00BBGGRR, or a system-colour reference (high bit set, index in the low byte).
using Colour = std::uint32_t;

// The RGB colours that drawing uses, derived from the colour scheme by ResolveSchemeColors.
struct ColourSet {
    COLORREF FaceColor = 0;
    COLORREF LightColor = 0;
    COLORREF HighlightColor = 0;
    COLORREF ShadowColor = 0;
    COLORREF TextColor = 0;
    COLORREF TextOverColor = 0;
    COLORREF MaskRgb = 0;
    COLORREF LitFaceColor = 0;
};

// The fields of one control, all zero, empty or none at creation. The handles the control owns are
// held by owning wrappers under the same names.
struct Fields {
    std::int32_t ButtonType = 0;
    std::int32_t ColorScheme = 0;
    std::int32_t PicturePosition = 0;
    std::int32_t SpecialEffect = 0;
    std::int32_t ClientHeight = 0;
    std::int32_t ClientWidth = 0;
    Colour BackColor = 0;
    Colour BackOver = 0;
    Colour ForeColor = 0;
    Colour ForeOver = 0;
    Colour MaskColor = 0;
    bool UseMaskColor = false;
    bool UseGreyscale = false;
    platform::Picture PictureNormal;
    platform::Picture PictureOver;
    // The copy of the parent's pixels under a see-through button: a memory DC with its bitmap selected
    // in; SavedBitmap selects back the bitmap the DC was made with (its previous()). In this order, so
    // that the bitmap is selected out before it is deleted, and deleted before the DC.
    platform::MemoryDC BackgroundDC;
    platform::Bitmap BackgroundBitmap;
    platform::Selection SavedBitmap;
    std::string Caption;
    RECT CaptionRect{};
    RECT PressedCaptionRect{};
    RECT FocusRect{};
    std::int32_t CaptionWidth = 0;  // measured caption size
    std::int32_t CaptionHeight = 0;
    struct {
        std::int32_t x = 0, y = 0, width = 0, height = 0;
    } PictureRect;
    HRGN ShapeRegion = nullptr;  // last region applied as the window's shape (the window owns it)
    std::uint8_t LastMouseButton = 0;
    std::uint8_t LastKeyCode = 0;
    bool Enabled = false;
    bool SoftBevel = false;
    bool HasFocus = false;
    bool ShowFocusRect = false;
    // The colour set: RGB values that all drawing uses, rewritten as a whole by ResolveSchemeColors.
    COLORREF FaceColor = 0;
    COLORREF LightColor = 0;
    COLORREF HighlightColor = 0;
    COLORREF ShadowColor = 0;
    COLORREF TextColor = 0;
    COLORREF TextOverColor = 0;
    COLORREF MaskRgb = 0;
    COLORREF LitFaceColor = 0;
    std::uint8_t LastState = 0;
    std::string LastCaption;
    bool Shown = false;
    bool PointerOver = false;
    bool CaptureInProgress = false;
    std::uint8_t LastCaptionMode = 0;
    bool CheckBoxBehaviour = false;
    bool Value = false;
};

// The ten events, in the order of their declaration (their numbers in RaiseEvent). Arguments are
// passed by reference: a handler that changes them changes what the control does next.
struct TamrixButtonEvents {
    std::function<void()> Click;
    std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseDown;
    std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseMove;
    std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseUp;
    std::function<void(std::int16_t& KeyAscii)> KeyPress;
    std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> KeyDown;
    std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> KeyUp;
    std::function<void()> MouseOver;
    std::function<void()> MouseIn;
    std::function<void()> MouseOut;
};

class TamrixButton : public platform::UserControl {
public:
    static constexpr const char* kClassName = "Catalog.TamrixButton";

    TamrixButton(platform::ControlHost& host, const platform::LayoutNode& node);
    ~TamrixButton() override;

    TamrixButtonEvents events;

    // ---- Public properties (properties.cpp) ----
    Colour BackColor() const { return m_.BackColor; }
    void SetBackColor(Colour value);
    Colour BackOver() const { return m_.BackOver; }
    void SetBackOver(Colour value);
    Colour ForeColor() const { return m_.ForeColor; }
    void SetForeColor(Colour value);
    Colour ForeOver() const { return m_.ForeOver; }
    void SetForeOver(Colour value);
    Colour MaskColor() const { return m_.MaskColor; }
    void SetMaskColor(Colour value);
    std::int32_t ButtonType() const { return m_.ButtonType; }
    void SetButtonType(std::int32_t value);
    std::string Caption() const { return m_.Caption; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return m_.Enabled; }
    void SetEnabled(bool value);
    // The font object of the button's window: changing it changes the font the caption is written in
    // from the next painting on, without measuring the caption again or repainting.
    platform::ControlFont& Font() { return HostFont(); }
    const platform::ControlFont& Font() const { return HostFont(); }
    void SetFont(const platform::FontValue& value);
    bool FontBold() const { return HostFont().Bold(); }
    void SetFontBold(bool value);
    bool FontItalic() const { return HostFont().Italic(); }
    void SetFontItalic(bool value);
    bool FontUnderline() const { return HostFont().Underline(); }
    void SetFontUnderline(bool value);
    std::int16_t FontSize() const;  // points, rounded half to even
    void SetFontSize(std::int16_t value);
    std::string FontName() const { return HostFont().Name(); }
    void SetFontName(const std::string& value);
    std::int32_t ColorScheme() const { return m_.ColorScheme; }
    void SetColorScheme(std::int32_t value);
    bool ShowFocusRect() const { return m_.ShowFocusRect; }
    void SetShowFocusRect(bool value);
    std::int32_t MousePointer() const { return HostMousePointer(); }
    void SetMousePointer(std::int32_t value);
    const platform::Picture& MouseIcon() const { return HostMouseIcon(); }
    void SetMouseIcon(const platform::Picture& value);
    bool SoftBevel() const { return m_.SoftBevel; }
    void SetSoftBevel(bool value);
    const platform::Picture& PictureNormal() const { return m_.PictureNormal; }
    void SetPictureNormal(const platform::Picture& value);
    const platform::Picture& PictureOver() const { return m_.PictureOver; }
    void SetPictureOver(const platform::Picture& value);
    std::int32_t PicturePosition() const { return m_.PicturePosition; }
    void SetPicturePosition(std::int32_t value);
    bool UseMaskColor() const { return m_.UseMaskColor; }
    void SetUseMaskColor(bool value);
    bool UseGreyscale() const { return m_.UseGreyscale; }
    void SetUseGreyscale(bool value);
    std::int32_t SpecialEffect() const { return m_.SpecialEffect; }
    void SetSpecialEffect(std::int32_t value);
    bool CheckBoxBehaviour() const { return m_.CheckBoxBehaviour; }
    void SetCheckBoxBehaviour(bool value);
    bool Value() const { return m_.Value; }
    void SetValue(bool value);
    static std::string Version() { return "w2005.08.15"; }

    // Public method: re-derives colours and layout and repaints (render.cpp).
    void Refresh();

    // The fields, for the page editor and tests.
    const Fields& fields() const { return m_; }

    // ---- Colour handling (colour.cpp) ----
    // The RGB value of a colour property value; untranslatable values give black.
    static COLORREF ToRgbColor(Colour colour);
    // A lighter or darker shade: plain moves red, green and blue by `amount`; proportional moves blue
    // by blue x amount / 192. SoftBevel halves the amount first.
    COLORREF ShiftColor(COLORREF colour, std::int32_t amount, bool proportional) const;
    void ResolveSchemeColors();

    // ---- Painting (render.cpp) ----
    void RenderButton(std::uint8_t state, bool force);
    void DrawRectangle(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       COLORREF colour, bool frameOnly);
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, COLORREF colour);
    void DrawBevel(COLORREF topLeftColour, COLORREF bottomRightColour);
    void DrawPixel(std::int32_t x, std::int32_t y, COLORREF colour);

    // ---- Pictures (picture.cpp) ----
    void MeasurePicture();
    void PositionPicture();
    void DrawPicture(std::uint8_t mode);
    void DrawPictureEffect(std::int32_t offset, const platform::Picture& picture);
    void BlitPicture(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     const platform::Picture& picture, COLORREF maskColour, std::int32_t solidColour,
                     bool darkOnly, bool greyscale);
    void CaptureParentBackground();

    // ---- Caption, focus rectangle and shape (caption.cpp) ----
    void ComputeCaptionRects();
    void DrawCaption(std::uint8_t mode);
    void DrawCaptionEffect(const RECT& rect);
    void UpdateAccessKey();
    void DrawFocusRectangle();
    // The region of the control's shape, noted in ShapeRegion; the resize handler gives it to the window.
    platform::Region BuildShapeRegion();

    // ---- Input (input.cpp) ----
    // Whether the mouse pointer is over the button's window now (not a cut-away corner of it).
    bool PointerIsOver() const;

protected:
    // ---- Handlers the host calls (lifecycle.cpp, persistence.cpp, input.cpp) ----
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(platform::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(platform::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override;
    void UserControl_KeyPress(std::int16_t KeyAscii) override;
    void UserControl_KeyUp(std::int16_t KeyCode, std::int16_t Shift) override;
    void UserControl_AccessKeyPress(std::int16_t KeyAscii) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_AmbientChanged(const std::string& PropertyName) override;
    void Timer_Tick() override;  // OverTimer
    bool KnowsSettingsKey(std::string_view key) const override;

private:
    // The caption as a screen reader should hear it (without the access-key marker) and, for a
    // toggling button, its state.
    void UpdateAccessibleName();

    // Painting helpers (render.cpp, caption.cpp, picture.cpp).
    void DrawShadedLook(std::uint8_t look);
    void DrawFramedLook(std::uint8_t look);
    void DrawSeeThroughLook(std::uint8_t look);
    void DrawPlainLook(std::uint8_t look);
    void DrawRamp(std::int32_t span, COLORREF base, bool proportional, bool reversed);
    void DrawFramedEdges(const COLORREF (&colours)[5]);
    void WriteCaption(const RECT& rect, COLORREF colour);
    void DrawHighContrastLook(std::optional<std::uint8_t> look);
    void CreateBackgroundSurface();
    void DrawCaptionIn(std::uint8_t mode, const RECT& up, const RECT& pressed);
    void DeleteBackgroundSurface();

    // The colour set a scheme gives with `backColor` as the face, and the set in the fields (colour.cpp).
    ColourSet SchemeColours(Colour backColor) const;
    ColourSet ResolvedColours() const;

    // The caption measured in the font selected into the surface, and placed beside the picture; the
    // measured width and height (caption.cpp).
    struct CaptionPlace {
        RECT rect;
        std::int32_t width;
        std::int32_t height;
    };
    CaptionPlace PlaceCaption() const;

    // The default button's caption is written in bold: the bold font, and where the caption goes in it,
    // made when first needed and kept until the host's font or its resolution changes or the caption
    // is laid out again.
    struct BoldCaption {
        platform::FontValue font;
        int dpi = 0;
        platform::Font screenFont;
        std::uint64_t layout = 0;  // the caption layout it was measured for
        RECT captionRect{};
        RECT pressedCaptionRect{};
    };
    const BoldCaption& BoldCaptionLayout();
    void DrawBoldCaption(std::uint8_t mode);

    // A picture as it comes off its canvas (an icon drawn over the mask colour), and which of its pixels
    // are transparent, kept for the paintings that follow: drawing the icon is by far the dearest step
    // of a painting. Pictures do not change once made, so the picture with its size, its mask colour and
    // whether the mask is used identify an entry.
    struct PictureCanvas {
        platform::Picture picture;
        std::int32_t width = 0;
        std::int32_t height = 0;
        COLORREF maskColour = 0;
        bool useMask = false;
        std::vector<std::uint8_t> pixels;       // red, green, blue of each pixel, rows from the top
        std::vector<std::uint8_t> transparent;  // 1 for each pixel that leaves what lies beneath
    };
    const PictureCanvas& CanvasFor(HDC dc, const platform::Picture& picture, std::int32_t width,
                                   std::int32_t height, COLORREF maskColour);

    Fields m_;
    // What painting keeps for itself: the colours of the painting under way (those of BackOver while
    // the pointer is over a button in its own colours, else the colour set), the bold caption, and
    // the number of caption layouts so far.
    ColourSet paint_;
    BoldCaption bold_;
    std::uint64_t captionLayout_ = 0;
    std::vector<PictureCanvas> canvases_;
};

// The 22 keys of the stored settings, in the order they are read and written.
extern const char* const kStoredSettingsKeys[22];

}  // namespace button
