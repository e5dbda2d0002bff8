// PNG files read and written through the Windows Imaging Component, which Windows and Wine both have.
#pragma once

#include <optional>
#include <string>

#include "support/button_surface.h"

namespace testing_support {

// The pixels of a PNG file; nothing when the file cannot be read as one.
std::optional<Pixels> ReadPng(const std::string& path);
// Writes the pixels as a 24-bit PNG file; false when that failed.
bool WritePng(const std::string& path, const Pixels& pixels);

}  // namespace testing_support
