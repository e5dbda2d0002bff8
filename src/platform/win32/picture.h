// Picture objects: a shared reference to a loaded picture (JPEG bitmap, icon or cursor) with its
// handle, type and size in HIMETRIC, and a library that loads each named program resource once.
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
    // Size in pixels at the screen's resolution.
    int WidthPixels() const;
    int HeightPixels() const;

private:
    struct Impl;
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
