// The colour sets, the looks of each style pixel by pixel where they are fixed, the caption and its
// effects, the focus rectangle, the window shape, and the rules of the redraw pipeline.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/colour.h"
#include "platform/units.h"
#include "support/button_page.h"
#include "support/button_surface.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using testing_support::CaptureSurface;
using testing_support::Column;
using testing_support::ExpectPixels;
using testing_support::Hex;
using testing_support::Paint;
using testing_support::Pixels;
using ButtonLooks = testing_support::ButtonTest;

namespace {

const char* kShadedGrey = "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H004080C0&\nFCOL = 0\nFCOLO = 0\n";
const std::string kFramedGrey = "BTYPE = 3\nCOLTYPE = 3\n";  // lit face F0F0F0: C0C0C0 lightened by 48

std::string Settings(int type, const std::string& caption, const std::string& more = "") {
    return "BTYPE = " + std::to_string(type) + "\nTX = \"" + caption +
           "\"\nCOLTYPE = 3\nFONT = Font(\"Arial\", 8.25)\n" + more;
}

// Face, light, highlight, shadow, text and hover text colours.
std::string SetOf(const TamrixButton& b) {
    const button::Fields& f = b.fields();
    return Hex(f.FaceColor) + Hex(f.LightColor) + Hex(f.HighlightColor) + Hex(f.ShadowColor) + Hex(f.TextColor) +
           Hex(f.TextOverColor);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

TEST_F(ButtonLooks, EachSchemeDerivesItsColourSet) {
    TamrixButton& b = Make(80, 24, "BTYPE = 14\nBCOL = &H00C0C0C0&\nFCOL = &H00000080&\nFCOLO = &H00008000&\n");
    const std::string system = Hex(GetSysColor(COLOR_BTNFACE)) + Hex(GetSysColor(COLOR_3DLIGHT)) +
                               Hex(GetSysColor(COLOR_BTNHIGHLIGHT)) + Hex(GetSysColor(COLOR_BTNSHADOW)) +
                               Hex(GetSysColor(COLOR_BTNTEXT)) + Hex(GetSysColor(COLOR_BTNTEXT));
    const std::pair<int, std::string> cases[] = {
        {2, "0xC0C0C00xDFDFDF0xEFEFEF0x8080800x0000800x008000"},
        {3, "0xC0C0C00xDFDFDF0xFFFFFF0x8080800x0000000x000000"},  // differs from 2 in the highlight
        {1, system},
        {7, system}};  // any other number is the system scheme
    for (const auto& [scheme, expected] : cases) {
        b.SetColorScheme(scheme);
        EXPECT_EQ(SetOf(b), expected) << "scheme " << scheme;
        EXPECT_EQ(b.fields().MaskRgb, 0xC0C0C0u);
    }

    // System references translate; an unknown one gives black. The lit face follows the style in force
    // at the last resolve: proportional for style 3, where only blue differs.
    b.SetColorScheme(2);
    b.SetBackColor(0x996633);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), "0xC99663");
    b.SetButtonType(3);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), "0xC99663");
    b.SetMaskColor(0x8000000F);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), "0xBF9663");
    EXPECT_EQ(b.fields().MaskRgb, GetSysColor(COLOR_BTNFACE));
    b.SetForeColor(platform::kSystemWindowText);
    EXPECT_EQ(b.fields().TextColor, GetSysColor(COLOR_WINDOWTEXT));
    b.SetBackColor(0x80000077);
    EXPECT_EQ(b.fields().FaceColor, 0u);

    // Scheme 4 takes the parent's surface colours: here a parent whose own DC keeps the colours it was
    // given, as a window of another toolkit may.
    WNDCLASSA wc{CS_OWNDC, PlainProc, 0, 0, GetModuleHandleA(nullptr), 0, 0, 0, 0, "ButtonTestOwnDcParent"};
    RegisterClassA(&wc);
    HWND parent =
        CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HDC own = GetDC(parent);
    SetBkColor(own, 0x336699);
    SetTextColor(own, 0x0000C0);
    ReleaseDC(parent, own);
    HWND oldParent = SetParent(b.hwnd(), parent);
    b.SetColorScheme(4);
    EXPECT_EQ(SetOf(b), "0x3366990x5285B80x6295C80x0026590x0000C00x0000C0");
    SetParent(b.hwnd(), oldParent);
    DestroyWindow(parent);
}

