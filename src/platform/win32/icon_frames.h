// The frames of an icon or cursor file (.ico, .cur): one image per size, listed in the file's
// directory, and which frame to draw at a given size.
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

struct IconFrame {
    int width = 0;
    int height = 0;
    int bitCount = 0;  // bits per pixel (for a cursor, as the directory gives it)
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    bool operator==(const IconFrame&) const = default;
};

// The frames listed in an icon or cursor file, in the file's order; empty when the bytes are not one
// (a wrong header, or an image that lies outside the bytes).
std::vector<IconFrame> ReadIconFrames(std::string_view file);

// The frame to draw at width x height pixels: the one of exactly that size (of several, the one with
// the most colours), else the smallest that is larger (drawn smaller), else the largest. Nothing for
// no frames.
std::optional<std::size_t> ChooseIconFrame(const std::vector<IconFrame>& frames, int width, int height);

}  // namespace platform
