// Public properties of the button. (First cut: stores values; the full setter steps follow.)
#include <cmath>

#include "button/tamrix_button.h"

namespace button {

void TamrixButton::SetBackColor(Colour value) { m_.BackColor = value; }
void TamrixButton::SetBackOver(Colour value) { m_.BackOver = value; }
void TamrixButton::SetForeColor(Colour value) { m_.ForeColor = value; }
void TamrixButton::SetForeOver(Colour value) { m_.ForeOver = value; }
void TamrixButton::SetMaskColor(Colour value) { m_.MaskColor = value; }
void TamrixButton::SetButtonType(std::int32_t value) { m_.ButtonType = value; }
void TamrixButton::SetCaption(const std::string& value) {
    m_.Caption = value;
    UpdateAccessibleName();
    RenderButton(kStateUp, true);
}
void TamrixButton::SetEnabled(bool value) { m_.Enabled = value; }
void TamrixButton::SetFont(const platform::FontValue& value) { SetHostFont(value); }
void TamrixButton::SetFontBold(bool value) {
    platform::FontValue font = HostFont();
    font.bold = value;
    SetHostFont(font);
}
void TamrixButton::SetFontItalic(bool value) {
    platform::FontValue font = HostFont();
    font.italic = value;
    SetHostFont(font);
}
void TamrixButton::SetFontUnderline(bool value) {
    platform::FontValue font = HostFont();
    font.underline = value;
    SetHostFont(font);
}
std::int16_t TamrixButton::FontSize() const { return static_cast<std::int16_t>(std::nearbyint(HostFont().size)); }
void TamrixButton::SetFontSize(std::int16_t value) {
    platform::FontValue font = HostFont();
    font.size = value;
    SetHostFont(font);
}
void TamrixButton::SetFontName(const std::string& value) {
    platform::FontValue font = HostFont();
    font.name = value;
    SetHostFont(font);
}
void TamrixButton::SetColorScheme(std::int32_t value) { m_.ColorScheme = value; }
void TamrixButton::SetShowFocusRect(bool value) { m_.ShowFocusRect = value; }
void TamrixButton::SetMousePointer(std::int32_t value) { SetHostMousePointer(value); }
void TamrixButton::SetMouseIcon(const platform::Picture& value) {
    try {
        SetHostMouseIcon(value);
    } catch (const platform::HostError&) {
    }
}
void TamrixButton::SetSoftBevel(bool value) { m_.SoftBevel = value; }
void TamrixButton::SetPictureNormal(const platform::Picture& value) { m_.PictureNormal = value; }
void TamrixButton::SetPictureOver(const platform::Picture& value) { m_.PictureOver = value; }
void TamrixButton::SetPicturePosition(std::int32_t value) { m_.PicturePosition = value; }
void TamrixButton::SetUseMaskColor(bool value) { m_.UseMaskColor = value; }
void TamrixButton::SetUseGreyscale(bool value) { m_.UseGreyscale = value; }
void TamrixButton::SetSpecialEffect(std::int32_t value) { m_.SpecialEffect = value; }
void TamrixButton::SetCheckBoxBehaviour(bool value) { m_.CheckBoxBehaviour = value; }
void TamrixButton::SetValue(bool value) { m_.Value = value; }

void TamrixButton::UpdateAccessibleName() {
    std::string name;
    for (std::size_t i = 0; i < m_.Caption.size(); ++i) {
        if (m_.Caption[i] == '&' && i + 1 < m_.Caption.size()) ++i;
        name += m_.Caption[i];
    }
    SetAccessibleName(name);
    SetAccessibleCheckState(m_.CheckBoxBehaviour, m_.Value);
}

}  // namespace button
