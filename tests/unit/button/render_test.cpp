// The looks of each style, pixel by pixel where they are fixed, and the rules of the redraw pipeline.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/units.h"
#include "support/button_page.h"
#include "support/button_surface.h"

using button::ShiftColorValue;
using button::TamrixButton;
using button::TamrixButtonTestAccess;
using testing_support::CaptureSurface;
using testing_support::Hex;
using testing_support::MakeButton;
using testing_support::Pixels;

namespace {

// A pixel that a look fixes.
struct Expected {
    int x, y;
    COLORREF colour;
};

void ExpectPixels(const Pixels& p, const std::vector<Expected>& expected, const std::string& look) {
    for (const Expected& e : expected)
        EXPECT_EQ(Hex(p.at(e.x, e.y)), Hex(e.colour)) << look << " at (" << e.x << ", " << e.y << ")";
}

// Paints a look with the hover and focus flags given (the page's own focus is taken away).
Pixels Paint(TamrixButton& b, std::uint8_t state, bool over = false, bool focus = false) {
    TamrixButtonTestAccess::SetPointerOver(b, over);
    TamrixButtonTestAccess::SetHasFocus(b, focus);
    b.RenderButton(state, true);
    return CaptureSurface(b);
}

COLORREF S(COLORREF c, int a) {
    return ShiftColorValue(c, a, false, false);
}
COLORREF P(COLORREF c, int a) {
    return ShiftColorValue(c, a, true, false);
}

const char* kShadedGrey = "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H004080C0&\nFCOL = 0\nFCOLO = 0\n";

}  // namespace

