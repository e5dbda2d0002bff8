// The button's pure rules: shades, ramps, grey levels, access keys and the geometry of caption and focus
// rectangle. (The window shape and the grey tones are checked on the real control's pixels.)
#include "button/button_math.h"

#include <gtest/gtest.h>

using namespace button;

TEST(ButtonMath, ShiftColorShadesAndClampsOnlyInTheDirectionOfTheShift) {
    struct Case {
        std::uint32_t colour;
        std::int32_t amount;
        bool proportional, soft;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0xC0C0C0, 48, true, false, 0xF0F0F0},   {0xC0C0C0, 48, true, true, 0xD8D8D8},
        {0x996633, 48, true, false, 0xBF9663},  // blue moves by 153 x 48 / 192 = 38
        {0x996633, 48, false, false, 0xC99663},  {0x0080FF, -40, false, false, 0x0058D7},
        {0x123456, 0, true, true, 0x123456},     {0x101010, -9, false, true, 0x0C0C0C},  // -9 halves to -4
        {0x101010, -1, false, true, 0x101010},   {0x101010, 47, false, true, 0x272727},
        {0xFFFFFF, 10, false, false, 0xFFFFFF},  {0x050505, -10, false, false, 0x000000},
        {0xC00000, -250, true, false, 0x000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftColorValue(c.colour, c.amount, c.proportional, c.soft), c.expected)
            << std::hex << c.colour << " by " << std::dec << c.amount << " " << c.proportional << c.soft;
}

TEST(ButtonMath, RoundingRampsAndGreyLevels) {
    const std::pair<double, std::int64_t> halves[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-2.5, -2}, {2.4, 2}};
    for (auto [value, expected] : halves) EXPECT_EQ(RoundHalfEven(value), expected) << value;

    for (int i = 1; i <= 25; ++i) EXPECT_EQ(RampAmount(25, 25, i), -i) << i;
    const int at50[] = {0, -1, -2, -2, -2, -3};
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(RampAmount(25, 50, i), at50[i - 1]) << i;
    // 58 / 24 held in single precision is a little above 2.41666: line 6 is -14.5000005, not a half.
    EXPECT_EQ(RampAmount(58, 24, 6), -15);

    EXPECT_EQ(GreyLevel(128, 128, 128), 128);
    EXPECT_TRUE(IsDarkPixel(128, 128, 128));
    EXPECT_FALSE(IsDarkPixel(128, 128, 129));
}

TEST(ButtonMath, AccessKeyPassesOverOneEscapedAmpersandOnly) {
    struct Case {
        const char* caption;
        std::optional<char> key;
        const char* shown;  // what a screen reader hears
    };
    const Case cases[] = {
        {"&Return", 'R', "Return"},
        {"Order &Form", 'F', "Order Form"},
        {"Home && Office", {}, "Home & Office"},
        {"Tom && &Jerry", 'J', nullptr},
        {"A && B && &C", {}, nullptr},
        {"Tail&", {}, "Tail"},
        {"&", {}, nullptr},
        {"", {}, ""},
        {"&&&x", 'x', nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AccessKeyCharacter(c.caption), c.key) << c.caption;
        if (c.shown) {
            EXPECT_EQ(CaptionWithoutMarkers(c.caption), c.shown);
        }
    }
}

TEST(ButtonMath, FocusRectAndCaptionPlaceFollowTheStyle) {
    EXPECT_EQ(FocusRectFor(14, 80, 24), (PixelRect{6, 6, 76, 20}));
    EXPECT_EQ(FocusRectFor(3, 80, 24), (PixelRect{4, 4, 76, 20}));
    EXPECT_EQ(FocusRectFor(11, 80, 24), (PixelRect{3, 3, 77, 21}));
    EXPECT_EQ(FocusRectFor(2, 80, 24), (PixelRect{0, 0, 80, 24}));

    // The worked example: 100 x 30, no picture, a caption measuring 40 x 13.
    EXPECT_EQ(CaptionLayoutBox(0, 100, 30, 0, 0), (PixelRect{4, 4, 92, 22}));
    EXPECT_EQ(CaptionMove(0, 100, 30, 0, 0, PixelRect{4, 4, 44, 17}), (PixelPoint{28, 6}));
}
