// Pictures of the button: their size and place beside the caption, how they are drawn in each look
// (in colour, in grey, with a relief, embossed when disabled), the compositor that makes the mask
// colour transparent, and the copy of the parent's pixels that serves as the see-through face.
#include <algorithm>
#include <vector>

#include "button/button_math.h"
#include "button/tamrix_button.h"
#include "platform/layout/text_and_numbers.h"
#include "platform/win32/gdi.h"

namespace button {
namespace {

constexpr std::int32_t kNoSolidColour = -1;

// A 24-bit, bottom-up, uncompressed pixel-row description of width x height.
BITMAPINFO RowFormat(std::int32_t width, std::int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Bytes in one 24-bit pixel row, padded to whole 32-bit words.
std::size_t RowStride(std::int32_t width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

// The pixels of a bitmap that no device context holds, as 24-bit rows from the bottom.
std::vector<BYTE> ReadRows(HDC dc, HBITMAP bitmap, std::int32_t width, std::int32_t height) {
    std::vector<BYTE> rows(RowStride(width) * static_cast<std::size_t>(height));
    BITMAPINFO format = RowFormat(width, height);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), rows.data(), &format, DIB_RGB_COLORS);
    return rows;
}

// The picture at width x height on a bitmap of its own, compatible with `dc`. A bitmap is used as it is;
// an icon is drawn over `canvasColour`, so that its transparent parts come out in that colour and are
// keyed out when composed. An icon file has a frame for each display scale, drawn at its own size; a
// size it lacks is drawn from the nearest larger frame. A bitmap measured at another scale than its
// own pixels is stretched pixel by pixel, so that its mask colour stays exact.
platform::Bitmap PictureAtSize(HDC dc, HDC surface, const platform::Picture& picture, std::int32_t width,
                               std::int32_t height, COLORREF canvasColour) {
    platform::MemoryDC canvas(surface);
    platform::Bitmap iconCanvas;
    HGDIOBJ canvasContent = nullptr;
    std::int32_t canvasWidth = width;
    std::int32_t canvasHeight = height;
    if (picture.Type() == platform::PictureType::Bitmap) {
        canvasContent = picture.Handle();
        canvasWidth = picture.WidthPixels();
        canvasHeight = picture.HeightPixels();
    } else {
        iconCanvas.Reset(CreateCompatibleBitmap(dc, width, height));
        canvasContent = iconCanvas.get();
    }
    platform::Selection canvasSelection(canvas.get(), canvasContent);
    if (iconCanvas) {
        platform::Brush background(CreateSolidBrush(canvasColour));
        platform::Picture::IconFrameChoice frame = picture.IconFrameFor(width, height);
        bool ownSize = frame.width == 0 || (frame.width == width && frame.height == height);
        DrawIconEx(canvas.get(), 0, 0, frame.icon, ownSize ? 0 : width, ownSize ? 0 : height, 0,
                   background.get(), DI_NORMAL);
    }
    // A copy, so that the result is read while no device context holds it.
    platform::MemoryDC pictureDC(canvas.get());
    platform::Bitmap pictureBitmap(CreateCompatibleBitmap(dc, width, height));
    platform::Selection pictureSelection(pictureDC.get(), pictureBitmap.get());
    if (canvasWidth == width && canvasHeight == height) {
        BitBlt(pictureDC.get(), 0, 0, width, height, canvas.get(), 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(pictureDC.get(), COLORONCOLOR);
        StretchBlt(pictureDC.get(), 0, 0, width, height, canvas.get(), 0, 0, canvasWidth, canvasHeight,
                   SRCCOPY);
    }
    return pictureBitmap;  // the selection ends here, before anyone reads the copy
}

// Composes a picture onto pixels held in memory: `compose` changes each pixel of the width x height
// area at (x, y). The part of the picture outside the surface is left out, as the device would clip it.
template <class Compose>
void ComposeOnSurface(const platform::MemorySurface& surface, std::int32_t x, std::int32_t y,
                      std::int32_t width, std::int32_t height, const Compose& compose) {
    GdiFlush();
    std::int32_t top = std::max(0, -y);
    std::int32_t bottom = std::min(height, surface.height() - y);
    std::int32_t left = std::max(0, -x);
    std::int32_t right = std::min(width, surface.width() - x);
    for (std::int32_t row = top; row < bottom; ++row) {
        std::uint32_t* target = surface.PixelRow(y + row) + x;
        for (std::int32_t column = left; column < right; ++column) {
            std::uint32_t pixel = target[column];
            auto red = static_cast<BYTE>(pixel >> 16);
            auto green = static_cast<BYTE>(pixel >> 8);
            auto blue = static_cast<BYTE>(pixel);
            compose(static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(column),
                    red, green, blue);
            target[column] = (pixel & 0xFF000000u) | (static_cast<std::uint32_t>(red) << 16) |
                             (static_cast<std::uint32_t>(green) << 8) | blue;
        }
    }
}

}  // namespace

void TamrixButton::MeasurePicture() {
    if (!m_.PictureNormal) {
        m_.PictureRect.width = 0;
        m_.PictureRect.height = 0;
        return;
    }
    m_.PictureRect.width = static_cast<std::int32_t>(
        platform::RoundHalfEven(HimetricToPixelsX(m_.PictureNormal.WidthHimetric())));
    m_.PictureRect.height = static_cast<std::int32_t>(
        platform::RoundHalfEven(HimetricToPixelsY(m_.PictureNormal.HeightHimetric())));
}

void TamrixButton::PositionPicture() {
    if (!m_.PictureNormal && !m_.PictureOver) return;
    const RECT& c = m_.CaptionRect;
    std::optional<PixelPoint> at = PicturePlacement(
        m_.PicturePosition, IsBlankCaption(m_.Caption), PixelRect{c.left, c.top, c.right, c.bottom},
        m_.ClientWidth, m_.ClientHeight, m_.PictureRect.width, m_.PictureRect.height);
    if (!at) return;
    m_.PictureRect.x = at->x;
    m_.PictureRect.y = at->y;
}

void TamrixButton::DrawPicture(std::uint8_t mode) {
    if (!m_.PictureNormal) return;
    const auto& r = m_.PictureRect;
    auto draw = [this, &r](std::int32_t x, std::int32_t y, const platform::Picture& picture,
                           std::int32_t solid, bool darkOnly, bool greyscale) {
        BlitPicture(x, y, r.width, r.height, picture, paint_.MaskRgb, solid, darkOnly, greyscale);
    };
    switch (mode) {
    case kLookUp:
        if (m_.PointerOver) {
            const platform::Picture& shown = m_.PictureOver ? m_.PictureOver : m_.PictureNormal;
            DrawPictureEffect(0, shown);
            draw(r.x, r.y, shown, kNoSolidColour, false, false);
        } else {
            DrawPictureEffect(0, m_.PictureNormal);
            draw(r.x, r.y, m_.PictureNormal, kNoSolidColour, false, m_.UseGreyscale);
        }
        break;
    case kLookDown:
        if (m_.PictureOver) {
            draw(r.x + 1, r.y + 1, m_.PictureOver, kNoSolidColour, false, false);
        } else {
            DrawPictureEffect(1, m_.PictureNormal);
            draw(r.x + 1, r.y + 1, m_.PictureNormal, kNoSolidColour, false, false);
        }
        break;
    case kLookDisabled:
        if (m_.ButtonType == kFramed) {
            draw(r.x + 1, r.y + 1, m_.PictureNormal, kNoSolidColour, false, true);
        } else {
            // Embossed: the dark pixels once in the highlight colour below right, once in shadow in place.
            draw(r.x + 1, r.y + 1, m_.PictureNormal, static_cast<std::int32_t>(paint_.HighlightColor), true,
                 false);
            draw(r.x, r.y, m_.PictureNormal, static_cast<std::int32_t>(paint_.ShadowColor), true, false);
        }
        break;
    default: break;
    }
    // A picture behind the caption would hide it: the caption goes on top once more.
    if (m_.PicturePosition == kPictureCentred) DrawCaption(m_.LastCaptionMode);
}

void TamrixButton::DrawPictureEffect(std::int32_t offset, const platform::Picture& picture) {
    if (m_.SpecialEffect <= 0) return;
    COLORREF base = m_.ButtonType == kFramed ? paint_.LitFaceColor : paint_.FaceColor;
    auto light = static_cast<std::int32_t>(ShiftColor(base, 40, false));
    auto dark = static_cast<std::int32_t>(ShiftColor(base, -40, false));
    bool engraved = m_.SpecialEffect == 2;
    const auto& r = m_.PictureRect;
    BlitPicture(r.x + offset + 1, r.y + offset + 1, r.width, r.height, picture, paint_.MaskRgb,
                engraved ? light : dark, false, false);
    if (m_.SpecialEffect < 3)
        BlitPicture(r.x + offset - 1, r.y + offset - 1, r.width, r.height, picture, paint_.MaskRgb,
                    engraved ? dark : light, false, false);
}

const TamrixButton::PictureCanvas& TamrixButton::CanvasFor(HDC dc, const platform::Picture& picture,
                                                           std::int32_t width, std::int32_t height,
                                                           COLORREF maskColour) {
    // Every surface the button draws on has one pixel format: a canvas serves whichever it has now.
    for (const PictureCanvas& canvas : canvases_) {
        if (canvas.picture.SameAs(picture) && canvas.width == width && canvas.height == height &&
            canvas.maskColour == maskColour && canvas.useMask == m_.UseMaskColor)
            return canvas;
    }
    // A button shows two pictures at most (normal and hover); a few more entries cover a change of colours.
    constexpr std::size_t kKept = 4;
    if (canvases_.size() >= kKept) canvases_.erase(canvases_.begin());

    PictureCanvas made;
    made.picture = picture;
    made.width = width;
    made.height = height;
    made.maskColour = maskColour;
    made.useMask = m_.UseMaskColor;

    // An icon is drawn over the mask colour, which then keys out its transparent parts too.
    platform::Bitmap bitmap = PictureAtSize(dc, hDC(), picture, width, height, maskColour);
    const std::vector<BYTE> rows = ReadRows(dc, bitmap.get(), width, height);
    const std::size_t stride = RowStride(width);

    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    made.pixels.resize(count * 3);
    made.transparent.resize(count);
    for (std::int32_t row = 0; row < height; ++row) {
        // The rows are stored bottom-up.
        const BYTE* source = &rows[static_cast<std::size_t>(height - 1 - row) * stride];
        for (std::int32_t column = 0; column < width; ++column) {
            std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(column);
            BYTE blue = source[column * 3];
            BYTE green = source[column * 3 + 1];
            BYTE red = source[column * 3 + 2];
            made.pixels[at * 3] = red;
            made.pixels[at * 3 + 1] = green;
            made.pixels[at * 3 + 2] = blue;
            made.transparent[at] =
                m_.UseMaskColor && GetNearestColor(dc, RGB(red, green, blue)) == maskColour;
        }
    }
    canvases_.push_back(std::move(made));
    return canvases_.back();
}

void TamrixButton::BlitPicture(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                               const platform::Picture& picture, COLORREF maskColour,
                               std::int32_t solidColour, bool darkOnly, bool greyscale) {
    if (width <= 0 || height <= 0 || !picture) return;
    if (!Surface().HasPixels()) return;  // a surface that could not be made has nothing to draw on
    const PictureCanvas& canvas = CanvasFor(hDC(), picture, width, height, maskColour);

    // What one picture pixel does to the pixel beneath it: leaves it, paints the solid colour (over
    // the dark pixels only, when asked), a grey tone, or the pixel itself.
    auto compose = [&](std::size_t at, BYTE& red, BYTE& green, BYTE& blue) {
        if (canvas.transparent[at]) return;
        BYTE r = canvas.pixels[at * 3];
        BYTE g = canvas.pixels[at * 3 + 1];
        BYTE b = canvas.pixels[at * 3 + 2];
        if (solidColour >= 0) {
            if (darkOnly && !IsDarkPixel(r, g, b)) return;
            auto solid = static_cast<COLORREF>(solidColour);
            red = GetRValue(solid);
            green = GetGValue(solid);
            blue = GetBValue(solid);
        } else if (greyscale) {
            red = green = blue = GreyLevel(r, g, b);
        } else {
            red = r;
            green = g;
            blue = b;
        }
    };

    // The button's own surface holds its pixels in memory: they are composed in place.
    ComposeOnSurface(Surface(), x, y, width, height, compose);
}

void TamrixButton::CaptureParentBackground() {
    HWND parent = GetParent(hwnd());
    {
        platform::WindowDC parentDC(parent);
        m_.CaptureInProgress = true;

        // Out of the way for a moment, so that the parent paints what the button covers.
        SetExtentHeight(0);
        DoEvents();

        RECT control{};
        RECT parentWindow{};
        RECT parentClient{};
        GetWindowRect(hwnd(), &control);
        GetWindowRect(parent, &parentWindow);
        GetClientRect(parent, &parentClient);
        // The button's corner in the parent's client area: the parent's side border is half the
        // difference of window and client width; its caption bar and top border are what is left of the
        // height difference after the bottom border.
        LONG border = (parentWindow.right - parentWindow.left - parentClient.right) / 2;
        LONG sourceX = control.left - parentWindow.left - border;
        LONG topEdge = parentWindow.bottom - parentWindow.top - parentClient.bottom - border;
        LONG sourceY = control.top - parentWindow.top - topEdge;
        if (m_.BackgroundDC && parentDC)
            BitBlt(m_.BackgroundDC.get(), 0, 0, m_.ClientWidth, m_.ClientHeight, parentDC.get(), sourceX,
                   sourceY, SRCCOPY);

        SetExtentHeight(PixelsToTwipsY(m_.ClientHeight));
    }
    m_.CaptureInProgress = false;
}

}  // namespace button
