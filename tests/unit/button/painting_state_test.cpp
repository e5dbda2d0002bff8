// A painting reads the button and draws: it leaves every field as it found them, but for what it keeps
// of itself (the state, caption and caption mode it last painted), tells the page of no change, keeps
// the font in the surface, and so the same painting again gives the same picture.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using ButtonPainting = testing_support::ButtonTest;

TEST_F(ButtonPainting, TheDefaultButtonInItsHoverColoursIsPaintedWithoutChangingIt) {
    // Its own colours with another hover face, the bold caption of the page's default button, and a
    // picture position without a layout box of its own (the caption is measured from where it was).
    TamrixButton& b =
        Make(120, 30,
             "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H004080C0&\nTX = \"Default\"\n"
             "PICPOS = 7\nDefault = True\n");
    SetFocus(nullptr);  // no button has the focus: the page shows its default button as the default
    auto state = [&b] {
        const button::Fields& f = b.fields();
        std::string text;
        for (long value : {f.CaptionRect.left, f.CaptionRect.top, f.CaptionRect.right, f.CaptionRect.bottom,
                           f.PressedCaptionRect.left, f.PressedCaptionRect.top, long{f.CaptionWidth},
                           long{f.CaptionHeight}, long{f.PictureRect.x}, long{f.PictureRect.y}})
            text += std::to_string(value) + " ";
        for (unsigned long colour : std::initializer_list<unsigned long>{
                 f.BackColor, f.BackOver, f.FaceColor, f.LightColor, f.HighlightColor, f.ShadowColor,
                 f.TextColor, f.LitFaceColor})
            text += std::to_string(colour) + " ";
        text += f.Shown ? "shown " : "hidden ";
        return text + (b.FontBold() ? "bold" : "regular");
    };
    std::string notices;
    b.OnPropertyChanged = [&](std::string_view key) { notices += std::string(key) + " "; };
    const HGDIOBJ font = GetCurrentObject(b.hDC(), OBJ_FONT);
    const std::string before = state();

    const testing_support::Pixels hover = testing_support::Paint(b, button::kStateUp, true);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(notices, "");
    EXPECT_EQ(GetCurrentObject(b.hDC(), OBJ_FONT), font) << "the host's font stays in the surface";
    EXPECT_EQ(b.fields().LastCaptionMode, button::kCaptionUpHover);
    EXPECT_TRUE(testing_support::Paint(b, button::kStateUp, true) == hover) << "a second painting differs";
}
