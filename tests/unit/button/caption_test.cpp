// Caption layout with the real text measuring, access keys, the caption in each look, the focus
// rectangle and the window shape.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/units.h"
#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using button::TamrixButtonTestAccess;
using testing_support::CaptureSurface;
using testing_support::Hex;
using testing_support::MakeButton;
using testing_support::Pixels;

namespace {

const char* kGrey = "COLTYPE = 3\nFONT = Font(\"Arial\", 8.25)\n";

std::string Settings(int type, const std::string& caption, const std::string& more = "") {
    return "BTYPE = " + std::to_string(type) + "\nTX = \"" + caption + "\"\n" + kGrey + more;
}

RECT Measure(HDC dc, const std::string& text, RECT box, UINT extra = 0) {
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK | extra);
    return box;
}

// The bounding box of the pixels in `colour` (within `area` when given), or an empty rectangle.
RECT Extent(const Pixels& p, COLORREF colour, RECT area = RECT{0, 0, 10000, 10000}) {
    RECT r{p.width(), p.height(), 0, 0};
    for (int y = std::max<int>(0, area.top); y < std::min<int>(p.height(), area.bottom); ++y)
        for (int x = std::max<int>(0, area.left); x < std::min<int>(p.width(), area.right); ++x)
            if (p.at(x, y) == colour) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

TEST(ButtonCaption, TheWorkedExampleWithTheRealMeasuring) {
    platform::Application app;
    auto fixture = MakeButton(app, 100, 30, Settings(0, "Return"));
    TamrixButton& b = *fixture.button;
    RECT measured = Measure(b.hDC(), "Return", RECT{4, 4, 92, 22});
    ASSERT_EQ(measured.left, 4);
    ASSERT_EQ(measured.top, 4);
    const button::Fields& f = b.fields();
    EXPECT_EQ(f.CaptionWidth, measured.right - 4);
    EXPECT_EQ(f.CaptionHeight, measured.bottom - 4);
    LONG dx = (100 - measured.right) / 2;
    LONG dy = (30 - measured.bottom) / 2;
    EXPECT_EQ(f.CaptionRect.left, 4 + dx);
    EXPECT_EQ(f.CaptionRect.top, 4 + dy);
    EXPECT_EQ(f.CaptionRect.right, measured.right + dx);
    EXPECT_EQ(f.CaptionRect.bottom, measured.bottom + dy);
    EXPECT_EQ(f.PressedCaptionRect.left, f.CaptionRect.left + 1);
    EXPECT_EQ(f.PressedCaptionRect.bottom, f.CaptionRect.bottom + 1);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonCaption, AccessKeysOfTheListedCaptions) {
    platform::Application app;
    auto fixture = MakeButton(app, 120, 30, Settings(14, "x"));
    TamrixButton& b = *fixture.button;
    const std::pair<const char*, const char*> cases[] = {
        {"&Return", "r"},
        {"Order &Form", "f"},
        {"Home && Office", ""},
        {"Tom && &Jerry", "j"},
        {"A && B && &C", ""},
        {"Tail&", ""},
        {"", ""},
    };
    for (auto [caption, key] : cases) {
        b.SetCaption(caption);
        EXPECT_EQ(b.AccessKeys(), key) << caption;
    }
    // "&&" shows one ampersand: the caption measures as the text with a single '&'.
    b.SetCaption("Home && Office");
    RECT single = Measure(b.hDC(), "Home & Office", RECT{4, 4, 112, 22}, DT_NOPREFIX);
    EXPECT_EQ(b.fields().CaptionWidth, single.right - single.left);
    char text[64] = {};
    GetWindowTextA(b.hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Home & Office");
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonCaption, EachLookWritesTheCaptionInItsColoursAndPlace) {
    platform::Application app;
    auto fixture = MakeButton(app, 100, 30, Settings(14, "WWW", "FCOL = &H00000080&\nFCOLO = &H00008000&\n"));
    TamrixButton& b = *fixture.button;
    const button::Fields& f = b.fields();
    RECT inCaption = f.CaptionRect;
    InflateRect(&inCaption, 1, 1);
    RECT nearCaption = f.CaptionRect;  // the frame and the highlight strips stay outside this
    InflateRect(&nearCaption, 2, 2);

    // Scheme 3 writes black text; the other colours of the set come from the fixed grey palette.
    b.RenderButton(button::kStateUp, true);
    Pixels up = CaptureSurface(b);
    EXPECT_GT(up.Count(0x000000, 0, 0, 100, 30), 10);
    EXPECT_TRUE(Inside(Extent(up, 0x000000), inCaption));

    // Disabled: highlight one pixel right and down, shadow at the normal place.
    b.SetEnabled(false);
    Pixels disabled = CaptureSurface(b);
    RECT shadow = Extent(disabled, 0x808080, nearCaption);
    RECT light = Extent(disabled, 0xFFFFFF, nearCaption);
    ASSERT_LT(shadow.left, shadow.right);
    EXPECT_TRUE(Inside(shadow, inCaption));
    EXPECT_EQ(light.left, shadow.left + 1);
    EXPECT_EQ(light.top, shadow.top + 1);
    b.SetEnabled(true);

    // Down: dark text one pixel right and down, highlight-coloured text at the normal place over it.
    b.RenderButton(button::kStateDown, true);
    Pixels down = CaptureSurface(b);
    RECT dark = Extent(down, button::ShiftColorValue(0x808080, -50, false, false), nearCaption);
    RECT bright = Extent(down, 0xFFFFFF, nearCaption);
    EXPECT_EQ(dark.right, bright.right + 1);
    EXPECT_EQ(dark.bottom, bright.bottom + 1);

    // Scheme 2 with the pointer over: the text in ForeOver.
    b.SetColorScheme(2);
    TamrixButtonTestAccess::SetPointerOver(b, true);
    b.RenderButton(button::kStateUp, true);
    EXPECT_GT(CaptureSurface(b).Count(0x008000, 0, 0, 100, 30), 10);
    EXPECT_EQ(CaptureSurface(b).Count(0x000080, 0, 0, 100, 30), 0);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonCaption, SpecialEffectsWriteReliefCopiesAroundTheCaption) {
    platform::Application app;
    // Style 0 writes no caption of its own; style 3 uses the face as the relief's base colour.
    auto fixture = MakeButton(app, 100, 30, Settings(3, "WWW"));
    TamrixButton& b = *fixture.button;
    const COLORREF lit = b.fields().LitFaceColor;  // 0xF0F0F0 under scheme 3 and style 3
    const COLORREF face = b.fields().FaceColor;
    ASSERT_EQ(lit, 0xF0F0F0u);
    const COLORREF dark = button::ShiftColorValue(face, -40, false, false);
    const COLORREF light = button::ShiftColorValue(face, 40, false, false);
    struct Case {
        int effect;
        bool darkBelow, lightAbove, lightBelow, darkAbove;
    };
    const Case cases[] = {{1, true, true, false, false},
                          {2, false, false, true, true},
                          {3, true, false, false, false},
                          {9, true, false, false, false}};
    b.SetSpecialEffect(0);
    RECT text = Extent(CaptureSurface(b), 0x000000);
    for (const Case& c : cases) {
        b.SetSpecialEffect(c.effect);
        Pixels p = CaptureSurface(b);
        RECT d = Extent(p, dark);
        RECT l = Extent(p, light);
        auto below = [&](const RECT& r) { return r.right == text.right + 1 && r.bottom == text.bottom + 1; };
        auto above = [&](const RECT& r) { return r.left == text.left - 1 && r.top == text.top - 1; };
        EXPECT_EQ(below(d), c.darkBelow) << "effect " << c.effect;
        EXPECT_EQ(above(l), c.lightAbove) << "effect " << c.effect;
        EXPECT_EQ(below(l), c.lightBelow) << "effect " << c.effect;
        EXPECT_EQ(above(d), c.darkAbove) << "effect " << c.effect;
    }
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonCaption, TheDottedRectangleShowsOnlyWithFocusAndShowFocusRect) {
    platform::Application app;
    for (int type : {14, 11}) {
        auto fixture = MakeButton(app, 80, 24, Settings(type, ""));
        TamrixButton& b = *fixture.button;
        TamrixButtonTestAccess::SetHasFocus(b, false);  // the page gave it the focus when it was shown
        b.RenderButton(button::kStateUp, true);
        Pixels plain = CaptureSurface(b);
        TamrixButtonTestAccess::SetHasFocus(b, true);
        b.RenderButton(button::kStateUp, true);
        Pixels focused = CaptureSurface(b);
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
        b.RenderButton(button::kStateDown, true);
        Pixels downHidden = CaptureSurface(b);
        b.SetShowFocusRect(true);
        b.RenderButton(button::kStateDown, true);
        EXPECT_NE(CaptureSurface(b), downHidden) << "style " << type;
        fixture.page->UnloadWithoutAsking();
    }
}

namespace {

// The client pixels that lie outside the window's shape.
std::vector<POINT> CutPixels(HWND window, int width, int height) {
    std::vector<POINT> cut;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) == ERROR) {
        DeleteObject(region);
        return cut;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!PtInRegion(region, x, y)) cut.push_back({x, y});
    DeleteObject(region);
    return cut;
}

}  // namespace