TEST_F(ButtonLooks, ShadedStyleFramesRampsAndHoverDownAndDisabledLooks) {
    TamrixButton& b = Make(80, 24, kShadedGrey);
    // Face C0C0C0: highlight EFEFEF, shadow 808080. Frames, then the two-pixel highlight; the ramp falls
    // 58 shades over the height: rows 4, 6, 12 and 21 shift by -10, -15, -29 and -51.
    Pixels up = Paint(b, kStateUp);
    ExpectPixels(up,
                 "0,0=4E4E4E 40,0=4E4E4E 79,0=4E4E4E 0,12=4E4E4E 79,23=4E4E4E 1,1=B7B7B7 78,1=B7B7B7 "
                 "1,22=B7B7B7 40,22=B7B7B7 78,22=B7B7B7 2,2=EFEFEF 77,2=EFEFEF 77,3=EFEFEF 2,4=EFEFEF "
                 "3,21=EFEFEF 4,4=E5E5E5 4,21=BCBCBC 40,4=E5E5E5 40,6=E0E0E0 40,12=D2D2D2 40,21=BCBCBC",
                 "up");
    // Hover is flat, all from BackOver 4080C0: light +31, shadow -64 then -50, face -9, highlight +47.
    ExpectPixels(Paint(b, kStateUp, true), "40,12=5F9FDF 40,6=5F9FDF 0,0=000E4E 1,1=3777B7 2,2=6FAFEF", "hover");
    EXPECT_EQ(b.fields().FaceColor, 0xC0C0C0u);  // the set is the face's again afterwards
    ExpectPixels(Paint(b, kStateDown),
                 "40,12=B7B7B7 1,1=B7B7B7 78,1=B7B7B7 1,22=B7B7B7 0,0=505050 40,23=505050 79,22=505050 "
                 "2,22=EFEFEF 77,22=EFEFEF 78,2=EFEFEF 78,22=EFEFEF",
                 "down");
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, kStateDown), up);  // same ramp and frames; an empty caption and no focus rectangle
    // Pointer over a disabled button: no flat hover fill, but the colours follow BackOver.
    ExpectPixels(Paint(b, kStateUp, true), "40,12=5292D2 0,0=000E4E 2,2=6FAFEF", "disabled, over");
}

TEST_F(ButtonLooks, FramedStyleRampsEdgesAndCornersAndDisabledIsFlat) {
    TamrixButton& b = Make(80, 25, kFramedGrey);
    Pixels up = Paint(b, kStateUp);
    // At H = 25 the ramp shifts line i by -i (proportionally, from F0F0F0), pressed by -(25 - i) from C8D0D0.
    EXPECT_EQ(Column(up, 40, 3, 21),
              "EDEDED EBECEC EAEBEB E9EAEA E8E9E9 E6E8E8 E5E7E7 E4E6E6 E3E5E5 E1E4E4 E0E3E3 DFE2E2 DEE1E1 DCE0E0 "
              "DBDFDF DADEDE D9DDDD D7DCDC D6DBDB");
    ExpectPixels(up,
                 "0,0=733C00 40,0=733C00 0,12=733C00 79,24=733C00 1,1=7B4D10 1,23=7B4D10 78,1=7B4D10 78,23=7B4D10 "
                 "40,23=B4C0C0 40,22=C8D0D0 78,10=C3CCCC 77,10=D2D8D8 40,1=FFFFFF 40,2=FCFAFA 1,10=EAEBEB "
                 "2,10=E4E6E6",
                 "up");
    Pixels down = Paint(b, kStateDown);
    EXPECT_EQ(Column(down, 40, 3, 21),
              "B2BABA B3BBBB B4BCBC B5BDBD B6BEBE B7BFBF B8C0C0 B9C1C1 BAC2C2 BBC3C3 BCC4C4 BDC5C5 BEC6C6 BFC7C7 "
              "C0C8C8 C1C9C9 C2CACA C3CBCB C4CCCC");
    ExpectPixels(down,
                 "0,0=733C00 1,1=7B4D10 78,23=7B4D10 40,23=D8E0E0 40,22=D2DADA 78,10=CDD5D5 77,10=F0F0F0 "
                 "77,22=D2DADA 40,1=A7B0B0 40,2=AFB8B8 1,10=A7B0B0 2,10=B2BABA",
                 "down");
    b.SetEnabled(false);
    ExpectPixels(Paint(b, kStateUp, true, true),  // neither ring shows when disabled
                 "40,10=D2D8D8 40,1=D2D8D8 2,10=D2D8D8 0,0=879C9C 40,24=879C9C 1,1=96A8A8 78,23=96A8A8", "disabled");
    // At H = 50 halves go to the even neighbour: rows 3 to 6 shift by -2, -2, -2, -3; row 46 by -23.
    ExpectPixels(Paint(Make(80, 50, kFramedGrey), kStateUp), "40,3=EEEEEE 40,5=EEEEEE 40,6=EDEDED 40,46=D4D9D9",
                 "tall");
}

