#include "platform/forms/user_control.h"

#include <algorithm>
#include <cmath>

#include <oleacc.h>

#include "platform/system/system.h"
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

UserControl::UserControl(ControlHost& host, const LayoutNode& node)
    : Control(host, node), font_(host.AmbientFont(), host.Dpi()) {}

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
    if (SurfaceHolds(surface_, client.right, client.bottom)) return;
    // The font is taken out of the surface that goes, and put into the one that comes.
    font_.Deselect();
    WindowDC screen(hwnd());
    GrowSurface(surface_, screen.get(), client.right, client.bottom, GetSysColorBrush(COLOR_BTNFACE), true);
    ApplyFontToSurface();
}

void UserControl::ApplyFontToSurface() {
    if (!surface_) return;
    font_.SetDpi(Dpi());
    font_.SelectInto(surface_.dc());
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
    return host().AmbientFont();
}

bool UserControl::AmbientDisplayAsDefault() const {
    return host().DisplaysAsDefault(*this);
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

bool UserControl::SetTimerEnabled(bool enabled) {
    if (enabled == timerEnabled_ || !hwnd()) return enabled == timerEnabled_;
    if (enabled) {
        timerEnabled_ = SetTimer(hwnd(), kTimerId, timerInterval_, nullptr) != 0;
        return timerEnabled_;
    }
    KillTimer(hwnd(), kTimerId);
    timerEnabled_ = false;
    return true;
}

void UserControl::DoEvents() {
    host().DoEvents();
}

Picture UserControl::ReadPicture(PropertyBag& bag, std::string_view key) {
    auto name = bag.ReadPictureName(key);
    if (!name) return {};
    try {
        return host().Pictures().Get(*name);
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
    font_.SetDpi(Dpi());
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

bool UserControl::PointInside(int x, int y) const {
    // By window, so that a cut-away corner or a covering window does not count as the control.
    POINT at{x, y};
    ClientToScreen(hwnd(), &at);
    return WindowFromPoint(at) == hwnd();
}

LRESULT UserControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const auto key = static_cast<std::int16_t>(wParam);
    switch (message) {
    case WM_ERASEBKGND: return 1;  // the surface covers every pixel: nothing to erase
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SIZE: OnResized(); return 0;
    case WM_SETCURSOR: OnSetCursor(); return TRUE;  // the pointer is set: Windows must not set the class's
    case WM_LBUTTONDOWN: OnButtonDown(kLeftButton, x, y); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnButtonDown(kRightButton, x, y); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: OnButtonDown(kMiddleButton, x, y); return 0;
    case WM_LBUTTONDBLCLK: OnLeftDoubleClick(); return 0;
    case WM_LBUTTONUP: OnButtonUp(kLeftButton, wParam, x, y); return 0;
    case WM_RBUTTONUP: OnButtonUp(kRightButton, wParam, x, y); return 0;
    case WM_MBUTTONUP: OnButtonUp(kMiddleButton, wParam, x, y); return 0;
    case WM_MOUSEMOVE:
        UserControl_MouseMove(ButtonsHeld(wParam), ShiftState(), static_cast<float>(x),
                              static_cast<float>(y));
        return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
    case WM_KEYDOWN: UserControl_KeyDown(key, ShiftState()); return 0;
    case WM_CHAR:
        UserControl_KeyPress(static_cast<std::int16_t>(static_cast<unsigned char>(wParam)));
        return 0;
    case WM_KEYUP: UserControl_KeyUp(key, ShiftState()); return 0;
    // Keys pressed with Alt (and F10) are keys of the control too; Windows still gets them for Alt+F4 and
    // the window menu, unless the handler did away with the control.
    case WM_SYSKEYDOWN:
        UserControl_KeyDown(key, ShiftState());
        if (!hwnd()) return 0;
        break;
    case WM_SYSKEYUP:
        UserControl_KeyUp(key, ShiftState());
        if (!hwnd()) return 0;
        break;
    case WM_GETDLGCODE: return DLGC_BUTTON | DLGC_WANTCHARS;
    case WM_SETFOCUS: OnFocusChanged(true); return 0;
    case WM_KILLFOCUS: OnFocusChanged(false); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case BM_GETCHECK: return checkBoxRole_ && checked_ ? BST_CHECKED : BST_UNCHECKED;
    case BM_GETSTATE:
        return (checkBoxRole_ && checked_ ? BST_CHECKED : 0) | (GetFocus() == hwnd() ? BST_FOCUS : 0);
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

void UserControl::OnPaint() {
    PaintScope paint(hwnd());
    if (!surface_) return;
    const RECT& r = paint.area();
    BitBlt(paint.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, surface_.dc(), r.left, r.top,
           SRCCOPY);
}

void UserControl::OnPrintClient(HDC dc) {
    if (surface_) BitBlt(dc, 0, 0, ScaleWidth(), ScaleHeight(), surface_.dc(), 0, 0, SRCCOPY);
}

void UserControl::OnSetCursor() {
    if (host().MousePointer() == kPointerHourglass) SetCursor(LoadCursor(nullptr, IDC_WAIT));
    else if (mousePointer_ == kPointerCustom && mouseIcon_)
        SetCursor(static_cast<HCURSOR>(mouseIcon_.Handle()));
    else SetCursor(StandardPointer(mousePointer_));
}

void UserControl::OnButtonDown(std::int16_t button, int x, int y) {
    std::int16_t shift = ShiftState();
    if (button == kLeftButton && GetFocus() != hwnd()) SetFocus(hwnd());
    // The control keeps the mouse from the first press until every button is up again, so that it hears
    // the moves and the release wherever the pointer goes.
    SetCapture(hwnd());
    if (button == kLeftButton) leftPressed_ = true;
    UserControl_MouseDown(button, shift, static_cast<float>(x), static_cast<float>(y));
}

void UserControl::OnLeftDoubleClick() {
    // The second press of a double click: no mouse-down and no click of its own. The control takes the
    // mouse itself if it treats the press as one.
    if (GetFocus() != hwnd()) SetFocus(hwnd());
    leftPressed_ = false;
    UserControl_DblClick();
}

void UserControl::OnButtonUp(std::int16_t button, WPARAM held, int x, int y) {
    std::int16_t shift = ShiftState();
    // A click is a left press and release both on the control's window (by window, so a cut-away corner
    // or a covering window is not the control).
    bool clicked = button == kLeftButton && leftPressed_ && PointInside(x, y);
    if (button == kLeftButton) leftPressed_ = false;
    if ((held & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == hwnd()) ReleaseCapture();
    UserControl_MouseUp(button, shift, static_cast<float>(x), static_cast<float>(y));
    if (clicked && hwnd()) UserControl_Click();
}

void UserControl::OnCaptureChanged(HWND newCapture) {
    if (newCapture != hwnd()) leftPressed_ = false;
}

void UserControl::OnFocusChanged(bool gained) {
    if (gained) UserControl_GotFocus();
    else UserControl_LostFocus();
    host().OnControlFocusChanged();
}

void UserControl::OnTimer(UINT_PTR id) {
    if (id == kTimerId && timerEnabled_) Timer_Tick();
}

}  // namespace platform
