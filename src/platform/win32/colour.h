// Colour values of pages and controls: RGB (0x00BBGGRR) or a system-colour reference (high bit set, the
// system colour index in the low byte).
#pragma once

#include <cstdint>

#include "platform/win32/win.h"

namespace platform {

inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
inline constexpr std::uint32_t kSystemWindowBackground = 0x80000005u;
inline constexpr std::uint32_t kSystemWindowText = 0x80000008u;
inline constexpr std::uint32_t kSystemButtonFace = 0x8000000Fu;
inline constexpr std::uint32_t kSystemButtonText = 0x80000012u;

// The RGB colour of a colour value; a value that is neither RGB nor a known system colour gives black.
COLORREF TranslateColour(std::uint32_t colour);

}  // namespace platform
