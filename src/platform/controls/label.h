// A label: a line or a few lines of text in its own colours and font, optionally sized to its text,
// with its own mouse pointer, a tooltip, and a Click event. A label that the page gives a Click handler
// is a link: the Tab key stops at it (it then shows a focus rectangle), Enter or the space bar follow
// it as a click does, and a screen reader hears a link; any other label is static text. Under high
// contrast a label shows the window's colours (a link the colour of links) instead of its own.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/control.h"
#include "platform/win32/colour.h"
#include "platform/win32/gdi.h"
#include "platform/win32/picture.h"

namespace platform {

class Label : public Control {
public:
    enum Alignment { kLeft = 0, kRight = 1, kCentre = 2 };

    Label(ControlHost& host, const LayoutNode& node);
    ~Label() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    void SetToolTipText(const std::string& text);
    const std::string& CurrentToolTip() const { return toolTipText_; }
    int Alignment() const { return alignment_; }

    std::function<void()> Click;

    bool IsLink() const { return static_cast<bool>(Click); }
    void OnDpiChanged() override;
    bool CanTakeFocus() const override { return IsLink(); }
    std::string AccessibleName(int part) const override;
    long AccessibleRole(int part) const override;
    long AccessibleState(int part) const override;
    std::string AccessibleDefaultAction(int part) const override;
    void RunAccessibleDefaultAction(int part) override;

protected:
    bool CreateControlWindow(HWND parent, int x, int y, int width, int height) override;
    void ReadSettings(PropertyBag& bag) override;
    void WriteSettings(PropertyBag& bag) override;
    bool KnowsKey(std::string_view key) const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FitToText();
    void Paint(HDC dc);
    void UpdateToolTip();

    std::string caption_;
    int alignment_ = kLeft;
    bool autoSize_ = false;
    std::uint32_t backColor_ = kSystemButtonFace;
    std::uint32_t foreColor_ = kSystemButtonText;
    FontValue fontValue_;
    Font font_;
    int mousePointer_ = 0;
    Picture mouseIcon_;
    std::string toolTipText_;
    OwnedWindow toolTip_;
    bool pressed_ = false;
};

}  // namespace platform
