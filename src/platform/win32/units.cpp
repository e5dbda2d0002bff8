#include "platform/win32/units.h"

#include <cmath>

#include "platform/win32/gdi.h"
#include "platform/win32/late_bound.h"

namespace platform {
namespace {

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

int SystemDpi() {
    // It stays the same for the life of the process, and asking costs a screen device context.
    static const int dpi = [] {
        WindowDC screen(nullptr);
        int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return value > 0 ? value : kNormalDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        LateBoundFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    static const auto getSystemMetricsForDpi =
        LateBoundFunction<GetSystemMetricsForDpiFunction>("user32.dll", "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

int TwipsToPixels(int twips, int dpi) {
    return Round(static_cast<double>(twips) * dpi / kTwipsPerInch);
}
int PixelsToTwips(int pixels, int dpi) {
    return Round(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

double HimetricToPixels(double himetric, int dpi) {
    return himetric * dpi / kHimetricPerInch;
}

int PointsToPixels(double points, int dpi) {
    return Round(points * dpi / 72.0);
}

}  // namespace platform
