// Screen fonts made from a font description (name, size in points, styles).
#pragma once

#include "platform/layout/layout.h"
#include "platform/win32/gdi.h"

namespace platform {

// A font for a display of `dpi` pixels per inch.
Font CreateScreenFont(const FontValue& font, int dpi);

}  // namespace platform
