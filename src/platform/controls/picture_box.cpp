#include "platform/controls/picture_box.h"

#include <algorithm>
#include <string_view>

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

void PictureBox::OnResized() {
    if (!hwnd()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    WindowDC screen(hwnd());
    Brush brush(CreateSolidBrush(BackColor()));
    GrowSurface(image_, screen.get(), client.right, client.bottom, brush.get(), false);
}

void PictureBox::PaintPicture(const Picture& picture, int xTwips, int yTwips) {
    if (!hwnd() || !picture) return;
    OnResized();
    picture.Draw(image_.dc(), TwipsToPixelsX(xTwips), TwipsToPixelsY(yTwips));
    RequestPaint(true);
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        if (image_) {
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
    return Default(message, wParam, lParam);
}

}  // namespace platform
