// Screen fonts made from a font description (name, size in points, styles).
#pragma once

#include "platform/layout/layout.h"
#include "platform/win32/gdi.h"

namespace platform {

// A font for the screen at its current resolution.
Font CreateScreenFont(const FontValue& font);

}  // namespace platform
