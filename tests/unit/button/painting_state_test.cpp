// Paintings after a change the button hears of only from outside: a new display scale.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using ButtonPainting = testing_support::ButtonTest;

// At a new display scale the default button's bold caption is made again at that scale, and a picture
// drawn at a size its bitmap does not have is stretched to it, across or down.
TEST_F(ButtonPainting, AtANewScaleTheBoldCaptionIsMadeAgainAndThePictureStretched) {
    const std::string settings = "BTYPE = 14\nTX = \"Default\"\nDefault = True\nFONT = Font(\"Arial\", 9)\n";
    TamrixButton& moved = Make(120, 30, settings);
    TamrixButton& made = Make(120, 30, settings);
    TamrixButton& column = Make(40, 30, "BTYPE = 14\nTX = \"\"\n");
    const COLORREF white = 0xFFFFFF, red = 0x0000FF;
    for (TamrixButton* b : {&moved, &made})
        b->SetPictureNormal(testing_support::MakeBitmapPicture({{red, 0x00FF00, 0xFF0000, white}}, "ROW"));
    column.SetPictureNormal(testing_support::MakeBitmapPicture({{white}, {white}, {white}, {red}}, "COLUMN"));
    SetFocus(nullptr);  // no button has the focus: each page shows its default button as the default
    testing_support::Paint(moved, button::kStateUp);
    testing_support::Paint(column, button::kStateUp);
    for (int index : {0, 1, 2}) {
        RECT r{};
        GetWindowRect(PageOf(index).hwnd(), &r);
        RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, 120, 96),
                       r.top + MulDiv(r.bottom - r.top, 120, 96)};
        SendMessageA(PageOf(index).hwnd(), WM_DPICHANGED, MAKEWPARAM(120, 120),
                     reinterpret_cast<LPARAM>(&suggested));
    }
    // The other button's bold font is made again for another face and back, at the new scale.
    made.SetFontName("Courier New");
    testing_support::Paint(made, button::kStateUp);
    made.SetFontName("Arial");
    const testing_support::Pixels look = testing_support::Paint(moved, button::kStateUp);
    EXPECT_TRUE(look == testing_support::Paint(made, button::kStateUp));
    // Four pixels across at 96 pixels an inch are five at 120, and one down is still one; and the other
    // way round.
    const auto& at = moved.fields().PictureRect;
    ASSERT_EQ(at.width * 10 + at.height, 51);
    EXPECT_EQ(look.at(at.x + 4, at.y), white);
    const auto& down = column.fields().PictureRect;
    ASSERT_EQ(down.width * 10 + down.height, 15);
    EXPECT_EQ(testing_support::Paint(column, button::kStateUp).at(down.x, down.y + 4), red);
}
