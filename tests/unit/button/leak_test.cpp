// Painting creates and deletes its drawing objects within each step: a thousand paintings of every
// style in every look leave the process's GDI objects as they were.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/gdi_count.h"

using button::TamrixButton;
using button::TamrixButtonTestAccess;

namespace {

struct Look {
    const char* name;
    std::uint8_t state;
    bool over, focus, enabled, checked;
};

const Look kLooks[] = {
    {"up", button::kStateUp, false, false, true, false},     {"hover", button::kStateUp, true, false, true, false},
    {"down", button::kStateDown, false, false, true, false}, {"disabled", button::kStateUp, true, true, false, false},
    {"focused", button::kStateUp, false, true, true, false}, {"checked", button::kStateUp, false, false, true, true},
};

void Show(TamrixButton& b, const Look& look) {
    TamrixButtonTestAccess::SetPointerOver(b, look.over);
    TamrixButtonTestAccess::SetHasFocus(b, look.focus);
    b.SetEnabled(look.enabled);
    b.SetCheckBoxBehaviour(look.checked);
    b.SetValue(look.checked);
}

}  // namespace

TEST(ButtonLeaks, AThousandPaintingsOfEveryStyleAndLookLeakNothing) {
    platform::Application app;
    // Everything that creates objects: the see-through copy, an icon, a bold default caption. (The
    // relief effect composes the icon twice more the same way; the test below covers it.)
    auto fixture = testing_support::MakeButton(app, 60, 24,
                                               "BTYPE = 11\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nTX = \"&Leak\"\n"
                                               "PICN = Picture(\"ICON_ORDER\")\nDefault = True\n");
    TamrixButton& b = *fixture.button;
    ASSERT_TRUE(b.fields().BackgroundDC);
    auto paintAll = [&](int rounds) {
        for (int style : {3, 11, 14, 0}) {
            b.SetButtonType(style);
            for (const Look& look : kLooks) {
                Show(b, look);
                for (int i = 0; i < rounds; ++i) b.RenderButton(look.state, true);
            }
        }
    };
    paintAll(2);  // caches settle
    int before = testing_support::GdiObjectCount();
    ASSERT_GT(before, 0);
    int paints = b.PaintCount();
    paintAll(1000);
    EXPECT_GE(b.PaintCount() - paints, 4 * 6 * 1000);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonLeaks, ReliefsAndGreyPicturesLeakNothing) {
    platform::Application app;
    auto fixture = testing_support::MakeButton(app, 60, 24,
                                               "BTYPE = 14\nTX = \"Relief\"\nPICN = Picture(\"ICON_ORDER\")\n"
                                               "PICH = Picture(\"ICON_RETURN\")\nNGREY = True\n");
    TamrixButton& b = *fixture.button;
    auto paintAll = [&](int rounds) {
        for (int effect : {1, 2, 3}) {
            b.SetSpecialEffect(effect);
            for (const Look& look : kLooks) {
                Show(b, look);
                for (int i = 0; i < rounds; ++i) b.RenderButton(look.state, true);
            }
        }
    };
    paintAll(2);
    int before = testing_support::GdiObjectCount();
    paintAll(100);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonLeaks, UnloadingReleasesTheSeeThroughCopy) {
    platform::Application app;
    auto fixture = testing_support::MakeButton(app, 60, 24, "BTYPE = 11\nTX = \"Glass\"\n");
    HDC copy = fixture.button->fields().BackgroundDC;
    HBITMAP copyBitmap = fixture.button->fields().BackgroundBitmap;
    ASSERT_EQ(GetObjectType(copy), static_cast<DWORD>(OBJ_MEMDC));
    ASSERT_EQ(GetObjectType(copyBitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetCurrentObject(copy, OBJ_BITMAP), copyBitmap);
    fixture.page->UnloadWithoutAsking();
    EXPECT_FALSE(fixture.button->fields().BackgroundDC);
    EXPECT_EQ(GetObjectType(copy), 0u);
    EXPECT_EQ(GetObjectType(copyBitmap), 0u);
}
