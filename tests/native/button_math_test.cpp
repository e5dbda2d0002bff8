// The button's arithmetic with the values its drawing rules give: shades (plain, proportional, soft),
// ramp amounts, grey tones, and where the caption, picture, focus rectangle and cut corners go.
#include "button/button_math.h"

#include <gtest/gtest.h>

using namespace button;

TEST(ButtonMath, CaptionPictureFocusRectangleAndShape) {
    EXPECT_EQ(FocusRectFor(14, 80, 24), (PixelRect{6, 6, 76, 20}));
    EXPECT_EQ(FocusRectFor(3, 80, 24), (PixelRect{4, 4, 76, 20}));
    EXPECT_EQ(FocusRectFor(11, 80, 24), (PixelRect{3, 3, 77, 21}));
    EXPECT_EQ(FocusRectFor(7, 80, 24), (PixelRect{0, 0, 80, 24}));
    EXPECT_EQ(ShapeCutPixels(14, 80, 24), (std::vector<PixelPoint>{{79, 0}, {0, 23}}));
    EXPECT_EQ(ShapeCutPixels(3, 80, 24), (std::vector<PixelPoint>{{0, 0},
                                                                  {1, 0},
                                                                  {0, 1},
                                                                  {78, 0},
                                                                  {79, 0},
                                                                  {79, 1},
                                                                  {0, 23},
                                                                  {1, 23},
                                                                  {0, 22},
                                                                  {78, 23},
                                                                  {79, 23},
                                                                  {79, 22}}));
    EXPECT_TRUE(ShapeCutPixels(11, 80, 24).empty());
    // A 100 x 30 button, a caption 40 x 13: measured in (4, 4, 92, 22), it lands at (32, 10, 72, 23).
    EXPECT_EQ(CaptionLayoutBox(0, 100, 30, 0, 0), (PixelRect{4, 4, 92, 22}));
    EXPECT_EQ(CaptionMove(0, 100, 30, 0, 0, {4, 4, 44, 17}), (PixelPoint{28, 6}));
    // With a 20 x 16 picture on a 100 x 56 button, position by position.
    const std::optional<PixelRect> boxes[] = {PixelRect{24, 4, 92, 48}, PixelRect{4, 4, 72, 48},
                                              PixelRect{4, 20, 92, 48}, PixelRect{4, 4, 92, 32},
                                              PixelRect{4, 1, 92, 52},  std::nullopt};
    const PixelPoint moves[] = {{24, 13}, {12, 13}, {24, 13}, {24, 3}, {24, 13}, {0, 0}};
    const PixelRect caption{30, 20, 70, 33};
    const std::optional<PixelPoint> places[] = {PixelPoint{4, 20},  PixelPoint{76, 20}, PixelPoint{40, 2},
                                                PixelPoint{40, 35}, PixelPoint{40, 20}, std::nullopt};
    for (int p = 0; p <= 5; ++p) {
        EXPECT_EQ(CaptionLayoutBox(p, 100, 56, 20, 16), boxes[p]) << p;
        EXPECT_EQ(CaptionMove(p, 100, 56, 20, 16, {4, 4, 52, 30}), moves[p]) << p;
        EXPECT_EQ(PicturePlacement(p, false, caption, 100, 56, 20, 16), places[p]) << p;
        EXPECT_EQ(PicturePlacement(p, true, caption, 100, 56, 20, 16), (PixelPoint{40, 20})) << p;
    }
    EXPECT_TRUE(IsBlankCaption("   ") && IsBlankCaption("") && !IsBlankCaption(" x "));
}
