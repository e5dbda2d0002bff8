// A label: a line or a few lines of text in its own colours and font, optionally sized to its text,
// with its own mouse pointer, a tooltip, and a Click event.
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
