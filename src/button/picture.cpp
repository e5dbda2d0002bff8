// Pictures of the button. (First cut.)
#include "button/tamrix_button.h"

namespace button {

void TamrixButton::MeasurePicture() {}
void TamrixButton::PositionPicture() {}
void TamrixButton::DrawPicture(std::uint8_t) {}
void TamrixButton::DrawPictureEffect(std::int32_t, const platform::Picture&) {}
void TamrixButton::BlitPicture(HDC, std::int32_t, std::int32_t, std::int32_t, std::int32_t, const platform::Picture&,
                               COLORREF, std::int32_t, bool, bool) {}
void TamrixButton::CaptureParentBackground() {}

}  // namespace button
