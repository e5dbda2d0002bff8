// A painting reads the button and draws: it leaves every field as it found them, but for what it keeps
// of itself (the state, caption and caption mode it last painted), tells the page of no change, keeps
// the font in the surface, and so the same painting again gives the same picture.
#include <gtest/gtest.h>

#include "platform/controls/label.h"
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

// A see-through button copies the page beneath it when shown, and again at each Refresh: what lay under
// it then (here a red label, hidden meanwhile) gives way to what lies there now.
TEST(ButtonRefresh, ASeeThroughButtonCopiesThePageBeneathItAgain) {
    platform::Application app;
    auto page = testing_support::MakeButtonPage(
        app,
        "Begin Page frmUnder\n    Width = 3000\n    Height = 1500\n    BackColor = &H00FFC0C0&\n"
        "    Begin Label lblUnder\n        Left = 0\n        Top = 0\n        Width = 1200\n        Height = "
        "450\n"
        "        BackColor = &H000000FF&\n    End\n"
        "    Begin Catalog.TamrixButton cmdOver\n        Left = 0\n        Top = 0\n        Width = 1200\n"
        "        Height = 450\n        BTYPE = 11\n        TX = \"\"\n        FOCUSR = False\n    "
        "End\nEnd\n");
    page->Show();
    testing_support::Pump(app);
    button::TamrixButton& b = page->Get<button::TamrixButton>("cmdOver");
    auto middle = [&b] {
        testing_support::Pixels face = testing_support::CaptureSurface(b);
        return face.at(face.width() / 2, face.height() / 2);
    };
    b.Refresh();
    EXPECT_EQ(middle(), RGB(255, 0, 0));
    ShowWindow(page->Get<platform::Label>("lblUnder").hwnd(), SW_HIDE);
    testing_support::Pump(app);
    b.Refresh();
    EXPECT_EQ(middle(), RGB(192, 192, 255));
    page->UnloadWithoutAsking();
}

// The page's default button draws its caption bold in the font it has now: a new size or face makes a
// new bold font.
TEST_F(ButtonPainting, TheDefaultButtonsBoldCaptionFollowsItsFont) {
    const std::string settings = "BTYPE = 14\nTX = \"Default\"\nDefault = True\n";
    TamrixButton& changed = Make(120, 30, settings + "FONT = Font(\"Arial\", 9)\n");
    TamrixButton& made = Make(120, 30, settings + "FONT = Font(\"Courier New\", 14)\n");
    SetFocus(nullptr);  // no button has the focus: each page shows its default button as the default
    testing_support::Paint(changed, button::kStateUp);
    changed.SetFontSize(14);
    changed.SetFontName("Courier New");
    EXPECT_TRUE(testing_support::Paint(changed, button::kStateUp) ==
                testing_support::Paint(made, button::kStateUp));
}

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

// A new mask colour is keyed out of the picture at once, and the old one shows again; a picture one
// pixel wide is drawn as any other.
TEST_F(ButtonPainting, ANewMaskColourIsKeyedOutAtOnce) {
    TamrixButton& b = Make(60, 30, "BTYPE = 14\nTX = \"\"\nBCOL = &H00FFFFFF&\n");
    const COLORREF grey = 0xC0C0C0, red = 0x0000FF;
    b.SetPictureNormal(testing_support::MakeBitmapPicture({{grey}, {red}}, "TWO"));  // one pixel wide
    const auto& at = b.fields().PictureRect;
    testing_support::Pixels look = testing_support::Paint(b, button::kStateUp);
    EXPECT_EQ(look.at(at.x, at.y + 1), red);
    EXPECT_NE(look.at(at.x, at.y), grey);
    b.SetMaskColor(red);
    look = testing_support::Paint(b, button::kStateUp);
    EXPECT_EQ(look.at(at.x, at.y), grey);
    EXPECT_NE(look.at(at.x, at.y + 1), red);
}
