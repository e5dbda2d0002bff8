// The looks of each style, pixel by pixel where they are fixed, and the rules of the redraw pipeline.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/units.h"
#include "support/button_page.h"
#include "support/button_surface.h"

using button::kStateDown;
using button::kStateUp;
using button::ShiftColorValue;
using button::TamrixButton;
using testing_support::CaptureSurface;
using testing_support::ExpectPixels;
using testing_support::MakeButton;
using testing_support::Paint;
using testing_support::PixelAt;
using testing_support::Pixels;

namespace {

COLORREF P(COLORREF c, int a) {
    return ShiftColorValue(c, a, true, false);
}

const char* kShadedGrey = "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H004080C0&\nFCOL = 0\nFCOLO = 0\n";
const std::string kFramedGrey = "BTYPE = 3\nCOLTYPE = 3\n";
const COLORREF kLit = 0xF0F0F0;  // scheme 3's face C0C0C0 lightened by 48, proportionally

}  // namespace

TEST(ButtonShaded, FramesRampsAndTheHoverDownAndDisabledLooks) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    TamrixButton& b = *fixture.button;
    // Face C0C0C0: highlight EFEFEF, shadow 808080. Frames, then the two-pixel highlight; the ramp falls 58
    // shades over the height: rows 4, 6, 12 and 21 shift by -10, -15, -29 and -51.
    const std::vector<PixelAt> upLook = {{0, 0, 0x4E4E4E},  {79, 0, 0x4E4E4E}, {0, 12, 0x4E4E4E},  {79, 23, 0x4E4E4E},
                                         {1, 1, 0xB7B7B7},  {78, 1, 0xB7B7B7}, {1, 22, 0xB7B7B7},  {78, 22, 0xB7B7B7},
                                         {2, 2, 0xEFEFEF},  {77, 3, 0xEFEFEF}, {2, 4, 0xEFEFEF},   {3, 21, 0xEFEFEF},
                                         {40, 4, 0xE5E5E5}, {40, 6, 0xE0E0E0}, {40, 12, 0xD2D2D2}, {40, 21, 0xBCBCBC}};
    // Hover: flat, everything from BackOver 4080C0: light +31, shadow -64 then -50, face -9, highlight +47.
    const std::vector<PixelAt> hoverLook = {
        {40, 12, 0x5F9FDF}, {40, 6, 0x5F9FDF}, {0, 0, 0x000E4E}, {1, 1, 0x3777B7}, {2, 2, 0x6FAFEF}};
    const std::vector<PixelAt> downLook = {
        {40, 12, 0xB7B7B7}, {1, 1, 0xB7B7B7},   {78, 1, 0xB7B7B7}, {1, 22, 0xB7B7B7}, {0, 0, 0x505050},
        {40, 23, 0x505050}, {79, 22, 0x505050}, {2, 22, 0xEFEFEF}, {78, 2, 0xEFEFEF}, {78, 22, 0xEFEFEF}};
    // Pointer over a disabled button: no flat hover fill, but the colours follow BackOver.
    const std::vector<PixelAt> disabledOver = {
        {40, 12, ShiftColorValue(0x6FAFEF, -29, false, false)}, {0, 0, 0x000E4E}, {2, 2, 0x6FAFEF}};
    Pixels up = Paint(b, kStateUp);
    ExpectPixels(up, upLook, "up");
    ExpectPixels(Paint(b, kStateUp, true), hoverLook, "hover");
    EXPECT_EQ(b.fields().FaceColor, 0xC0C0C0u);  // the set is the face's again afterwards
    ExpectPixels(Paint(b, kStateDown), downLook, "down");
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, kStateDown), up);  // same ramp and frames; an empty caption and no focus rectangle
    ExpectPixels(Paint(b, kStateUp, true), disabledOver, "disabled, over");
}

TEST(ButtonShaded, TheDefaultButtonWritesItsCaptionInBoldWithoutChangingItsFont) {
    platform::Application app;
    auto plain = MakeButton(app, 100, 30, std::string(kShadedGrey) + "TX = \"Hello\"\n");
    auto asDefault = MakeButton(app, 100, 30, std::string(kShadedGrey) + "TX = \"Hello\"\nDefault = True\n");
    TamrixButton& b = *asDefault.button;
    ASSERT_TRUE(b.AmbientDisplayAsDefault());
    RECT before = b.fields().CaptionRect;
    int paints = b.PaintCount();
    // Bold strokes make a wider caption. (Inside the frames the face never gets this dark.)
    auto inkWidth = [](const Pixels& p) {
        int left = p.width(), right = 0;
        for (int y = 4; y < p.height() - 4; ++y)
            for (int x = 4; x < p.width() - 4; ++x)
                if (GetRValue(p.at(x, y)) < 0xA0) left = std::min(left, x), right = std::max(right, x + 1);
        return right - left;
    };
    EXPECT_GT(inkWidth(Paint(b, kStateUp)), inkWidth(Paint(*plain.button, kStateUp)));
    // The bold font came and went through the property, whose own repaints were held back.
    EXPECT_FALSE(b.FontBold());
    EXPECT_EQ(b.PaintCount(), paints + 1);
    EXPECT_TRUE(EqualRect(&before, &b.fields().CaptionRect));
}