TEST(ButtonShaded, UpLookFramesAndShadesTheFace) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    Pixels up = Paint(*fixture.button, button::kStateUp);
    // Face C0C0C0: highlight EFEFEF, shadow 808080. Frames, then the two-pixel highlight.
    ExpectPixels(up,
                 {{0, 0, 0x4E4E4E},
                  {40, 0, 0x4E4E4E},
                  {79, 0, 0x4E4E4E},
                  {0, 12, 0x4E4E4E},
                  {79, 23, 0x4E4E4E},
                  {1, 1, 0xB7B7B7},
                  {78, 1, 0xB7B7B7},
                  {1, 22, 0xB7B7B7},
                  {40, 22, 0xB7B7B7},
                  {78, 22, 0xB7B7B7},
                  {2, 2, 0xEFEFEF},
                  {77, 2, 0xEFEFEF},
                  {77, 3, 0xEFEFEF},
                  {2, 4, 0xEFEFEF},
                  {3, 21, 0xEFEFEF},
                  {4, 4, 0xE5E5E5},
                  {4, 21, 0xBCBCBC}},
                 "up");
    // The ramp falls 58 shades over the height: rows 4, 6, 12 and 21 shift by -10, -15, -29 and -51.
    ExpectPixels(up, {{40, 4, 0xE5E5E5}, {40, 6, 0xE0E0E0}, {40, 12, 0xD2D2D2}, {40, 21, 0xBCBCBC}}, "up ramp");
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonShaded, HoverFillsFlatInTheHoverColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    TamrixButton& b = *fixture.button;
    Pixels hover = Paint(b, button::kStateUp, true);
    // Everything comes from BackOver 0x4080C0: light +31, shadow -64 then -50, face -9, highlight +47.
    ExpectPixels(hover, {{40, 12, 0x5F9FDF}, {40, 6, 0x5F9FDF}, {0, 0, 0x000E4E}, {1, 1, 0x3777B7}, {2, 2, 0x6FAFEF}},
                 "hover");
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(0xC0C0C0));  // the set is the face's again afterwards
    EXPECT_EQ(b.BackColor(), 0xC0C0C0u);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonShaded, DownAndDisabledLooks) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    TamrixButton& b = *fixture.button;
    Pixels down = Paint(b, button::kStateDown);
    ExpectPixels(down,
                 {{40, 12, 0xB7B7B7},
                  {1, 1, 0xB7B7B7},
                  {78, 1, 0xB7B7B7},
                  {1, 22, 0xB7B7B7},
                  {0, 0, 0x505050},
                  {40, 23, 0x505050},
                  {79, 22, 0x505050},
                  {2, 22, 0xEFEFEF},
                  {77, 22, 0xEFEFEF},
                  {78, 2, 0xEFEFEF},
                  {78, 22, 0xEFEFEF}},
                 "down");

    Pixels up = Paint(b, button::kStateUp);
    b.SetEnabled(false);
    Pixels disabled = Paint(b, button::kStateDown);
    EXPECT_EQ(disabled, up);  // same ramp and frames; an empty caption and no focus rectangle

    // Pointer over a disabled button: no flat hover fill, but the colours follow BackOver.
    Pixels disabledOver = Paint(b, button::kStateUp, true);
    ExpectPixels(disabledOver, {{40, 12, S(0x6FAFEF, -29)}, {0, 0, 0x000E4E}, {2, 2, 0x6FAFEF}}, "disabled, over");
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonShaded, TheDefaultButtonWritesItsCaptionInBold) {
    platform::Application app;
    auto plain = MakeButton(app, 100, 30, std::string(kShadedGrey) + "TX = \"Hello\"\n");
    auto asDefault = MakeButton(app, 100, 30, std::string(kShadedGrey) + "TX = \"Hello\"\nDefault = True\n");
    TamrixButton& b = *asDefault.button;
    ASSERT_TRUE(b.AmbientDisplayAsDefault());
    RECT before = b.fields().CaptionRect;
    std::vector<std::string> requests;
    b.onRenderRequest = [&](std::uint8_t state, bool force) {
        requests.push_back(std::to_string(state) + (force ? " forced" : ""));
    };
    int paints = b.PaintCount();
    Pixels bold = Paint(b, button::kStateUp);
    Pixels normal = Paint(*plain.button, button::kStateUp);
    // Bold strokes make a wider caption. (Inside the frames the face never gets this dark.)
    auto inkWidth = [](const Pixels& p) {
        int left = p.width(), right = 0;
        for (int y = 4; y < p.height() - 4; ++y)
            for (int x = 4; x < p.width() - 4; ++x)
                if (GetRValue(p.at(x, y)) < 0xA0) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                }
        return right - left;
    };
    EXPECT_GT(inkWidth(bold), inkWidth(normal));
    // The bold font came and went through the property, whose own repaints were held back.
    EXPECT_FALSE(b.FontBold());
    EXPECT_EQ(b.PaintCount(), paints + 1);
    EXPECT_EQ(requests, (std::vector<std::string>{"0 forced", "0 forced", "0 forced"}));
    EXPECT_TRUE(EqualRect(&before, &b.fields().CaptionRect));
    EXPECT_TRUE(b.fields().Shown);
    b.onRenderRequest = nullptr;
    asDefault.page->UnloadWithoutAsking();
    plain.page->UnloadWithoutAsking();
}

namespace {

const COLORREF kLit = 0xF0F0F0;  // scheme 3's face C0C0C0 lightened by 48, proportionally

const std::string kFramedGrey = "BTYPE = 3\nCOLTYPE = 3\n";

}  // namespace

