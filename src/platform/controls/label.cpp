#include "platform/controls/label.h"

#include <algorithm>
#include <string_view>

#include <commctrl.h>
#include <oleacc.h>

#include "platform/layout/text_and_numbers.h"
#include "platform/system/system.h"
#include "platform/win32/colour.h"
#include "platform/win32/font.h"
#include "platform/win32/units.h"

namespace platform {

Label::Label(ControlHost& host, const LayoutNode& node)
    : Control(host, node), fontValue_(host.AmbientFont()) {}

Label::~Label() = default;

bool Label::CreateControlWindow(HWND parent, int x, int y, int width, int height) {
    return Create("Catalog.Label", CS_DBLCLKS, 0, WS_CHILD, "", x, y, width, height, parent);
}

bool Label::KnowsKey(std::string_view key) const {
    static constexpr std::string_view kKeys[] = {"Caption",   "Alignment", "AutoSize",     "BackColor",
                                                 "ForeColor", "Font",      "MousePointer", "MouseIcon"};
    return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

void Label::ReadSettings(PropertyBag& bag) {
    caption_ = bag.ReadText("Caption", "");
    alignment_ = bag.ReadInteger("Alignment", kLeft);
    autoSize_ = bag.ReadTruth("AutoSize", false);
    backColor_ = bag.ReadColour("BackColor", backColor_);
    foreColor_ = bag.ReadColour("ForeColor", foreColor_);
    fontValue_ = bag.ReadFont("Font", fontValue_);
    font_ = CreateScreenFont(fontValue_, Dpi());
    mousePointer_ = bag.ReadInteger("MousePointer", 0);
    if (auto icon = bag.ReadPictureName("MouseIcon")) {
        try {
            mouseIcon_ = host().Pictures().Get(*icon);
        } catch (const PictureError& e) {
            bag.Report("MouseIcon", e.what());
        }
    }
    SetWindowTextA(hwnd(), caption_.c_str());
    toolTipText_ = ToolTipText();
    UpdateToolTip();
    FitToText();
}

void Label::WriteSettings(PropertyBag& bag) {
    bag.WriteText("Caption", caption_);
    bag.WriteInteger("Alignment", static_cast<std::int16_t>(alignment_));
    bag.WriteTruth("AutoSize", autoSize_);
    bag.WriteColour("BackColor", backColor_);
    bag.WriteColour("ForeColor", foreColor_);
    bag.WriteFont("Font", fontValue_);
    bag.WriteInteger("MousePointer", static_cast<std::int16_t>(mousePointer_));
    bag.WritePictureName("MouseIcon",
                         mouseIcon_ ? std::optional<std::string>(mouseIcon_.Name()) : std::nullopt);
}

void Label::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (!hwnd()) return;
    SetWindowTextA(hwnd(), caption_.c_str());
    FitToText();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Label::SetToolTipText(const std::string& text) {
    toolTipText_ = text;
    UpdateToolTip();
}

void Label::FitToText() {
    if (!autoSize_ || !hwnd()) return;
    // The width follows the text; the height stays as laid out. A right-aligned label keeps its right
    // edge where it is, so that it grows to the left.
    WindowDC screen(hwnd());
    Selection font(screen.get(), font_.get());
    RECT measured{0, 0, 0, 0};
    DrawTextA(screen.get(), caption_.c_str(), static_cast<int>(caption_.size()), &measured,
              DT_CALCRECT | DT_SINGLELINE);
    int widthTwips = PixelsToTwips(measured.right, Dpi());
    int left = alignment_ == kRight ? Left() + Width() - widthTwips : Left();
    Move(left, Top(), widthTwips, Height());
}

void Label::OnDpiChanged() {
    font_ = CreateScreenFont(fontValue_, Dpi());
    Control::OnDpiChanged();
    FitToText();
}

void Label::UpdateToolTip() {
    if (!hwnd()) return;
    if (!toolTip_.get()) {
        if (toolTipText_.empty()) return;
        toolTip_ = OwnedWindow(CreateWindowExA(
            WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, ModuleInstance(), nullptr));
        if (!toolTip_.get()) return;
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
        tool.lpszText = const_cast<char*>(toolTipText_.c_str());
        SendMessageA(toolTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = const_cast<char*>(toolTipText_.c_str());
    SendMessageA(toolTip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string Label::AccessibleName(int part) const {
    std::string given = Control::AccessibleName(part);
    return given.empty() && part == 0 ? ShownText(caption_) : given;
}

long Label::AccessibleRole(int part) const {
    if (part != 0) return 0;
    return IsLink() ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
}

long Label::AccessibleState(int part) const {
    if (part != 0) return 0;
    return IsLink() ? STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_READONLY;
}

std::string Label::AccessibleDefaultAction(int part) const {
    return part == 0 && IsLink() ? "Jump" : "";
}

void Label::RunAccessibleDefaultAction(int part) {
    if (part == 0 && Click) Click();
}

void Label::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Under high contrast a label takes the window's colours, and a link the colour of links.
    bool contrast = System().HighContrast();
    COLORREF backColour = contrast ? GetSysColor(COLOR_WINDOW) : TranslateColour(backColor_);
    COLORREF textColour = !contrast  ? TranslateColour(foreColor_)
                          : IsLink() ? GetSysColor(COLOR_HOTLIGHT)
                                     : GetSysColor(COLOR_WINDOWTEXT);
    Brush back(CreateSolidBrush(backColour));
    FillRect(dc, &client, back.get());
    Selection font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    UINT format = DT_WORDBREAK | (alignment_ == kRight    ? DT_RIGHT
                                  : alignment_ == kCentre ? DT_CENTER
                                                          : DT_LEFT);
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &client, format);
    if (GetFocus() == hwnd()) DrawFocusRect(dc, &client);
}

LRESULT Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd());
        Paint(paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETCURSOR:
        if (host().MousePointer() == kPointerHourglass) break;
        if (mousePointer_ == kPointerCustom && mouseIcon_) {
            SetCursor(static_cast<HCURSOR>(mouseIcon_.Handle()));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        SetCapture(hwnd());
        return 0;
    case WM_LBUTTONUP: {
        bool wasPressed = pressed_;
        pressed_ = false;
        if (GetCapture() == hwnd()) ReleaseCapture();
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client{};
        GetClientRect(hwnd(), &client);
        if (wasPressed && PtInRect(&client, at) && Click) Click();
        return 0;
    }
    case WM_CAPTURECHANGED: pressed_ = false; return 0;
    case WM_KEYDOWN:
        // A link followed from the keyboard, as a click follows it.
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && Click) {
            Click();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, FALSE);
        host().OnControlFocusChanged();
        return 0;
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace platform
