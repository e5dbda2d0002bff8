// The button's arithmetic that needs no window: colour shades and the other pure rules of its
// painting. No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstdint>

namespace button {

// A shade of an RGB value (0x00BBGGRR). With softBevel the amount is halved first (toward zero).
// Plain moves red, green and blue by the amount; proportional moves red and green by the amount and
// blue by blue x amount / 192 (toward zero). The result is clamped at 255 when lightening and at 0
// when darkening; an amount of 0 returns the value unchanged.
std::uint32_t ShiftColorValue(std::uint32_t colour, std::int32_t amount, bool proportional, bool softBevel);

}  // namespace button