TEST_F(ButtonLooks, FramedStyleHoverAndFocusRingsAndWhichWins) {
    TamrixButton& b = Make(80, 25, kFramedGrey);
    auto ring = [](const char* c0, const char* c1, const char* c2, const char* c3, const char* c4) {
        return std::string("1,10=") + c0 + " 78,10=" + c0 + " 40,22=" + c0 + " 40,23=" + c1 + " 40,1=" + c2 +
               " 40,2=" + c3 + " 2,10=" + c4 + " 77,10=" + c4 + " 1,1=7B4D10 1,23=7B4D10";
    };
    const std::string hover = ring("31B2FF", "0096E7", "CEF3FF", "8CDBFF", "6BCBFF");
    const std::string focus = ring("E7AE8C", "EF826B", "FFE7CE", "F7D7BD", "F0D1B5");
    ExpectPixels(Paint(b, kStateUp, true), hover, "hover ring");
    ExpectPixels(Paint(b, kStateUp, false, true), focus, "focus ring");
    ExpectPixels(Paint(b, kStateUp, true, true), hover, "hover wins over focus");
    ExpectPixels(Paint(Make(80, 25, kFramedGrey + "Default = True\n"), kStateUp), focus, "default, without focus");
    b.SetShowFocusRect(false);
    EXPECT_EQ(Paint(b, kStateUp, false, true), Paint(b, kStateUp));
}