TEST(ButtonFramed, UpLookRampsEdgesAndCorners) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 25, kFramedGrey);
    TamrixButton& b = *fixture.button;
    ASSERT_EQ(Hex(b.fields().LitFaceColor), Hex(kLit));
    Pixels up = Paint(b, button::kStateUp);
    // At H = 25 the ramp shifts line i by -i.
    for (int y = 3; y <= 21; ++y) ExpectPixels(up, {{40, y, P(kLit, -y)}}, "up ramp");
    ExpectPixels(up, {{40, 10, 0xE4E6E6}}, "up ramp");
    ExpectPixels(up,
                 {{0, 0, 0x733C00},
                  {40, 0, 0x733C00},
                  {0, 12, 0x733C00},
                  {79, 24, 0x733C00},
                  {1, 1, 0x7B4D10},
                  {1, 23, 0x7B4D10},
                  {78, 1, 0x7B4D10},
                  {78, 23, 0x7B4D10}},
                 "up frame");
    ExpectPixels(up,
                 {{40, 23, P(kLit, -48)},
                  {40, 22, P(kLit, -32)},
                  {78, 10, P(kLit, -36)},
                  {77, 10, P(kLit, -24)},
                  {40, 1, P(kLit, 16)},
                  {40, 2, P(kLit, 10)},
                  {1, 10, P(kLit, -5)},
                  {2, 10, P(kLit, -10)}},
                 "up edges");
    fixture.page->UnloadWithoutAsking();

    auto tall = MakeButton(app, 80, 50, kFramedGrey);
    Pixels tallUp = Paint(*tall.button, button::kStateUp);
    // At H = 50 halves go to the even neighbour: rows 3 to 6 shift by -2, -2, -2, -3; row 46 by -23.
    ExpectPixels(tallUp,
                 {{40, 3, P(kLit, -2)},
                  {40, 4, P(kLit, -2)},
                  {40, 5, P(kLit, -2)},
                  {40, 6, P(kLit, -3)},
                  {40, 46, P(kLit, -23)},
                  {40, 48, P(kLit, -48)}},
                 "tall up");
    tall.page->UnloadWithoutAsking();
}

TEST(ButtonFramed, HoverAndFocusRingsAndWhichWins) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 25, kFramedGrey);
    TamrixButton& b = *fixture.button;
    auto ring = [](const COLORREF(&c)[5]) {
        return std::vector<Expected>{{1, 10, c[0]},    {78, 10, c[0]},   {40, 22, c[0]}, {40, 23, c[1]},
                                     {40, 1, c[2]},    {40, 2, c[3]},    {2, 10, c[4]},  {77, 10, c[4]},
                                     {1, 1, 0x7B4D10}, {1, 23, 0x7B4D10}};
    };
    const COLORREF hover[5] = {0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
    const COLORREF focus[5] = {0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};
    ExpectPixels(Paint(b, button::kStateUp, true), ring(hover), "hover ring");
    ExpectPixels(Paint(b, button::kStateUp, false, true), ring(focus), "focus ring");
    ExpectPixels(Paint(b, button::kStateUp, true, true), ring(hover), "hover wins over focus");
    b.SetShowFocusRect(false);
    Pixels hidden = Paint(b, button::kStateUp, false, true);
    EXPECT_EQ(hidden, Paint(b, button::kStateUp));
    ExpectPixels(hidden, {{40, 1, P(kLit, 16)}}, "no ring");
    fixture.page->UnloadWithoutAsking();

    // The default button shows the focus ring without the focus.
    auto asDefault = MakeButton(app, 80, 25, kFramedGrey + "Default = True\n");
    ExpectPixels(Paint(*asDefault.button, button::kStateUp), ring(focus), "default");
    asDefault.page->UnloadWithoutAsking();
}

TEST(ButtonFramed, DownLookRampsUpwardAndDisabledIsFlat) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 25, kFramedGrey);
    TamrixButton& b = *fixture.button;
    const COLORREF pressed = P(kLit, -32);
    ASSERT_EQ(Hex(pressed), Hex(0xC8D0D0));
    Pixels down = Paint(b, button::kStateDown);
    for (int y = 3; y <= 21; ++y) ExpectPixels(down, {{40, y, P(pressed, -(25 - y))}}, "down ramp");
    ExpectPixels(down,
                 {{0, 0, 0x733C00},
                  {1, 1, 0x7B4D10},
                  {78, 23, 0x7B4D10},
                  {40, 23, P(pressed, 16)},
                  {40, 22, P(pressed, 10)},
                  {78, 10, P(pressed, 5)},
                  {77, 10, kLit},
                  {77, 22, P(pressed, 10)},
                  {40, 1, P(pressed, -32)},
                  {40, 2, P(pressed, -24)},
                  {1, 10, P(pressed, -32)},
                  {2, 10, P(pressed, -22)}},
                 "down");

    b.SetEnabled(false);
    Pixels disabled = Paint(b, button::kStateUp, true, true);  // neither ring shows when disabled
    ExpectPixels(disabled,
                 {{40, 10, P(kLit, -24)},
                  {40, 1, P(kLit, -24)},
                  {2, 10, P(kLit, -24)},
                  {0, 0, P(kLit, -84)},
                  {40, 24, P(kLit, -84)},
                  {1, 1, P(kLit, -72)},
                  {78, 23, P(kLit, -72)}},
                 "disabled");
    fixture.page->UnloadWithoutAsking();
}

