#include "platform/forms/user_control.h"

#include <algorithm>
#include <cmath>

#include <oleacc.h>

#include "platform/forms/application.h"
#include "platform/forms/page.h"
#include "platform/system/system.h"
#include "platform/win32/font.h"
#include "platform/win32/units.h"

namespace platform {
namespace {

// The system's cursor of a pointer shape number; the arrow for the default and any unknown number.
HCURSOR StandardPointer(int pointer) {
    const char* id = IDC_ARROW;
    switch (pointer) {
    case kPointerCross: id = IDC_CROSS; break;
    case kPointerIBeam: id = IDC_IBEAM; break;
    case kPointerSize: id = IDC_SIZEALL; break;
    case kPointerSizeNESW: id = IDC_SIZENESW; break;
    case kPointerSizeNS: id = IDC_SIZENS; break;
    case kPointerSizeNWSE: id = IDC_SIZENWSE; break;
    case kPointerSizeWE: id = IDC_SIZEWE; break;
    case kPointerUpArrow: id = IDC_UPARROW; break;
    case kPointerHourglass: id = IDC_WAIT; break;
    case kPointerNoDrop: id = IDC_NO; break;
    case kPointerArrowHourglass: id = IDC_APPSTARTING; break;
    case kPointerArrowQuestion: id = IDC_HELP; break;
    case kPointerSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    return LoadCursor(nullptr, id);
}

}  // namespace

UserControl::UserControl(Page& page, const LayoutNode& node) : Control(page, node), font_(page.PageFont()) {}

UserControl::~UserControl() {
    if (hwnd() && timerEnabled_) KillTimer(hwnd(), kTimerId);
}

bool UserControl::CreateControlWindow(HWND parent, int x, int y, int width, int height) {
    // The window class carries the control's class name from the layout ("Catalog.TamrixButton").
    if (!Create(ClassName().c_str(), CS_DBLCLKS, 0, WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, "", x, y, width,
                height, parent))
        return false;
    EnsureSurface();
    ApplyFontToSurface();
    return true;
}

void UserControl::ReadSettings(PropertyBag& bag) {
    UserControl_Initialize();
    // A block that holds nothing but its place is a control placed new: it gets its starting values.
    bool hasSettings = std::any_of(bag.node().properties.begin(), bag.node().properties.end(),
                                   [](const LayoutProperty& p) { return !IsExtenderKey(p.key); });
    if (hasSettings) UserControl_ReadProperties(bag);
    else UserControl_InitProperties();
    built_ = true;
}

void UserControl::WriteSettings(PropertyBag& bag) {
    UserControl_WriteProperties(bag);
}

void UserControl::EnsureSurface() {
    // The surface only grows: a control shrunk for a moment (to copy what lies beneath it) keeps its
    // image.
    RECT client{};
    GetClientRect(hwnd(), &client);
    int width = std::clamp<LONG>(client.right, 1, kLargestExtentPixels);
    int height = std::clamp<LONG>(client.bottom, 1, kLargestExtentPixels);
    if (surface_ && surface_.width() >= width && surface_.height() >= height) return;
    WindowDC screen(hwnd());
    MemorySurface grown;
    if (!grown.CreateDib(screen.get(), std::max(width, surface_.width()),
                         std::max(height, surface_.height())))
        return;
    RECT all{0, 0, grown.width(), grown.height()};
    FillRect(grown.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
    if (surface_) BitBlt(grown.dc(), 0, 0, surface_.width(), surface_.height(), surface_.dc(), 0, 0, SRCCOPY);
    surface_ = std::move(grown);
    ApplyFontToSurface();
}

void UserControl::ApplyFontToSurface() {
    if (!surface_) return;
    if (!screenFont_) screenFont_ = CreateScreenFont(font_, Dpi());
    SelectObject(surface_.dc(), screenFont_.get());
    SetBkMode(surface_.dc(), TRANSPARENT);
}

void UserControl::Cls() {
    if (!surface_) return;
    RECT all{0, 0, surface_.width(), surface_.height()};
    FillRect(surface_.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
}

void UserControl::Present() {
    // The paint copies the whole surface as it then is.
    RequestPaint(false);
}

void UserControl::RefreshWindow() {
    if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

int UserControl::ScaleWidth() const {
    RECT client{};
    if (hwnd()) GetClientRect(hwnd(), &client);
    return client.right;
}

int UserControl::ScaleHeight() const {
    RECT client{};
    if (hwnd()) GetClientRect(hwnd(), &client);
    return client.bottom;
}

double UserControl::HimetricToPixelsX(double himetric) const {
    return HimetricToPixels(himetric, Dpi());
}
double UserControl::HimetricToPixelsY(double himetric) const {
    return HimetricToPixels(himetric, Dpi());
}
int UserControl::PixelsToTwipsY(int pixels) const {
    return PixelsToTwips(pixels, Dpi());
}

void UserControl::SetExtentHeight(int twips) {
    SetHeight(twips);
}

FontValue UserControl::AmbientFont() const {
    return page().PageFont();
}

bool UserControl::AmbientDisplayAsDefault() const {
    return page().DisplaysAsDefault(*this);
}

void UserControl::SetHostFont(const FontValue& font) {
    font_ = font;
    // The new font goes in before the old one is deleted.
    Font replacement = CreateScreenFont(font_, Dpi());
    if (surface_) SelectObject(surface_.dc(), replacement.get());
    screenFont_ = std::move(replacement);
}

void UserControl::SetHostMousePointer(int pointer) {
    mousePointer_ = pointer;
}

void UserControl::SetHostMouseIcon(const Picture& picture) {
    if (picture && picture.Type() != PictureType::Icon) throw HostError("Invalid property value");
    mouseIcon_ = picture;
}

void UserControl::SetWindowEnabled(bool enabled) {
    if (hwnd()) EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

void UserControl::SetAccessKeys(std::string keys) {
    accessKeys_ = std::move(keys);
}

char UserControl::AccessKey() const {
    if (accessKeys_.empty()) return 0;
    char key = accessKeys_.front();
    return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
}

void UserControl::OnAccessKey() {
    char key = AccessKey();
    UserControl_AccessKeyPress(static_cast<std::int16_t>(static_cast<unsigned char>(key)));
}

void UserControl::PropertyChanged(std::string_view key) {
    if (OnPropertyChanged) OnPropertyChanged(key);
}

void UserControl::SetTimerEnabled(bool enabled) {
    if (enabled == timerEnabled_ || !hwnd()) return;
    timerEnabled_ = enabled;
    if (enabled) SetTimer(hwnd(), kTimerId, timerInterval_, nullptr);
    else KillTimer(hwnd(), kTimerId);
}

void UserControl::DoEvents() {
    page().app().DoEvents();
}

Picture UserControl::ReadPicture(PropertyBag& bag, std::string_view key) {
    auto name = bag.ReadPictureName(key);
    if (!name) return {};
    try {
        return page().Pictures().Get(*name);
    } catch (const PictureError& e) {
        bag.Report(key, e.what());
        return {};
    }
}

void UserControl::WritePicture(PropertyBag& bag, std::string_view key, const Picture& picture) {
    bag.WritePictureName(key, picture ? std::optional<std::string>(picture.Name()) : std::nullopt);
}

void UserControl::SetShownCaption(const std::string& caption) {
    if (hwnd()) SetWindowTextA(hwnd(), caption.c_str());
    SetAccessibleName(caption);
}

void UserControl::SetAccessibleCheckState(bool isCheckBox, bool checked) {
    bool changed = isCheckBox != checkBoxRole_ || checked != checked_;
    checkBoxRole_ = isCheckBox;
    checked_ = checked;
    // A reader that follows the button hears of the change.
    if (changed && hwnd()) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

long UserControl::AccessibleRole(int part) const {
    if (part != 0) return 0;
    return checkBoxRole_ ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
}

long UserControl::AccessibleState(int part) const {
    if (part != 0) return 0;
    long state = STATE_SYSTEM_FOCUSABLE;
    if (checkBoxRole_ && checked_) state |= STATE_SYSTEM_CHECKED;
    if (IsDefault()) state |= STATE_SYSTEM_DEFAULT;
    return state;
}

std::string UserControl::AccessibleDefaultAction(int part) const {
    if (part != 0) return {};
    if (checkBoxRole_) return checked_ ? "Uncheck" : "Check";
    return "Press";
}

void UserControl::RunAccessibleDefaultAction(int part) {
    // What the access key does: the control's click, which a disabled control ignores.
    if (part == 0 && hwnd() && !terminated_) OnAccessKey();
}

void UserControl::UpdateShown() {
    if (!hwnd() || terminated_) return;
    bool visible = IsWindowVisible(hwnd()) != FALSE;
    if (visible == shown_) return;
    shown_ = visible;
    if (visible) UserControl_Show();
    else UserControl_Hide();
}

bool UserControl::AmbientHighContrast() const {
    return System().HighContrast();
}

void UserControl::OnDpiChanged() {
    // The font at the new scale goes in before the old one is deleted; then the control takes its place
    // (the resize handler follows).
    SetHostFont(font_);
    Control::OnDpiChanged();
}

void UserControl::OnAmbientChanged(const std::string& name) {
    if (built_ && !terminated_) UserControl_AmbientChanged(name);
}

void UserControl::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    SetTimerEnabled(false);
    UserControl_Terminate();
}

void UserControl::OnResized() {
    if (!built_ || !hwnd()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (client.right == lastWidth_ && client.bottom == lastHeight_) return;
    lastWidth_ = client.right;
    lastHeight_ = client.bottom;
    EnsureSurface();
    UserControl_Resize();
}

std::int16_t UserControl::ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

std::int16_t UserControl::ButtonsHeld(WPARAM wParam) {
    std::int16_t buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= 1;
    if (wParam & MK_RBUTTON) buttons |= 2;
    if (wParam & MK_MBUTTON) buttons |= 4;
    return buttons;
}

bool UserControl::PointInside(LPARAM lParam) const {
    // By window, so that a cut-away corner or a covering window does not count as the control.
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd(), &at);
    return WindowFromPoint(at) == hwnd();
}

void UserControl::OnMouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
    auto x = static_cast<float>(GET_X_LPARAM(lParam));
    auto y = static_cast<float>(GET_Y_LPARAM(lParam));
    std::int16_t shift = ShiftState();
    // The control keeps the mouse from the first press until every button is up again, so that it
    // hears the moves and the release wherever the pointer goes.
    auto releaseWhenAllUp = [this, wParam] {
        if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == hwnd())
            ReleaseCapture();
    };
    switch (message) {
    case WM_LBUTTONDOWN:
        if (GetFocus() != hwnd()) SetFocus(hwnd());
        SetCapture(hwnd());
        leftPressed_ = true;
        UserControl_MouseDown(1, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        // The second press of a double click: no mouse-down and no click of its own. The control takes
        // the mouse itself if it treats the press as one.
        if (GetFocus() != hwnd()) SetFocus(hwnd());
        leftPressed_ = false;
        UserControl_DblClick();
        break;
    case WM_LBUTTONUP: {
        // A click is a left press and release both on the control's window (by window, so a cut-away
        // corner or a covering window is not the control).
        bool clicked = leftPressed_ && PointInside(lParam);
        leftPressed_ = false;
        releaseWhenAllUp();
        UserControl_MouseUp(1, shift, x, y);
        if (clicked && hwnd()) UserControl_Click();
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        SetCapture(hwnd());
        UserControl_MouseDown(2, shift, x, y);
        break;
    case WM_RBUTTONUP:
        releaseWhenAllUp();
        UserControl_MouseUp(2, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        SetCapture(hwnd());
        UserControl_MouseDown(4, shift, x, y);
        break;
    case WM_MBUTTONUP:
        releaseWhenAllUp();
        UserControl_MouseUp(4, shift, x, y);
        break;
    default: break;
    }
}

LRESULT UserControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd());
        if (surface_) {
            const RECT& r = paint.area();
            BitBlt(paint.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, surface_.dc(), r.left,
                   r.top, SRCCOPY);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        if (surface_)
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, ScaleWidth(), ScaleHeight(), surface_.dc(), 0, 0,
                   SRCCOPY);
        return 0;
    case WM_SIZE: OnResized(); return 0;
    case WM_SETCURSOR:
        if (page().MousePointer() == kPointerHourglass) SetCursor(LoadCursor(nullptr, IDC_WAIT));
        else if (mousePointer_ == kPointerCustom && mouseIcon_)
            SetCursor(static_cast<HCURSOR>(mouseIcon_.Handle()));
        else SetCursor(StandardPointer(mousePointer_));
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: OnMouseButton(message, wParam, lParam); return 0;
    case WM_MOUSEMOVE:
        UserControl_MouseMove(ButtonsHeld(wParam), ShiftState(), static_cast<float>(GET_X_LPARAM(lParam)),
                              static_cast<float>(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd()) leftPressed_ = false;
        return 0;
    case WM_KEYDOWN: UserControl_KeyDown(static_cast<std::int16_t>(wParam), ShiftState()); return 0;
    case WM_CHAR:
        UserControl_KeyPress(static_cast<std::int16_t>(static_cast<unsigned char>(wParam)));
        return 0;
    case WM_KEYUP: UserControl_KeyUp(static_cast<std::int16_t>(wParam), ShiftState()); return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Keys pressed with Alt (and F10) are keys of the control too; Windows still gets them for
        // Alt+F4 and the window menu.
        if (message == WM_SYSKEYDOWN) UserControl_KeyDown(static_cast<std::int16_t>(wParam), ShiftState());
        else UserControl_KeyUp(static_cast<std::int16_t>(wParam), ShiftState());
        if (!hwnd()) return 0;
        break;
    case WM_GETDLGCODE: return DLGC_BUTTON | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        UserControl_GotFocus();
        page().OnControlFocusChanged();
        return 0;
    case WM_KILLFOCUS:
        UserControl_LostFocus();
        page().OnControlFocusChanged();
        return 0;
    case WM_TIMER:
        if (wParam == kTimerId && timerEnabled_) Timer_Tick();
        return 0;
    case BM_GETCHECK: return checkBoxRole_ && checked_ ? BST_CHECKED : BST_UNCHECKED;
    case BM_GETSTATE:
        return (checkBoxRole_ && checked_ ? BST_CHECKED : 0) | (GetFocus() == hwnd() ? BST_FOCUS : 0);
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace platform
