// Writes pixels as a PNG file (uncompressed deflate blocks: no library needed, any viewer reads it).
#pragma once

#include <string>

#include "support/button_surface.h"

namespace testing_support {

bool WritePng(const std::string& path, const Pixels& pixels);

}  // namespace testing_support
