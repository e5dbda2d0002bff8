#include "support/button_surface.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/system/system.h"
#include "platform/win32/gdi.h"

namespace testing_support {
namespace {

// Answers where the pointer is with a window of the test's choosing, and hands everything else to the
// services in force before it.
class PointerStandIn : public platform::SystemServices {
public:
    explicit PointerStandIn(HWND under) : previous_(platform::System()), under_(under), override_(*this) {}

    int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT style) override {
        return previous_.ShowMessage(owner, text, title, style);
    }
    INT_PTR ShellOpen(HWND owner, const std::string& file, const std::string& directory,
                      int showCommand) override {
        return previous_.ShellOpen(owner, file, directory, showCommand);
    }
    bool PreviousInstanceRunning() override { return previous_.PreviousInstanceRunning(); }
    platform::Printer& DefaultPrinter() override { return previous_.DefaultPrinter(); }
    bool HighContrast() override { return previous_.HighContrast(); }
    std::string DecimalSeparator() override { return previous_.DecimalSeparator(); }
    HWND WindowUnderPointer() override { return under_; }

private:
    platform::SystemServices& previous_;
    HWND under_;
    platform::SystemOverride override_;
};

}  // namespace

Pixels CapturePixels(HDC dc, int x, int y, int width, int height) {
    Pixels pixels(width, height);
    platform::MemorySurface copy;
    if (!copy.CreateDib(dc, width, height)) return pixels;
    BitBlt(copy.dc(), 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            std::uint32_t bgra = copy.PixelRow(row)[column];
            pixels.set(column, row, RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
        }
    return pixels;
}

Pixels PrintClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    platform::WindowDC screen(nullptr);
    platform::MemorySurface canvas;
    canvas.CreateDib(screen.get(), client.right, client.bottom);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return CapturePixels(canvas.dc(), 0, 0, client.right, client.bottom);
}

Pixels CaptureSurface(const button::TamrixButton& control) {
    const button::Fields& f = control.fields();
    return CapturePixels(control.hDC(), 0, 0, f.ClientWidth, f.ClientHeight);
}

void ShowHover(button::TamrixButton& control, bool over) {
    if (control.fields().PointerOver == over) return;
    PointerStandIn pointer(over ? control.hwnd() : nullptr);
    button::TamrixButtonEvents heard = std::exchange(control.events, {});
    if (over) SendMessageA(control.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    else SendMessageA(control.hwnd(), WM_TIMER, platform::UserControl::kTimerId, 0);
    control.events = std::move(heard);
}

void ShowFocus(button::TamrixButton& control, bool focus) {
    if (focus) SetFocus(control.hwnd());
    else if (GetFocus() == control.hwnd()) SetFocus(nullptr);
}

Pixels Paint(button::TamrixButton& control, std::uint8_t state, bool over, bool focus) {
    ShowHover(control, over);
    ShowFocus(control, focus);
    control.RenderButton(state, true);
    return CaptureSurface(control);
}

SurfaceWatch::SurfaceWatch(button::TamrixButton& control) : control_(control) {
    const button::Fields& f = control.fields();
    const bool over = f.PointerOver, focus = f.HasFocus;
    const std::uint8_t state = f.LastState;
    const HWND focused = GetFocus();
    for (bool withFocus : {focus, !focus}) {
        const std::string suffix = withFocus == focus ? "" : withFocus ? " (focus)" : " (no focus)";
        looks_.push_back({"up" + suffix, Paint(control, button::kStateUp, false, withFocus)});
        looks_.push_back({"hover" + suffix, Paint(control, button::kStateUp, true, withFocus)});
        looks_.push_back({"down" + suffix, Paint(control, button::kStateDown, false, withFocus)});
        looks_.push_back({"face" + suffix, Paint(control, 1, false, withFocus)});
    }
    Paint(control, state, over, focus);  // as it was
    if (GetFocus() != focused) SetFocus(focused);
    Mark();
}

void SurfaceWatch::Mark() {
    const button::Fields& f = control_.fields();
    RECT all{0, 0, f.ClientWidth, f.ClientHeight};
    platform::Brush marker(CreateSolidBrush(RGB(1, 2, 3)));
    FillRect(control_.hDC(), &all, marker.get());
    marked_ = CaptureSurface(control_);
}

bool SurfaceWatch::Painted() const {
    return CaptureSurface(control_) != marked_;
}

std::string SurfaceWatch::Look() const {
    Pixels now = CaptureSurface(control_);
    for (const auto& [name, look] : looks_)
        if (now == look) return name;
    return "unnamed";
}

void SurfaceWatch::Name(const std::string& name) {
    looks_.insert(looks_.begin(), {name, CaptureSurface(control_)});
}

platform::Picture MakeBitmapPicture(const std::vector<std::vector<COLORREF>>& rows, const std::string& name) {
    int height = static_cast<int>(rows.size());
    int width = height ? static_cast<int>(rows.front().size()) : 0;
    platform::WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    {
        platform::MemoryDC memory(screen.get());
        platform::Selection selection(memory.get(), bitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) SetPixelV(memory.get(), x, y, rows[y][x]);
    }
    return platform::Picture::FromBitmap(bitmap, true, name);
}

}  // namespace testing_support
