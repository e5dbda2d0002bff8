#include "platform/win32/units.h"

#include <cmath>

#include "platform/win32/gdi.h"

namespace platform {
namespace {

int AskScreen(int index) {
    WindowDC screen(nullptr);
    int value = screen ? GetDeviceCaps(screen.get(), index) : 0;
    return value > 0 ? value : 96;
}

// The program is aware of the system's DPI, so the resolution it starts with stays its resolution
// for the whole run (Windows scales the windows of a program that sees a later change). Asked once:
// every conversion of twips or HIMETRIC needs it, and asking costs a screen device context each time.
int ScreenCaps(int index) {
    static const int dpiX = AskScreen(LOGPIXELSX);
    static const int dpiY = AskScreen(LOGPIXELSY);
    return index == LOGPIXELSX ? dpiX : dpiY;
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

int ScreenDpiX() {
    return ScreenCaps(LOGPIXELSX);
}
int ScreenDpiY() {
    return ScreenCaps(LOGPIXELSY);
}

int TwipsToPixelsX(int twips) {
    return Round(static_cast<double>(twips) * ScreenDpiX() / kTwipsPerInch);
}
int TwipsToPixelsY(int twips) {
    return Round(static_cast<double>(twips) * ScreenDpiY() / kTwipsPerInch);
}
int PixelsToTwipsX(int pixels) {
    return Round(static_cast<double>(pixels) * kTwipsPerInch / ScreenDpiX());
}
int PixelsToTwipsY(int pixels) {
    return Round(static_cast<double>(pixels) * kTwipsPerInch / ScreenDpiY());
}

double HimetricToPixelsX(double himetric) {
    return himetric * ScreenDpiX() / kHimetricPerInch;
}
double HimetricToPixelsY(double himetric) {
    return himetric * ScreenDpiY() / kHimetricPerInch;
}

int PointsToPixels(double points, int dpi) {
    return Round(points * dpi / 72.0);
}

}  // namespace platform
