// Reading back exactly what a button drew, and putting a button in the looks that input would give it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "button/button_math.h"
#include "button/tamrix_button.h"

namespace button {

// Sets the flags that the mouse and focus handlers set, without moving the real pointer or focus.
class TamrixButtonTestAccess {
public:
    static void SetPointerOver(TamrixButton& control, bool over) { control.m_.PointerOver = over; }
    static void SetHasFocus(TamrixButton& control, bool focus) { control.m_.HasFocus = focus; }
};

}  // namespace button

namespace testing_support {

// An exact copy of pixels, read through a 32-bit DIB section; colours as 0x00BBGGRR.
class Pixels {
public:
    Pixels() = default;
    Pixels(int width, int height) : width_(width), height_(height), data_(std::size_t(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const { return data_[std::size_t(y) * width_ + x]; }
    void set(int x, int y, COLORREF colour) { data_[std::size_t(y) * width_ + x] = colour; }
    bool operator==(const Pixels&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> data_;
};

// width x height pixels of a DC from (x, y).
Pixels CapturePixels(HDC dc, int x, int y, int width, int height);
// The button's drawing surface over its client area: what RenderButton last drew.
Pixels CaptureSurface(const button::TamrixButton& control);
// A picture of a bitmap made from rows of colours (0x00BBGGRR), owned by the picture.
platform::Picture MakeBitmapPicture(const std::vector<std::vector<COLORREF>>& rows, const std::string& name);

}  // namespace testing_support
