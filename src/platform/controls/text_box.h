// A text box: an edit control in its own colours and font, optionally multi-line, read-only and with
// scroll bars. A screen reader hears editable (or read-only) text with the box's text as its value and
// the name the page gives it (SetAccessibleName). Under high contrast it shows the window's colours.
#pragma once

#include <string>

#include "platform/forms/control.h"
#include "platform/win32/colour.h"
#include "platform/win32/gdi.h"

namespace platform {

class TextBox : public Control {
public:
    TextBox(ControlHost& host, const LayoutNode& node);
    ~TextBox() override;

    std::string Text() const;
    void SetText(const std::string& text);

    bool CanTakeFocus() const override { return true; }
    // Sets the colours of the edit control on its DC and returns the background brush.
    HBRUSH ColourDC(HDC dc) override;
    void OnDpiChanged() override;

    long AccessibleRole(int part) const override;
    long AccessibleState(int part) const override;
    std::optional<std::string> AccessibleValue(int part) const override;

protected:
    bool CreateControlWindow(HWND parent, int x, int y, int width, int height) override;
    void ReadSettings(PropertyBag& bag) override;
    void WriteSettings(PropertyBag& bag) override;
    bool KnowsKey(std::string_view key) const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool multiLine_ = false;
    int scrollBars_ = 0;
    bool locked_ = false;
    std::uint32_t backColor_ = kSystemWindowBackground;
    std::uint32_t foreColor_ = kSystemWindowText;
    FontValue fontValue_;
    Font font_;
    Brush backBrush_;
};

}  // namespace platform
