// Owning wrappers for the GDI and USER objects this program makes. Each wrapper owns exactly one handle,
// cannot be copied (a copy would release twice), and releases in its destructor; selections and
// device contexts remember what they must restore or release. Whatever a wrapper selects into a device
// context is selected out again before anything is deleted: Windows refuses to delete an object that
// is still selected, and the object then leaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/win32/win.h"

namespace platform {

// The description of 32-bit, top-down (row 0 is the top row), uncompressed pixel rows.
inline BITMAPINFO TopDownFormat(int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// Hears what the wrappers select into which device context, which device contexts they let go, and
// which objects they delete, so that a check can tell an object deleted while it is still selected
// (Wine deletes it all the same, Windows refuses and leaks it). The program installs none; a test
// installs one with GdiWatch.
class GdiWatcher {
public:
    virtual void Selected(HDC dc, HGDIOBJ object) = 0;
    virtual void DeviceContextGone(HDC dc) = 0;
    virtual void Deleting(HGDIOBJ object) = 0;

protected:
    ~GdiWatcher() = default;
};

// Installs a watcher for its own lifetime.
class GdiWatch {
public:
    explicit GdiWatch(GdiWatcher& watcher);
    ~GdiWatch();
    GdiWatch(const GdiWatch&) = delete;
    GdiWatch& operator=(const GdiWatch&) = delete;

private:
    GdiWatcher* previous_;
};

// SelectObject, DeleteObject and the end of a device context as the wrappers do them: the watcher in
// force hears of each.
HGDIOBJ SelectInto(HDC dc, HGDIOBJ object);
void DeleteGdiObject(HGDIOBJ object);
void NoteDeviceContextGone(HDC dc);

// A GDI object (brush, pen, font, region, bitmap) deleted with DeleteObject.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership, for a handle that something else now owns (a region applied to a window).
    Handle release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_) DeleteGdiObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC for the guard's lifetime and selects the previous object back.
class Selection {
public:
    Selection() = default;
    Selection(HDC dc, HGDIOBJ object) { Select(dc, object); }
    ~Selection() { Reset(); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    Selection(Selection&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    Selection& operator=(Selection&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }

    // Selects `object` into `dc`. Into the DC the guard already holds, the object simply takes the
    // place of the last one, and what the guard gives back stays what the DC had first; another DC
    // first gets its own object back.
    void Select(HDC dc, HGDIOBJ object) {
        if (previous_ && dc == dc_) {
            if (object) SelectInto(dc_, object);
            return;
        }
        Reset();
        dc_ = dc;
        previous_ = dc && object ? SelectInto(dc, object) : nullptr;
    }
    // Selects back what the DC had first.
    void Reset() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

    HGDIOBJ previous() const { return previous_; }
    explicit operator bool() const { return previous_ != nullptr; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The DC of a window (or of the screen for a null window), released to the same window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (!dc_) return;
        NoteDeviceContextGone(dc_);
        ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A DC of the program's own, deleted with DeleteDC: a printer's DC (CreateDC), or a memory DC.
class OwnedDC {
public:
    OwnedDC() = default;
    explicit OwnedDC(HDC owned) : dc_(owned) {}
    ~OwnedDC() { Reset(); }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    OwnedDC(OwnedDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    OwnedDC& operator=(OwnedDC&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset() {
        if (!dc_) return;
        NoteDeviceContextGone(dc_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
};

// A memory DC made with CreateCompatibleDC.
class MemoryDC : public OwnedDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : OwnedDC(CreateCompatibleDC(compatibleWith)) {}
};

// A memory DC with its own bitmap selected in. The original bitmap is selected back before the
// bitmap and the DC are deleted, so nothing is deleted while selected.
class MemorySurface {
public:
    MemorySurface() = default;
    MemorySurface(HDC compatibleWith, int width, int height) { Create(compatibleWith, width, height); }
    ~MemorySurface() { Reset(); }
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;
    MemorySurface(MemorySurface&& other) noexcept { *this = std::move(other); }
    MemorySurface& operator=(MemorySurface&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::move(other.dc_);
            bitmap_ = std::move(other.bitmap_);
            selection_ = std::move(other.selection_);
            bits_ = std::exchange(other.bits_, nullptr);
            width_ = std::exchange(other.width_, 0);
            height_ = std::exchange(other.height_, 0);
        }
        return *this;
    }

    bool Create(HDC compatibleWith, int width, int height) {
        Reset();
        if (width <= 0 || height <= 0) return false;
        dc_ = MemoryDC(compatibleWith);
        if (!dc_) return false;
        bitmap_.Reset(CreateCompatibleBitmap(compatibleWith, width, height));
        if (!bitmap_) {
            dc_.Reset();
            return false;
        }
        selection_.Select(dc_.get(), bitmap_.get());
        width_ = width;
        height_ = height;
        return true;
    }

    // The same with a 32-bit DIB section as the bitmap: drawing routines may then also reach its pixels
    // in memory (PixelRow), without copying them out and back through device contexts.
    bool CreateDib(HDC compatibleWith, int width, int height) {
        Reset();
        if (width <= 0 || height <= 0) return false;
        dc_ = MemoryDC(compatibleWith);
        if (!dc_) return false;
        BITMAPINFO format = TopDownFormat(width, height);
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(compatibleWith, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap_ || !bits) {
            bitmap_.Reset();
            dc_.Reset();
            return false;
        }
        bits_ = static_cast<std::uint32_t*>(bits);
        selection_.Select(dc_.get(), bitmap_.get());
        width_ = width;
        height_ = height;
        return true;
    }

    void Reset() {
        selection_.Reset();
        bits_ = nullptr;
        bitmap_.Reset();
        dc_.Reset();
        width_ = height_ = 0;
    }

    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    explicit operator bool() const { return dc_ && bitmap_; }

    // Whether the pixels can be reached in memory (a surface made by CreateDib).
    bool HasPixels() const { return bits_ != nullptr; }
    // Row y (0 is the top) of such a surface: each pixel is 0x00RRGGBB, blue in the low byte (the
    // opposite of a COLORREF). Drawing on the DC may be batched: GdiFlush before reading or writing.
    std::uint32_t* PixelRow(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * width_; }

private:
    // In this order, so that the bitmap is selected out before it goes, and it goes before the DC.
    MemoryDC dc_;
    Bitmap bitmap_;
    Selection selection_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Whether `surface` is already as large as GrowSurface would make it for width x height.
bool SurfaceHolds(const MemorySurface& surface, int width, int height);
// Makes `surface` at least width x height (never smaller than it was, nor than 1 x 1, nor larger than
// can be drawn: kLargestExtentPixels a side), keeping its
// pixels; what is new is filled with `fill`. A surface that only grows keeps its image while its window
// shrinks for a moment. `withPixels` makes it a DIB section (CreateDib). False when it could not grow;
// the surface then stays as it was.
bool GrowSurface(MemorySurface& surface, HDC compatibleWith, int width, int height, HBRUSH fill,
                 bool withPixels);

// Makes `region` the shape of `window`, redrawn at once; the window owns the region from then on.
// A region the window refuses is deleted. False when it was refused.
bool SetWindowShape(HWND window, Region region);

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window_, &ps_); }
    ~PaintScope() {
        if (ps_.hdc) NoteDeviceContextGone(ps_.hdc);
        EndPaint(window_, &ps_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return ps_.hdc; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

// An icon or cursor made at run time (DestroyIcon releases both kinds).
class OwnedIcon {
public:
    OwnedIcon() = default;
    explicit OwnedIcon(HICON icon) : icon_(icon) {}
    ~OwnedIcon() { Reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    OwnedIcon& operator=(OwnedIcon&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    HICON get() const { return icon_; }
    void Reset() {
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
    }

private:
    HICON icon_ = nullptr;
};

// A window destroyed with the wrapper (for windows not owned by a parent's lifetime).
class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND window) : window_(window) {}
    ~OwnedWindow() { Reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    OwnedWindow(OwnedWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow&& other) noexcept {
        if (this != &other) {
            Reset();
            window_ = std::exchange(other.window_, nullptr);
        }
        return *this;
    }
    HWND get() const { return window_; }
    HWND release() { return std::exchange(window_, nullptr); }
    void Reset() {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

}  // namespace platform
