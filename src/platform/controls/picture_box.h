// A picture box: a container for other controls with a persistent image. Pictures painted onto it
// stay and are shown again whenever the box is uncovered or switched to; under high contrast the box
// shows the window colour instead, and the pictures again when it is turned off.
#pragma once

#include "platform/forms/control.h"
#include "platform/win32/colour.h"
#include "platform/win32/gdi.h"
#include "platform/win32/picture.h"

namespace platform {

class PictureBox : public Control {
public:
    PictureBox(ControlHost& host, const LayoutNode& node);
    ~PictureBox() override;

    // Draws a picture at its own size onto the persistent image, at (x, y) in twips or in pixels.
    void PaintPicture(const Picture& picture, int xTwips, int yTwips);
    void PaintPicturePixels(const Picture& picture, int x, int y);
    // The box's size in pixels.
    int WidthPixels() const;
    int HeightPixels() const;
    COLORREF BackColor() const;

    long AccessibleRole(int part) const override;
    void OnDpiChanged() override;

protected:
    bool CreateControlWindow(HWND parent, int x, int y, int width, int height) override;
    void ReadSettings(PropertyBag& bag) override;
    void WriteSettings(PropertyBag& bag) override;
    bool KnowsKey(std::string_view key) const override;
    void OnResized() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::uint32_t backColor_ = kSystemButtonFace;
    bool border_ = false;
    MemorySurface image_;
};

}  // namespace platform
