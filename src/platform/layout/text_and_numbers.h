// Two small rules that layouts, property bags and the button share: comparing words without regard to
// letter case, and rounding to the nearest whole number with a half going to the even neighbour.
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// Whether two texts are equal when A-Z count as a-z (no other letters are folded).
bool EqualsNoCase(std::string_view a, std::string_view b);

// The nearest whole number; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). The
// value must lie within the range of a 64-bit integer.
std::int64_t RoundHalfEven(double value);

}  // namespace platform