TEST_F(ButtonLooks, SeeThroughStyleShowsThePageFromTheLastCaptureWithRaisedAndSunkenBevels) {
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
    EXPECT_EQ(Paint(b, kStateUp).Count(0xFFC0C0), 80 * 24);  // not the face colour: the page beneath
    ExpectPixels(Paint(b, kStateUp, true),
                 "0,0=FFFFFF 0,22=FFFFFF 78,0=FFFFFF 79,0=808080 79,22=808080 0,23=808080 79,23=808080 "
                 "40,12=FFC0C0 1,1=FFC0C0",
                 "raised");
    ExpectPixels(Paint(b, kStateDown), "0,0=808080 78,0=808080 79,0=FFFFFF 0,23=FFFFFF 79,23=FFFFFF", "sunken");

    // A picture painted on the page afterwards shows only once the button copies the page again.
    page->PaintPicture(page->Pictures().Get("JPG_TAB0"), 0, 0);
    testing_support::Pump(app);
    platform::WindowDC screen(nullptr);
    platform::MemorySurface surface(screen.get(), 200, 100);
    SendMessageA(page->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    Pixels patterned = testing_support::CapturePixels(surface.dc(), 20, 10, 80, 24);
    ASSERT_LT(patterned.Count(0xFFC0C0), 80 * 24 / 2);
    EXPECT_NE(Paint(b, kStateUp), patterned);
    b.Refresh();
    EXPECT_EQ(CaptureSurface(b), patterned);
    b.SetEnabled(false);
    EXPECT_EQ(Paint(b, kStateUp, true), patterned);
    page->UnloadWithoutAsking();
}

TEST_F(ButtonLooks, TheDefaultButtonWritesItsCaptionInBoldWithoutChangingItsFont) {
    TamrixButton& plain = Make(100, 30, std::string(kShadedGrey) + "TX = \"Hello\"\n");
    TamrixButton& b = Make(100, 30, std::string(kShadedGrey) + "TX = \"Hello\"\nDefault = True\n");
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
    EXPECT_GT(inkWidth(Paint(b, kStateUp)), inkWidth(Paint(plain, kStateUp)));
    // The bold font came and went through the property, whose own repaints were held back.
    EXPECT_FALSE(b.FontBold());
    EXPECT_EQ(b.PaintCount(), paints + 1);
    EXPECT_TRUE(EqualRect(&before, &b.fields().CaptionRect));
}

TEST_F(ButtonLooks, TheCaptionIsMeasuredCentredAndWrittenInEachLooksColoursAndPlace) {
    TamrixButton& b = Make(100, 30, Settings(14, "Return", "FCOL = &H00000080&\nFCOLO = &H00008000&\n"));
    const button::Fields& f = b.fields();
    RECT measured{4, 4, 92, 22};  // the worked example's box
    DrawTextA(b.hDC(), "Return", 6, &measured, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(f.CaptionWidth * 100 + f.CaptionHeight, (measured.right - 4) * 100 + measured.bottom - 4);
    LONG dx = (100 - measured.right) / 2, dy = (30 - measured.bottom) / 2;
    const RECT centred{4 + dx, 4 + dy, measured.right + dx, measured.bottom + dy};
    EXPECT_TRUE(EqualRect(&f.CaptionRect, &centred));
    EXPECT_EQ(f.PressedCaptionRect.left + f.PressedCaptionRect.bottom, f.CaptionRect.left + f.CaptionRect.bottom + 2);

    b.SetCaption("WWW");
    RECT inCaption = f.CaptionRect, nearCaption = f.CaptionRect;  // the frames stay outside nearCaption
    InflateRect(&inCaption, 1, 1);
    InflateRect(&nearCaption, 2, 2);
    // Scheme 3 writes black text; the other colours of the set come from the fixed grey palette.
    Pixels up = Paint(b, kStateUp);
    EXPECT_GT(up.Count(0x000000), 10);
    EXPECT_TRUE(Inside(up.Extent(0x000000), inCaption));
    // Disabled: highlight one pixel right and down, shadow at the normal place.
    b.SetEnabled(false);
    RECT shadow = CaptureSurface(b).Extent(0x808080, nearCaption);
    RECT light = CaptureSurface(b).Extent(0xFFFFFF, nearCaption);
    EXPECT_TRUE(shadow.left < shadow.right && Inside(shadow, inCaption));
    EXPECT_EQ(light.left * 100 + light.top, (shadow.left + 1) * 100 + shadow.top + 1);
    b.SetEnabled(true);
    // Down: dark text (the shadow -50) one pixel right and down, highlight-coloured text over it in place.
    Pixels down = Paint(b, kStateDown);
    RECT dark = down.Extent(0x4E4E4E, nearCaption);
    RECT bright = down.Extent(0xFFFFFF, nearCaption);
    EXPECT_EQ(dark.right * 100 + dark.bottom, (bright.right + 1) * 100 + bright.bottom + 1);
    // Scheme 2 with the pointer over: the text in ForeOver.
    b.SetColorScheme(2);
    Pixels over = Paint(b, kStateUp, true);
    EXPECT_GT(over.Count(0x008000), 10);
    EXPECT_EQ(over.Count(0x000080), 0);

    // The access key follows the caption; "&&" shows, and measures, as one ampersand.
    for (auto [caption, key] : {std::pair{"Order &Form", "f"}, {"Tom && &Jerry", "j"}, {"Home && Office", ""}}) {
        b.SetCaption(caption);
        EXPECT_EQ(b.AccessKeys(), key) << caption;
    }
    RECT single{4, 4, 92, 22};
    DrawTextA(b.hDC(), "Home & Office", 13, &single, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(f.CaptionWidth, single.right - single.left);
    char text[64] = {};
    GetWindowTextA(b.hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Home & Office");
}

TEST_F(ButtonLooks, SpecialEffectsWriteReliefCopiesAroundTheCaption) {
    TamrixButton& b = Make(100, 30, Settings(3, "WWW"));
    const COLORREF dark = 0x989898, light = 0xE8E8E8;  // the face C0C0C0 -40 and +40, also under style 3
    RECT text = Paint(b, kStateUp).Extent(0x000000);
    // Effect: dark copy below right, light above left, light below right, dark above left.
    const std::pair<int, std::vector<bool>> cases[] = {{1, {true, true, false, false}},
                                                       {2, {false, false, true, true}},
                                                       {3, {true, false, false, false}},
                                                       {9, {true, false, false, false}}};
    for (const auto& [effect, expected] : cases) {
        b.SetSpecialEffect(effect);
        Pixels p = CaptureSurface(b);
        auto below = [&](COLORREF c) {
            return p.Extent(c).right == text.right + 1 && p.Extent(c).bottom == text.bottom + 1;
        };
        auto above = [&](COLORREF c) { return p.Extent(c).left == text.left - 1 && p.Extent(c).top == text.top - 1; };
        EXPECT_EQ(std::vector<bool>({below(dark), above(light), below(light), above(dark)}), expected) << effect;
    }
}

TEST_F(ButtonLooks, TheDottedRectangleShowsOnlyWithFocusAndShowFocusRect) {
    for (int type : {14, 11}) {
        TamrixButton& b = Make(80, 24, Settings(type, ""));
        Pixels plain = Paint(b, kStateUp);
        Pixels focused = Paint(b, kStateUp, false, true);
        // Every changed pixel lies on the border of FocusRect.
        const RECT& r = b.fields().FocusRect;
        int changed = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 80; ++x)
                if (plain.at(x, y) != focused.at(x, y)) {
                    ++changed;
                    bool onBorder = (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1) &&
                                    x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    EXPECT_TRUE(onBorder) << "style " << type << " at " << x << "," << y;
                }
        EXPECT_GT(changed, (r.right - r.left) / 2) << "style " << type;
        b.SetShowFocusRect(false);
        EXPECT_EQ(CaptureSurface(b), plain) << "style " << type;
    }
}

TEST_F(ButtonLooks, FramedAndShadedStylesCutTheirCornersForThePointerToo) {
    auto cut = [](HWND window, int width, int height) {
        std::string pixels;
        platform::Region region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, region.get()) == ERROR) return pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!PtInRegion(region.get(), x, y)) pixels += std::to_string(x) + "," + std::to_string(y) + " ";
        return pixels;
    };
    EXPECT_EQ(cut(Make(80, 24, Settings(14, "")).hwnd(), 80, 24), "79,0 0,23 ");
    TamrixButton& b = Make(60, 30, Settings(3, ""));
    EXPECT_EQ(cut(b.hwnd(), 60, 30), "0,0 1,0 58,0 59,0 0,1 59,1 0,28 59,28 0,29 1,29 58,29 59,29 ");
    // A cut corner is the parent's, also for the pointer.
    POINT corner{0, 0}, inside{2, 2};
    ClientToScreen(b.hwnd(), &corner);
    ClientToScreen(b.hwnd(), &inside);
    EXPECT_NE(WindowFromPoint(corner), b.hwnd());
    EXPECT_EQ(WindowFromPoint(inside), b.hwnd());
    // Other styles keep the whole rectangle; a new shape comes with each resize.
    b.SetButtonType(11);
    EXPECT_EQ(cut(b.hwnd(), 60, 30), "");
    b.SetButtonType(3);
    b.Move(0, 0, platform::PixelsToTwipsX(90), platform::PixelsToTwipsY(40));
    EXPECT_NE(cut(b.hwnd(), 90, 40).find("89,39 "), std::string::npos);
}

TEST_F(ButtonLooks, ThePipelineChoosesTheLookByStateValueAndStyle) {
    TamrixButton& b = Make(80, 24, std::string(kShadedGrey) + "TX = \"Hello\"\n");
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

TEST_F(ButtonLooks, UnforcedRequestsForTheSameLookDrawOnceAndOnlyTheFinishedImageIsShown) {
    TamrixButton& b = Make(80, 24, kShadedGrey);
    testing_support::Pump(app);
    b.RenderButton(kStateDown, true);
    int paints = b.PaintCount();
    b.RenderButton(kStateUp, false);
    b.RenderButton(kStateUp, false);
    EXPECT_EQ(b.PaintCount(), paints + 1);
    b.RenderButton(kStateUp, true);
    EXPECT_EQ(b.PaintCount(), paints + 2);

    // Painting draws into the surface and asks the window for a repaint; the window copies it.
    EXPECT_TRUE(GetUpdateRect(b.hwnd(), nullptr, FALSE));
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
