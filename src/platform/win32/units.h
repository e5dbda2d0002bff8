// Conversions between the units of pages and controls and the screen's pixels: twips (1/1440 inch)
// for page and control geometry, HIMETRIC (1/100 mm) for picture sizes, points for fonts.
#pragma once

namespace platform {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;

// The largest width or height of a page or a control, and of the surfaces they draw on. A layout gives
// sizes in twips and must draw the same at every screen resolution: 49,152 twips are 16,384 pixels at
// 480 dots per inch (500 %, the largest scale Windows offers) and 3,277 pixels at 96. At 16,384 pixels
// a side a 32-bit surface is 1 GiB, and its byte count and every coordinate still fit the 32-bit
// numbers the drawing code works in; about 23,000 pixels a side is where they no longer do.
inline constexpr int kLargestExtentTwips = 49152;
inline constexpr int kLargestExtentPixels = 16384;

// Logical pixels per inch of the screen (96 at normal size).
int ScreenDpiX();
int ScreenDpiY();

// Whole pixels, to the nearest.
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// Picture sizes: HIMETRIC to pixels as exact values, for the caller to round.
double HimetricToPixelsX(double himetric);
double HimetricToPixelsY(double himetric);

// Font height in pixels for a size in points (the lfHeight magnitude).
int PointsToPixels(double points, int dpi);

}  // namespace platform
