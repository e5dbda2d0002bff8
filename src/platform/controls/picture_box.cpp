#include "platform/controls/picture_box.h"

#include <algorithm>
#include <string_view>

#include <oleacc.h>

#include "platform/system/system.h"
#include "platform/win32/colour.h"
#include "platform/win32/units.h"

namespace platform {

PictureBox::PictureBox(ControlHost& host, const LayoutNode& node) : Control(host, node) {
    LayoutNode copy = node;
    PropertyBag bag(copy, host.Name(), nullptr);
    border_ = bag.ReadInteger("BorderStyle", 0) != 0;
}

PictureBox::~PictureBox() = default;

bool PictureBox::CreateControlWindow(HWND parent, int x, int y, int width, int height) {
    return Create("Catalog.PictureBox", 0, border_ ? WS_EX_CLIENTEDGE : 0,
                  WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, "", x, y, width, height, parent);
}

bool PictureBox::KnowsKey(std::string_view key) const {
    return key == "BackColor" || key == "BorderStyle";
}

void PictureBox::ReadSettings(PropertyBag& bag) {
    backColor_ = bag.ReadColour("BackColor", backColor_);
    bag.ReadInteger("BorderStyle", 0);
}

void PictureBox::WriteSettings(PropertyBag& bag) {
    bag.WriteColour("BackColor", backColor_);
    bag.WriteInteger("BorderStyle", border_ ? 1 : 0);
}

COLORREF PictureBox::BackColor() const {
    return TranslateColour(backColor_);
}

long PictureBox::AccessibleRole(int part) const {
    return part == 0 ? ROLE_SYSTEM_PANE : 0;
}

void PictureBox::OnDpiChanged() {
    // The pictures are painted again at the new scale, by the page.
    image_.Reset();
    Control::OnDpiChanged();
}

void PictureBox::OnResized() {
    if (!hwnd()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    WindowDC screen(hwnd());
    Brush brush(CreateSolidBrush(BackColor()));
    GrowSurface(image_, screen.get(), client.right, client.bottom, brush.get(), false);
}

void PictureBox::PaintPicture(const Picture& picture, int xTwips, int yTwips) {
    PaintPicturePixels(picture, TwipsToPixels(xTwips, Dpi()), TwipsToPixels(yTwips, Dpi()));
}

void PictureBox::PaintPicturePixels(const Picture& picture, int x, int y) {
    if (!hwnd() || !picture) return;
    OnResized();
    picture.Draw(image_.dc(), x, y);
    RequestPaint(true);
}

int PictureBox::WidthPixels() const {
    RECT r{};
    if (hwnd()) GetWindowRect(hwnd(), &r);
    return r.right - r.left;
}

int PictureBox::HeightPixels() const {
    RECT r{};
    if (hwnd()) GetWindowRect(hwnd(), &r);
    return r.bottom - r.top;
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        if (System().HighContrast()) {
            // High contrast drops the pictures for the window colour (they stay kept for later).
            RECT client{};
            GetClientRect(hwnd(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_WINDOW));
        } else if (image_) {
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, image_.width(), image_.height(), image_.dc(), 0, 0,
                   SRCCOPY);
        } else {
            RECT client{};
            GetClientRect(hwnd(), &client);
            Brush brush(CreateSolidBrush(BackColor()));
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush.get());
        }
        return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd());
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        // Controls inside report to their page, which knows their colours.
        return SendMessageA(host().HostWindow(), message, wParam, lParam);
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace platform