TEST(ButtonShape, ShadedAndFramedStylesCutTheirCorners) {
    platform::Application app;
    auto shaded = MakeButton(app, 80, 24, Settings(14, ""));
    const RECT& focus = shaded.button->fields().FocusRect;
    const RECT expectedFocus{6, 6, 76, 20};
    EXPECT_TRUE(EqualRect(&focus, &expectedFocus));
    std::vector<POINT> cut = CutPixels(shaded.button->hwnd(), 80, 24);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].x, 79);
    EXPECT_EQ(cut[0].y, 0);
    EXPECT_EQ(cut[1].x, 0);
    EXPECT_EQ(cut[1].y, 23);
    shaded.page->UnloadWithoutAsking();

    auto framed = MakeButton(app, 60, 30, Settings(3, ""));
    HWND window = framed.button->hwnd();
    cut = CutPixels(window, 60, 30);
    EXPECT_EQ(cut.size(), 12u);
    for (POINT corner : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{59, 29}, POINT{58, 29}, POINT{59, 28}})
        EXPECT_TRUE(std::any_of(cut.begin(), cut.end(), [&](POINT p) { return p.x == corner.x && p.y == corner.y; }))
            << corner.x << "," << corner.y;
    // A cut corner is the parent's, also for the pointer.
    POINT corner{0, 0};
    POINT inside{2, 2};
    ClientToScreen(window, &corner);
    ClientToScreen(window, &inside);
    EXPECT_NE(WindowFromPoint(corner), window);
    EXPECT_EQ(WindowFromPoint(inside), window);

    // Other styles keep the whole rectangle; a new shape comes with each resize.
    framed.button->SetButtonType(11);
    EXPECT_TRUE(CutPixels(window, 60, 30).empty());
    EXPECT_EQ(WindowFromPoint(corner), window);
    framed.button->SetButtonType(3);
    framed.button->Move(0, 0, platform::PixelsToTwipsX(90), platform::PixelsToTwipsY(40));
    cut = CutPixels(window, 90, 40);
    EXPECT_EQ(cut.size(), 12u);
    EXPECT_TRUE(std::any_of(cut.begin(), cut.end(), [](POINT p) { return p.x == 89 && p.y == 39; }));
    framed.page->UnloadWithoutAsking();
}
