// Pictures: mask colour on bitmaps and icons, every pixel in its place, grey tones, the embossed and
// grey disabled looks, relief effects, the hover picture, and where the picture goes by position.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::ShiftColorValue;
using button::TamrixButton;
using button::TamrixButtonTestAccess;
using testing_support::CaptureSurface;
using testing_support::Hex;
using testing_support::MakeBitmapPicture;
using testing_support::MakeButton;
using testing_support::Pixels;
using Rows = std::vector<std::vector<COLORREF>>;

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kGreen = 0x00FF00;

// A flat green button of style 0 (face and picture only), without caption: the picture is centred.
const char* kFlatGreen = "BTYPE = 0\nCOLTYPE = 2\nBCOL = &H0000FF00&\nBCOLO = &H0000FF00&\nTX = \"\"\n";

Rows Filled(int width, int height, COLORREF colour) {
    return Rows(static_cast<std::size_t>(height), std::vector<COLORREF>(static_cast<std::size_t>(width), colour));
}

Pixels Paint(TamrixButton& b, std::uint8_t state, bool over = false) {
    TamrixButtonTestAccess::SetPointerOver(b, over);
    TamrixButtonTestAccess::SetHasFocus(b, false);
    b.RenderButton(state, true);
    return CaptureSurface(b);
}

// A 32 x 32 icon: a blue 16 x 16 square in the middle, transparent around it.
platform::Picture MakeSquareIcon() {
    platform::WindowDC screen(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen.get(), 32, 32);
    {
        platform::MemoryDC memory(screen.get());
        platform::Selection selection(memory.get(), colour);
        RECT all{0, 0, 32, 32};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        platform::Brush blue(CreateSolidBrush(kBlue));
        RECT middle{8, 8, 24, 24};
        FillRect(memory.get(), &middle, blue.get());
    }
    // The mask: a set bit is transparent. Rows of 32 bits.
    std::vector<std::uint8_t> maskBits(32 * 4, 0xFF);
    for (int y = 8; y < 24; ++y) {
        maskBits[std::size_t(y) * 4 + 1] = 0x00;  // columns 8-15
        maskBits[std::size_t(y) * 4 + 2] = 0x00;  // columns 16-23
    }
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, maskBits.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return platform::Picture::FromIcon(icon, true, "TEST_ICON");
}

}  // namespace

