// The main page moved to a display of another scale. Windows sends WM_DPICHANGED with the rectangle it
// suggests (Wine never does: the test sends it as Windows would). The page lays every control out again
// from its twips, lays its background pictures again at their own size, and the product page opened
// from it takes its scale.
#include "pages_fixture.h"
#include "platform/win32/gdi.h"
#include "platform/win32/units.h"
#include "support/button_surface.h"

namespace {

using testing_support::CaptureSurface;
using testing_support::Pixels;
using testing_support::PrintClient;

// Twips to pixels at `dpi`, to the nearest.
int Px(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

// Sends WM_DPICHANGED as Windows does when the page's window reaches a display of `dpi` pixels per
// inch; the suggested rectangle keeps the top-left corner and scales the outer size.
void MoveToScale(platform::Page& page, int dpi) {
    RECT r = WindowRect(page.hwnd());
    RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, page.Dpi()),
                   r.top + MulDiv(r.bottom - r.top, dpi, page.Dpi())};
    SendMessageA(page.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Each control's window in its container, as "name x,y wxh", against its twips at `dpi`.
void ExpectLaidOutFromTwips(const platform::Page& page, int dpi) {
    for (const auto& control : page.Controls()) {
        if (!control->hwnd()) continue;
        RECT r = WindowRect(control->hwnd());
        MapWindowPoints(nullptr, GetParent(control->hwnd()), reinterpret_cast<POINT*>(&r), 2);
        RECT expected{Px(control->Left(), dpi), Px(control->Top(), dpi), 0, 0};
        expected.right = expected.left + Px(control->Width(), dpi);
        expected.bottom = expected.top + Px(control->Height(), dpi);
        EXPECT_EQ(Text(r), Text(expected)) << control->DisplayName() << " at " << dpi;
    }
}

// Whether a picture repeats with the period of its tile, from the top-left corner, wherever it shows.
void ExpectTiled(const Pixels& pixels, int tileWidth, int tileHeight, const std::string& what) {
    int mismatches = 0;
    for (int y = 0; y + tileHeight < pixels.height(); y += 7)
        for (int x = 0; x + tileWidth < pixels.width(); x += 5)
            if (pixels.at(x, y) != pixels.at(x + tileWidth, y) ||
                pixels.at(x, y) != pixels.at(x, y + tileHeight))
                ++mismatches;
    EXPECT_EQ(mismatches, 0) << what;
}

TEST(DisplayScale, TheMainPageAt200PercentTilesItsPicturesAtTheirOwnSizeAndTheProductPageFollowsIt) {
    Started s;
    s.Start();
    pages::MainPage& main = s.main();
    Pixels tab96 = PrintClient(main.PicBox(0).hwnd());

    MoveToScale(main, 192);
    testing_support::Pump(s.app);
    ExpectLaidOutFromTwips(main, 192);
    Pixels window = PrintClient(main.hwnd());
    Pixels tab = PrintClient(main.PicBox(0).hwnd());
    EXPECT_EQ(tab.width(), Px(6840, 192));
    ExpectTiled(window, 75, 150, "the page");
    ExpectTiled(tab, 100, 90, "the first tab");
    // The tile is the picture's own pixels, as at 96 pixels per inch.
    int same = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 100; ++x) same += tab.at(x, y) == tab96.at(x, y);
    EXPECT_EQ(same, 9000);
    // The web label keeps its right edge at 7350 twips.
    RECT web = WindowRect(main.lbl(2).hwnd());
    MapWindowPoints(nullptr, main.hwnd(), reinterpret_cast<POINT*>(&web), 2);
    EXPECT_NEAR(web.right, Px(7350, 192), 1);
    // The see-through buttons' faces are copied again from the page beneath, at their new size: outside
    // the caption and the picture they show the page's own pixels (where the page lies on the screen,
    // from which they are copied).
    for (button::TamrixButton* b : {&main.cmdWelcome(), &main.cmdQuit()}) {
        RECT onScreen = WindowRect(b->hwnd()), at = onScreen;
        MapWindowPoints(nullptr, main.hwnd(), reinterpret_cast<POINT*>(&at), 2);
        Pixels face = CaptureSurface(*b);
        int same = 0, shown = 0;
        for (int y = 0; y < face.height() && onScreen.top + y < GetSystemMetrics(SM_CYSCREEN); ++y)
            for (int x = 0; x < face.width() && onScreen.left + x < GetSystemMetrics(SM_CXSCREEN);
                 ++x, ++shown)
                same += face.at(x, y) == window.at(at.left + x, at.top + y);
        EXPECT_GT(same * 10, shown * 7) << b->Name() << ": " << same << " of " << shown;
    }

    // A product page opened from here takes its opener's scale.
    s.OpenProduct(12, [&](pages::AdvertisePage& page) {
        EXPECT_EQ(page.Dpi(), 192);
        ExpectLaidOutFromTwips(page, 192);
        EXPECT_EQ(WindowRect(page.hwnd()).right - WindowRect(page.hwnd()).left, Px(7635, 192));
        EXPECT_EQ(page.cmdReturn().fields().PictureRect.width, 64);
    });
}

}  // namespace