TEST(ButtonFramed, UpAndDownLooksRampEdgesAndCornersAndDisabledIsFlat) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 25, kFramedGrey);
    auto tall = MakeButton(app, 80, 50, kFramedGrey);
    TamrixButton& b = *fixture.button;
    ASSERT_EQ(b.fields().LitFaceColor, kLit);
    const COLORREF pressed = 0xC8D0D0;  // the lit face -32
    const std::vector<PixelAt> upLook = {
        {40, 10, 0xE4E6E6},     {0, 0, 0x733C00},       {40, 0, 0x733C00},      {79, 24, 0x733C00},
        {1, 1, 0x7B4D10},       {1, 23, 0x7B4D10},      {78, 1, 0x7B4D10},      {78, 23, 0x7B4D10},
        {40, 23, P(kLit, -48)}, {40, 22, P(kLit, -32)}, {78, 10, P(kLit, -36)}, {77, 10, P(kLit, -24)},
        {40, 1, P(kLit, 16)},   {40, 2, P(kLit, 10)},   {1, 10, P(kLit, -5)},   {2, 10, P(kLit, -10)}};
    const std::vector<PixelAt> downLook = {{0, 0, 0x733C00},         {78, 23, 0x7B4D10},       {40, 23, P(pressed, 16)},
                                           {40, 22, P(pressed, 10)}, {78, 10, P(pressed, 5)},  {77, 10, kLit},
                                           {40, 1, P(pressed, -32)}, {40, 2, P(pressed, -24)}, {1, 10, P(pressed, -32)},
                                           {2, 10, P(pressed, -22)}};
    const std::vector<PixelAt> disabledLook = {{40, 10, P(kLit, -24)}, {40, 1, P(kLit, -24)}, {0, 0, P(kLit, -84)},
                                               {40, 24, P(kLit, -84)}, {1, 1, P(kLit, -72)},  {78, 23, P(kLit, -72)}};
    // At H = 50 halves go to the even neighbour: rows 3 to 6 shift by -2, -2, -2, -3; row 46 by -23.
    const std::vector<PixelAt> tallLook = {
        {40, 3, P(kLit, -2)}, {40, 5, P(kLit, -2)}, {40, 6, P(kLit, -3)}, {40, 46, P(kLit, -23)}};
    Pixels up = Paint(b, kStateUp);
    Pixels down = Paint(b, kStateDown);
    for (int y = 3; y <= 21; ++y) {  // at H = 25 the ramp shifts line i by -i, pressed by -(25 - i)
        ExpectPixels(up, {{40, y, P(kLit, -y)}}, "up ramp");
        ExpectPixels(down, {{40, y, P(pressed, y - 25)}}, "down ramp");
    }
    ExpectPixels(up, upLook, "up");
    ExpectPixels(down, downLook, "down");
    ExpectPixels(Paint(*tall.button, kStateUp), tallLook, "tall");
    b.SetEnabled(false);
    ExpectPixels(Paint(b, kStateUp, true, true), disabledLook, "disabled");  // neither ring shows
}

TEST(ButtonFramed, HoverAndFocusRingsAndWhichWins) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 25, kFramedGrey);
    auto asDefault = MakeButton(app, 80, 25, kFramedGrey + "Default = True\n");
    TamrixButton& b = *fixture.button;
    auto ring = [](const COLORREF(&c)[5]) {
        return std::vector<PixelAt>{{1, 10, c[0]}, {78, 10, c[0]}, {40, 22, c[0]}, {40, 23, c[1]},  {40, 1, c[2]},
                                    {40, 2, c[3]}, {2, 10, c[4]},  {77, 10, c[4]}, {1, 1, 0x7B4D10}};
    };
    const COLORREF hover[5] = {0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
    const COLORREF focus[5] = {0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};
    ExpectPixels(Paint(b, kStateUp, true), ring(hover), "hover ring");
    ExpectPixels(Paint(b, kStateUp, false, true), ring(focus), "focus ring");
    ExpectPixels(Paint(b, kStateUp, true, true), ring(hover), "hover wins over focus");
    ExpectPixels(Paint(*asDefault.button, kStateUp), ring(focus), "the default button without the focus");
    b.SetShowFocusRect(false);
    EXPECT_EQ(Paint(b, kStateUp, false, true), Paint(b, kStateUp));
}

