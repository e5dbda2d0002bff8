#include "platform/controls/image_box.h"

#include "platform/win32/units.h"

namespace platform {

ImageBox::ImageBox(ControlHost& host, const LayoutNode& node) : Control(host, node) {}

ImageBox::~ImageBox() = default;

bool ImageBox::CreateControlWindow(HWND, int, int, int, int) {
    return true;
}

void ImageBox::ReadSettings(PropertyBag& bag) {
    if (auto name = bag.ReadPictureName("Picture")) {
        try {
            SetPicture(host().Pictures().Get(*name));
        } catch (const PictureError& e) {
            bag.Report("Picture", e.what());
        }
    }
}

void ImageBox::WriteSettings(PropertyBag& bag) {
    bag.WritePictureName("Picture", picture_ ? std::optional<std::string>(picture_.Name()) : std::nullopt);
}

void ImageBox::SetPicture(platform::Picture picture) {
    picture_ = std::move(picture);
    // An image holder takes the size of its picture's own pixels.
    if (picture_)
        Move(Left(), Top(), PixelsToTwips(picture_.WidthPixels(), Dpi()),
             PixelsToTwips(picture_.HeightPixels(), Dpi()));
    else Move(Left(), Top(), 0, 0);
}

}  // namespace platform
