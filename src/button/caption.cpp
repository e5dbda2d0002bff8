// Caption, focus rectangle and shape of the button. (First cut.)
#include "button/tamrix_button.h"

namespace button {

void TamrixButton::ComputeCaptionRects() {}
void TamrixButton::DrawCaption(std::uint8_t mode) { m_.LastCaptionMode = mode; }
void TamrixButton::DrawCaptionEffect(const RECT&) {}
void TamrixButton::UpdateAccessKey() {}
void TamrixButton::DrawFocusRectangle() {}
void TamrixButton::BuildShapeRegion() {}

}  // namespace button
