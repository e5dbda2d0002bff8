// Small rules that layouts, property bags, controls and the button share: comparing words without
// regard to letter case, rounding to the nearest whole number with a half going to the even
// neighbour, and captions as they show on the screen and as a screen reader speaks them.
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Whether two texts are equal when A-Z count as a-z (no other letters are folded).
bool EqualsNoCase(std::string_view a, std::string_view b);

// The nearest whole number; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). The
// value must lie within the range of a 64-bit integer.
std::int64_t RoundHalfEven(double value);

// A caption as it reads on the screen: each '&' access-key marker dropped, "&&" shown as one '&'.
std::string ShownText(std::string_view caption);

// A text as a screen reader should speak it: line breaks, tabs and runs of spaces become one space,
// and none is left at either end ("Order\r\nOnline" is "Order Online").
std::string SpokenText(std::string_view text);

}  // namespace platform
