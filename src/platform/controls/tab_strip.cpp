#include "platform/controls/tab_strip.h"

#include <algorithm>
#include <string_view>

#include <oleacc.h>

#include "platform/layout/text_and_numbers.h"
#include "platform/system/system.h"
#include "platform/win32/colour.h"
#include "platform/win32/font.h"
#include "platform/win32/units.h"

namespace platform {
namespace {

bool IsCaptionKey(std::string_view key) {
    if (key.size() <= 10 || key.substr(0, 10) != "TabCaption") return false;
    return std::all_of(key.begin() + 10, key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The pens of a tab's raised edges.
struct EdgePens {
    HPEN light;
    HPEN shadow;
    HPEN dark;
};

// The edges of a tab from its top corners down to `bottom`: light on the left and the top with its
// cut corner, dark and shadow on the right.
void DrawTabEdges(HDC dc, const RECT& r, int bottom, Selection& pen, const EdgePens& pens) {
    pen.Select(dc, pens.light);
    MoveToEx(dc, r.left, bottom, nullptr);
    LineTo(dc, r.left, r.top + 2);
    LineTo(dc, r.left + 2, r.top);
    LineTo(dc, r.right - 2, r.top);
    pen.Select(dc, pens.dark);
    LineTo(dc, r.right - 1, r.top + 1);
    LineTo(dc, r.right - 1, bottom);
    pen.Select(dc, pens.shadow);
    MoveToEx(dc, r.right - 2, r.top + 1, nullptr);
    LineTo(dc, r.right - 2, bottom);
}

// A tab's caption, centred in `text`; with the focus, the dotted rectangle about the caption.
void DrawTabCaption(HDC dc, RECT text, const std::string& caption, bool focused) {
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (!focused) return;
    RECT measured = text;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
    int w = measured.right - measured.left;
    int h = measured.bottom - measured.top;
    RECT focus{(text.left + text.right - w) / 2 - 2, (text.top + text.bottom - h) / 2 - 1,
               (text.left + text.right + w) / 2 + 2, (text.top + text.bottom + h) / 2 + 1};
    DrawFocusRect(dc, &focus);
}

}  // namespace

TabStrip::TabStrip(ControlHost& host, const LayoutNode& node)
    : Control(host, node), fontValue_(host.AmbientFont()) {}

TabStrip::~TabStrip() = default;

bool TabStrip::CreateControlWindow(HWND parent, int x, int y, int width, int height) {
    return Create("Catalog.TabStrip", 0, 0, WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, "", x,
                  y, width, height, parent);
}

bool TabStrip::KnowsKey(std::string_view key) const {
    return key == "Tabs" || key == "Tab" || key == "TabHeight" || key == "BackColor" || key == "Font" ||
           IsCaptionKey(key);
}

void TabStrip::ReadSettings(PropertyBag& bag) {
    int tabs = std::clamp<int>(bag.ReadInteger("Tabs", 3), 1, 64);
    captions_.clear();
    for (int i = 0; i < tabs; ++i)
        captions_.push_back(bag.ReadText("TabCaption" + std::to_string(i), "Tab " + std::to_string(i)));
    tabHeight_ = bag.ReadExtent("TabHeight", tabHeight_, kLargestExtentTwips);
    backColor_ = bag.ReadColour("BackColor", backColor_);
    fontValue_ = bag.ReadFont("Font", fontValue_);
    font_ = CreateScreenFont(fontValue_, Dpi());
    current_ = std::clamp<int>(bag.ReadInteger("Tab", 0), 0, tabs - 1);
}

void TabStrip::WriteSettings(PropertyBag& bag) {
    bag.WriteInteger("Tabs", static_cast<std::int16_t>(captions_.size()));
    for (std::size_t i = 0; i < captions_.size(); ++i)
        bag.WriteText("TabCaption" + std::to_string(i), captions_[i]);
    bag.WriteLong("TabHeight", tabHeight_);
    bag.WriteColour("BackColor", backColor_);
    bag.WriteFont("Font", fontValue_);
    bag.WriteInteger("Tab", static_cast<std::int16_t>(current_));
}

Control* TabStrip::TabContainer(int tab) const {
    int n = 0;
    for (const auto& control : host().Controls()) {
        if (control->hwnd() && GetParent(control->hwnd()) == hwnd()) {
            if (n == tab) return control.get();
            ++n;
        }
    }
    return nullptr;
}

void TabStrip::OnChildrenBuilt() {
    // A reader that enters a tab's container hears which tab it belongs to.
    for (int tab = 0; tab < TabCount(); ++tab)
        if (Control* container = TabContainer(tab)) container->SetAccessibleName(ShownText(TabCaption(tab)));
    ShowCurrentContainer();
}

std::string TabStrip::AccessibleName(int part) const {
    if (part >= 1 && part <= TabCount()) return ShownText(TabCaption(part - 1));
    return Control::AccessibleName(part);
}

long TabStrip::AccessibleRole(int part) const {
    return part == 0 ? ROLE_SYSTEM_PAGETABLIST : ROLE_SYSTEM_PAGETAB;
}

long TabStrip::AccessibleState(int part) const {
    if (part == 0) return 0;
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (part - 1 == current_) state |= STATE_SYSTEM_SELECTED;
    if (part - 1 == current_ && hasFocus_) state |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(hwnd())) state |= STATE_SYSTEM_INVISIBLE;
    return state;
}

std::string TabStrip::AccessibleDefaultAction(int part) const {
    return part >= 1 && part <= TabCount() ? "Switch" : "";
}

void TabStrip::RunAccessibleDefaultAction(int part) {
    if (part >= 1 && part <= TabCount()) SetTab(part - 1);
}

void TabStrip::OnDpiChanged() {
    font_ = CreateScreenFont(fontValue_, Dpi());
    Control::OnDpiChanged();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TabStrip::ShowCurrentContainer() {
    for (int tab = 0; tab < TabCount(); ++tab) {
        Control* container = TabContainer(tab);
        if (!container || !container->hwnd()) continue;
        // Focus inside a container that goes out of sight moves to the strip.
        HWND focus = GetFocus();
        if (tab != current_ && focus && IsChild(container->hwnd(), focus)) SetFocus(hwnd());
        ShowWindow(container->hwnd(), tab == current_ ? SW_SHOWNA : SW_HIDE);
    }
    host().UpdateShownControls();
}

void TabStrip::SetTab(int tab) {
    if (tab < 0 || tab >= TabCount()) return;
    int previous = current_;
    current_ = tab;
    if (hwnd()) {
        ShowCurrentContainer();
        InvalidateRect(hwnd(), nullptr, TRUE);
        if (previous != tab) {
            // A reader follows the chosen tab, and the focus with it while the strip has the focus.
            NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd(), OBJID_CLIENT, tab + 1);
            if (hasFocus_) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, tab + 1);
        }
    }
    if (previous != tab && Click) Click(previous);
}

bool TabStrip::SelectNextTab(bool forward) {
    SelectNext(forward);
    return true;
}

void TabStrip::SelectNext(bool forward) {
    if (TabCount() == 0) return;
    SetTab((current_ + (forward ? 1 : TabCount() - 1)) % TabCount());
}

RECT TabStrip::TabRect(int tab) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    int count = std::max(1, TabCount());
    int height = TwipsToPixels(tabHeight_, Dpi());
    int left = client.right * tab / count;
    int right = client.right * (tab + 1) / count;
    return RECT{left, 0, right, height};
}

