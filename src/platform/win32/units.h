// Conversions between the units of pages and controls and the screen's pixels: twips (1/1440 inch)
// for page and control geometry, HIMETRIC (1/100 mm) for picture sizes, points for fonts.
#pragma once

namespace platform {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;

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
