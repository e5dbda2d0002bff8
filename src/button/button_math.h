// The button's arithmetic that needs no window: colour shades, ramp amounts, grey levels, the access
// key of a caption, and the geometry of the caption, picture, focus rectangle and window shape. No
// Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "button/styles.h"

namespace button {

// Left, top, right, bottom in pixels; right and bottom are outside the rectangle.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A shade of an RGB value (0x00BBGGRR). With softBevel the amount is halved first (toward zero).
// Plain moves red, green and blue by the amount; proportional moves red and green by the amount and
// blue by blue x amount / 192 (toward zero). The result is clamped at 255 when lightening and at 0
// when darkening; an amount of 0 returns the value unchanged.
std::uint32_t ShiftColorValue(std::uint32_t colour, std::int32_t amount, bool proportional, bool softBevel);

// The shade amount of line i (1..height) of a face ramp spanning `span` shades over `height` lines:
// -(span / height) x i, with the step span / height held in single precision (which decides the
// rounding of lines that fall near a half), rounded half to even.
std::int32_t RampAmount(std::int32_t span, std::int32_t height, std::int32_t i);

// The grey tone of a pixel: the red share is rounded on its own first, then the sum (half to even).
std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Pixels that the embossed disabled picture keeps: the dark half of the colour cube.
inline bool IsDarkPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red + green + blue <= 384;
}

// The access key that an '&' in the caption marks, as written (not yet lower-cased); nullopt when the
// caption has none. One escaped "&&" before the marker is passed over; a second one is not.
std::optional<char> AccessKeyCharacter(std::string_view caption);

// Whether a caption shows nothing but spaces (the picture is then centred).
bool IsBlankCaption(std::string_view caption);

// Where the dotted focus rectangle of a style goes in a client area of width x height.
PixelRect FocusRectFor(std::int32_t buttonType, std::int32_t width, std::int32_t height);

// The pixels cut away from the rectangular window shape of a style.
std::vector<PixelPoint> ShapeCutPixels(std::int32_t buttonType, std::int32_t width, std::int32_t height);

// The box the caption is measured in, left of / right of / above / below / over a picture of
// pictureWidth x pictureHeight; nullopt for a position that has no box of its own.
std::optional<PixelRect> CaptionLayoutBox(std::int32_t picturePosition, std::int32_t width,
                                          std::int32_t height, std::int32_t pictureWidth,
                                          std::int32_t pictureHeight);

// How far the measured caption box moves to sit centred beside the picture (halves toward zero).
PixelPoint CaptionMove(std::int32_t picturePosition, std::int32_t width, std::int32_t height,
                       std::int32_t pictureWidth, std::int32_t pictureHeight, const PixelRect& measured);

// The top-left corner of the picture, or nullopt when it stays where it was.
std::optional<PixelPoint> PicturePlacement(std::int32_t picturePosition, bool blankCaption,
                                           const PixelRect& captionRect, std::int32_t width,
                                           std::int32_t height, std::int32_t pictureWidth,
                                           std::int32_t pictureHeight);

}  // namespace button
