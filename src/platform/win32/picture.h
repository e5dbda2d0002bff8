// Picture objects: a shared reference to a loaded picture (JPEG bitmap, icon or cursor) with its
// handle, type and size in HIMETRIC, and a library that loads each named program resource once.
//
// An icon file may hold the same icon drawn in several sizes (frames). Its size in HIMETRIC is that of
// its first frame at 96 pixels per inch, the size it was designed at (32 pixels), so that it grows with
// the display; IconFrameFor gives the frame drawn at a size in pixels.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/win32/win.h"

struct IPicture;

namespace platform {

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class PictureType : short { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhancedMetafile = 4 };

class Picture {
public:
    Picture() = default;  // no picture

    // Loads JPEG, BMP, GIF, ICO or CUR bytes; throws PictureError for data that is not a picture.
    static Picture FromBytes(std::string_view bytes, std::string name);
    // The same for bytes that stay in place for the whole run (a program resource): the frames of an
    // icon are read from them when first drawn, without a copy.
    static Picture FromLastingBytes(std::string_view bytes, std::string name);
    // Wraps a bitmap or an icon made at run time; with `own` the picture deletes it at the end.
    static Picture FromBitmap(HBITMAP bitmap, bool own, std::string name);
    static Picture FromIcon(HICON icon, bool own, std::string name);

    explicit operator bool() const { return impl_ != nullptr; }
    bool SameAs(const Picture& other) const { return impl_ == other.impl_; }

    HANDLE Handle() const;
    PictureType Type() const;
    long WidthHimetric() const;
    long HeightHimetric() const;
    // The resource name the picture was loaded under (empty for run-time pictures).
    const std::string& Name() const;

    // Draws the picture with its top-left corner at (x, y) in pixels, at its own size.
    void Draw(HDC dc, int x, int y) const;
    // Its own size in pixels: a bitmap's pixels, an icon's first frame.
    int WidthPixels() const;
    int HeightPixels() const;

    // The icon to draw at width x height pixels (Picture::Handle() for a picture that is no icon file):
    // a frame of that size, else the nearest larger one, else the largest. `width` and `height` are the
    // frame's own size, or 0 when it is not known (an icon made at run time).
    struct IconFrameChoice {
        HICON icon = nullptr;
        int width = 0;
        int height = 0;
    };
    IconFrameChoice IconFrameFor(int width, int height) const;

private:
    struct Impl;
    static Picture Load(std::string_view bytes, std::string name, bool lasting);
    static Picture Adopt(::IPicture* picture, std::string name);
    std::shared_ptr<Impl> impl_;
};

// Names to pictures: program resources (RCDATA) loaded on first use and shared afterwards, plus any
// picture added under a name (tests).
class PictureLibrary {
public:
    // The picture of that name; throws PictureError when there is no such resource or it is not a picture.
    Picture Get(const std::string& name);
    void Add(const std::string& name, Picture picture);

private:
    std::map<std::string, Picture> pictures_;
};

}  // namespace platform
