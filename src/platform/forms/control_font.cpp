#include "platform/forms/control_font.h"

#include "platform/win32/font.h"

namespace platform {

void ControlFont::Set(const FontValue& value) {
    value_ = value;
    // The new font goes in before the old one is deleted.
    Font replacement = CreateScreenFont(value_, dpi_);
    if (surface_) selection_.Select(surface_, replacement.get());
    screen_ = std::move(replacement);
}

void ControlFont::SetName(const std::string& name) {
    FontValue value = value_;
    value.name = name;
    Set(value);
}

void ControlFont::SetSize(double points) {
    FontValue value = value_;
    value.size = points;
    Set(value);
}

void ControlFont::SetBold(bool on) {
    FontValue value = value_;
    value.bold = on;
    Set(value);
}

void ControlFont::SetItalic(bool on) {
    FontValue value = value_;
    value.italic = on;
    Set(value);
}

void ControlFont::SetUnderline(bool on) {
    FontValue value = value_;
    value.underline = on;
    Set(value);
}

void ControlFont::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    if (screen_) Set(value_);
}

void ControlFont::SelectInto(HDC surface) {
    surface_ = surface;
    if (!screen_) screen_ = CreateScreenFont(value_, dpi_);
    selection_.Select(surface_, screen_.get());
}

void ControlFont::Deselect() {
    selection_.Reset();
    surface_ = nullptr;
}

}  // namespace platform
