#include "platform/win32/gdi.h"

#include <algorithm>

#include "platform/win32/units.h"

namespace platform {
namespace {

GdiWatcher* g_watcher = nullptr;

}  // namespace

GdiWatch::GdiWatch(GdiWatcher& watcher) : previous_(std::exchange(g_watcher, &watcher)) {}

GdiWatch::~GdiWatch() {
    g_watcher = previous_;
}

HGDIOBJ SelectInto(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = SelectObject(dc, object);
    if (previous && g_watcher) g_watcher->Selected(dc, object);
    return previous;
}

void DeleteGdiObject(HGDIOBJ object) {
    if (g_watcher) g_watcher->Deleting(object);
    DeleteObject(object);
}

void NoteDeviceContextGone(HDC dc) {
    if (g_watcher) g_watcher->DeviceContextGone(dc);
}

bool SurfaceHolds(const MemorySurface& surface, int width, int height) {
    return surface && surface.width() >= std::clamp(width, 1, kLargestExtentPixels) &&
           surface.height() >= std::clamp(height, 1, kLargestExtentPixels);
}

bool GrowSurface(MemorySurface& surface, HDC compatibleWith, int width, int height, HBRUSH fill,
                 bool withPixels) {
    if (SurfaceHolds(surface, width, height)) return true;
    width = std::clamp(width, 1, kLargestExtentPixels);
    height = std::clamp(height, 1, kLargestExtentPixels);
    width = std::max(width, surface.width());
    height = std::max(height, surface.height());
    MemorySurface grown;
    bool made = withPixels ? grown.CreateDib(compatibleWith, width, height)
                           : grown.Create(compatibleWith, width, height);
    if (!made) return false;
    RECT all{0, 0, width, height};
    FillRect(grown.dc(), &all, fill);
    if (surface) BitBlt(grown.dc(), 0, 0, surface.width(), surface.height(), surface.dc(), 0, 0, SRCCOPY);
    surface = std::move(grown);
    return true;
}

bool SetWindowShape(HWND window, Region region) {
    // A region the window refuses is still the caller's, and goes with `region`.
    if (!SetWindowRgn(window, region.get(), TRUE)) return false;
    region.release();
    return true;
}

}  // namespace platform
