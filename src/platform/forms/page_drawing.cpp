// The page's background image and how the page follows its display: pictures painted onto the image,
// the image shown (or the window colour under high contrast), a new resolution and a change of the
// system's colours.
#include "platform/forms/page.h"

#include "platform/system/system.h"
#include "platform/win32/font.h"
#include "platform/win32/units.h"

namespace platform {

void Page::EnsureBackground() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    WindowDC screen(hwnd());
    Brush brush(CreateSolidBrush(backColor_));
    GrowSurface(background_, screen.get(), client.right, client.bottom, brush.get(), false);
}

void Page::PaintBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (System().HighContrast()) {
        // High contrast drops the pictures for the window colour; they are kept for when it goes.
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    } else if (background_) {
        BitBlt(dc, 0, 0, background_.width(), background_.height(), background_.dc(), 0, 0, SRCCOPY);
    } else {
        Brush brush(CreateSolidBrush(backColor_));
        FillRect(dc, &client, brush.get());
    }
}

void Page::ApplyDpi(int dpi, const RECT* suggested) {
    if (!hwnd() || dpi <= 0 || dpi == dpi_) return;
    int previous = dpi_;
    dpi_ = dpi;
    screenFont_ = CreateScreenFont(font_, dpi_);
    if (suggested) {
        SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RECT r{};
        GetWindowRect(hwnd(), &r);
        SetWindowPos(hwnd(), nullptr, 0, 0, MulDiv(r.right - r.left, dpi_, previous),
                     MulDiv(r.bottom - r.top, dpi_, previous), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The pictures painted onto the page and its boxes are laid again at the new size, by the page.
    background_.Reset();
    EnsureBackground();
    for (const auto& control : controls_) control->OnDpiChanged();
    Form_DpiChanged();
    // Last, once the page is whole again: controls that measure pictures or copy what lies beneath them.
    for (const auto& control : controls_) control->OnAmbientChanged("Dpi");
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Page::OnAppearanceChanged(bool coloursChanged) {
    bool contrast = System().HighContrast();
    if (contrast == highContrast_ && !coloursChanged) return;
    highContrast_ = contrast;
    // The page repaints first, so that a control that copies what lies beneath it finds the new look.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    for (const auto& control : controls_) control->OnAmbientChanged("HighContrast");
}

void Page::PaintPicture(const Picture& picture, int xTwips, int yTwips) {
    PaintPicturePixels(picture, TwipsToPixels(xTwips, dpi_), TwipsToPixels(yTwips, dpi_));
}

void Page::PaintPicturePixels(const Picture& picture, int x, int y) {
    if (!hwnd() || !picture) return;
    EnsureBackground();
    picture.Draw(background_.dc(), x, y);
    RequestPaint(true);
}

}  // namespace platform
