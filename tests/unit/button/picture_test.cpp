// Pictures: the mask colour taken out or drawn, and the grey tones of the greyscale picture.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::kStateUp;
using button::TamrixButton;
using testing_support::Hex;
using testing_support::MakeBitmapPicture;
using testing_support::Paint;
using testing_support::Pixels;
using ButtonPicture = testing_support::ButtonTest;
using Rows = std::vector<std::vector<COLORREF>>;

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kGreen = 0x00FF00;

// A flat green button of style 0 (face and picture only), without caption: the picture is centred.
const char* kFlatGreen = "BTYPE = 0\nCOLTYPE = 2\nBCOL = &H0000FF00&\nBCOLO = &H0000FF00&\nTX = \"\"\n";

}  // namespace

TEST_F(ButtonPicture, TheMaskColourShowsTheFaceOrIsDrawn) {
    TamrixButton& b = Make(40, 30, kFlatGreen);
    Rows rows(16, std::vector<COLORREF>(16, kRed));
    for (auto& row : rows) std::fill(row.begin() + 8, row.end(), kSilver);
    b.SetPictureNormal(MakeBitmapPicture(rows, "HALF_SILVER"));
    const auto& r = b.fields().PictureRect;
    ASSERT_EQ(std::vector<int>({r.x, r.y, r.width}), std::vector<int>({12, 7, 16}));
    Pixels masked = Paint(b, kStateUp);
    EXPECT_EQ(masked.Count(kRed, 12, 7, 20, 23), 8 * 16);
    EXPECT_EQ(masked.Count(kGreen, 20, 7, 28, 23), 8 * 16);
    b.SetUseMaskColor(false);
    EXPECT_EQ(Paint(b, kStateUp).Count(kSilver, 20, 7, 28, 23), 8 * 16);
}

TEST_F(ButtonPicture, GreyscaleShowsGreyTonesUntilThePointerIsOver) {
    TamrixButton& b = Make(40, 30, std::string(kFlatGreen) + "NGREY = True\n");
    b.SetPictureNormal(MakeBitmapPicture({{kRed, kGreen, kBlue, 0x808080}}, "GREYS"));
    const int x = b.fields().PictureRect.x, y = b.fields().PictureRect.y;
    const COLORREF greyed[] = {0x4C4C4C, 0x969696, 0x1C1C1C, 0x808080};  // 76, 150, 28, 128
    Pixels grey = Paint(b, kStateUp);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Hex(grey.at(x + i, y)), Hex(greyed[i])) << i;
    EXPECT_EQ(Hex(Paint(b, kStateUp, true).at(x, y)), Hex(kRed));
}
