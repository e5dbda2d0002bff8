// Decoding of the program's own background pictures: colour JPEGs in the baseline format, the three
// components at full resolution (no colour subsampling), one interleaved scan. The arithmetic is that
// of the JPEG library under the system's picture decoder (its accurate integer inverse DCT and its
// 16-bit fixed-point YCbCr-to-RGB conversion), so the pixels are the system decoder's under Wine, bit
// for bit. Decoding them here spares the program's start the system decoder's four libraries (about
// 1.5 MB) and their loading.
//
// Anything else (progressive or arithmetic coding, 12-bit samples, grey or CMYK pictures, subsampled
// colour, several scans) and any flaw in the data is declined: the caller then hands the bytes to the
// system's decoder, which decides what becomes of them as it always has.
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    // Rows from the top, each pixel 0x00RRGGBB (the layout of a 32-bit DIB).
    std::vector<std::uint32_t> pixels;
};

// The picture, or nothing when the data is not a JPEG of the kind described above or is damaged.
std::optional<DecodedJpeg> DecodeJpeg(std::string_view bytes);

}  // namespace platform