namespace {

// What the page shows at a rectangle of its client area (its persistent background image).
Pixels PageBackground(platform::Page& page, int x, int y, int width, int height) {
    platform::WindowDC screen(nullptr);
    platform::MemorySurface surface(screen.get(), 2000, 1500);
    SendMessageA(page.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    return testing_support::CapturePixels(surface.dc(), x, y, width, height);
}

}  // namespace

TEST(ButtonSeeThrough, ThePageShowsThroughWithRaisedAndSunkenBevels) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 11\nCOLTYPE = 3\n");
    TamrixButton& b = *fixture.button;
    const COLORREF page = 0xFFC0C0;
    Pixels up = Paint(b, button::kStateUp);
    EXPECT_EQ(up.Count(page, 0, 0, 80, 24), 80 * 24);  // not the face colour: the page beneath

    Pixels hover = Paint(b, button::kStateUp, true);
    ExpectPixels(hover,
                 {{0, 0, 0xFFFFFF},
                  {0, 22, 0xFFFFFF},
                  {78, 0, 0xFFFFFF},
                  {79, 0, 0x808080},
                  {79, 22, 0x808080},
                  {0, 23, 0x808080},
                  {79, 23, 0x808080},
                  {40, 12, page},
                  {1, 1, page}},
                 "raised");
    Pixels down = Paint(b, button::kStateDown);
    ExpectPixels(down,
                 {{0, 0, 0x808080},
                  {0, 22, 0x808080},
                  {78, 0, 0x808080},
                  {79, 0, 0xFFFFFF},
                  {79, 22, 0xFFFFFF},
                  {0, 23, 0xFFFFFF},
                  {79, 23, 0xFFFFFF},
                  {40, 12, page}},
                 "sunken");
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, button::kStateUp, true).Count(page, 0, 0, 80, 24), 80 * 24);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonSeeThrough, TheFaceIsTheParentsPixelsFromTheLastCapture) {
    platform::Application app;
    std::string layout =
        "Begin Page frmGlass\n    Width = 6000\n    Height = 4500\n    BackColor = &H00FFC0C0&\n"
        "    Begin Catalog.TamrixButton cmdGlass\n        Left = " +
        std::to_string(platform::PixelsToTwipsX(20)) +
        "\n        Top = " + std::to_string(platform::PixelsToTwipsY(10)) +
        "\n        Width = " + std::to_string(platform::PixelsToTwipsX(80)) +
        "\n        Height = " + std::to_string(platform::PixelsToTwipsY(24)) +
        "\n        BTYPE = 11\n        COLTYPE = 3\n        TX = \"\"\n    End\nEnd\n";
    auto page = testing_support::MakeButtonPage(app, layout);
    page->Load();
    page->Show();
    auto& b = page->Get<TamrixButton>("cmdGlass");
    EXPECT_EQ(Paint(b, button::kStateUp), PageBackground(*page, 20, 10, 80, 24));

    // A picture painted on the page afterwards shows only once the button copies the page again.
    page->PaintPicture(page->Pictures().Get("JPG_TAB0"), 0, 0);
    testing_support::Pump(app);
    Pixels patterned = PageBackground(*page, 20, 10, 80, 24);
    ASSERT_LT(patterned.Count(0xFFC0C0, 0, 0, 80, 24), 80 * 24 / 2);
    EXPECT_NE(Paint(b, button::kStateUp), patterned);
    b.Refresh();
    EXPECT_EQ(CaptureSurface(b), patterned);
    page->UnloadWithoutAsking();
}

