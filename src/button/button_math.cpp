#include "button/button_math.h"

#include "platform/layout/text_and_numbers.h"

#include <cmath>

namespace button {

using platform::RoundHalfEven;

std::uint32_t ShiftColorValue(std::uint32_t colour, std::int32_t amount, bool proportional, bool softBevel) {
    if (softBevel) amount /= 2;  // integer division truncates toward zero: -9 gives -4
    auto c = static_cast<std::int32_t>(colour);
    std::int32_t red = c % 256;
    std::int32_t green = (c / 256) % 256;
    std::int32_t blue = (c / 65536) % 256;
    std::int32_t r = red + amount;
    std::int32_t g = green + amount;
    std::int32_t b = proportional ? blue + (blue * amount) / 192 : blue + amount;
    auto limit = [amount](std::int32_t v) {
        if (amount > 0 && v > 255) return 255;
        if (amount < 0 && v < 0) return 0;
        return v;
    };
    r = limit(r);
    g = limit(g);
    b = limit(b);
    return static_cast<std::uint32_t>(r + 256 * g + 65536 * b);
}

std::int32_t RampAmount(std::int32_t span, std::int32_t height, std::int32_t i) {
    // The step is kept in single precision; the product with the line number is not.
    float step = static_cast<float>(span) / static_cast<float>(height);
    double amount = -static_cast<double>(step) * i;
    return static_cast<std::int32_t>(RoundHalfEven(amount));
}

std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    auto redShare = static_cast<double>(RoundHalfEven(0.3 * red));
    // At most 76 + 150.45 + 28.05 = 254.5, which rounds to 254: the tone always fits a byte.
    return static_cast<std::uint8_t>(RoundHalfEven(redShare + 0.59 * green + 0.11 * blue));
}

std::optional<char> AccessKeyCharacter(std::string_view caption) {
    if (caption.size() < 2) return std::nullopt;
    std::size_t marker = caption.find('&');
    if (marker == std::string_view::npos || marker + 1 >= caption.size()) return std::nullopt;
    if (caption[marker + 1] != '&') return caption[marker + 1];
    // "&&" shows an ampersand; the marker may follow it, but only the first escaped pair is passed over.
    std::size_t next = caption.find('&', marker + 2);
    if (next == std::string_view::npos) return std::nullopt;
    std::size_t key = next + 1;
    if (key >= caption.size() || caption[key] == '&') return std::nullopt;
    return caption[key];
}

bool IsBlankCaption(std::string_view caption) {
    return caption.find_first_not_of(' ') == std::string_view::npos;
}

PixelRect FocusRectFor(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
    switch (buttonType) {
    case kFramed: return {4, 4, width - 4, height - 4};
    case kSeeThrough: return {3, 3, width - 3, height - 3};
    case kShaded: return {6, 6, width - 4, height - 4};  // inset by 5, then one pixel right and down
    default: return {0, 0, width, height};
    }
}

std::vector<PixelPoint> ShapeCutPixels(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
    std::int32_t w = width;
    std::int32_t h = height;
    switch (buttonType) {
    case kFramed:
        return {{0, 0},     {1, 0},     {0, 1},     {w - 2, 0},     {w - 1, 0},     {w - 1, 1},
                {0, h - 1}, {1, h - 1}, {0, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}};
    case kShaded: return {{w - 1, 0}, {0, h - 1}};
    default: return {};
    }
}

std::optional<PixelRect> CaptionLayoutBox(std::int32_t picturePosition, std::int32_t width,
                                          std::int32_t height, std::int32_t pictureWidth,
                                          std::int32_t pictureHeight) {
    switch (picturePosition) {
    case kPictureLeft: return PixelRect{pictureWidth + 4, 4, width - 8, height - 8};
    case kPictureRight: return PixelRect{4, 4, width - pictureWidth - 8, height - 8};
    case kPictureAbove: return PixelRect{4, pictureHeight + 4, width - 8, height - 8};
    case kPictureBelow: return PixelRect{4, 4, width - 8, height - pictureHeight - 8};
    case kPictureCentred: return PixelRect{4, 1, width - 8, height - 4};
    default: return std::nullopt;
    }
}

PixelPoint CaptionMove(std::int32_t picturePosition, std::int32_t width, std::int32_t height,
                       std::int32_t pictureWidth, std::int32_t pictureHeight, const PixelRect& measured) {
    switch (picturePosition) {
    case kPictureLeft:
    case kPictureAbove:
    case kPictureCentred: return {(width - measured.right) / 2, (height - measured.bottom) / 2};
    case kPictureRight:
        return {(width - pictureWidth - measured.right - 4) / 2, (height - measured.bottom) / 2};
    case kPictureBelow:
        return {(width - measured.right) / 2, (height - pictureHeight - measured.bottom - 4) / 2};
    default: return {0, 0};
    }
}

std::optional<PixelPoint> PicturePlacement(std::int32_t picturePosition, bool blankCaption,
                                           const PixelRect& captionRect, std::int32_t width,
                                           std::int32_t height, std::int32_t pictureWidth,
                                           std::int32_t pictureHeight) {
    std::int32_t centreX = (width - pictureWidth) / 2;
    std::int32_t centreY = (height - pictureHeight) / 2;
    if (blankCaption || picturePosition == kPictureCentred) return PixelPoint{centreX, centreY};
    switch (picturePosition) {
    case kPictureLeft: return PixelPoint{captionRect.left - pictureWidth - 6, centreY};
    case kPictureRight: return PixelPoint{captionRect.right + 6, centreY};
    case kPictureAbove: return PixelPoint{centreX, captionRect.top - pictureHeight - 2};
    case kPictureBelow: return PixelPoint{centreX, captionRect.bottom + 2};
    default: return std::nullopt;
    }
}

}  // namespace button
