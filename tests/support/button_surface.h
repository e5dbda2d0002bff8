// Reading back exactly what a button drew, and putting a button in the looks that input gives it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "button/button_math.h"
#include "button/tamrix_button.h"

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

    // How many pixels of the rectangle [left, right) x [top, bottom) have the colour.
    int Count(COLORREF colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += at(x, y) == colour;
        return count;
    }
    int Count(COLORREF colour) const { return Count(colour, 0, 0, width_, height_); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> data_;
};

// width x height pixels of a DC from (x, y).
Pixels CapturePixels(HDC dc, int x, int y, int width, int height);
// What a window paints of its own over its client area, without its child windows (WM_PRINTCLIENT).
Pixels PrintClient(HWND window);
// The button's drawing surface over its client area: what RenderButton last drew.
Pixels CaptureSurface(const button::TamrixButton& control);
// The hover look on or off, the way input turns it: on with a mouse move while the pointer is over the
// button, off at a tick of its timer that finds the pointer gone. A stand-in answers where the pointer
// is, so the real one stays where it is. The button's events are not raised meanwhile.
void ShowHover(button::TamrixButton& control, bool over);
// The focus on the button, or taken from it (then no window of the thread has it).
void ShowFocus(button::TamrixButton& control, bool focus);
// Paints a look with the hover look and the focus given and reads it back.
Pixels Paint(button::TamrixButton& control, std::uint8_t state, bool over = false, bool focus = false);

// What a button paints, seen on its surface: the surface is covered with a colour the button never
// paints all over, so any painting shows, and the image a painting leaves is named by the look it
// equals: "up", "hover", "down" and "face" (state 1), each as painted with the focus the button has
// now, and the same with " (no focus)" or " (focus)" added for the other case; "unnamed" otherwise.
class SurfaceWatch {
public:
    explicit SurfaceWatch(button::TamrixButton& control);
    // Covers the surface; Painted() is false until the button paints again.
    void Mark();
    bool Painted() const;
    // The name of the image on the surface.
    std::string Look() const;
    // Gives the image on the surface a name.
    void Name(const std::string& name);

private:
    button::TamrixButton& control_;
    Pixels marked_;
    std::vector<std::pair<std::string, Pixels>> looks_;
};

// A picture of a bitmap made from rows of colours (0x00BBGGRR), owned by the picture.
platform::Picture MakeBitmapPicture(const std::vector<std::vector<COLORREF>>& rows, const std::string& name);

}  // namespace testing_support