TEST(ButtonPipeline, LooksChosenByStateValueAndStyle) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, std::string(kShadedGrey) + "TX = \"Hello\"\n");
    TamrixButton& b = *fixture.button;

    // A check button whose value is set paints the down look for an up request.
    Pixels down = Paint(b, button::kStateDown);
    b.SetCheckBoxBehaviour(true);
    b.SetValue(true);
    EXPECT_EQ(Paint(b, button::kStateUp), down);
    EXPECT_EQ(b.fields().LastState, button::kStateDown);
    b.SetValue(false);

    // State 1: the face and nothing else.
    EXPECT_EQ(Paint(b, 1).Count(0xC0C0C0, 0, 0, 80, 24), 80 * 24);

    // Style 0: a flat face; no caption unless the picture sits behind it.
    b.SetButtonType(0);
    EXPECT_EQ(Paint(b, button::kStateUp).Count(0xC0C0C0, 0, 0, 80, 24), 80 * 24);
    EXPECT_EQ(Paint(b, button::kStateDown).Count(0xC0C0C0, 0, 0, 80, 24), 80 * 24);
    b.SetPictureNormal(testing_support::MakeBitmapPicture({{0x0000FF, 0x0000FF}, {0x0000FF, 0x0000FF}}, "RED"));
    Pixels withPicture = Paint(b, button::kStateUp);
    EXPECT_EQ(withPicture.Count(0x0000FF, 0, 0, 80, 24), 4);
    EXPECT_EQ(withPicture.Count(0x000000, 0, 0, 80, 24), 0);
    // Behind the caption, the caption is written over the picture (in the look it was last written in).
    b.SetPicturePosition(4);
    Pixels behind = Paint(b, button::kStateUp);
    EXPECT_GT(80 * 24 - behind.Count(0xC0C0C0, 0, 0, 80, 24) - behind.Count(0x0000FF, 0, 0, 80, 24), 10);

    // Disabled with the pointer over under the button's own colours: the face is BackOver.
    b.SetPictureNormal({});
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, button::kStateUp, true).Count(0x4080C0, 0, 0, 80, 24), 80 * 24);
    b.SetColorScheme(3);  // other schemes ignore BackOver
    EXPECT_EQ(Paint(b, button::kStateUp, true).Count(0xC0C0C0, 0, 0, 80, 24), 80 * 24);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPipeline, UnforcedRequestsForTheSameLookDrawOnce) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    TamrixButton& b = *fixture.button;
    b.RenderButton(button::kStateDown, true);
    int paints = b.PaintCount();
    b.RenderButton(button::kStateUp, false);
    b.RenderButton(button::kStateUp, false);
    EXPECT_EQ(b.PaintCount(), paints + 1);
    b.SetCaption("New");  // the caption changed since the last painting: an unforced request draws
    paints = b.PaintCount();
    b.RenderButton(button::kStateUp, false);
    EXPECT_EQ(b.PaintCount(), paints);  // the setter painted it already
    b.RenderButton(button::kStateUp, true);
    EXPECT_EQ(b.PaintCount(), paints + 1);

    // A button of no height is never drawn.
    b.Move(0, 0, b.Width(), 0);
    paints = b.PaintCount();
    b.RenderButton(button::kStateDown, true);
    EXPECT_EQ(b.PaintCount(), paints);
    EXPECT_EQ(b.fields().LastState, button::kStateUp);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPipeline, OnlyTheFinishedImageReachesTheWindow) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kShadedGrey);
    TamrixButton& b = *fixture.button;
    testing_support::Pump(app);
    // Painting draws into the surface and asks the window for a repaint; the window copies it.
    Paint(b, button::kStateDown);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(b.hwnd(), &update, FALSE));
    testing_support::Pump(app);
    EXPECT_FALSE(GetUpdateRect(b.hwnd(), &update, FALSE));
    platform::WindowDC window(b.hwnd());
    Pixels onScreen = testing_support::CapturePixels(window.get(), 0, 0, 80, 24);
    Pixels surface = CaptureSurface(b);
    // The two cut corners show the page; everything else is the surface's image.
    onScreen.set(79, 0, surface.at(79, 0));
    onScreen.set(0, 23, surface.at(0, 23));
    EXPECT_EQ(onScreen.Differences(surface), 0);
    fixture.page->UnloadWithoutAsking();
}