int TabStrip::TabAt(POINT point) const {
    for (int tab = 0; tab < TabCount(); ++tab) {
        RECT r = TabRect(tab);
        if (PtInRect(&r, point)) return tab;
    }
    return -1;
}

void TabStrip::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Under high contrast the strip is drawn in the system's button colours only.
    COLORREF back = System().HighContrast() ? GetSysColor(COLOR_BTNFACE) : TranslateColour(backColor_);
    Brush backBrush(CreateSolidBrush(back));
    FillRect(dc, &client, backBrush.get());

    Pen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    Pen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    Pen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
    Selection pen(dc, light.get());
    int headerHeight = TwipsToPixels(tabHeight_, Dpi());

    // The body: raised frame below the tab row.
    int top = headerHeight - 1;
    MoveToEx(dc, 0, client.bottom - 1, nullptr);
    LineTo(dc, 0, top);
    LineTo(dc, client.right - 1, top);
    pen.Select(dc, dark.get());
    LineTo(dc, client.right - 1, client.bottom - 1);
    LineTo(dc, -1, client.bottom - 1);
    pen.Select(dc, shadow.get());
    MoveToEx(dc, client.right - 2, top + 1, nullptr);
    LineTo(dc, client.right - 2, client.bottom - 2);
    LineTo(dc, 0, client.bottom - 2);

    Selection font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int tab = 0; tab < TabCount(); ++tab) {
        RECT r = TabRect(tab);
        bool selected = tab == current_;
        // The current tab stands two pixels higher and opens into the body.
        if (!selected) r.top += 2;
        RECT face{r.left + 1, r.top + 1, r.right - 1, headerHeight + (selected ? 1 : -1)};
        FillRect(dc, &face, backBrush.get());
        DrawTabEdges(dc, r, selected ? headerHeight : headerHeight - 1, pen,
                     {light.get(), shadow.get(), dark.get()});
        RECT text{r.left + 4, r.top + 2, r.right - 4, headerHeight - 1};
        DrawTabCaption(dc, text, captions_[static_cast<std::size_t>(tab)], selected && hasFocus_);
    }
}

LRESULT TabStrip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd());
        RECT client{};
        GetClientRect(hwnd(), &client);
        // Drawn off-screen first, so the tabs never flicker.
        MemorySurface buffer(paint.dc(), std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
        if (buffer) {
            Paint(buffer.dc());
            BitBlt(paint.dc(), 0, 0, client.right, client.bottom, buffer.dc(), 0, 0, SRCCOPY);
        }
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_LBUTTONDOWN: {
        int tab = TabAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (tab >= 0) {
            SetFocus(hwnd());
            SetTab(tab);
        }
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            SelectNext(wParam == VK_RIGHT);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        hasFocus_ = message == WM_SETFOCUS;
        InvalidateRect(hwnd(), nullptr, FALSE);
        // The strip's focus is its current tab's.
        if (hasFocus_) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, current_ + 1);
        host().OnControlFocusChanged();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) ShowCurrentContainer();
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return SendMessageA(host().HostWindow(), message, wParam, lParam);
    default: break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace platform
