// An image holder: keeps a picture and takes its size. It has no window and is never shown; pages
// use it as the source of tiled backgrounds.
#pragma once

#include "platform/forms/control.h"
#include "platform/win32/picture.h"

namespace platform {

class ImageBox : public Control {
public:
    ImageBox(ControlHost& host, const LayoutNode& node);
    ~ImageBox() override;

    const platform::Picture& Picture() const { return picture_; }
    // The picture's own size in pixels (0 without one).
    int WidthPixels() const { return picture_ ? picture_.WidthPixels() : 0; }
    int HeightPixels() const { return picture_ ? picture_.HeightPixels() : 0; }
    void SetPicture(platform::Picture picture);
    // The holder takes its picture's own pixels at the new scale.
    void OnDpiChanged() override { SetPicture(picture_); }

protected:
    bool CreateControlWindow(HWND parent, int x, int y, int width, int height) override;
    void ReadSettings(PropertyBag& bag) override;
    void WriteSettings(PropertyBag& bag) override;
    bool KnowsKey(std::string_view key) const override { return key == "Picture"; }

private:
    platform::Picture picture_;
};

}  // namespace platform
