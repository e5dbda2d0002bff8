// Pages moved to a display of another scale. Windows sends WM_DPICHANGED with the rectangle it suggests
// (Wine never does: the tests send it as Windows would). The page takes the rectangle, lays every
// control out again from its twips, makes its fonts again, draws the icon frames of the new scale,
// lays its background pictures again at their own size and repaints; back at 96 pixels per inch every
// pixel is what it was.
#include <functional>

#include "pages_fixture.h"
#include "platform/win32/gdi.h"
#include "platform/win32/units.h"
#include "support/button_surface.h"

namespace {

using testing_support::CapturePixels;
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
// inch; the suggested rectangle keeps the top-left corner and scales the outer size, unless one is given.
void MoveToScale(platform::Page& page, int dpi, const RECT* given = nullptr) {
    RECT r = WindowRect(page.hwnd());
    RECT suggested = given ? *given
                           : RECT{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, page.Dpi()),
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

int FontHeight(HGDIOBJ font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf.lfHeight;
}

// How many pixels of the icon frame, drawn on the mask colour (silver), are not silver and are the
// button's pixels at the picture's place; -1 when one of them is not.
int IconPixelsDrawn(const button::TamrixButton& b, HICON icon, int size) {
    platform::WindowDC screen(nullptr);
    platform::MemorySurface canvas;
    canvas.CreateDib(screen.get(), size, size);
    platform::Brush silver(CreateSolidBrush(0xC0C0C0));
    RECT all{0, 0, size, size};
    FillRect(canvas.dc(), &all, silver.get());
    DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    Pixels frame = CapturePixels(canvas.dc(), 0, 0, size, size), surface = CaptureSurface(b);
    const auto& at = b.fields().PictureRect;
    int drawn = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (frame.at(x, y) == 0xC0C0C0) continue;
            if (surface.at(at.x + x, at.y + y) != frame.at(x, y)) return -1;
            ++drawn;
        }
    return drawn;
}

std::vector<Pixels> ButtonLooks(const pages::AdvertisePage& page) {
    return {CaptureSurface(page.cmdRegisterNow()), CaptureSurface(page.cmdDownload()),
            CaptureSurface(page.cmdPrintOrderForm()), CaptureSurface(page.cmdPrintPage()),
            CaptureSurface(page.cmdReturn())};
}

TEST(DisplayScale, AProductPageAt150PercentLaysOutFromTwipsDrawsItsLargerFramesAndComesBackPixelForPixel) {
    ProductPage p("Callwarden", 12);
    pages::AdvertisePage& page = *p.page;
    ASSERT_EQ(page.Dpi(), 96);
    RECT outer = WindowRect(page.hwnd());
    std::vector<Pixels> before = ButtonLooks(page);

    MoveToScale(page, 144);
    testing_support::Pump(p.app);
    EXPECT_EQ(page.Dpi(), 144);
    EXPECT_EQ(Text(WindowRect(page.hwnd())),
              Text(RECT{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, 3, 2),
                        outer.top + MulDiv(outer.bottom - outer.top, 3, 2)}));
    ExpectLaidOutFromTwips(page, 144);
    // Arial 9.75 points in the description, 9 points bold on the buttons, at 144 pixels per inch.
    HWND description = page.txtProgramDescription().hwnd();
    EXPECT_EQ(FontHeight(reinterpret_cast<HGDIOBJ>(SendMessageA(description, WM_GETFONT, 0, 0))), -20);
    EXPECT_EQ(FontHeight(GetCurrentObject(page.cmdReturn().hDC(), OBJ_FONT)), -18);
    for (button::TamrixButton* b : {&page.cmdRegisterNow(), &page.cmdReturn()}) {
        SCOPED_TRACE(b->Name());
        EXPECT_EQ(b->fields().PictureRect.width * 1000 + b->fields().PictureRect.height, 48048);
        EXPECT_GT(IconPixelsDrawn(*b, b->PictureNormal().IconFrameFor(48, 48).icon, 48), 400);
    }

    MoveToScale(page, 96, &outer);
    testing_support::Pump(p.app);
    EXPECT_EQ(page.Dpi(), 96);
    EXPECT_EQ(Text(WindowRect(page.hwnd())), Text(outer));
    ExpectLaidOutFromTwips(page, 96);
    EXPECT_TRUE(ButtonLooks(page) == before) << "every button looks as it did before the move";
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
