// Conversions between the units of pages and controls and the pixels of a display: twips (1/1440 inch)
// for page and control geometry, HIMETRIC (1/100 mm) for picture sizes, points for fonts.
//
// Each display has its own resolution (96 pixels per inch at normal size, 120 at 125 %, 144 at 150 %,
// 192 at 200 %...), and a window converts with the resolution of the display it is on: a page keeps
// its own and gives it to its controls.
#pragma once

#include "platform/win32/win.h"

namespace platform {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;
inline constexpr int kNormalDpi = 96;

// The system's resolution: the one every window had before displays had their own, and the one a window
// has where Windows cannot tell it per display (before Windows 10 version 1607).
int SystemDpi();
// The resolution of the display a window is on (GetDpiForWindow where Windows has it).
int WindowDpi(HWND window);
// A system metric (GetSystemMetrics) at a resolution: GetSystemMetricsForDpi where Windows has it, else
// the system's metric scaled from the system's resolution.
int SystemMetricForDpi(int index, int dpi);

// The largest width or height of a page or a control, and of the surfaces they draw on. A layout gives
// sizes in twips and must draw the same at every screen resolution: 49,152 twips are 16,384 pixels at
// 480 dots per inch (500 %, the largest scale Windows offers) and 3,277 pixels at 96. At 16,384 pixels
// a side a 32-bit surface is 1 GiB, and its byte count and every coordinate still fit the 32-bit
// numbers the drawing code works in; about 23,000 pixels a side is where they no longer do.
inline constexpr int kLargestExtentTwips = 49152;
inline constexpr int kLargestExtentPixels = 16384;

// Whole pixels at `dpi`, to the nearest (halves away from zero).
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);
// Picture sizes: HIMETRIC to pixels at `dpi` as exact values, for the caller to round.
double HimetricToPixels(double himetric, int dpi);
// Font height in pixels for a size in points (the lfHeight magnitude).
int PointsToPixels(double points, int dpi);

}  // namespace platform
