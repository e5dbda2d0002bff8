// Public properties of the button. Each setter stores the value, recomputes what depends on it (the
// colour set, the caption layout or the picture size), repaints, and tells the host which stored
// setting changed, in that order per property.
#include "button/button_math.h"
#include "button/tamrix_button.h"
#include "platform/layout/text_and_numbers.h"

namespace button {

void TamrixButton::SetBackColor(Colour value) {
    m_.BackColor = value;
    // While a page is being designed the hover face follows the face.
    if (!AmbientUserMode()) m_.BackOver = value;
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
    PropertyChanged("BCOL");
}

void TamrixButton::SetBackOver(Colour value) {
    m_.BackOver = value;
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
    PropertyChanged("BCOLO");
}

void TamrixButton::SetForeColor(Colour value) {
    m_.ForeColor = value;
    if (!AmbientUserMode()) m_.ForeOver = value;
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
    PropertyChanged("FCOL");
}

void TamrixButton::SetForeOver(Colour value) {
    m_.ForeOver = value;
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
    PropertyChanged("FCOLO");
}

void TamrixButton::SetMaskColor(Colour value) {
    m_.MaskColor = value;
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
    PropertyChanged("MCOL");
}

void TamrixButton::SetButtonType(std::int32_t value) {
    m_.ButtonType = value;
    if (value == kSeeThrough && m_.Shown) CaptureParentBackground();
    // The new style has its own focus rectangle and shape; the resize handler rebuilds both and paints.
    UserControl_Resize();
    PropertyChanged("BTYPE");
}

void TamrixButton::SetCaption(const std::string& value) {
    m_.Caption = value;
    UpdateAccessKey();
    UpdateAccessibleName();
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
    PropertyChanged("TX");
}

void TamrixButton::SetEnabled(bool value) {
    m_.Enabled = value;
    RenderButton(kStateUp, true);
    SetWindowEnabled(value);
    PropertyChanged("ENAB");
}

void TamrixButton::SetFont(const platform::FontValue& value) {
    HostFont().Set(value);
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
    PropertyChanged("FONT");
}

// The single font attributes change the font object in place, then lay out and paint; they are saved
// with the font, so they send no notice of their own.
void TamrixButton::SetFontBold(bool value) {
    HostFont().SetBold(value);
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
}

void TamrixButton::SetFontItalic(bool value) {
    HostFont().SetItalic(value);
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
}

void TamrixButton::SetFontUnderline(bool value) {
    HostFont().SetUnderline(value);
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
}

std::int16_t TamrixButton::FontSize() const {
    return static_cast<std::int16_t>(platform::RoundHalfEven(HostFont().Size()));
}

void TamrixButton::SetFontSize(std::int16_t value) {
    HostFont().SetSize(value);
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
}

void TamrixButton::SetFontName(const std::string& value) {
    HostFont().SetName(value);
    ComputeCaptionRects();
    RenderButton(kStateUp, true);
}

void TamrixButton::SetColorScheme(std::int32_t value) {
    m_.ColorScheme = value;
    ResolveSchemeColors();
    RenderButton(kStateUp, true);
    PropertyChanged("COLTYPE");
}

void TamrixButton::SetShowFocusRect(bool value) {
    m_.ShowFocusRect = value;
    RenderButton(m_.LastState, true);
    PropertyChanged("FOCUSR");
}

void TamrixButton::SetMousePointer(std::int32_t value) {
    SetHostMousePointer(value);
    PropertyChanged("MPTR");
}

void TamrixButton::SetMouseIcon(const platform::Picture& value) {
    // A picture that cannot be a pointer leaves the pointer as it was; the setting still counts as
    // changed.
    try {
        SetHostMouseIcon(value);
    } catch (const platform::HostError&) {
    }
    PropertyChanged("MICON");
}

void TamrixButton::SetSoftBevel(bool value) {
    m_.SoftBevel = value;
    ResolveSchemeColors();
    RenderButton(m_.LastState, true);
    PropertyChanged("SOFT");
}

void TamrixButton::SetPictureNormal(const platform::Picture& value) {
    m_.PictureNormal = value;
    MeasurePicture();
    ComputeCaptionRects();
    RenderButton(m_.LastState, true);
    PropertyChanged("PICN");
}

void TamrixButton::SetPictureOver(const platform::Picture& value) {
    m_.PictureOver = value;
    // Only the hover look shows it.
    if (m_.PointerOver) RenderButton(m_.LastState, true);
    PropertyChanged("PICO");
}

void TamrixButton::SetPicturePosition(std::int32_t value) {
    m_.PicturePosition = value;
    PropertyChanged("PICPOS");
    ComputeCaptionRects();
    RenderButton(m_.LastState, true);
}

void TamrixButton::SetUseMaskColor(bool value) {
    m_.UseMaskColor = value;
    if (m_.PictureNormal) RenderButton(m_.LastState, true);
    PropertyChanged("UMCOL");
}

void TamrixButton::SetUseGreyscale(bool value) {
    m_.UseGreyscale = value;
    if (m_.PictureNormal) RenderButton(m_.LastState, true);
    PropertyChanged("NGREY");
}

void TamrixButton::SetSpecialEffect(std::int32_t value) {
    m_.SpecialEffect = value;
    RenderButton(m_.LastState, true);
    PropertyChanged("FX");
}

void TamrixButton::SetCheckBoxBehaviour(bool value) {
    m_.CheckBoxBehaviour = value;
    UpdateAccessibleName();
    RenderButton(m_.LastState, true);
    PropertyChanged("CHECK");
}

void TamrixButton::SetValue(bool value) {
    m_.Value = value;
    UpdateAccessibleName();
    // A toggling button looks down while its value is set; RenderButton turns the up request into that.
    if (m_.CheckBoxBehaviour) RenderButton(kStateUp, true);
    PropertyChanged("VALUE");
}

void TamrixButton::UpdateAccessibleName() {
    SetShownCaption(platform::ShownText(m_.Caption));
    SetAccessibleCheckState(m_.CheckBoxBehaviour, m_.Value);
}

}  // namespace button
