// The owning wrappers: nothing is deleted while it is still selected, a refused shape stays with its
// caller, and a surface grows keeping its pixels.
#include <gtest/gtest.h>

#include "platform/printing/gdi_printer.h"
#include "platform/win32/gdi.h"
#include "support/gdi_check.h"

using namespace platform;

TEST(GdiWrappers, SelectionsAreUndoneBeforeAnythingIsDeletedAndTheCheckSeesItWhenNot) {
    testing_support::SelectedDeletionCheck check;
    WindowDC screen(nullptr);
    {
        MemorySurface surface(screen.get(), 20, 10);
        Font font(CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        Pen first(CreatePen(PS_SOLID, 1, 0));
        Pen second(CreatePen(PS_SOLID, 1, 0xFF));
        Selection selectedFont(surface.dc(), font.get());
        Selection pen(surface.dc(), first.get());
        pen.Select(surface.dc(), second.get());  // in the place of the first, which is free to go
        first.Reset();
        MemorySurface moved = std::move(surface);
        GrowSurface(moved, screen.get(), 30, 10, GetSysColorBrush(COLOR_WINDOW), true);
        // A printer on a DC that someone else owns changes its font and gives the DC its own back.
        GdiPrinter printer(moved.dc());
        printer.Print("a", false);
        printer.SetFontUnderline(true);
        printer.Print("b", true);
    }
    EXPECT_EQ(check.Faults(), std::vector<std::string>());

    // The check itself: a font deleted while a selection still holds it.
    MemorySurface surface(screen.get(), 20, 10);
    Font font(CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    Selection selection(surface.dc(), font.get());
    font.Reset();
    EXPECT_EQ(check.Faults(), std::vector<std::string>({"a font deleted while selected"}));
}

// A surface not yet made is empty; a shape the window refuses stays with the caller, who deletes it.
TEST(GdiWrappers, AnEmptySurfaceHasNoSizeAndARefusedShapeIsNotTaken) {
    MemorySurface empty;
    EXPECT_EQ(empty.width() * 1000 + empty.height(), 0);
    Region shape(CreateRectRgn(0, 0, 4, 4));
    HRGN handle = shape.get();
    EXPECT_FALSE(SetWindowShape(nullptr, std::move(shape)));
    EXPECT_EQ(GetObjectType(handle), 0u) << "the refused region was left behind";
}

// A surface grows keeping what it shows (a page's pictures, a button's face) and fills only what is new.
TEST(GdiWrappers, AGrownSurfaceKeepsItsPixelsAndFillsWhatIsNew) {
    WindowDC screen(nullptr);
    Brush red(CreateSolidBrush(0x0000FF)), blue(CreateSolidBrush(0xFF0000));
    MemorySurface surface;
    ASSERT_TRUE(GrowSurface(surface, screen.get(), 4, 4, red.get(), true));
    ASSERT_TRUE(GrowSurface(surface, screen.get(), 8, 2, blue.get(), false));
    EXPECT_EQ(surface.width() * 1000 + surface.height(), 8004);
    EXPECT_EQ(GetPixel(surface.dc(), 3, 3), 0x0000FFu);
    EXPECT_EQ(GetPixel(surface.dc(), 4, 0), 0xFF0000u);
}
