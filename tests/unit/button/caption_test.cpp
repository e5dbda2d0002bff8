// Caption layout with the real text measuring, access keys, the caption in each look, the focus
// rectangle and the window shape.
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
using testing_support::MakeButton;
using testing_support::Paint;
using testing_support::Pixels;

namespace {

std::string Settings(int type, const std::string& caption, const std::string& more = "") {
    return "BTYPE = " + std::to_string(type) + "\nTX = \"" + caption +
           "\"\nCOLTYPE = 3\nFONT = Font(\"Arial\", 8.25)\n" + more;
}

RECT Measure(HDC dc, const std::string& text, RECT box, UINT extra = 0) {
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK | extra);
    return box;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

TEST(ButtonCaption, TheWorkedExampleWithTheRealMeasuringAndAnEscapedAmpersand) {
    platform::Application app;
    auto fixture = MakeButton(app, 100, 30, Settings(0, "Return"));
    TamrixButton& b = *fixture.button;
    RECT measured = Measure(b.hDC(), "Return", RECT{4, 4, 92, 22});
    const button::Fields& f = b.fields();
    EXPECT_EQ(f.CaptionWidth, measured.right - 4);
    EXPECT_EQ(f.CaptionHeight, measured.bottom - 4);
    LONG dx = (100 - measured.right) / 2;
    LONG dy = (30 - measured.bottom) / 2;
    const RECT expected{4 + dx, 4 + dy, measured.right + dx, measured.bottom + dy};
    EXPECT_TRUE(EqualRect(&f.CaptionRect, &expected));
    EXPECT_EQ(f.PressedCaptionRect.left, f.CaptionRect.left + 1);
    EXPECT_EQ(f.PressedCaptionRect.bottom, f.CaptionRect.bottom + 1);

    // The control's access key follows the caption; "&&" shows, and measures, as one ampersand.
    for (auto [caption, key] : {std::pair{"Order &Form", "f"}, {"Tom && &Jerry", "j"}, {"Tail&", ""}}) {
        b.SetCaption(caption);
        EXPECT_EQ(b.AccessKeys(), key) << caption;
    }
    b.SetCaption("Home && Office");
    EXPECT_EQ(b.AccessKeys(), "");
    RECT single = Measure(b.hDC(), "Home & Office", RECT{4, 4, 92, 22}, DT_NOPREFIX);
    EXPECT_EQ(f.CaptionWidth, single.right - single.left);
    char text[64] = {};
    GetWindowTextA(b.hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Home & Office");
}

TEST(ButtonCaption, EachLookWritesTheCaptionInItsColoursAndPlace) {
    platform::Application app;
    auto fixture = MakeButton(app, 100, 30, Settings(14, "WWW", "FCOL = &H00000080&\nFCOLO = &H00008000&\n"));
    TamrixButton& b = *fixture.button;
    RECT inCaption = b.fields().CaptionRect;
    InflateRect(&inCaption, 1, 1);
    RECT nearCaption = b.fields().CaptionRect;  // the frame and the highlight strips stay outside this
    InflateRect(&nearCaption, 2, 2);

    // Scheme 3 writes black text; the other colours of the set come from the fixed grey palette.
    Pixels up = Paint(b, kStateUp);
    EXPECT_GT(up.Count(0x000000), 10);
    EXPECT_TRUE(Inside(up.Extent(0x000000), inCaption));

    // Disabled: highlight one pixel right and down, shadow at the normal place.
    b.SetEnabled(false);
    Pixels disabled = CaptureSurface(b);
    RECT shadow = disabled.Extent(0x808080, nearCaption);
    RECT light = disabled.Extent(0xFFFFFF, nearCaption);
    ASSERT_LT(shadow.left, shadow.right);
    EXPECT_TRUE(Inside(shadow, inCaption));
    EXPECT_EQ(light.left, shadow.left + 1);
    EXPECT_EQ(light.top, shadow.top + 1);
    b.SetEnabled(true);

    // Down: dark text one pixel right and down, highlight-coloured text at the normal place over it.
    Pixels down = Paint(b, kStateDown);
    RECT dark = down.Extent(ShiftColorValue(0x808080, -50, false, false), nearCaption);
    RECT bright = down.Extent(0xFFFFFF, nearCaption);
    EXPECT_EQ(dark.right, bright.right + 1);
    EXPECT_EQ(dark.bottom, bright.bottom + 1);

    // Scheme 2 with the pointer over: the text in ForeOver.
    b.SetColorScheme(2);
    Pixels over = Paint(b, kStateUp, true);
    EXPECT_GT(over.Count(0x008000), 10);
    EXPECT_EQ(over.Count(0x000080), 0);
}

TEST(ButtonCaption, SpecialEffectsWriteReliefCopiesAroundTheCaption) {
    platform::Application app;
    // Style 3 uses its lit face (F0F0F0 under scheme 3) as the relief's base colour.
    auto fixture = MakeButton(app, 100, 30, Settings(3, "WWW"));
    TamrixButton& b = *fixture.button;
    const COLORREF dark = ShiftColorValue(b.fields().FaceColor, -40, false, false);
    const COLORREF light = ShiftColorValue(b.fields().FaceColor, 40, false, false);
    RECT text = Paint(b, kStateUp).Extent(0x000000);
    struct Case {
        int effect;
        bool darkBelow, lightAbove, lightBelow, darkAbove;
    };
    for (Case c : {Case{1, true, true, false, false}, Case{2, false, false, true, true},
                   Case{3, true, false, false, false}, Case{9, true, false, false, false}}) {
        b.SetSpecialEffect(c.effect);
        Pixels p = CaptureSurface(b);
        RECT d = p.Extent(dark);
        RECT l = p.Extent(light);
        auto below = [&](const RECT& r) { return r.right == text.right + 1 && r.bottom == text.bottom + 1; };
        auto above = [&](const RECT& r) { return r.left == text.left - 1 && r.top == text.top - 1; };
        EXPECT_EQ(std::vector<bool>({below(d), above(l), below(l), above(d)}),
                  std::vector<bool>({c.darkBelow, c.lightAbove, c.lightBelow, c.darkAbove}))
            << "effect " << c.effect << ": dark below, light above, light below, dark above";
    }
}

TEST(ButtonCaption, TheDottedRectangleShowsOnlyWithFocusAndShowFocusRect) {
    platform::Application app;
    for (int type : {14, 11}) {
        auto fixture = MakeButton(app, 80, 24, Settings(type, ""));
        TamrixButton& b = *fixture.button;
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
        fixture.page->UnloadWithoutAsking();
    }
}

TEST(ButtonShape, ShadedAndFramedStylesCutTheirCornersForThePointerToo) {
    platform::Application app;
    auto cutPixels = [](HWND window, int width, int height) {
        std::vector<POINT> cut;
        platform::Region region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, region.get()) == ERROR) return cut;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!PtInRegion(region.get(), x, y)) cut.push_back({x, y});
        return cut;
    };
    auto has = [](const std::vector<POINT>& cut, int x, int y) {
        return std::any_of(cut.begin(), cut.end(), [&](POINT p) { return p.x == x && p.y == y; });
    };
    auto shaded = MakeButton(app, 80, 24, Settings(14, ""));
    std::vector<POINT> cut = cutPixels(shaded.button->hwnd(), 80, 24);
    EXPECT_TRUE(cut.size() == 2 && has(cut, 79, 0) && has(cut, 0, 23));
    shaded.page->UnloadWithoutAsking();

    auto framed = MakeButton(app, 60, 30, Settings(3, ""));
    HWND window = framed.button->hwnd();
    cut = cutPixels(window, 60, 30);
    EXPECT_EQ(cut.size(), 12u);
    for (POINT corner : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{59, 29}, POINT{58, 29}, POINT{59, 28}})
        EXPECT_TRUE(has(cut, corner.x, corner.y)) << corner.x << "," << corner.y;
    // A cut corner is the parent's, also for the pointer.
    POINT corner{0, 0};
    POINT inside{2, 2};
    ClientToScreen(window, &corner);
    ClientToScreen(window, &inside);
    EXPECT_NE(WindowFromPoint(corner), window);
    EXPECT_EQ(WindowFromPoint(inside), window);

    // Other styles keep the whole rectangle; a new shape comes with each resize.
    framed.button->SetButtonType(11);
    EXPECT_TRUE(cutPixels(window, 60, 30).empty());
    framed.button->SetButtonType(3);
    framed.button->Move(0, 0, platform::PixelsToTwipsX(90), platform::PixelsToTwipsY(40));
    cut = cutPixels(window, 90, 40);
    EXPECT_TRUE(cut.size() == 12 && has(cut, 89, 39));
}