TEST(ButtonSeeThrough, ThePageShowsThroughFromTheLastCaptureWithRaisedAndSunkenBevels) {
    platform::Application app;
    auto page = testing_support::MakeButtonPage(
        app,
        "Begin Page frmGlass\n    Width = 6000\n    Height = 4500\n    BackColor = &H00FFC0C0&\n"
        "    Begin Catalog.TamrixButton cmdGlass\n        Left = " +
            std::to_string(platform::PixelsToTwipsX(20)) +
            "\n        Top = " + std::to_string(platform::PixelsToTwipsY(10)) +
            "\n        Width = " + std::to_string(platform::PixelsToTwipsX(80)) +
            "\n        Height = " + std::to_string(platform::PixelsToTwipsY(24)) +
            "\n        BTYPE = 11\n        COLTYPE = 3\n        TX = \"\"\n    End\nEnd\n");
    page->Load();
    page->Show();
    auto& b = page->Get<TamrixButton>("cmdGlass");
    const COLORREF blue = 0xFFC0C0;
    EXPECT_EQ(Paint(b, kStateUp).Count(blue), 80 * 24);  // not the face colour: the page beneath
    ExpectPixels(Paint(b, kStateUp, true),
                 {{0, 0, 0xFFFFFF},
                  {0, 22, 0xFFFFFF},
                  {78, 0, 0xFFFFFF},
                  {79, 0, 0x808080},
                  {79, 22, 0x808080},
                  {0, 23, 0x808080},
                  {79, 23, 0x808080},
                  {40, 12, blue},
                  {1, 1, blue}},
                 "raised");
    ExpectPixels(Paint(b, kStateDown),
                 {{0, 0, 0x808080}, {78, 0, 0x808080}, {79, 0, 0xFFFFFF}, {0, 23, 0xFFFFFF}, {79, 23, 0xFFFFFF}},
                 "sunken");

    // A picture painted on the page afterwards shows only once the button copies the page again.
    page->PaintPicture(page->Pictures().Get("JPG_TAB0"), 0, 0);
    testing_support::Pump(app);
    platform::WindowDC screen(nullptr);
    platform::MemorySurface surface(screen.get(), 200, 100);
    SendMessageA(page->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    Pixels patterned = testing_support::CapturePixels(surface.dc(), 20, 10, 80, 24);
    ASSERT_LT(patterned.Count(blue), 80 * 24 / 2);
    EXPECT_NE(Paint(b, kStateUp), patterned);
    b.Refresh();
    EXPECT_EQ(CaptureSurface(b), patterned);
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, kStateUp, true), patterned);
    page->UnloadWithoutAsking();
}

TEST(ButtonPipeline, LooksChosenByStateValueAndStyle) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, std::string(kShadedGrey) + "TX = \"Hello\"\n");
    TamrixButton& b = *fixture.button;
    const int all = 80 * 24;
    // A check button whose value is set paints the down look for an up request.
    Pixels down = Paint(b, kStateDown);
    b.SetCheckBoxBehaviour(true);
    b.SetValue(true);
    EXPECT_EQ(Paint(b, kStateUp), down);
    EXPECT_EQ(b.fields().LastState, kStateDown);
    b.SetValue(false);
    EXPECT_EQ(Paint(b, 1).Count(0xC0C0C0), all);  // state 1: the face and nothing else

    // Style 0: a flat face; no caption unless the picture sits behind it.
    b.SetButtonType(0);
    EXPECT_EQ(Paint(b, kStateUp).Count(0xC0C0C0), all);
    EXPECT_EQ(Paint(b, kStateDown).Count(0xC0C0C0), all);
    b.SetPictureNormal(testing_support::MakeBitmapPicture({{0x0000FF, 0x0000FF}, {0x0000FF, 0x0000FF}}, "RED"));
    EXPECT_EQ(Paint(b, kStateUp).Count(0xC0C0C0), all - 4);
    b.SetPicturePosition(4);
    Pixels behind = Paint(b, kStateUp);
    EXPECT_GT(all - behind.Count(0xC0C0C0) - behind.Count(0x0000FF), 10);

    // Disabled with the pointer over under the button's own colours: the face is BackOver.
    b.SetPictureNormal({});
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, kStateUp, true).Count(0x4080C0), all);
    b.SetColorScheme(3);  // other schemes ignore BackOver
    EXPECT_EQ(Paint(b, kStateUp, true).Count(0xC0C0C0), all);
}

TEST(ButtonPipeline, UnforcedRequestsForTheSameLookDrawOnceAndOnlyTheFinishedImageIsShown) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    TamrixButton& b = *fixture.button;
    testing_support::Pump(app);
    b.RenderButton(kStateDown, true);
    int paints = b.PaintCount();
    b.RenderButton(kStateUp, false);
    b.RenderButton(kStateUp, false);
    EXPECT_EQ(b.PaintCount(), paints + 1);
    b.RenderButton(kStateUp, true);
    EXPECT_EQ(b.PaintCount(), paints + 2);

    // Painting draws into the surface and asks the window for a repaint; the window copies it.
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(b.hwnd(), &update, FALSE));
    testing_support::Pump(app);
    platform::WindowDC window(b.hwnd());
    Pixels onScreen = testing_support::CapturePixels(window.get(), 0, 0, 80, 24);
    Pixels surface = CaptureSurface(b);
    onScreen.set(79, 0, surface.at(79, 0));  // the two cut corners show the page
    onScreen.set(0, 23, surface.at(0, 23));
    EXPECT_EQ(onScreen, surface);

    // A button of no height is never drawn.
    b.Move(0, 0, b.Width(), 0);
    paints = b.PaintCount();
    b.RenderButton(kStateDown, true);
    EXPECT_EQ(b.PaintCount(), paints);
    EXPECT_EQ(b.fields().LastState, kStateUp);
}
