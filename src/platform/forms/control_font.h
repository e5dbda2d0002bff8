// The font object of a hosted control's window: a font description, and the screen font made from it
// at the resolution of the control's page, kept selected into the control's drawing surface. Whoever holds
// the object may change it; the control writes with the changed font from its next drawing on and is not
// told, so it neither measures its text again nor repaints.
#pragma once

#include <string>
#include <utility>

#include "platform/layout/layout.h"
#include "platform/win32/gdi.h"

namespace platform {

class ControlFont {
public:
    ControlFont(FontValue value, int dpi) : value_(std::move(value)), dpi_(dpi) {}
    ControlFont(const ControlFont&) = delete;
    ControlFont& operator=(const ControlFont&) = delete;

    // The whole description at once.
    const FontValue& Value() const { return value_; }
    void Set(const FontValue& value);

    const std::string& Name() const { return value_.name; }
    void SetName(const std::string& name);
    double Size() const { return value_.size; }  // points
    void SetSize(double points);
    bool Bold() const { return value_.bold; }
    void SetBold(bool on);
    bool Italic() const { return value_.italic; }
    void SetItalic(bool on);
    bool Underline() const { return value_.underline; }
    void SetUnderline(bool on);

    // The resolution the font is made for (pixels per inch); a change makes it anew at once.
    int Dpi() const { return dpi_; }
    void SetDpi(int dpi);

    // For the host: the surface the font is selected into, and taken out of again before the surface
    // goes.
    void SelectInto(HDC surface);
    void Deselect();

private:
    FontValue value_;
    int dpi_;
    Font screen_;
    Selection selection_;  // screen_ in the surface (declared after it: undone before it goes)
    HDC surface_ = nullptr;
};

}  // namespace platform
