#include "platform/controls/text_box.h"

#include <algorithm>
#include <string_view>

#include <oleacc.h>

#include "platform/system/system.h"
#include "platform/win32/colour.h"
#include "platform/win32/font.h"

namespace platform {

TextBox::TextBox(ControlHost& host, const LayoutNode& node)
    : Control(host, node), fontValue_(host.AmbientFont()) {
    // The window's styles depend on settings, so they are read before the window is made.
    LayoutNode copy = node;
    PropertyBag bag(copy, host.Name(), nullptr);
    multiLine_ = bag.ReadTruth("MultiLine", false);
    scrollBars_ = bag.ReadInteger("ScrollBars", 0);
    locked_ = bag.ReadTruth("Locked", false);
}

TextBox::~TextBox() = default;

bool TextBox::CreateControlWindow(HWND parent, int x, int y, int width, int height) {
    DWORD style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiLine_) style = (style & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_AUTOVSCROLL;
    if (scrollBars_ & 1) style |= WS_HSCROLL;
    if (scrollBars_ & 2) style |= WS_VSCROLL;
    if (locked_) style |= ES_READONLY;
    return CreateSuperclassed("EDIT", "Catalog.TextBox", WS_EX_CLIENTEDGE, style, "", x, y, width, height,
                              parent);
}

LRESULT TextBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Under Wine a multi-line edit control destroyed while it holds a long text keeps that text's memory
    // for good (each product page lost the size of its description). Emptied first, it gives it back.
    if (message == WM_DESTROY) Default(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    return Control::HandleMessage(message, wParam, lParam);
}

bool TextBox::KnowsKey(std::string_view key) const {
    static constexpr std::string_view kKeys[] = {"Text",      "MultiLine", "ScrollBars", "Locked",
                                                 "BackColor", "ForeColor", "Font"};
    return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

void TextBox::ReadSettings(PropertyBag& bag) {
    // MultiLine, ScrollBars and Locked were read before the window was made; reading them again here
    // reports any bad value.
    bag.ReadTruth("MultiLine", false);
    bag.ReadInteger("ScrollBars", 0);
    bag.ReadTruth("Locked", false);
    backColor_ = bag.ReadColour("BackColor", backColor_);
    foreColor_ = bag.ReadColour("ForeColor", foreColor_);
    backBrush_.Reset(CreateSolidBrush(TranslateColour(backColor_)));
    fontValue_ = bag.ReadFont("Font", fontValue_);
    font_ = CreateScreenFont(fontValue_, Dpi());
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetText(bag.ReadText("Text", ""));
}

void TextBox::WriteSettings(PropertyBag& bag) {
    bag.WriteText("Text", Text());
    bag.WriteTruth("MultiLine", multiLine_);
    bag.WriteInteger("ScrollBars", static_cast<std::int16_t>(scrollBars_));
    bag.WriteTruth("Locked", locked_);
    bag.WriteColour("BackColor", backColor_);
    bag.WriteColour("ForeColor", foreColor_);
    bag.WriteFont("Font", fontValue_);
}

std::string TextBox::Text() const {
    if (!hwnd()) return {};
    int length = GetWindowTextLengthA(hwnd());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, copied)));
    return text;
}

void TextBox::SetText(const std::string& text) {
    if (hwnd()) SetWindowTextA(hwnd(), text.c_str());
}

void TextBox::OnDpiChanged() {
    // The edit control takes the new font before the old one is deleted.
    Font font = CreateScreenFont(fontValue_, Dpi());
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
    Control::OnDpiChanged();
}

long TextBox::AccessibleRole(int part) const {
    return part == 0 ? ROLE_SYSTEM_TEXT : 0;
}

long TextBox::AccessibleState(int part) const {
    return part == 0 && locked_ ? STATE_SYSTEM_READONLY : 0;
}

std::optional<std::string> TextBox::AccessibleValue(int part) const {
    if (part != 0) return std::nullopt;
    return Text();
}

HBRUSH TextBox::ColourDC(HDC dc) {
    if (System().HighContrast()) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    SetTextColor(dc, TranslateColour(foreColor_));
    SetBkColor(dc, TranslateColour(backColor_));
    return backBrush_.get();
}

}  // namespace platform