TEST(ButtonPicture, BitmapMaskColourShowsTheFaceOrIsDrawn) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, kFlatGreen);
    TamrixButton& b = *fixture.button;
    Rows rows = Filled(16, 16, kRed);
    for (auto& row : rows)
        for (int x = 8; x < 16; ++x) row[std::size_t(x)] = kSilver;
    b.SetPictureNormal(MakeBitmapPicture(rows, "HALF_SILVER"));
    EXPECT_EQ(b.fields().PictureRect.width, 16);
    EXPECT_EQ(b.fields().PictureRect.x, 12);
    EXPECT_EQ(b.fields().PictureRect.y, 7);

    Pixels masked = Paint(b, button::kStateUp);
    EXPECT_EQ(masked.Count(kRed, 12, 7, 20, 23), 8 * 16);
    EXPECT_EQ(masked.Count(kGreen, 20, 7, 28, 23), 8 * 16);
    EXPECT_EQ(masked.Count(kSilver, 0, 0, 40, 30), 0);

    b.SetUseMaskColor(false);
    Pixels drawn = CaptureSurface(b);
    EXPECT_EQ(drawn.Count(kSilver, 20, 7, 28, 23), 8 * 16);
    EXPECT_EQ(drawn.Count(kRed, 12, 7, 20, 23), 8 * 16);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, IconTransparencyComesOutInTheMaskColour) {
    platform::Application app;
    auto fixture = MakeButton(app, 60, 40, kFlatGreen);
    TamrixButton& b = *fixture.button;
    b.SetPictureNormal(MakeSquareIcon());
    ASSERT_EQ(b.fields().PictureRect.width, 32);
    const int x = b.fields().PictureRect.x;  // 14
    const int y = b.fields().PictureRect.y;  // 4
    Pixels masked = Paint(b, button::kStateUp);
    EXPECT_EQ(masked.Count(kBlue, x + 8, y + 8, x + 24, y + 24), 16 * 16);
    EXPECT_EQ(masked.Count(kGreen, 0, 0, 60, 40), 60 * 40 - 16 * 16);  // the face all around the square

    b.SetUseMaskColor(false);
    Pixels square = CaptureSurface(b);
    EXPECT_EQ(square.Count(kSilver, x, y, x + 32, y + 32), 32 * 32 - 16 * 16);
    EXPECT_EQ(square.Count(kBlue, x + 8, y + 8, x + 24, y + 24), 16 * 16);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, AnOddWidthPictureLandsPixelForPixel) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, kFlatGreen);
    TamrixButton& b = *fixture.button;
    // 15 pixels wide: rows of 45 bytes padded to 48. Each pixel has a colour of its own.
    Rows rows(5, std::vector<COLORREF>(15));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 15; ++x) rows[std::size_t(y)][std::size_t(x)] = RGB(16 * x + 1, 40 * y + 1, 99);
    b.SetPictureNormal(MakeBitmapPicture(rows, "ODD"));
    ASSERT_EQ(b.fields().PictureRect.width, 15);
    ASSERT_EQ(b.fields().PictureRect.x, 12);
    ASSERT_EQ(b.fields().PictureRect.y, 12);
    Pixels p = Paint(b, button::kStateUp);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 15; ++x)
            ASSERT_EQ(Hex(p.at(12 + x, 12 + y)), Hex(rows[std::size_t(y)][std::size_t(x)])) << x << "," << y;
    EXPECT_EQ(p.Count(kGreen, 0, 0, 40, 30), 40 * 30 - 15 * 5);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, GreyscaleAppliesToTheUpLookWithoutThePointer) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, std::string(kFlatGreen) + "NGREY = True\n");
    TamrixButton& b = *fixture.button;
    b.SetPictureNormal(MakeBitmapPicture({{0x0000FF, 0x00FF00, 0xFF0000, 0x808080}}, "GREYS"));
    const int x = b.fields().PictureRect.x;
    const int y = b.fields().PictureRect.y;
    Pixels grey = Paint(b, button::kStateUp);
    const COLORREF expected[] = {0x4C4C4C, 0x969696, 0x1C1C1C, 0x808080};  // 76, 150, 28, 128
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Hex(grey.at(x + i, y)), Hex(expected[i])) << i;

    Pixels over = Paint(b, button::kStateUp, true);  // the pointer over shows the colours
    EXPECT_EQ(Hex(over.at(x, y)), Hex(kRed));
    Pixels down = Paint(b, button::kStateDown);  // and so does the down look, one pixel right and down
    EXPECT_EQ(Hex(down.at(x + 1, y + 1)), Hex(kRed));
    EXPECT_EQ(Hex(down.at(x + 3, y + 1)), Hex(kBlue));
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, DisabledShadedStyleEmbossesTheDarkPixels) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, "BTYPE = 14\nCOLTYPE = 3\nTX = \"\"\nENAB = False\n");
    TamrixButton& b = *fixture.button;
    Pixels face = Paint(b, button::kStateUp);
    // Rows: black, white, dark grey (300 <= 384), light grey (600 > 384).
    Rows rows = {Filled(4, 1, 0x000000)[0], Filled(4, 1, 0xFFFFFF)[0], Filled(4, 1, 0x646464)[0],
                 Filled(4, 1, 0xC8C8C8)[0]};
    auto isDark = [&rows](int x, int y) {
        if (x < 0 || y < 0 || x > 3 || y > 3) return false;
        COLORREF c = rows[std::size_t(y)][std::size_t(x)];
        return GetRValue(c) + GetGValue(c) + GetBValue(c) <= 384;
    };
    b.SetPictureNormal(MakeBitmapPicture(rows, "EMBOSS"));
    const int px = b.fields().PictureRect.x;
    const int py = b.fields().PictureRect.y;
    Pixels embossed = Paint(b, button::kStateUp);
    for (int y = -1; y <= 5; ++y) {
        for (int x = -1; x <= 5; ++x) {
            COLORREF expected = face.at(px + x, py + y);
            if (isDark(x, y))
                expected = 0x808080;  // shadow in place
            else if (isDark(x - 1, y - 1))
                expected = 0xFFFFFF;  // highlight one right and down
            EXPECT_EQ(Hex(embossed.at(px + x, py + y)), Hex(expected)) << x << "," << y;
        }
    }
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, DisabledFramedStyleDrawsItInGreyMovedByOne) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, "BTYPE = 3\nCOLTYPE = 3\nTX = \"\"\nENAB = False\nNGREY = False\n");
    TamrixButton& b = *fixture.button;
    b.SetPictureNormal(MakeBitmapPicture({{0x0000FF, 0x00FF00, 0xFF0000, 0x808080}}, "GREYS"));
    const int x = b.fields().PictureRect.x;
    const int y = b.fields().PictureRect.y;
    Pixels p = Paint(b, button::kStateUp);
    const COLORREF expected[] = {0x4C4C4C, 0x969696, 0x1C1C1C, 0x808080};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Hex(p.at(x + 1 + i, y + 1)), Hex(expected[i])) << i;
    EXPECT_EQ(Hex(p.at(x, y)), Hex(ShiftColorValue(0xF0F0F0, -24, true, false)));  // the flat disabled face
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, SpecialEffectsCopyTheSilhouetteAroundThePicture) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, kFlatGreen);
    TamrixButton& b = *fixture.button;
    b.SetPictureNormal(MakeBitmapPicture(Filled(4, 4, kRed), "RED4"));
    const int x = b.fields().PictureRect.x;
    const int y = b.fields().PictureRect.y;
    const COLORREF dark = ShiftColorValue(kGreen, -40, false, false);
    const COLORREF light = ShiftColorValue(kGreen, 40, false, false);
    struct Case {
        int effect;
        COLORREF belowRight, aboveLeft;
    };
    for (const Case& c : {Case{3, dark, kGreen}, Case{1, dark, light}, Case{2, light, dark}, Case{0, kGreen, kGreen}}) {
        b.SetSpecialEffect(c.effect);
        Pixels p = Paint(b, button::kStateUp);
        EXPECT_EQ(p.Count(kRed, x, y, x + 4, y + 4), 16) << c.effect;
        EXPECT_EQ(Hex(p.at(x + 4, y + 2)), Hex(c.belowRight)) << c.effect;
        EXPECT_EQ(Hex(p.at(x + 2, y + 4)), Hex(c.belowRight)) << c.effect;
        EXPECT_EQ(Hex(p.at(x - 1, y + 1)), Hex(c.aboveLeft)) << c.effect;
        EXPECT_EQ(Hex(p.at(x + 5, y + 2)), Hex(kGreen)) << c.effect;
    }
    // Pressed, the picture and its effect move one pixel right and down.
    b.SetSpecialEffect(3);
    Pixels down = Paint(b, button::kStateDown);
    EXPECT_EQ(down.Count(kRed, x + 1, y + 1, x + 5, y + 5), 16);
    EXPECT_EQ(Hex(down.at(x + 5, y + 3)), Hex(dark));
    fixture.page->UnloadWithoutAsking();

    // The framed style's picture relief is based on its lit face.
    auto framed = MakeButton(app, 40, 30, "BTYPE = 3\nCOLTYPE = 3\nTX = \"\"\nFX = 3\n");
    framed.button->SetPictureNormal(MakeBitmapPicture(Filled(4, 4, kRed), "RED4"));
    Pixels p = Paint(*framed.button, button::kStateUp);
    const auto& r = framed.button->fields().PictureRect;
    EXPECT_EQ(Hex(p.at(r.x + 4, r.y + 2)), Hex(ShiftColorValue(0xF0F0F0, -40, false, false)));
    framed.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, TheHoverPictureShowsOverAndDown) {
    platform::Application app;
    auto fixture = MakeButton(app, 40, 30, std::string(kFlatGreen) + "FX = 3\n");
    TamrixButton& b = *fixture.button;
    b.SetPictureOver(MakeBitmapPicture(Filled(4, 4, kBlue), "BLUE4"));
    EXPECT_EQ(Paint(b, button::kStateUp, true).Count(kGreen, 0, 0, 40, 30), 40 * 30);  // no normal picture, nothing

    b.SetPictureNormal(MakeBitmapPicture(Filled(4, 4, kRed), "RED4"));
    const int x = b.fields().PictureRect.x;
    const int y = b.fields().PictureRect.y;
    EXPECT_EQ(Paint(b, button::kStateUp).Count(kRed, x, y, x + 4, y + 4), 16);
    Pixels over = Paint(b, button::kStateUp, true);
    EXPECT_EQ(over.Count(kBlue, x, y, x + 4, y + 4), 16);
    EXPECT_EQ(Hex(over.at(x + 4, y + 2)), Hex(ShiftColorValue(kGreen, -40, false, false)));
    Pixels down = Paint(b, button::kStateDown);
    EXPECT_EQ(down.Count(kBlue, x + 1, y + 1, x + 5, y + 5), 16);
    EXPECT_EQ(Hex(down.at(x + 5, y + 3)), Hex(kGreen));  // no relief under the hover picture
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, PlacementBesideTheCaptionOrCentred) {
    platform::Application app;
    auto fixture = MakeButton(app, 160, 60, "BTYPE = 14\nCOLTYPE = 3\nTX = \"Hi\"\n");
    TamrixButton& b = *fixture.button;
    b.SetPictureNormal(MakeBitmapPicture(Filled(16, 16, kRed), "RED16"));
    const auto& r = b.fields().PictureRect;
    const RECT& c = b.fields().CaptionRect;
    for (int position = 0; position <= 4; ++position) {
        b.SetPicturePosition(position);
        switch (position) {
        case 0:
            EXPECT_EQ(r.x + 16 + 6, c.left);
            EXPECT_EQ(r.y, (60 - 16) / 2);
            break;
        case 1:
            EXPECT_EQ(r.x, c.right + 6);
            EXPECT_EQ(r.y, (60 - 16) / 2);
            break;
        case 2:
            EXPECT_EQ(r.y + 16 + 2, c.top);
            EXPECT_EQ(r.x, (160 - 16) / 2);
            break;
        case 3:
            EXPECT_EQ(r.y, c.bottom + 2);
            EXPECT_EQ(r.x, (160 - 16) / 2);
            break;
        case 4:
            EXPECT_EQ(r.x, (160 - 16) / 2);
            EXPECT_EQ(r.y, (60 - 16) / 2);
            break;
        }
        Pixels p = Paint(b, button::kStateUp);
        int covered = p.Count(kRed, r.x, r.y, r.x + 16, r.y + 16);
        EXPECT_EQ(p.Count(kRed, 0, 0, 160, 60), covered) << position;
        if (position == 4)
            EXPECT_LT(covered, 256);  // the caption is written over the picture
        else
            EXPECT_EQ(covered, 256) << position;
    }
    for (const char* blank : {"", "   "}) {
        b.SetCaption(blank);
        for (int position : {0, 1, 2, 3}) {
            b.SetPicturePosition(position);
            EXPECT_EQ(r.x, (160 - 16) / 2) << position << " '" << blank << "'";
            EXPECT_EQ(r.y, (60 - 16) / 2) << position << " '" << blank << "'";
        }
    }
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonPicture, TheProgramsIconsDrawThroughTheIconPath) {
    platform::Application app;
    auto fixture = MakeButton(app, 60, 44, std::string(kFlatGreen) + "PICN = Picture(\"ICON_CALLWARDEN\")\n");
    TamrixButton& b = *fixture.button;
    ASSERT_EQ(b.PictureNormal().Type(), platform::PictureType::Icon);
    const auto& r = b.fields().PictureRect;
    Pixels p = Paint(b, button::kStateUp);
    // The icon covers part of its place and nothing else; its transparent parts show the face.
    int faceInside = p.Count(kGreen, r.x, r.y, r.x + r.width, r.y + r.height);
    EXPECT_GT(faceInside, 0);
    EXPECT_LT(faceInside, r.width * r.height);
    EXPECT_EQ(p.Count(kGreen, 0, 0, 60, 44) - faceInside, 60 * 44 - r.width * r.height);
    fixture.page->UnloadWithoutAsking();
}
