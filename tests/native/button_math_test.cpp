// The button's pure rules: shades, ramps, grey levels, access keys and the geometry of caption,
// picture, focus rectangle and window shape.
#include "button/button_math.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace button;

TEST(ButtonMath, ShiftColorShadesAndClampsOnlyInTheDirectionOfTheShift) {
    struct Case {
        std::uint32_t colour;
        std::int32_t amount;
        bool proportional;
        bool soft;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0xC0C0C0, 48, true, false, 0xF0F0F0},   {0xC0C0C0, 48, true, true, 0xD8D8D8},  // half the amount
        {0x996633, 48, true, false, 0xBF9663},  // blue moves by 153 x 48 / 192 = 38
        {0x996633, 48, false, false, 0xC99663},  {0x0080FF, -40, false, false, 0x0058D7},
        {0x123456, 0, false, false, 0x123456},   {0x123456, 0, true, true, 0x123456},
        {0x101010, -9, false, true, 0x0C0C0C},  // -9 halves to -4, toward zero
        {0x101010, -1, false, true, 0x101010},  // -1 halves to 0
        {0x101010, 47, false, true, 0x272727},  // 47 halves to 23
        {0xFFFFFF, 10, false, false, 0xFFFFFF},  {0x050505, -10, false, false, 0x000000},
        {0xC00000, -250, true, false, 0x000000},  // blue 192 - 250 clamps at 0
        {0xC0C0C0, -64, false, false, 0x808080}, {0xC0C0C0, 31, false, false, 0xDFDFDF},
        {0xC0C0C0, 47, false, false, 0xEFEFEF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftColorValue(c.colour, c.amount, c.proportional, c.soft), c.expected)
            << std::hex << c.colour << " by " << std::dec << c.amount << (c.proportional ? " proportional" : "")
            << (c.soft ? " soft" : "");
}

TEST(ButtonMath, RoundHalfEvenSendsHalvesToTheEvenNeighbour) {
    const std::pair<double, std::int64_t> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, 0}, {-1.5, -2},
                                                     {-2.5, -2}, {9.75, 10}, {10.5, 10}, {2.4, 2},  {-2.6, -3}};
    for (auto [value, expected] : cases) EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

TEST(ButtonMath, RampAmountsFollowTheSinglePrecisionStep) {
    for (int i = 1; i <= 25; ++i) EXPECT_EQ(RampAmount(25, 25, i), -i) << i;
    const int at50[] = {0, -1, -2, -2, -2, -3};
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(RampAmount(25, 50, i), at50[i - 1]) << i;
    EXPECT_EQ(RampAmount(25, 50, 50), -25);
    // 58 / 24 held in single precision is a little above 2.41666: line 6 is -14.5000005, not a half.
    EXPECT_EQ(RampAmount(58, 24, 6), -15);
    EXPECT_EQ(RampAmount(58, 24, 24), -58);
}

TEST(ButtonMath, GreyLevelRoundsTheRedShareFirst) {
    struct Case {
        std::uint8_t r, g, b, grey;
    };
    const Case cases[] = {{255, 0, 0, 76}, {0, 255, 0, 150}, {0, 0, 255, 28}, {128, 128, 128, 128}, {0, 0, 0, 0}};
    for (const Case& c : cases) EXPECT_EQ(GreyLevel(c.r, c.g, c.b), c.grey) << +c.r << "," << +c.g << "," << +c.b;
    EXPECT_TRUE(IsDarkPixel(128, 128, 128));
    EXPECT_FALSE(IsDarkPixel(128, 128, 129));
}

TEST(ButtonMath, AccessKeyPassesOverOneEscapedAmpersandOnly) {
    const std::pair<const char*, std::optional<char>> cases[] = {
        {"&Return", 'R'},
        {"Order &Form", 'F'},
        {"Home && Office", std::nullopt},
        {"Tom && &Jerry", 'J'},          // one escaped pair before the marker
        {"A && B && &C", std::nullopt},  // two escaped pairs before it
        {"Tail&", std::nullopt},
        {"&", std::nullopt},
        {"x", std::nullopt},
        {"", std::nullopt},
        {"&&", std::nullopt},
        {"&&&x", 'x'},
        {"No key", std::nullopt},
    };
    for (auto [caption, key] : cases) EXPECT_EQ(AccessKeyCharacter(caption), key) << caption;
}

TEST(ButtonMath, CaptionWithoutMarkersReadsAsTheScreenShowsIt) {
    EXPECT_EQ(CaptionWithoutMarkers("&Return"), "Return");
    EXPECT_EQ(CaptionWithoutMarkers("Home && Office"), "Home & Office");
    EXPECT_EQ(CaptionWithoutMarkers("Tail&"), "Tail");
    EXPECT_EQ(CaptionWithoutMarkers("Plain"), "Plain");
}

TEST(ButtonMath, FocusRectAndShapeFollowTheStyle) {
    EXPECT_EQ(FocusRectFor(14, 80, 24), (PixelRect{6, 6, 76, 20}));
    EXPECT_EQ(FocusRectFor(3, 80, 24), (PixelRect{4, 4, 76, 20}));
    EXPECT_EQ(FocusRectFor(11, 80, 24), (PixelRect{3, 3, 77, 21}));
    EXPECT_EQ(FocusRectFor(2, 80, 24), (PixelRect{0, 0, 80, 24}));

    EXPECT_EQ(ShapeCutPixels(14, 80, 24), (std::vector<PixelPoint>{{79, 0}, {0, 23}}));
    std::vector<PixelPoint> framed = ShapeCutPixels(3, 80, 24);
    EXPECT_EQ(framed.size(), 12u);
    for (PixelPoint corner : {PixelPoint{0, 0}, PixelPoint{79, 0}, PixelPoint{0, 23}, PixelPoint{79, 23}})
        EXPECT_NE(std::find(framed.begin(), framed.end(), corner), framed.end());
    EXPECT_EQ(std::find(framed.begin(), framed.end(), PixelPoint{1, 1}), framed.end());
    EXPECT_TRUE(ShapeCutPixels(11, 80, 24).empty());
    EXPECT_TRUE(ShapeCutPixels(0, 80, 24).empty());
}

TEST(ButtonMath, CaptionLayoutOfTheWorkedExample) {
    // W 100, H 30, no picture, a caption measuring 40 x 13.
    std::optional<PixelRect> box = CaptionLayoutBox(0, 100, 30, 0, 0);
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, (PixelRect{4, 4, 92, 22}));
    PixelRect measured{4, 4, 44, 17};
    EXPECT_EQ(CaptionMove(0, 100, 30, 0, 0, measured), (PixelPoint{28, 6}));
}

