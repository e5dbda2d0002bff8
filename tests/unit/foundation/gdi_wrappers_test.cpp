// The owning wrappers release everything they make: many rounds leave the object count unchanged.
#include <gtest/gtest.h>

#include "platform/win32/gdi.h"
#include "support/gdi_count.h"

using namespace platform;

TEST(GdiWrappers, TenThousandRoundsLeakNothingAndSelectionsRestore) {
    WindowDC screen(nullptr);
    ASSERT_TRUE(screen);
    auto round = [&](int i) {
        MemorySurface surface(screen.get(), 16 + i % 7, 12);
        ASSERT_TRUE(surface);
        HGDIOBJ originalPen = GetCurrentObject(surface.dc(), OBJ_PEN);
        Brush brush(CreateSolidBrush(RGB(i & 255, 0, 0)));
        Pen pen(CreatePen(PS_SOLID, 1, RGB(0, i & 255, 0)));
        Font font(CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        Region region(CreateRectRgn(0, 0, 10, 10));
        {
            Selection selectPen(surface.dc(), pen.get());
            Selection selectFont(surface.dc(), font.get());
            ASSERT_EQ(selectPen.previous(), originalPen);
            LineTo(surface.dc(), 5, 5);
            RECT r{0, 0, 4, 4};
            FillRect(surface.dc(), &r, brush.get());
        }
        ASSERT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), originalPen);
        MemorySurface moved = std::move(surface);
        EXPECT_FALSE(surface);
        Brush other = std::move(brush);
        other = Brush(CreateSolidBrush(0));  // the moved-to brush releases what it held
    };
    for (int i = 0; i < 100; ++i) round(i);  // warm-up: caches settle
    int before = testing_support::GdiObjectCount();
    for (int i = 0; i < 10000; ++i) round(i);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);

    // The count sees a leak.
    HBRUSH leaked = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(testing_support::GdiObjectCount(), before + 1);
    DeleteObject(leaked);
}
